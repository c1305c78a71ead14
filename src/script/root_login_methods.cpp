// The root object's global functions for login, server time, server files and services.
#include "script/root_methods.h"

std::span<const MethodEntry> RootLoginMethods() {
  return {};
}
