#pragma once

#include <span>

#include "script/method_table.h"

// The global functions of the project's root object by concern; RootMethods() puts them
// together with the dialog functions.
std::span<const MethodEntry> RootTagMethods();      // aliases, tag refresh, Trace
std::span<const MethodEntry> RootDataMethods();     // maps, configuration, text files, errors, formats, themes
std::span<const MethodEntry> RootRuntimeMethods();  // forms, views, windows: through the runtime
std::span<const MethodEntry> RootLoginMethods();    // login, server time, server files and services
std::span<const MethodEntry> DialogMethods();       // the dialog functions: through the runtime
