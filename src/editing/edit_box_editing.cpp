// The edit box's in-place editor and the operator's input.
#include "editing/edit_box.h"

#include <algorithm>

#include "editing/text_format_check.h"
#include "objects/property_read.h"
#include "support/utf16_text.h"

CNEditBoxHost* CNPEditBox::GetHost() const {
  return dynamic_cast<CNEditBoxHost*>(GetOwner());
}

bool CNPEditBox::BeginEdit(std::optional<size_t> mouseCaret) {
  if (m_editor) return true;
  if (!PropertyBool(*this, u"Enabled", false) || !PropertyBool(*this, u"EnabledInput", false)) return false;
  CNPInPlaceEdit::Options options;
  options.maxLength = m_format.type == TEXT_TYPE_TEXT ? m_format.maxLength : 0;
  options.password = m_format.type == TEXT_TYPE_PASSWORD;
  options.multiline = IsMultiline();
  CNPInPlaceEdit::ConnectionPoint* listener = this;
  m_editor = std::make_shared<CNPInPlaceEdit>(GetText(), options, listener);
  if (m_pendingSelection) {
    m_editor->SetSel(m_pendingSelection->first, m_pendingSelection->second);
    m_pendingSelection.reset();
  } else {
    m_editor->Start(PropertyItem(*this, u"StartCursor"), mouseCaret);
  }
  if (CNEditBoxHost* host = GetHost()) host->EditorOpened(*this);
  RequestRedraw();
  return true;
}

bool CNPEditBox::EndEdit(bool commit) {
  if (!m_editor) return false;
  const CRPtr<CNPEditBox> self = CRPtr<CNPEditBox>::Retain(this);
  const std::shared_ptr<CNPInPlaceEdit> editor = std::move(m_editor);
  m_composition.clear();
  const bool taken = commit && CommitText(editor->GetText());
  if (CNEditBoxHost* host = GetHost()) host->EditorClosed(*this);
  RequestRedraw();
  return taken;
}

bool CNPEditBox::FinishEdit(int move) {
  const std::shared_ptr<CNPInPlaceEdit> editor = m_editor;
  if (!editor) return false;
  const CRPtr<CNPEditBox> self = CRPtr<CNPEditBox>::Retain(this);
  if (!CommitText(editor->GetText())) {
    editor->SelectAll();
    return false;
  }
  EndEdit(false);
  if (CNEditBoxHost* host = GetHost(); host && move != 0) host->MoveFocus(*this, move > 0);
  return true;
}

bool CNPEditBox::Enter() {
  return FinishEdit(PropertyBool(*this, u"TabAfterEnter", false) ? 1 : 0);
}

bool CNPEditBox::TextChanging(std::u16string& text) {
  if (IsNumber() && m_format.number.ChecksWhileTyping() && !IsNumberPrefix(m_format.number, text)) return false;
  CNValue arg;
  arg.SetString(text);
  FireEvent(u"OnTextChanging", &arg, 1);
  text = arg.GetTextEmptyNA(0);
  return true;
}

void CNPEditBox::TextInput(std::u16string_view text) {
  const CRPtr<CNPEditBox> self = CRPtr<CNPEditBox>::Retain(this);
  if (!BeginEdit()) return;
  const std::shared_ptr<CNPInPlaceEdit> editor = m_editor;
  m_composition.clear();
  editor->InsertText(text);
  RequestRedraw();
}

void CNPEditBox::SetComposition(std::u16string_view text, int32_t cursor) {
  if (!m_editor || (text.empty() && m_composition.empty())) return;
  m_composition = text;
  m_compositionCursor = static_cast<size_t>(std::clamp<int64_t>(cursor, 0, static_cast<int64_t>(text.size())));
  RequestRedraw();
}

void CNPEditBox::SetSel(int64_t start, int64_t end) {
  if (!m_editor) {
    m_pendingSelection.emplace(start, end);
    return;
  }
  m_editor->SetSel(start, end);
  RequestRedraw();
}

bool CNPEditBox::MoveCursor(std::u16string_view direction, int64_t count) {
  if (!m_editor) return false;
  const bool left = EqualsIgnoreCaseAscii(direction, u"left");
  if (!left && !EqualsIgnoreCaseAscii(direction, u"right")) return false;
  if (count == 0)
    m_editor->SetCaret(left ? 0 : m_editor->GetText().size());
  else
    m_editor->MoveCaret(left ? -count : count);
  RequestRedraw();
  return true;
}

void CNPEditBox::FocusIn() {
  const CRPtr<CNPEditBox> self = CRPtr<CNPEditBox>::Retain(this);
  CNPControl::FocusIn();
  BeginEdit();
}

void CNPEditBox::FocusOut() {
  const CRPtr<CNPEditBox> self = CRPtr<CNPEditBox>::Retain(this);
  if (m_editor) EndEdit(m_editor->GetText() != GetText());
  CNPControl::FocusOut();
}

void CNPEditBox::ButtonDown(CNMouseButton button, const CNPoint& at) {
  const CRPtr<CNPEditBox> self = CRPtr<CNPEditBox>::Retain(this);
  CNPControl::ButtonDown(button, at);
  if (button == MOUSE_LEFT) BeginEdit();
}

void CNPEditBox::KeyDown(uint32_t keyCode, uint32_t flags) {
  const CRPtr<CNPEditBox> self = CRPtr<CNPEditBox>::Retain(this);
  CNPControl::KeyDown(keyCode, flags);
  const std::shared_ptr<CNPInPlaceEdit> editor = m_editor;
  if (!editor) return;
  switch (editor->KeyDown(keyCode, flags)) {
    case CNEditKey::Enter:
      Enter();
      break;
    case CNEditKey::Escape:
      EndEdit(false);
      break;
    case CNEditKey::Tab:
      FinishEdit(1);
      break;
    case CNEditKey::BackTab:
      FinishEdit(-1);
      break;
    case CNEditKey::Handled:
      RequestRedraw();
      break;
    case CNEditKey::Ignored:
      break;
  }
}
