// The root object's global functions for forms, views and windows, handed to the runtime.
#include "script/root_methods.h"

std::span<const MethodEntry> RootRuntimeMethods() {
  return {};
}
