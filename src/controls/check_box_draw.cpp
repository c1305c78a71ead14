// Check boxes and radio buttons: "Fill" and "Border" paint the background and the frame of the
// whole object; the box (a circle for radio buttons), "MarkSize" wide, stands at the side
// "TextAlign" names, vertically centred, and the text follows it on the other side. The box is
// an entry field: the theme's "@FillColor" inside a one-pixel "BorderColor" edge. While on it
// shows its mark in "MarkColor": a tick or a cross ("MarkStyle"), a dot in a radio button.
#include <algorithm>
#include <cmath>
#include <vector>

#include "controls/buttons.h"
#include "objects/property_read.h"
#include "screen/border_3d.h"
#include "screen/button_draw_util.h"
#include "screen/draw_context.h"

namespace {

enum TextAlign : int32_t { BOX_LEFT = 0, BOX_RIGHT = 1 };
enum MarkStyle : int32_t { MARK_TICK = 0, MARK_CROSS = 1 };

// The gap between the box and the text, in form units.
constexpr double kTextGap = 4.0;

CRPath BoxPath(const CRRectF& box, bool round) {
  return round ? CRPath::Ellipse(box) : CRPath::Rectangle(box);
}

void DrawBox(const CNPCheckBox& box, CNDrawContext& context, const CRRectF& rect, bool round) {
  CRPainter& painter = context.GetPainter();
  uint32_t color = 0;
  if (context.ResolveColor(u"@FillColor", color)) {
    CRBrush brush;
    brush.color = color;
    painter.FillPath(BoxPath(rect, round), brush, round);
  }
  if (!context.ResolveColor(PropertyText(box, u"BorderColor"), color)) return;
  CRPen pen;
  pen.color = color;
  pen.width = BevelRingWidth(context);
  painter.StrokePath(BoxPath(InsetRect(rect, pen.width * 0.5), round), pen, round);
}

// The mark in the box: a dot half the box wide, or a tick or a cross a sixth of the box thick.
void DrawMark(const CNPCheckBox& box, CNDrawContext& context, const CRRectF& rect, bool round) {
  uint32_t color = 0;
  if (!context.ResolveColor(PropertyText(box, u"MarkColor"), color)) return;
  CRPainter& painter = context.GetPainter();
  auto at = [&rect](double x, double y) {
    return CRPointF{rect.x + rect.width * x, rect.y + rect.height * y};
  };
  if (round) {
    CRBrush brush;
    brush.color = color;
    painter.FillPath(CRPath::Ellipse(InsetRect(rect, rect.width * 0.25)), brush, true);
    return;
  }
  CRPen pen;
  pen.color = color;
  pen.width = std::max(1.0, rect.width / 6.0);
  pen.join = CRLineJoin::kRound;
  if (PropertyItem(box, u"MarkStyle", MARK_TICK) == MARK_CROSS) {
    painter.StrokePath(CRPath::Polyline({at(0.25, 0.25), at(0.75, 0.75)}), pen, true);
    painter.StrokePath(CRPath::Polyline({at(0.75, 0.25), at(0.25, 0.75)}), pen, true);
    return;
  }
  painter.StrokePath(CRPath::Polyline({at(0.2, 0.5), at(0.42, 0.72), at(0.8, 0.28)}), pen, true);
}

}  // namespace

void CNPCheckBox::OnDraw(CNDrawContext& context) {
  CRPainter& painter = context.GetPainter();
  const CRRectF inside =
      DrawBoxedFace(*this, context, context.ToDevice(GetRect()), PropertyBool(*this, u"Fill", false));
  if (inside.width <= 0 || inside.height <= 0) return;
  CRPainterStateSaver saver(painter);
  painter.ClipRect(inside);

  const bool boxLeft = PropertyItem(*this, u"TextAlign", BOX_LEFT) == BOX_LEFT;
  const double side =
      std::min({std::round(std::max(1, PropertyInt(*this, u"MarkSize", 13)) * context.GetMinScale()),
                inside.width, inside.height});
  const CRRectF box{boxLeft ? inside.x : inside.Right() - side,
                    inside.y + std::round((inside.height - side) * 0.5), side, side};
  const bool round = HasRoundBox();
  DrawBox(*this, context, box, round);
  if (GetSwitchValue()) DrawMark(*this, context, box, round);

  CNControlText text;
  if (!ReadControlText(*this, context, false, text)) return;
  text.style.alignX = boxLeft ? CRTextAlign::kNear : CRTextAlign::kFar;
  text.style.clip = true;
  const double taken = side + std::round(kTextGap * context.GetScaleX());
  DrawObjectText(context, InsetSides(inside, boxLeft ? taken : 0, 0, boxLeft ? 0 : taken, 0), text.style,
                 m_textCache);
}
