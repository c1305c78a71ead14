#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

#include "values/value.h"

// The operator table of bind scripts: every operator's text, its binding level (higher binds
// tighter; operators of one level apply from left to right) and the value operation it applies
// (-1 when it applies none directly). A compound assignment computes like its plain operator and
// stores nothing. Built once, shared by every bind.
#define VELTRIX_BIND_OPERATORS(X)                       \
  X(BO_OPEN_BRACE, u"{", 0, -1)                         \
  X(BO_CLOSE_BRACE, u"}", 0, -1)                        \
  X(BO_COMMA, u",", 1, -1)                              \
  X(BO_ASSIGN, u"=", 2, -1)                             \
  X(BO_ADD_ASSIGN, u"+=", 2, VOP_ADD)                   \
  X(BO_SUBTRACT_ASSIGN, u"-=", 2, VOP_SUBTRACT)         \
  X(BO_MULTIPLY_ASSIGN, u"*=", 2, VOP_MULTIPLY)         \
  X(BO_DIVIDE_ASSIGN, u"/=", 2, VOP_DIVIDE)             \
  X(BO_OR_ASSIGN, u"|=", 2, VOP_BITOR)                  \
  X(BO_AND_ASSIGN, u"&=", 2, VOP_BITAND)                \
  X(BO_LOGICAL_OR, u"||", 3, VOP_OR)                    \
  X(BO_LOGICAL_AND, u"&&", 4, VOP_AND)                  \
  X(BO_BIT_OR, u"|", 5, VOP_BITOR)                      \
  X(BO_BIT_AND, u"&", 6, VOP_BITAND)                    \
  X(BO_EQUAL, u"==", 7, VOP_EQUAL)                      \
  X(BO_NOT_EQUAL, u"!=", 7, VOP_NOTEQUAL)               \
  X(BO_LESS, u"<", 8, VOP_LESS)                         \
  X(BO_GREATER, u">", 8, VOP_GREATER)                   \
  X(BO_LESS_EQUAL, u"<=", 8, VOP_LESSEQUAL)             \
  X(BO_GREATER_EQUAL, u">=", 8, VOP_GREATEREQUAL)       \
  X(BO_ADD, u"+", 9, VOP_ADD)                           \
  X(BO_SUBTRACT, u"-", 9, VOP_SUBTRACT)                 \
  X(BO_MULTIPLY, u"*", 10, VOP_MULTIPLY)                \
  X(BO_DIVIDE, u"/", 10, VOP_DIVIDE)                    \
  X(BO_NOT, u"unary!", 11, -1)                          \
  X(BO_NEGATE, u"unary-", 11, -1)                       \
  X(BO_PLUS, u"unary+", 11, -1)                         \
  X(BO_OPEN_PAREN, u"(", 12, -1)                        \
  X(BO_CLOSE_PAREN, u")", 12, -1)                       \
  X(BO_END, u";", -100, -1)

enum BindOperator : uint8_t {
#define VELTRIX_BIND_OPERATOR(name, text, level, operation) name,
  VELTRIX_BIND_OPERATORS(VELTRIX_BIND_OPERATOR)
#undef VELTRIX_BIND_OPERATOR
      BO_COUNT
};

struct CBindOperatorInfo {
  std::u16string_view text;
  int8_t level;
  int operation;
};

inline constexpr CBindOperatorInfo kBindOperators[] = {
#define VELTRIX_BIND_OPERATOR_INFO(name, text, level, operation) {text, level, operation},
    VELTRIX_BIND_OPERATORS(VELTRIX_BIND_OPERATOR_INFO)
#undef VELTRIX_BIND_OPERATOR_INFO
};
static_assert(std::size(kBindOperators) == BO_COUNT);

// The operator of exactly this text; BO_COUNT when the table has none.
inline BindOperator FindBindOperator(std::u16string_view text) {
  for (uint8_t op = 0; op < BO_COUNT; ++op)
    if (kBindOperators[op].text == text) return BindOperator(op);
  return BO_COUNT;
}

// The two-operand operator a token text stands for: "<>" has no row of its own and reads as
// "!=", binding level included. BO_COUNT for text that is no two-operand operator.
inline BindOperator BinaryBindOperatorFor(std::u16string_view text) {
  const BindOperator op = text == u"<>" ? BO_NOT_EQUAL : FindBindOperator(text);
  return op >= BO_ASSIGN && op <= BO_DIVIDE ? op : BO_COUNT;
}

inline bool IsAssignment(BindOperator op) { return op >= BO_ASSIGN && op <= BO_AND_ASSIGN; }
