#pragma once

#include <cstdint>
#include <iterator>
#include <string_view>

#include "values/value.h"

// Everything that can stand in a postfix expression: operands, and operators with their binding
// level (higher binds tighter; operands have none) and the value operation they apply (-1 when
// they apply none directly). Operators of one level apply from left to right.
//
// The structural items carry a count: the arguments of a call, of "new Class(...)" and of
// "c(...)", the indexes of an indexing, the sizes of "new Class[...]".
#define VELTRIX_EXPRESSION_OPERATORS(X)                                         \
  /* operands */                                                                \
  X(EO_CONSTANT, u"constant", kOperand, -1)  /* a value known when compiled */  \
  X(EO_TIME_CONSTANT, u"time", kOperand, -1) /* "#...#" time, read when run */  \
  X(EO_NAME, u"name", kOperand, -1)          /* variable, property or object */ \
  X(EO_MEMBER, u"member", kOperand, -1)      /* ".Name" on the with object */   \
  X(EO_THIS, u"this", kOperand, -1)                                             \
  X(EO_PARENT, u"parent", kOperand, -1)                                         \
  /* operators */                                                               \
  X(EO_RANGE, u":", 1, -1)                                                      \
  X(EO_ASSIGN, u"=", 3, -1)                                                     \
  X(EO_ADD_ASSIGN, u"+=", 3, VOP_ADD)                                           \
  X(EO_SUBTRACT_ASSIGN, u"-=", 3, VOP_SUBTRACT)                                 \
  X(EO_MULTIPLY_ASSIGN, u"*=", 3, VOP_MULTIPLY)                                 \
  X(EO_DIVIDE_ASSIGN, u"/=", 3, VOP_DIVIDE)                                     \
  X(EO_OR_ASSIGN, u"|=", 3, VOP_BITOR)                                          \
  X(EO_AND_ASSIGN, u"&=", 3, VOP_BITAND)                                        \
  X(EO_LOGICAL_OR, u"||", 4, VOP_OR)                                            \
  X(EO_LOGICAL_AND, u"&&", 5, VOP_AND)                                          \
  X(EO_BIT_OR, u"|", 6, VOP_BITOR)                                              \
  X(EO_BIT_AND, u"&", 7, VOP_BITAND)                                            \
  X(EO_EQUAL, u"==", 8, VOP_EQUAL)                                              \
  X(EO_NOT_EQUAL, u"!=", 8, VOP_NOTEQUAL)                                       \
  X(EO_LESS, u"<", 9, VOP_LESS)                                                 \
  X(EO_GREATER, u">", 9, VOP_GREATER)                                           \
  X(EO_LESS_EQUAL, u"<=", 9, VOP_LESSEQUAL)                                     \
  X(EO_GREATER_EQUAL, u">=", 9, VOP_GREATEREQUAL)                               \
  X(EO_ADD, u"+", 10, VOP_ADD)                                                  \
  X(EO_SUBTRACT, u"-", 10, VOP_SUBTRACT)                                        \
  X(EO_MULTIPLY, u"*", 11, VOP_MULTIPLY)                                        \
  X(EO_DIVIDE, u"/", 11, VOP_DIVIDE)                                            \
  X(EO_NEW_OBJECT, u"new()", 12, -1)                                            \
  X(EO_NEW_ARRAY, u"new[]", 12, -1)                                             \
  X(EO_DELETE, u"delete", 12, -1)                                               \
  X(EO_NOT, u"unary!", 12, -1)                                                  \
  X(EO_NEGATE, u"unary-", 12, -1)                                               \
  X(EO_PLUS, u"unary+", 12, -1)                                                 \
  X(EO_PRE_INCREMENT, u"++", 12, -1)                                            \
  X(EO_PRE_DECREMENT, u"--", 12, -1)                                            \
  X(EO_POST_INCREMENT, u"post++", 12, -1)                                       \
  X(EO_POST_DECREMENT, u"post--", 12, -1)                                       \
  X(EO_ARRAY_FORM, u"c()", 12, -1)                                              \
  X(EO_POWER, u"^", 13, -1)                                                     \
  X(EO_CALL, u"()", 14, -1)                                                     \
  X(EO_INDEX, u"[]", 14, -1)

inline constexpr int8_t kOperand = -1;

enum ExpressionOp : uint8_t {
#define VELTRIX_EXPRESSION_OP(name, text, level, operation) name,
  VELTRIX_EXPRESSION_OPERATORS(VELTRIX_EXPRESSION_OP)
#undef VELTRIX_EXPRESSION_OP
      EO_COUNT
};

struct CExpressionOperatorInfo {
  std::u16string_view text;
  int8_t level;
  int operation;
};

// Read inline: the executer looks up the operation of every operator it applies.
inline constexpr CExpressionOperatorInfo kExpressionOperators[] = {
#define VELTRIX_OPERATOR_INFO(name, text, level, operation) {text, level, operation},
    VELTRIX_EXPRESSION_OPERATORS(VELTRIX_OPERATOR_INFO)
#undef VELTRIX_OPERATOR_INFO
};
static_assert(std::size(kExpressionOperators) == EO_COUNT);

// The binding level of an operator; kOperand for an operand.
inline int8_t OperatorLevel(ExpressionOp op) {
  return kExpressionOperators[op].level;
}
// The ValueOperation an operator applies (for a compound assignment, the one it applies before
// storing); -1 when there is none.
inline int OperatorValueOperation(ExpressionOp op) {
  return kExpressionOperators[op].operation;
}
// The operator's text in the postfix form ("unary-", "+=", "()").
inline std::u16string_view OperatorText(ExpressionOp op) {
  return kExpressionOperators[op].text;
}
// The two-operand operator a token text stands for ("<>" reads as "!="); EO_COUNT for none.
ExpressionOp BinaryOperatorFor(std::u16string_view text);
