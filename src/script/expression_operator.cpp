#include "script/expression_operator.h"

// The one-operand and structural operators are written differently from any token ("unary-",
// "++", "()"), so a token text finds only a two-operand operator.
ExpressionOp BinaryOperatorFor(std::u16string_view text) {
  if (text == u"<>") return EO_NOT_EQUAL;
  for (uint8_t op = EO_RANGE; op < EO_COUNT; ++op)
    if (kExpressionOperators[op].text == text) return ExpressionOp(op);
  return EO_COUNT;
}
