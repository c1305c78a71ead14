// A view control's drawing, in this order: the inner view (its colour and form, at "FillAlpha"
// opacity, cut at the object's area unless "ClipView" is false), the title bar ("TitleBarColor",
// then "Title" in "TitleFont" and "TitleColor" aligned by "TitleAlignX", then the close button's
// cross and the maximise button's box, two stacked boxes while maximised), the grip of the
// resizing edge with "AllowResize", and the border last ("Border", "BorderColor",
// "BorderWidth", "BorderLine") so that nothing covers it. The grip is drawn in "BorderColor".
#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "objects/property_read.h"
#include "screen/border_3d.h"
#include "screen/button_draw_util.h"
#include "screen/draw_context.h"
#include "views/view_browser_control.h"
#include "views/view_control.h"

namespace {

// Space between the title and the bar's ends, in form units.
constexpr double kTitlePadding = 4.0;

CRPen GlyphPen(const CNDrawContext& context, uint32_t color) {
  CRPen pen;
  pen.color = color;
  pen.width = std::max(1.0, std::round(context.GetMinScale()));
  return pen;
}

void StrokeLine(CRPainter& painter, CRPointF from, CRPointF to, const CRPen& pen) {
  CRPath path;
  path.MoveTo(from);
  path.LineTo(to);
  painter.StrokePath(path, pen, true);
}

// A box whose pen lies just inside rect, with a heavier top edge like a window's.
void StrokeWindowBox(CRPainter& painter, const CRRectF& rect, const CRPen& pen) {
  const double half = pen.width * 0.5;
  if (rect.width <= pen.width || rect.height <= pen.width) return;
  painter.StrokePath(
      CRPath::Rectangle({rect.x + half, rect.y + half, rect.width - pen.width, rect.height - pen.width}),
      pen);
  FillRect(painter, {rect.x, rect.y, rect.width, std::min(rect.height, pen.width * 2)}, pen.color);
}

void DrawButtonGlyph(CNDrawContext& context, const CRRectF& button, bool close, bool maximized, bool pressed,
                     uint32_t color) {
  CRPainter& painter = context.GetPainter();
  const CRPen pen = GlyphPen(context, color);
  if (pressed) {
    CRBrush shade;
    shade.color = color;
    shade.alpha = 0.3;
    painter.FillPath(CRPath::Rectangle(button), shade);
  }
  const double inset = std::max(2.0, std::floor(button.width * 0.25));
  const CRRectF glyph = InsetRect(button, inset);
  if (glyph.width <= 0 || glyph.height <= 0) return;
  if (close) {
    StrokeLine(painter, {glyph.x, glyph.y}, {glyph.Right(), glyph.Bottom()}, pen);
    StrokeLine(painter, {glyph.Right(), glyph.y}, {glyph.x, glyph.Bottom()}, pen);
    return;
  }
  if (!maximized) {
    StrokeWindowBox(painter, glyph, pen);
    return;
  }
  // Restore: a box behind, up and to the right of the box in front.
  const double shift = std::max(2.0, std::floor(glyph.width * 0.25));
  StrokeWindowBox(painter, {glyph.x + shift, glyph.y, glyph.width - shift, glyph.height - shift}, pen);
  const CRRectF front{glyph.x, glyph.y + shift, glyph.width - shift, glyph.height - shift};
  StrokeWindowBox(painter, front, pen);
}

// Three diagonal strokes in the corner, the sign of an edge that can be dragged.
void DrawResizeGrip(CNDrawContext& context, const CRRectF& frame, uint32_t color) {
  CRPainter& painter = context.GetPainter();
  const CRPen pen = GlyphPen(context, color);
  const double step = std::max(3.0, 3.0 * context.GetMinScale());
  const double right = frame.Right() - pen.width - 1;
  const double bottom = frame.Bottom() - pen.width - 1;
  for (int i = 1; i <= 3; ++i) {
    if (step * i > std::min(frame.width, frame.height)) break;
    StrokeLine(painter, {right - step * i, bottom}, {right, bottom - step * i}, pen);
  }
}

}  // namespace

void CNPViewControl::OnDraw(CNDrawContext& context) {
  const CNViewControlLayout layout = GetLayout();
  const CRRectF frame = context.ToDevice(layout.frame);
  if (frame.width <= 0 || frame.height <= 0) return;
  CRPainter& painter = context.GetPainter();

  // ---- the inner view
  const CRRectF body = context.ToDevice(layout.body);
  const CNSize viewSize = m_view ? m_view->GetViewSize() : CNSize{};
  if (m_view && body.width > 0 && body.height > 0 && viewSize.width > 0 && viewSize.height > 0) {
    CRPainterStateSaver saver(painter);
    painter.Translate(body.x, body.y);
    painter.Scale(body.width / viewSize.width, body.height / viewSize.height);
    CRRectF area{0, 0, static_cast<double>(viewSize.width), static_cast<double>(viewSize.height)};
    if (!PropertyBool(*this, u"ClipView", true)) {
      const CNRect inner = GetInnerExtent();
      const double left = std::min(0.0, static_cast<double>(inner.left) - layout.body.left);
      const double top = std::min(0.0, static_cast<double>(inner.top) - layout.body.top);
      const double right = std::max(area.width, static_cast<double>(inner.right) - layout.body.left);
      const double bottom = std::max(area.height, static_cast<double>(inner.bottom) - layout.body.top);
      area = {left, top, right - left, bottom - top};
    }
    const double alpha = std::clamp(PropertyNumber(*this, u"FillAlpha", 1.0), 0.0, 1.0);
    const bool translucent = alpha < 1.0;
    if (translucent) cairo_push_group(painter.GetCairo());
    CRRectF painted;
    m_view->TakeDirtyArea(painted);  // painted whole here, whatever changed
    m_view->Paint(painter, area, context.GetImageSource());
    if (translucent) {
      cairo_pop_group_to_source(painter.GetCairo());
      cairo_paint_with_alpha(painter.GetCairo(), alpha);
    }
  }

  // ---- the title bar
  uint32_t titleColor = 0;
  const bool hasTitleColor = context.ResolveColor(PropertyText(*this, u"TitleColor"), titleColor);
  const CRRectF title = context.ToDevice(layout.title);
  if (title.width > 0 && title.height > 0) {
    uint32_t barColor = 0;
    if (context.ResolveColor(PropertyText(*this, u"TitleBarColor"), barColor))
      FillRect(painter, title, barColor);
    if (hasTitleColor) {
      double right = title.Right();
      for (const CNRect* button : {&layout.closeButton, &layout.maxButton})
        if (button->Width() > 0) right = std::min(right, context.ToDevice(*button).x);
      const double padding = kTitlePadding * context.GetScaleX();
      const CRRectF text{title.x + padding, title.y, std::max(0.0, right - title.x - 2 * padding),
                         title.height};
      const std::u16string caption = PropertyText(*this, u"Title");
      const std::u16string font = PropertyText(*this, u"TitleFont");
      CNObjectTextStyle style;
      style.text = caption;
      style.font = font;
      style.color = titleColor;
      style.alignX = TextAlignOf(PropertyItem(*this, u"TitleAlignX"));
      style.clip = true;
      DrawObjectText(context, text, style, m_titleText);
      if (layout.closeButton.Width() > 0)
        DrawButtonGlyph(context, context.ToDevice(layout.closeButton), true, false,
                        m_pressedButton == CNViewControlPart::kCloseButton, titleColor);
      if (layout.maxButton.Width() > 0)
        DrawButtonGlyph(context, context.ToDevice(layout.maxButton), false, m_bMaximized,
                        m_pressedButton == CNViewControlPart::kMaxButton, titleColor);
    }
  }

  // ---- the resizing edge and the border
  uint32_t gripColor = 0;
  if (PropertyBool(*this, u"AllowResize", false) &&
      context.ResolveColor(PropertyText(*this, u"BorderColor"), gripColor))
    DrawResizeGrip(context, frame, gripColor);
  DrawObjectBorder(*this, context, frame, CNBorderStyle::kFlat);
}
