#include "controls/switch_record.h"

namespace {

using Op = CNSwitchOperation;

// A_SWITCH (on while held) and B_SWITCH (off while held): the press assigns the held value, the
// release and a leave while held give the other one back. A leave without a press in progress
// changes nothing: passing the pointer over a switch that a bind turned on must not write to its
// tag.
std::optional<bool> Momentary(CNSwitchRecord& r, bool heldValue, Op op, bool pressed) {
  switch (op) {
    case Op::Press:
      r.done = true;
      return heldValue;
    case Op::Release:
      r.done = true;
      return !heldValue;
    case Op::Leave:
      if (pressed && r.value == heldValue) return !heldValue;
      return std::nullopt;
  }
  return std::nullopt;
}

// ON_SWITCH, OFF_SWITCH and ALTERNATE_SWITCH: the release assigns, unless leaving the object
// cancelled the press.
std::optional<bool> AtRelease(CNSwitchRecord& r, bool released, Op op) {
  switch (op) {
    case Op::Press:
      r.done = false;
      return std::nullopt;
    case Op::Release:
      if (r.done) return std::nullopt;
      r.done = true;
      return released;
    case Op::Leave:
      r.done = true;
      return std::nullopt;
  }
  return std::nullopt;
}

// Select: like ON_SWITCH, but a switch that is on ignores presses altogether.
std::optional<bool> Select(CNSwitchRecord& r, Op op) {
  switch (op) {
    case Op::Press:
      if (!r.value) r.done = false;
      return std::nullopt;
    case Op::Release:
      if (r.done || r.value) return std::nullopt;
      r.done = true;
      return true;
    case Op::Leave:
      if (!r.value) r.done = true;
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::optional<bool> CNSwitchRecord::Operate(int32_t switchType, CNSwitchOperation operation) {
  const bool pressed = held;
  held = operation == Op::Press;
  switch (switchType) {
    case SWITCH_A:
      return Momentary(*this, true, operation, pressed);
    case SWITCH_B:
      return Momentary(*this, false, operation, pressed);
    case SWITCH_ON:
      return AtRelease(*this, true, operation);
    case SWITCH_OFF:
      return AtRelease(*this, false, operation);
    case SWITCH_ALTERNATE:
      return AtRelease(*this, !value, operation);
    case SWITCH_SELECT:
      return Select(*this, operation);
    default:
      return std::nullopt;
  }
}
