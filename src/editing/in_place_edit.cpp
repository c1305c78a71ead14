#include "editing/in_place_edit.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }
// Two code units that make one character: a surrogate pair, or a line break "\r\n".
bool IsPair(char16_t first, char16_t second) {
  return (IsHighSurrogate(first) && IsLowSurrogate(second)) || (first == u'\r' && second == u'\n');
}

// The position after the character at position.
size_t NextIn(std::u16string_view text, size_t position) {
  if (position >= text.size()) return text.size();
  const bool pair = position + 1 < text.size() && IsPair(text[position], text[position + 1]);
  return position + (pair ? 2 : 1);
}

}  // namespace

CNPInPlaceEdit::CNPInPlaceEdit(std::u16string_view text, const Options& options, ConnectionPoint* listener)
    : m_text(text), m_options(options), m_listener(listener), m_caret(m_text.size()), m_anchor(m_caret) {}

std::u16string CNPInPlaceEdit::GetDisplayText() const { return m_options.password ? MaskText(m_text) : m_text; }

size_t CNPInPlaceEdit::GetDisplayOffset(size_t position) const {
  if (!m_options.password) return position;
  return MaskText(std::u16string_view(m_text).substr(0, std::min(position, m_text.size()))).size();
}

std::u16string CNPInPlaceEdit::MaskText(std::u16string_view text) {
  std::u16string masked;
  for (size_t i = 0; i < text.size(); i = NextIn(text, i)) masked += kPasswordChar;
  return masked;
}

std::u16string CNPInPlaceEdit::GetSelectedText() const {
  return m_text.substr(GetSelectionStart(), GetSelectionEnd() - GetSelectionStart());
}

size_t CNPInPlaceEdit::Next(size_t position) const { return NextIn(m_text, position); }

size_t CNPInPlaceEdit::Previous(size_t position) const {
  if (position == 0) return 0;
  position = std::min(position, m_text.size());
  const bool pair = position >= 2 && IsPair(m_text[position - 2], m_text[position - 1]);
  return position - (pair ? 2 : 1);
}

size_t CNPInPlaceEdit::Snap(size_t position) const {
  position = std::min(position, m_text.size());
  return position > 0 && position < m_text.size() && IsPair(m_text[position - 1], m_text[position])
             ? position - 1
             : position;
}

void CNPInPlaceEdit::Start(int32_t mode, std::optional<size_t> mouseCaret) {
  switch (mode) {
    case START_MOUSE:
      SetCaret(mouseCaret.value_or(m_text.size()));
      break;
    case START_LEFT:
      SetCaret(0);
      break;
    case START_SELECTALL:
      SelectAll();
      break;
    default:
      SetCaret(m_text.size());
      break;
  }
}

void CNPInPlaceEdit::SetSel(int64_t start, int64_t end) {
  const auto clamp = [this](int64_t position) {
    return position < 0 ? m_text.size() : Snap(static_cast<size_t>(std::min<uint64_t>(position, m_text.size())));
  };
  if (start < 0) {
    m_anchor = m_caret;
    return;
  }
  m_anchor = clamp(start);
  m_caret = clamp(end);
}

void CNPInPlaceEdit::SetCaret(size_t position, bool extend) {
  m_caret = Snap(position);
  if (!extend) m_anchor = m_caret;
}

void CNPInPlaceEdit::MoveCaret(int64_t count, bool extend) {
  size_t position = m_caret;
  if (!extend && HasSelection() && count != 0) {
    position = count < 0 ? GetSelectionStart() : GetSelectionEnd();
    count += count < 0 ? 1 : -1;
  }
  for (; count < 0 && position > 0; ++count) position = Previous(position);
  for (; count > 0 && position < m_text.size(); --count) position = Next(position);
  SetCaret(position, extend);
}

bool CNPInPlaceEdit::InsertText(std::u16string_view text) {
  std::u16string inserted(text);
  if (!m_options.multiline) std::erase_if(inserted, IsLineBreak);
  const size_t start = GetSelectionStart();
  const size_t kept = m_text.size() - (GetSelectionEnd() - start);
  if (m_options.maxLength > 0) {
    const size_t room = m_options.maxLength > kept ? m_options.maxLength - kept : 0;
    size_t cut = std::min(room, inserted.size());
    if (cut > 0 && cut < inserted.size() && IsPair(inserted[cut - 1], inserted[cut])) --cut;
    inserted.resize(cut);
  }
  if (inserted.empty() && !HasSelection()) return false;
  std::u16string changed = m_text;
  changed.replace(start, GetSelectionEnd() - start, inserted);
  return Apply(std::move(changed), start + inserted.size());
}

bool CNPInPlaceEdit::DeleteAround(bool forward) {
  size_t start = GetSelectionStart();
  size_t end = GetSelectionEnd();
  if (start == end) (forward ? end : start) = forward ? Next(m_caret) : Previous(m_caret);
  if (start == end) return false;
  std::u16string changed = m_text;
  changed.erase(start, end - start);
  return Apply(std::move(changed), start);
}

bool CNPInPlaceEdit::ReplaceText(std::u16string_view text) {
  std::u16string changed(text);
  const size_t caret = changed.size();
  return Apply(std::move(changed), caret);
}

bool CNPInPlaceEdit::Apply(std::u16string text, size_t caret) {
  if (text == m_text) return false;
  if (m_listener) {
    const std::u16string offered = text;
    if (!m_listener->TextChanging(text)) return false;
    if (text != offered) caret = text.size();  // the listener rewrote it
  }
  m_text = std::move(text);
  SetCaret(caret);
  return true;
}

CNEditKey CNPInPlaceEdit::KeyDown(uint32_t keyCode, uint32_t flags) {
  const bool shift = (flags & kKeyFlagShift) != 0;
  const bool control = (flags & kKeyFlagControl) != 0;
  switch (keyCode) {
    case kKeyReturn:
      if (m_options.multiline && !control) {
        InsertText(kLineBreak);
        return CNEditKey::Handled;
      }
      return CNEditKey::Enter;
    case kKeyEscape:
      return CNEditKey::Escape;
    case kKeyTab:
      return shift ? CNEditKey::BackTab : CNEditKey::Tab;
    case kKeyLeft:
      MoveCaret(-1, shift);
      return CNEditKey::Handled;
    case kKeyRight:
      MoveCaret(1, shift);
      return CNEditKey::Handled;
    case kKeyHome:
      SetCaret(0, shift);
      return CNEditKey::Handled;
    case kKeyEnd:
      SetCaret(m_text.size(), shift);
      return CNEditKey::Handled;
    case kKeyBack:
      DeleteBackward();
      return CNEditKey::Handled;
    case kKeyDelete:
      DeleteForward();
      return CNEditKey::Handled;
    case kKeyA:
      if (!control) return CNEditKey::Ignored;
      SelectAll();
      return CNEditKey::Handled;
    default:
      return CNEditKey::Ignored;
  }
}
