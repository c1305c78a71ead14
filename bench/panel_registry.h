#pragma once

#include "shell/panel_classes.h"

// Every panel class registered once for the benchmarks that open whole projects.
inline CPanelControls& PanelRegistry() {
  static CPanelControls s_registry;
  static const bool s_registered = RegisterPanelClasses(s_registry);
  (void)s_registered;
  return s_registry;
}
