#pragma once

#include "script/method_table.h"

// The object methods that read and write tags through the host's tag server.

// "GetVal"/"GetValue"(name or list of names): the tag's value; for a list of names, a value of
// the same shape holding the first element of each tag's value. A name that gives no tag
// reads as an element without value.
bool GetTagValue(CMethodCall& call);
// "WriteVal"/"SetValue"(name, value): true when the tag took the value.
bool WriteTagValue(CMethodCall& call);
