#pragma once

#include <string>

class CPanelControls;

// The reference documents, generated from the tables the runtime itself uses, in Markdown:
// every registered class with its category, properties (type, default, items) and events
// (parameters); every built-in function by the table it belongs to, with a line on what it does.
std::string ClassReference(const CPanelControls& classes);
std::string FunctionReference(const CPanelControls& classes);
