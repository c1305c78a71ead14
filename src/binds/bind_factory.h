#pragma once

#include <string_view>

#include "binds/bind_script_parser.h"
#include "support/ref_cnt.h"

// An uncompiled bind of the flavour that suits the script: a single name gets the single-name
// flavour, anything else the compiled one. input: 1 for an input bind, 0 for an output bind.
CRPtr<CNBindScriptParser> MakeBindScriptParser(std::u16string_view script, bool input);
