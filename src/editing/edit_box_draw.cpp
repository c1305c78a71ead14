// Edit boxes as drawn: the background in "FillColor", the border, and inside it, kept two units
// (plus "PaddingLeft" and "PaddingRight") from its sides, the text placed by "TextAlignX" and
// "TextAlignY". An empty box that is not being edited shows its "PlaceHolder" in
// "PlaceHolderColor". While the editor is open the box shows the editor's text, its selection
// on the theme's "@ButtonPushColor" and the caret, a line of the text colour; the text moves
// when the caret would leave the box, so the caret stays in sight. What an input method is
// composing stands at the caret, underlined.
#include <algorithm>
#include <cmath>

#include "editing/edit_box.h"
#include "objects/property_read.h"
#include "screen/button_draw_util.h"
#include "screen/draw_context.h"

namespace {

// Room between the border and the text, in form units.
constexpr double kTextInset = 2.0;

// A text as the box shows it: one mask character per character of a password.
std::u16string Shown(std::u16string_view text, bool password) {
  return password ? CNPInPlaceEdit::MaskText(text) : std::u16string(text);
}

// How far the text must move for the caret to stay inside the area.
CRPointF ScrollFor(const CRRectF& caret, const CRRectF& area, double caretWidth) {
  CRPointF shift;
  if (caret.x + caretWidth > area.Right()) shift.x = caret.x + caretWidth - area.Right();
  if (caret.x - shift.x < area.x) shift.x = caret.x - area.x;
  if (caret.Bottom() > area.Bottom()) shift.y = caret.Bottom() - area.Bottom();
  if (caret.y - shift.y < area.y) shift.y = caret.y - area.y;
  return shift;
}

}  // namespace

void CNPEditBox::OnDraw(CNDrawContext& context) {
  CRPainter& painter = context.GetPainter();
  const CRRectF inside = DrawBoxedFace(*this, context, context.ToDevice(GetRect()), true);
  if (inside.width <= 0 || inside.height <= 0) return;
  CRPainterStateSaver saver(painter);
  painter.ClipRect(inside);

  const CNPInPlaceEdit* editor = GetEditor();
  const bool password = m_format.type == TEXT_TYPE_PASSWORD;
  std::u16string shown = editor ? editor->GetDisplayText() : Shown(GetText(), password);
  // An input method's composition stands at the caret; the caret moves into it.
  size_t caretShown = editor ? editor->GetDisplayOffset(editor->GetCaret()) : 0;
  const size_t compositionStart = caretShown;
  size_t compositionEnd = caretShown;
  if (editor && !m_composition.empty()) {
    const std::u16string composing = Shown(m_composition, password);
    shown.insert(caretShown, composing);
    compositionEnd += composing.size();
    caretShown += Shown(std::u16string_view(m_composition).substr(0, m_compositionCursor), password).size();
  }
  const bool placeholder = shown.empty() && !editor;
  if (placeholder) shown = PropertyText(*this, u"PlaceHolder");
  uint32_t color = 0;
  if (!ResolveTextColor(*this, context, placeholder ? u"PlaceHolderColor" : u"TextColor", color)) return;

  const double sx = context.GetScaleX();
  const CRRectF area = InsetSides(inside, (kTextInset + std::max(0, PropertyInt(*this, u"PaddingLeft"))) * sx,
                                  0, (kTextInset + std::max(0, PropertyInt(*this, u"PaddingRight"))) * sx, 0);
  CRTextFormat format;
  format.horizontal = TextAlignOf(PropertyItem(*this, u"TextAlignX", 0));
  format.vertical = TextAlignOf(PropertyItem(*this, u"TextAlignY", 1));
  const CRTextLayout& layout =
      m_textCache.Get(painter.GetCairo(), shown, PropertyText(*this, u"TextFont"), 0, context.GetMinScale());

  CRRectF place = area;
  CRRectF caret;
  const double caretWidth = std::max(1.0, std::round(context.GetMinScale()));
  if (editor) {
    caret = layout.GetCaretRect(caretShown, area, format);
    const CRPointF shift = ScrollFor(caret, area, caretWidth);
    place.x -= shift.x;
    place.y -= shift.y;
    caret.x -= shift.x;
    caret.y -= shift.y;
    uint32_t highlight = 0;
    if (m_composition.empty() && editor->HasSelection() && context.ResolveColor(u"@ButtonPushColor", highlight))
      for (const CRRectF& piece :
           layout.GetRangeRects(editor->GetDisplayOffset(editor->GetSelectionStart()),
                                editor->GetDisplayOffset(editor->GetSelectionEnd()), place, format))
        FillRect(painter, piece, highlight);
  }
  if (!shown.empty()) layout.Draw(painter.GetCairo(), place, format, CRColor::FromColorRef(color));
  if (!editor) return;
  for (const CRRectF& piece : layout.GetRangeRects(compositionStart, compositionEnd, place, format))
    FillRect(painter, {piece.x, piece.Bottom() - caretWidth, piece.width, caretWidth}, color);
  FillRect(painter, {caret.x, caret.y, caretWidth, caret.height}, color);
}
