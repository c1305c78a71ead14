#pragma once

#include <cstdint>
#include <optional>

// Switch type codes. The first five are the items of "SwitchType"; select is what grouped
// toggle buttons and radio buttons use, and no file can name it.
enum CNSwitchType : int32_t {
  SWITCH_A = 0,          // on while held
  SWITCH_B = 1,          // off while held
  SWITCH_ON = 2,         // on at release
  SWITCH_OFF = 3,        // off at release
  SWITCH_ALTERNATE = 4,  // flips at release
  SWITCH_SELECT = 5,     // on at release, and stays on
};

// What mouse and keyboard do to a switch: the left button or the space key going down or up,
// and the mouse leaving the object.
enum class CNSwitchOperation { Press, Release, Leave };

// The state every switch-capable object keeps: its type and value (the stored form of
// "SwitchType" and "SwitchValue") and the flags its operations work with.
struct CNSwitchRecord {
  int32_t type = SWITCH_A;
  bool value = false;
  // The current press has been acted on or cancelled; a release acts only while it is clear.
  bool done = false;
  // Every operation that changes the record, and every write of the value, asks for a redraw.
  bool redraw = true;
  // Set while "OnSwitchChanged" runs, so that its handler cannot assign again.
  bool busy = false;
  // A press is in progress: pressed, and neither released nor left since.
  bool held = false;

  // Runs one operation for a switch of the given type: updates done and held and returns the
  // value to assign, if the operation assigns one. Unknown types assign nothing.
  std::optional<bool> Operate(int32_t switchType, CNSwitchOperation operation);
};
