#include "script/expression.h"

#include <charconv>

#include "script/number_operation.h"
#include "support/utf16_text.h"

namespace {

CDirectOperand DirectOperand(const CSCExpression& expression, const CExpressionItem& item) {
  if (item.op == EO_CONSTANT) {
    const CNValue& constant = expression.GetConstant(item.operand);
    if (IsScalarNumber(constant)) return {DS_NUMBER, item.operand, constant.GetElements()[0].n};
    return {DS_CONSTANT, item.operand};
  }
  if (item.op != EO_NAME) return {};
  const CSCName& name = expression.GetName(item.operand);
  if (name.GetParts().size() != 1) return {};
  if (name.GetLocalSlot() >= 0) return {DS_LOCAL, static_cast<uint32_t>(name.GetLocalSlot())};
  if (name.GetScopeVariable() >= 0) return {DS_SCOPE, static_cast<uint32_t>(name.GetScopeVariable())};
  return {};
}

bool IsComparison(int operation) { return operation >= VOP_EQUAL && operation <= VOP_LESSEQUAL; }
bool IsArithmetic(int operation) { return operation >= VOP_ADD && operation <= VOP_DIVIDE; }

// An operand of the number shortcuts: a variable, or a constant that is a number. A constant of
// any other kind would only ever send them back to the general evaluation.
bool MayBeNumber(const CDirectOperand& operand) {
  return operand.source != DS_NONE && operand.source != DS_CONSTANT;
}

// A two-operand operator (not an assignment) whose operation the number shortcuts work out.
bool IsDirectOperator(ExpressionOp op) {
  const int operation = OperatorValueOperation(op);
  return OperatorLevel(op) > OperatorLevel(EO_ASSIGN) && (IsComparison(operation) || IsArithmetic(operation));
}

// The quick form of the whole expression. The items of each form: QS_VALUE left; QS_COMPARE
// left right op; QS_STEP target op; QS_ASSIGN target left right op =; QS_COMPOUND target right
// op= (the target is its left too). The target is a name, the others a name or a constant.
CQuickForm WholeForm(const CSCExpression& expression) {
  const std::vector<CExpressionItem>& items = expression.GetItems();
  const size_t size = items.size();
  if (size == 1) {
    CQuickForm value;
    value.left = DirectOperand(expression, items[0]);
    if (value.left.source != DS_NONE) value.shape = QS_VALUE;
    return value;
  }
  if (size < 2) return {};
  const ExpressionOp last = items.back().op;
  CQuickForm form;
  if (items[0].op == EO_NAME) form.target = DirectOperand(expression, items[0]);
  if (size == 2 && last >= EO_PRE_INCREMENT && last <= EO_POST_DECREMENT) {
    form.shape = QS_STEP;
    form.operation = last == EO_PRE_INCREMENT || last == EO_POST_INCREMENT ? VOP_ADD : VOP_SUBTRACT;
  } else if (size == 3 && IsComparison(OperatorValueOperation(last))) {
    form.shape = QS_COMPARE;
    form.operation = OperatorValueOperation(last);
    form.target = {};
    form.left = DirectOperand(expression, items[0]);
    form.right = DirectOperand(expression, items[1]);
    if (!MayBeNumber(form.left)) return {};
  } else if (size == 3 && OperatorLevel(last) == OperatorLevel(EO_ASSIGN) &&
             IsArithmetic(OperatorValueOperation(last))) {
    form.shape = QS_COMPOUND;
    form.operation = OperatorValueOperation(last);
    form.left = form.target;
    form.right = DirectOperand(expression, items[1]);
  } else if (size == 5 && last == EO_ASSIGN && IsDirectOperator(items[3].op)) {
    form.shape = QS_ASSIGN;
    form.operation = OperatorValueOperation(items[3].op);
    form.left = DirectOperand(expression, items[1]);
    form.right = DirectOperand(expression, items[2]);
    if (!MayBeNumber(form.left)) return {};
  } else {
    return {};
  }
  if (form.shape != QS_COMPARE && form.target.source == DS_NONE) return {};
  if (form.shape != QS_STEP && !MayBeNumber(form.right)) return {};
  return form;
}

// How many operands an item leaves on the stack, less those it takes.
int StackEffect(const CExpressionItem& item) {
  switch (item.op) {
    case EO_CONSTANT:
    case EO_TIME_CONSTANT:
    case EO_NAME:
    case EO_MEMBER:
    case EO_THIS:
    case EO_PARENT:
    case EO_DELETE:
      return 1;
    case EO_NOT:
    case EO_NEGATE:
    case EO_PLUS:
    case EO_PRE_INCREMENT:
    case EO_PRE_DECREMENT:
    case EO_POST_INCREMENT:
    case EO_POST_DECREMENT:
      return 0;
    case EO_NEW_OBJECT:
    case EO_NEW_ARRAY:
    case EO_ARRAY_FORM:
    case EO_CALL:
      return 1 - static_cast<int>(item.count);
    case EO_INDEX:
      return -static_cast<int>(item.count);
    default:  // the two-operand operators and the assignments
      return -1;
  }
}

// See CSCExpression::GetAppendJoin. The items: v v right... op =, where the items between the
// second v and op make exactly one operand, op's right one.
int32_t AppendJoin(const CSCExpression& expression) {
  const std::vector<CExpressionItem>& items = expression.GetItems();
  const size_t size = items.size();
  if (size < 5 || size > INT32_MAX || items[size - 1].op != EO_ASSIGN) return -1;
  const ExpressionOp join = items[size - 2].op;
  if (join != EO_BIT_AND && join != EO_BIT_OR && join != EO_ADD) return -1;
  if (items[0].op != EO_NAME || items[1].op != EO_NAME) return -1;
  const CDirectOperand target = DirectOperand(expression, items[0]);
  const CDirectOperand left = DirectOperand(expression, items[1]);
  if ((target.source != DS_LOCAL && target.source != DS_SCOPE) || left.source != target.source ||
      left.index != target.index)
    return -1;
  int depth = 0;
  for (size_t i = 2; i + 2 < size; ++i) {
    depth += StackEffect(items[i]);
    if (depth <= 0) return -1;
  }
  return depth == 1 ? static_cast<int32_t>(size - 2) : -1;
}

}  // namespace

CSCName::CSCName(std::u16string_view written) {
  constexpr std::u16string_view kGlobal = u"::";
  std::u16string_view rest = written;
  if (written.starts_with(kGlobal)) {
    m_eBase = NB_ROOT;
    rest.remove_prefix(kGlobal.size());
    m_strText = u"root.";
    m_strText += rest;
  } else if (written.starts_with(u'.')) {
    m_eBase = NB_WITH;
    rest.remove_prefix(1);
    m_strText = written;
  } else {
    m_strText = written;
  }
  // Split at points; for a plain name a first part root, parent or this is the base.
  while (!rest.empty()) {
    const size_t point = rest.find(u'.');
    m_Parts.emplace_back(rest.substr(0, point));
    rest = point == std::u16string_view::npos ? std::u16string_view() : rest.substr(point + 1);
  }
  if (m_eBase != NB_PLAIN || m_Parts.empty()) return;
  const std::u16string& first = m_Parts.front();
  if (first == u"root") {
    m_eBase = NB_ROOT;
  } else if (first == u"parent") {
    m_eBase = NB_PARENT;
  } else if (first == u"this") {
    m_eBase = NB_THIS;
  } else {
    return;
  }
  m_Parts.erase(m_Parts.begin());
}

void CSCExpression::PlanQuickForm() {
  m_QuickForm = WholeForm(*this);
  m_lAppendJoin = AppendJoin(*this);
  // Two direct operands right before their operator, wherever they stand. Such triples cannot
  // overlap: the item after the first one's pair is an operator, not an operand.
  m_DirectOperations.clear();
  for (size_t i = 0; i < m_Items.size(); ++i) {
    m_Items[i].direct = 0;
    if (i + 2 >= m_Items.size() || !IsDirectOperator(m_Items[i + 2].op) ||
        m_DirectOperations.size() >= UINT16_MAX)
      continue;
    CQuickForm form;
    form.shape = QS_OPERATE;
    form.operation = OperatorValueOperation(m_Items[i + 2].op);
    form.left = DirectOperand(*this, m_Items[i]);
    form.right = DirectOperand(*this, m_Items[i + 1]);
    if (!MayBeNumber(form.left) || !MayBeNumber(form.right)) continue;
    m_DirectOperations.push_back(form);
    m_Items[i].direct = static_cast<uint16_t>(m_DirectOperations.size());
  }
}

void CSCExpression::AddOperator(ExpressionOp op, uint32_t position, uint32_t count) {
  m_Items.push_back({.op = op, .count = count, .position = position});
}

void CSCExpression::AddConstant(CNValue value, uint32_t position) {
  m_Items.push_back(
      {.op = EO_CONSTANT, .operand = static_cast<uint32_t>(m_Constants.size()), .position = position});
  m_Constants.push_back(std::move(value));
}

void CSCExpression::AddText(ExpressionOp op, std::u16string_view text, uint32_t position, uint32_t count) {
  m_Items.push_back(
      {.op = op, .operand = static_cast<uint32_t>(m_Texts.size()), .count = count, .position = position});
  m_Texts.emplace_back(text);
}

CSCName& CSCExpression::AddName(ExpressionOp op, CSCName name, uint32_t position, uint32_t count) {
  m_Items.push_back(
      {.op = op, .operand = static_cast<uint32_t>(m_Names.size()), .count = count, .position = position});
  return m_Names.emplace_back(std::move(name));
}

std::u16string CSCExpression::ToText() const {
  // head + open + count + close, as in "g(2)" or "new Array[2]".
  const auto counted = [](std::u16string_view head, char16_t open, uint32_t count, char16_t close) {
    char digits[12];
    const char* end = std::to_chars(digits, digits + sizeof digits, count).ptr;
    return std::u16string(head) + open + AsciiToUtf16(std::string_view(digits, end - digits)) + close;
  };
  std::u16string text;
  for (const CExpressionItem& item : m_Items) {
    if (!text.empty()) text += u' ';
    switch (item.op) {
      case EO_CONSTANT:
        text += m_Constants[item.operand].ToLiteral(false);
        break;
      case EO_TIME_CONSTANT:
        text += m_Texts[item.operand];
        break;
      case EO_NAME:
      case EO_MEMBER:
        text += m_Names[item.operand].GetText();
        break;
      case EO_DELETE:
        text += u"delete " + m_Names[item.operand].GetText();
        break;
      case EO_CALL:
        text += counted(m_Names[item.operand].GetText(), u'(', item.count, u')');
        break;
      case EO_NEW_OBJECT:
        text += counted(u"new " + m_Texts[item.operand], u'(', item.count, u')');
        break;
      case EO_NEW_ARRAY:
        text += counted(u"new " + m_Texts[item.operand], u'[', item.count, u']');
        break;
      case EO_INDEX:
        text += counted({}, u'[', item.count, u']');
        break;
      case EO_ARRAY_FORM:
        text += counted(u"c", u'(', item.count, u')');
        break;
      default:
        text += OperatorText(item.op);
        break;
    }
  }
  return text;
}
