#pragma once

#include <cstddef>
#include <string>

#include "objects/object_registry.h"

// The module object: one for the program or the loaded library, made before any control and
// gone after the last. While it lives the runtime's classes are registered (unless the program
// registered them itself), and it counts the controls alive.
class CVeltrixBrowserActiveXApp {
 public:
  // The version text of the about box.
  static constexpr const char16_t* kVersionText = u"Veltrix 6.0.12.1";

  CVeltrixBrowserActiveXApp();
  ~CVeltrixBrowserActiveXApp();
  CVeltrixBrowserActiveXApp(const CVeltrixBrowserActiveXApp&) = delete;
  CVeltrixBrowserActiveXApp& operator=(const CVeltrixBrowserActiveXApp&) = delete;

  CNObjectRegistry& GetClasses();
  // The file the module was loaded from: the shared library, or the program.
  static std::string GetModulePath();

  void AddControl() { ++m_controls; }
  void ReleaseControl() { --m_controls; }
  size_t GetControlCount() const { return m_controls; }

 private:
  size_t m_controls = 0;
  bool m_bRegisteredClasses = false;
};
