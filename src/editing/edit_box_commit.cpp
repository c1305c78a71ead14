// Committing a text into an edit box.
#include <cmath>

#include "editing/edit_box.h"
#include "editing/text_format_check.h"
#include "support/message_box.h"

bool CNPEditBox::CommitText(std::u16string_view text) {
  // A handler writing "Text" while its own commit runs is refused rather than committed inside it.
  if (m_bCommitting) return false;
  const CRPtr<CNPEditBox> self = CRPtr<CNPEditBox>::Retain(this);
  m_bCommitting = true;
  const bool taken = PassesFormat(text);
  if (taken) Take(std::u16string(text));
  m_bCommitting = false;
  return taken;
}

bool CNPEditBox::Refuse(std::u16string_view text) {
  CNValue arg;
  arg.SetString(text);
  FireEvent(u"OnTextFormatError", &arg, 1);
  return false;
}

bool CNPEditBox::PassesFormat(std::u16string_view text) {
  if (m_format.type == TEXT_TYPE_TEXT && m_format.maxLength >= 1 && text.size() > m_format.maxLength)
    return Refuse(text);
  if (IsNumber() && m_format.number.ChecksOnCommit()) {
    const CNNumberCheckResult check = CheckNumberText(m_format.number, text);
    if (!check.passed) {
      if (!check.message.empty()) CRMessageBox::GetCurrent().Show(check.message, {}, MB_OK, MB_ICONWARNING);
      return Refuse(text);
    }
  }
  return true;
}

void CNPEditBox::Take(std::u16string text) {
  const int32_t base = EntryBase(m_format.number);
  if (IsNumber()) text = ShapeEntryText(m_format.number, ReadEntryNumber(text, base), text);
  CNValue arg;
  arg.SetString(text);
  FireEvent(u"OnTextChanged", &arg, 1);
  text = arg.GetTextEmptyNA(0);
  if (IsNumber()) {
    const double previous = ReadEntryNumber(GetText(), base);
    const double number = ReadEntryNumber(text, base);
    if (!text.empty() && number != previous) {
      CNValue value;
      value.SetNumber(number);
      FireEvent(u"OnEditBoxValueChanged", &value, 1);
      const double changed = value.GetNumber(0);
      if (changed != number && std::isfinite(changed))
        text = ShapeEntryText(m_format.number, changed, WriteEntryNumber(changed, base, m_format.number.smallLetters));
    }
  }
  StoreText(text);
}
