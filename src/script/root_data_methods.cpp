// The root object's global functions for maps, configuration, text files, errors, formats and themes.
#include "script/root_methods.h"

std::span<const MethodEntry> RootDataMethods() {
  return {};
}
