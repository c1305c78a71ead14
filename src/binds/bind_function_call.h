#pragma once

#include <span>
#include <string_view>

class CNObject;
class CNValue;
class IKVMethodHost;

// Runs a global function a bind script calls: a name that begins with "Math." (in any case) is
// looked up among the mathematical functions without that prefix, every other name among the
// common functions (a leading "::", the event scripts' mark of a global function, is allowed).
// target is the object the bind belongs to; host may be null. False when there is no such
// function or it failed.
bool CallBindFunction(CNObject& target, IKVMethodHost* host, std::u16string_view function,
                      std::span<const CNValue* const> args, CNValue& result);
