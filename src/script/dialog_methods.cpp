// The root object's global functions for dialogs, handed to the runtime.
#include "script/root_methods.h"

std::span<const MethodEntry> DialogMethods() {
  return {};
}
