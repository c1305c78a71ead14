#pragma once

#include <span>

#include "script/method_table.h"

// The parts RootDataMethods() puts together.
std::span<const MethodEntry> RootMapMethods();   // root_map_methods.cpp: "MAP" and its family
std::span<const MethodEntry> RootFileMethods();  // root_file_methods.cpp: text, CSV and configuration files
