#pragma once

#include "script/builtin_tables.h"

// The built-in method tables.
const CKVMethodTable& RootMethods();    // global functions of the project's root object
const CKVMethodTable& CommonMethods();  // conversions, texts, values
const CKVMethodTable& MathMethods();    // the mathematical functions, methods of the Math object
const CKVMethodTable& ObjectMethods();  // the methods of every object
const CKVMethodTable& EditBoxMethods();  // the methods of edit boxes

// Registers every table above, and those of the format objects, with the script engine's
// lookup (CKVBuiltIns). Call once at start-up, before any script runs; later calls do nothing.
void RegisterBuiltInMethods();
