#pragma once

#include <cstdint>
#include <string_view>

#include "values/value.h"

class CNObject;

// The script engine as objects see it: event handlers are functions of an object's script named
// after the event.
class CNScript {
 public:
  virtual ~CNScript() = default;
  // True when the owner's script defines the function.
  virtual bool HasFunction(CNObject* owner, std::u16string_view name) = 0;
  // Runs the function with the arguments (in parameter order; reference parameters are read
  // back from args). result may be null. False when it is absent or failed.
  virtual bool RunFunction(CNObject* owner, std::u16string_view name, CNValue* args, uint32_t count,
                           CNValue* result) = 0;
};
