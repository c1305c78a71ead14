#pragma once

#include <span>
#include <string_view>

class CNObject;
class CNValue;
class IKVMethodHost;

struct MethodEntry;

// The global function a bind script calls, by its name as written: a name that begins with
// "Math." (in any case) is looked up among the mathematical functions without that prefix,
// every other name among the common functions (a leading "::", the event scripts' mark of a
// global function, is allowed). Null when there is no such function.
const MethodEntry* FindBindFunction(std::u16string_view function);

// Runs the function FindBindFunction finds. target is the object the bind belongs to; host may
// be null. False when there is no such function or it failed.
bool CallBindFunction(CNObject& target, IKVMethodHost* host, std::u16string_view function,
                      std::span<const CNValue* const> args, CNValue& result);
