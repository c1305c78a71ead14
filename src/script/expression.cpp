#include "script/expression.h"

#include <charconv>

#include "support/utf16_text.h"

namespace {

CDirectOperand DirectOperand(const CSCExpression& expression, const CExpressionItem& item) {
  if (item.op == EO_CONSTANT) return {DS_CONSTANT, item.operand};
  if (item.op != EO_NAME) return {};
  const CSCName& name = expression.GetName(item.operand);
  if (name.GetParts().size() != 1) return {};
  if (name.GetLocalSlot() >= 0) return {DS_LOCAL, static_cast<uint32_t>(name.GetLocalSlot())};
  if (name.GetScopeVariable() >= 0) return {DS_SCOPE, static_cast<uint32_t>(name.GetScopeVariable())};
  return {};
}

bool IsComparison(int operation) { return operation >= VOP_EQUAL && operation <= VOP_LESSEQUAL; }
bool IsArithmetic(int operation) { return operation >= VOP_ADD && operation <= VOP_DIVIDE; }

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

// The items of each form: QS_VALUE left; QS_COMPARE left right op; QS_STEP target op; QS_ASSIGN
// target left right op =; QS_COMPOUND target right op= (the target is its left too). The target
// is a name, the others a name or a constant.
void CSCExpression::PlanQuickForm() {
  m_QuickForm = {};
  const size_t size = m_Items.size();
  if (size == 1) {
    m_QuickForm.left = DirectOperand(*this, m_Items[0]);
    if (m_QuickForm.left.source != DS_NONE) m_QuickForm.shape = QS_VALUE;
  }
  if (size < 2) return;
  const ExpressionOp last = m_Items.back().op;
  CQuickForm form;
  if (m_Items[0].op == EO_NAME) form.target = DirectOperand(*this, m_Items[0]);
  if (size == 2 && last >= EO_PRE_INCREMENT && last <= EO_POST_DECREMENT) {
    form.shape = QS_STEP;
    form.operation = last == EO_PRE_INCREMENT || last == EO_POST_INCREMENT ? VOP_ADD : VOP_SUBTRACT;
  } else if (size == 3 && IsComparison(OperatorValueOperation(last))) {
    form.shape = QS_COMPARE;
    form.operation = OperatorValueOperation(last);
    form.target = {};
    form.left = DirectOperand(*this, m_Items[0]);
    form.right = DirectOperand(*this, m_Items[1]);
    if (form.left.source == DS_NONE) return;
  } else if (size == 3 && OperatorLevel(last) == OperatorLevel(EO_ASSIGN) &&
             IsArithmetic(OperatorValueOperation(last))) {
    form.shape = QS_COMPOUND;
    form.operation = OperatorValueOperation(last);
    form.left = form.target;
    form.right = DirectOperand(*this, m_Items[1]);
  } else if (size == 5 && last == EO_ASSIGN && OperatorLevel(m_Items[3].op) > OperatorLevel(EO_ASSIGN) &&
             (IsComparison(OperatorValueOperation(m_Items[3].op)) ||
              IsArithmetic(OperatorValueOperation(m_Items[3].op)))) {
    form.shape = QS_ASSIGN;
    form.operation = OperatorValueOperation(m_Items[3].op);
    form.left = DirectOperand(*this, m_Items[1]);
    form.right = DirectOperand(*this, m_Items[2]);
    if (form.left.source == DS_NONE) return;
  } else {
    return;
  }
  if (form.shape != QS_COMPARE && form.target.source == DS_NONE) return;
  if (form.shape != QS_STEP && form.right.source == DS_NONE) return;
  m_QuickForm = form;
}

void CSCExpression::AddOperator(ExpressionOp op, uint32_t position, uint32_t count) {
  m_Items.push_back({op, 0, count, position});
}

void CSCExpression::AddConstant(CNValue value, uint32_t position) {
  m_Items.push_back({EO_CONSTANT, static_cast<uint32_t>(m_Constants.size()), 0, position});
  m_Constants.push_back(std::move(value));
}

void CSCExpression::AddText(ExpressionOp op, std::u16string_view text, uint32_t position, uint32_t count) {
  m_Items.push_back({op, static_cast<uint32_t>(m_Texts.size()), count, position});
  m_Texts.emplace_back(text);
}

CSCName& CSCExpression::AddName(ExpressionOp op, CSCName name, uint32_t position, uint32_t count) {
  m_Items.push_back({op, static_cast<uint32_t>(m_Names.size()), count, position});
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
