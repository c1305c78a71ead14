#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "values/value.h"

class CNPTag;

// A listener of tags: whoever holds a tag from a tag server (a screen object, a bind, an alias
// tag) registers one of these and is called back on the user-interface thread when the tag's
// value changes.
class CNPTagServerConnectionPoint {
 public:
  virtual ~CNPTagServerConnectionPoint() = default;
  // name: the name this listener asked for the tag with; value: borrowed for the call; changed:
  // 1 for a real change, 0 when a new listener receives the current value for the first time.
  virtual void TagChanged(CNPTag* /*tag*/, std::u16string_view /*name*/, const CNValue& /*value*/,
                          uint32_t /*changed*/) {}
  // A listener that answers 0 is skipped.
  virtual uint32_t IsListening() { return 0; }
  // What the listener is, for messages about the tag ("Main.mtrTank1"); empty by default.
  virtual std::u16string GetListenerName() const { return {}; }
};
