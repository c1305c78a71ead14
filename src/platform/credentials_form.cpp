#include "platform/credentials_form.h"

#include <algorithm>

#include "draw/painter.h"
#include "editing/in_place_edit_keys.h"
#include "screen/button_draw_util.h"
#include "support/utf16_text.h"

namespace {

// Colours as the panel numbers them (red in the low byte).
constexpr uint32_t kFormColor = 0xF0F0F0;
constexpr uint32_t kTextColor = 0x000000;
constexpr uint32_t kFieldColor = 0xFFFFFF;
constexpr uint32_t kFrameColor = 0x8A8A8A;
constexpr uint32_t kFocusColor = 0xD77800;  // a clear blue
constexpr uint32_t kSelectionColor = 0xFFD8A8;
constexpr uint32_t kButtonColor = 0xE1E1E1;

constexpr double kMargin = 12.0;
constexpr double kLabelWidth = 72.0;
constexpr double kLineHeight = 18.0;
constexpr double kFieldHeight = 24.0;
constexpr double kFieldGap = 8.0;
constexpr double kTextInset = 4.0;
constexpr double kButtonWidth = 80.0;
constexpr double kButtonHeight = 26.0;
constexpr double kButtonGap = 10.0;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsControl(char16_t c) { return c < 0x20 || c == 0x7F; }

// The code units of the character that starts at position.
size_t CharacterSize(std::u16string_view text, size_t position) {
  const bool pair =
      position + 1 < text.size() && IsHighSurrogate(text[position]) && IsLowSurrogate(text[position + 1]);
  return pair ? 2 : 1;
}

size_t CountCharacters(std::u16string_view text) {
  size_t count = 0;
  for (size_t i = 0; i < text.size(); i += CharacterSize(text, i)) ++count;
  return count;
}

// The first count characters of text.
std::u16string_view FirstCharacters(std::u16string_view text, size_t count) {
  size_t end = 0;
  for (; end < text.size() && count > 0; --count) end += CharacterSize(text, end);
  return text.substr(0, end);
}

CNPInPlaceEdit EmptyField(bool password) {
  CNPInPlaceEdit::Options options;
  options.password = password;
  return CNPInPlaceEdit(u"", options);
}

// A frame of the given width drawn inside the rectangle's edges.
void Frame(CRPainter& painter, const CRRectF& rect, uint32_t color, double width) {
  CRPen pen;
  pen.color = color;
  pen.width = width;
  painter.StrokePath(CRPath::Rectangle(InsetRect(rect, width / 2)), pen);
}

void Label(CRPainter& painter, std::u16string_view text, const CRFont& font, const CRRectF& rect,
           CRTextAlign horizontal = CRTextAlign::kNear) {
  CRTextFormat format;
  format.horizontal = horizontal;
  format.vertical = CRTextAlign::kCenter;
  format.clip = true;
  painter.DrawText(text, font, kTextColor, 1.0, rect, format);
}

// A field's box and text; the focused one is framed in the focus colour and shows its selection
// and caret, its text moved left when the caret would leave the box.
void PaintField(CRPainter& painter, const CRRectF& box, const CNPInPlaceEdit& field, bool focused,
                const CRFont& font) {
  FillRect(painter, box, kFieldColor);
  Frame(painter, box, focused ? kFocusColor : kFrameColor, focused ? 2.0 : 1.0);
  const CRRectF area = InsetSides(box, kTextInset, 2.0, kTextInset, 2.0);
  CRPainterStateSaver saver(painter);
  painter.ClipRect(area);
  const std::u16string shown = field.GetDisplayText();
  CRTextLayout layout(painter.GetCairo(), shown, font, 0.0);
  CRTextFormat format;
  format.vertical = CRTextAlign::kCenter;
  CRRectF place = area;
  CRRectF caret = layout.GetCaretRect(field.GetDisplayOffset(field.GetCaret()), place, format);
  const double overflow = caret.x + 1.0 - area.Right();
  if (overflow > 0) {
    place.x -= overflow;
    caret.x -= overflow;
  }
  if (focused && field.HasSelection())
    for (const CRRectF& piece :
         layout.GetRangeRects(field.GetDisplayOffset(field.GetSelectionStart()),
                              field.GetDisplayOffset(field.GetSelectionEnd()), place, format))
      FillRect(painter, piece, kSelectionColor);
  layout.Draw(painter.GetCairo(), place, format, CRColor::FromColorRef(kTextColor));
  if (focused) FillRect(painter, {caret.x, caret.y, 1.0, caret.height}, kTextColor);
}

void PaintButton(CRPainter& painter, const CRRectF& rect, std::u16string_view text, bool isDefault,
                 const CRFont& font) {
  FillRect(painter, rect, kButtonColor);
  Frame(painter, rect, isDefault ? kFocusColor : kFrameColor, 1.0);
  Label(painter, text, font, rect, CRTextAlign::kCenter);
}

}  // namespace

// The places of the parts: the caption's two lines at the top, the fields below them with
// their labels on the left, the buttons in the bottom-right corner.
struct CRCredentialsForm::Layout {
  CRRectF caption;
  CRRectF address;
  CRRectF userLabel;
  CRRectF user;
  CRRectF passwordLabel;
  CRRectF password;
  CRRectF ok;
  CRRectF cancel;
};

CRCredentialsForm::Layout CRCredentialsForm::LayoutFor(int width, int height) {
  const double inner = std::max(0.0, width - 2 * kMargin);
  const double fieldX = kMargin + kLabelWidth;
  const double fieldWidth = std::max(0.0, width - kMargin - fieldX);
  Layout layout;
  layout.caption = {kMargin, 8.0, inner, kLineHeight};
  layout.address = {kMargin, layout.caption.Bottom(), inner, kLineHeight};
  layout.user = {fieldX, layout.address.Bottom() + kFieldGap, fieldWidth, kFieldHeight};
  layout.password = {fieldX, layout.user.Bottom() + kFieldGap, fieldWidth, kFieldHeight};
  layout.userLabel = {kMargin, layout.user.y, kLabelWidth, kFieldHeight};
  layout.passwordLabel = {kMargin, layout.password.y, kLabelWidth, kFieldHeight};
  const double buttonY = std::max(layout.password.Bottom() + kFieldGap, height - kMargin - kButtonHeight);
  layout.cancel = {width - kMargin - kButtonWidth, buttonY, kButtonWidth, kButtonHeight};
  layout.ok = {layout.cancel.x - kButtonGap - kButtonWidth, buttonY, kButtonWidth, kButtonHeight};
  return layout;
}

CRCredentialsForm::CRCredentialsForm(std::u16string_view address, std::u16string_view user,
                                     std::u16string_view password)
    : m_address(address), m_user(EmptyField(false)), m_password(EmptyField(true)) {
  Insert(m_user, user);
  Insert(m_password, password);
  if (!m_user.GetText().empty()) {
    m_focus = Field::kPassword;
    m_password.SelectAll();
  }
}

void CRCredentialsForm::Insert(CNPInPlaceEdit& field, std::u16string_view text) {
  std::u16string printable(text);
  std::erase_if(printable, IsControl);
  const size_t kept = CountCharacters(field.GetText()) - CountCharacters(field.GetSelectedText());
  field.InsertText(FirstCharacters(printable, kMaxCharacters - std::min(kept, kMaxCharacters)));
}

void CRCredentialsForm::TypeText(std::string_view utf8) {
  if (m_state == State::kOpen) Insert(Focused(), Utf8ToUtf16(utf8));
}

void CRCredentialsForm::KeyDown(uint32_t keyCode, uint32_t flags) {
  if (m_state != State::kOpen) return;
  switch (Focused().KeyDown(keyCode, flags)) {
    case CNEditKey::Enter: m_state = State::kAccepted; break;
    case CNEditKey::Escape: m_state = State::kCancelled; break;
    case CNEditKey::Tab:
    case CNEditKey::BackTab:  // two fields: either way is the other one
      m_focus = m_focus == Field::kUser ? Field::kPassword : Field::kUser;
      break;
    case CNEditKey::Ignored:
    case CNEditKey::Handled: break;
  }
}

void CRCredentialsForm::Click(double x, double y) {
  if (m_state != State::kOpen) return;
  const Layout layout = LayoutFor(m_width, m_height);
  if (layout.user.Contains(x, y)) m_focus = Field::kUser;
  else if (layout.password.Contains(x, y)) m_focus = Field::kPassword;
  else if (layout.ok.Contains(x, y)) m_state = State::kAccepted;
  else if (layout.cancel.Contains(x, y)) m_state = State::kCancelled;
}

void CRCredentialsForm::Paint(CRPainter& painter, int width, int height) {
  m_width = width;
  m_height = height;
  const Layout layout = LayoutFor(width, height);
  const CRFont font;
  CRFont bold;
  bold.weight = 700;
  FillRect(painter, {0, 0, double(width), double(height)}, kFormColor);
  Label(painter, u"Enter your user name and password for", font, layout.caption);
  Label(painter, m_address, bold, layout.address);
  Label(painter, u"User", font, layout.userLabel);
  Label(painter, u"Password", font, layout.passwordLabel);
  PaintField(painter, layout.user, m_user, m_focus == Field::kUser, font);
  PaintField(painter, layout.password, m_password, m_focus == Field::kPassword, font);
  PaintButton(painter, layout.ok, u"OK", true, font);
  PaintButton(painter, layout.cancel, u"Cancel", false, font);
}
