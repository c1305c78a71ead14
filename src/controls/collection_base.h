#pragma once

#include "controls/switch_control.h"

// The base of forms and groups: switch controls that hold child objects and draw them in child
// order.
class CNPCollectionBase : public CNPSwitchControl {
 protected:
  void OnDraw(CNDrawContext& context) override { DrawChildren(context); }
  // Each visible child in child order.
  void DrawChildren(CNDrawContext& context);
};
