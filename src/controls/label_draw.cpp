// Labels and hyperlinks as drawn: the background in "FillColor" when "Fill" is on, the flat
// border when "Border" is on, and inside it, two units from the sides, "Text" placed by
// "TextAlignX" and "TextAlignY" and cut at the frame. "TextWordBreak" breaks the lines at word
// boundaries to the width. A hyperlink shows its text in "LinkColor", in "LinkColorHover" while
// the mouse is over it, underlined while "LinkUnderline" is on.
#include "controls/label_controls.h"
#include "objects/property_read.h"
#include "screen/border_3d.h"
#include "screen/button_draw_util.h"
#include "screen/draw_context.h"

namespace {

// Room between the frame and the text, in form units.
constexpr double kTextInset = 2.0;

void DrawLabelText(const CNPControl& label, CNDrawContext& context, CNTextLayoutCache& cache, uint32_t color,
                   bool underline) {
  CRPainter& painter = context.GetPainter();
  const CRRectF rect = context.ToDevice(label.GetRect());
  uint32_t fill = 0;
  if (PropertyBool(label, u"Fill", false) && context.ResolveColor(PropertyText(label, u"FillColor"), fill))
    painter.FillPath(CRPath::Rectangle(rect), FillBrush(label, fill));
  const CRRectF inside =
      PropertyBool(label, u"Border", false) ? DrawObjectBorder(label, context, rect, CNBorderStyle::kFlat) : rect;
  const double inset = kTextInset * context.GetScaleX();
  const CRRectF area = InsetSides(inside, inset, 0, inset, 0);
  const std::u16string text = PropertyText(label, u"Text");
  if (text.empty() || area.width <= 0 || area.height <= 0) return;

  CNTextLayoutExtras extras;
  extras.underline = underline;
  if (PropertyBool(label, u"TextWordBreak", false)) extras.wrapWidth = area.width;
  const CRTextLayout& layout = cache.Get(painter.GetCairo(), text, PropertyText(label, u"TextFont"), 0,
                                         context.GetMinScale(), extras);
  CRTextFormat format;
  format.horizontal = TextAlignOf(PropertyItem(label, u"TextAlignX", 0));
  format.vertical = TextAlignOf(PropertyItem(label, u"TextAlignY", 1));
  CRPainterStateSaver saver(painter);
  painter.ClipRect(inside);
  layout.Draw(painter.GetCairo(), area, format, CRColor::FromColorRef(color));
}

}  // namespace

void CNPLabel::OnDraw(CNDrawContext& context) {
  uint32_t color = 0;
  if (ResolveTextColor(*this, context, u"TextColor", color)) DrawLabelText(*this, context, m_textCache, color, false);
}

void CNPHyperLink::OnDraw(CNDrawContext& context) {
  uint32_t color = 0;
  const std::u16string_view property = HasState(kStateMouseIn) ? u"LinkColorHover" : u"LinkColor";
  if (ResolveTextColor(*this, context, property, color))
    DrawLabelText(*this, context, m_textCache, color, PropertyBool(*this, u"LinkUnderline", true));
}
