#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "values/value.h"

// What one item of a compiled postfix sequence does.
enum BindItemKind : uint8_t {
  BI_LITERAL,  // pushes literals[index]
  BI_NAME,     // pushes the value of names[index], read through the owner
  BI_TARGET,   // pushes the handle of names[index], which the next "=" writes
  BI_EMPTY,    // pushes an argument left out
  BI_UNARY,    // applies operation (a BindOperator: unary!, unary- or unary+) to the top
  BI_BINARY,   // applies operation (a ValueOperation) to the two values on top
  BI_ASSIGN,   // "=": writes the top into the target below it
  BI_CALL,     // calls functions[index] with the count values on top
};

struct CBindItem {
  BindItemKind kind;
  uint8_t operation;
  uint16_t count;
  uint32_t index;
};
static_assert(sizeof(CBindItem) == 8, "items stay small: a refresh walks thousands of them");

// A name the script reads or writes. The handle is the owner's, given at connect.
struct CBindName {
  std::u16string name;
  uint32_t reads = 0;     // how often the script reads it; 0 when it only writes it
  uint32_t position = 0;  // its first use in the script, for run-time errors
  uint32_t handle = 0;
  bool subscribed = false;
};

struct CBindFunction {
  std::u16string name;  // as written: "::CStr", "Math.Sin"
  uint32_t position = 0;
};

// One case: items [condition, expression) are the condition (none: always true), items
// [expression, end) the expression.
struct CBindCase {
  uint32_t condition = 0;
  uint32_t expression = 0;
  uint32_t end = 0;
};

// A compiled bind script: its case list as postfix sequences in one item list, the literal
// values parsed once, the name table sorted by name, and the functions it calls.
struct CBindProgram {
  std::vector<CBindItem> items;
  std::vector<CBindCase> cases;
  std::vector<CNValue> literals;
  std::vector<CBindName> names;
  std::vector<CBindFunction> functions;
  uint32_t maxDepth = 0;      // the most values a sequence keeps on the stack at once
  uint32_t maxArguments = 0;  // the most arguments of one call

  void Clear() { *this = CBindProgram(); }
};
