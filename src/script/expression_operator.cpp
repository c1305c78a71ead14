#include "script/expression_operator.h"

#include <iterator>

#include "objects/value.h"

namespace {

struct OperatorInfo {
  std::u16string_view text;
  int8_t level;
  int operation;
};

constexpr OperatorInfo kOperators[] = {
#define VELTRIX_OPERATOR_INFO(name, text, level, operation) {text, level, operation},
    VELTRIX_EXPRESSION_OPERATORS(VELTRIX_OPERATOR_INFO)
#undef VELTRIX_OPERATOR_INFO
};
static_assert(std::size(kOperators) == EO_COUNT);

}  // namespace

int8_t OperatorLevel(ExpressionOp op) {
  return kOperators[op].level;
}

int OperatorValueOperation(ExpressionOp op) {
  return kOperators[op].operation;
}

std::u16string_view OperatorText(ExpressionOp op) {
  return kOperators[op].text;
}

// The one-operand and structural operators are written differently from any token ("unary-",
// "++", "()"), so a token text finds only a two-operand operator.
ExpressionOp BinaryOperatorFor(std::u16string_view text) {
  if (text == u"<>") return EO_NOT_EQUAL;
  for (uint8_t op = EO_RANGE; op < EO_COUNT; ++op)
    if (kOperators[op].text == text) return ExpressionOp(op);
  return EO_COUNT;
}
