// Painting a view: its colour, the form on show, and the focus and hover frames.
#include <algorithm>

#include "controls/collection_base.h"
#include "objects/property_read.h"
#include "project/root_client.h"
#include "screen/draw_context.h"
#include "values/enum_value.h"
#include "views/view.h"
#include "views/view_hit_test.h"

namespace {

// The view's colour when neither the form nor the project gives one.
constexpr uint32_t kNeutralViewColor = 0x808080;

// "FocusHoverType": two 1-pixel lines (the first colour outside, the second inside), or one
// line of the first colour 1, 2 or 3 pixels wide.
constexpr std::u16string_view kFrameTypeItems = u"DOUBLE1,SINGLE1,SINGLE2,SINGLE3";

struct FrameStyle {
  int32_t type = 0;
  uint32_t outer = 0x000000;
  uint32_t inner = 0xFFFFFF;
};

FrameStyle ReadFrameStyle(const CNPRootClient* settings, const CNDrawContext& context) {
  FrameStyle style;
  if (!settings) return style;
  style.type = std::max(CNEnum::ItemIndex(kFrameTypeItems, settings->SettingText(u"FocusHoverType")), 0);
  context.ResolveColor(settings->SettingText(u"FocusHoverColor1"), style.outer);
  context.ResolveColor(settings->SettingText(u"FocusHoverColor2"), style.inner);
  return style;
}

// A line of width pixels along the inside of rect.
void StrokeInside(CRPainter& painter, const CRRectF& rect, double width, uint32_t color) {
  if (rect.width < 2 * width || rect.height < 2 * width) return;
  CRPen pen;
  pen.color = color;
  pen.width = width;
  const double half = width * 0.5;
  painter.StrokePath(CRPath::Rectangle({rect.x + half, rect.y + half, rect.width - width, rect.height - width}), pen);
}

void PaintFrame(CRPainter& painter, const CRRectF& rect, const FrameStyle& style) {
  if (style.type == 0) {
    StrokeInside(painter, rect, 1.0, style.outer);
    StrokeInside(painter, {rect.x + 1, rect.y + 1, rect.width - 2, rect.height - 2}, 1.0, style.inner);
    return;
  }
  StrokeInside(painter, rect, style.type, style.outer);
}

// Whether the group or form that holds object asks for the frame.
bool HolderAsks(const CNPObject& object, std::u16string_view property) {
  for (const CNObject* at = object.GetParent(); at; at = at->GetParent())
    if (dynamic_cast<const CNPCollectionBase*>(at)) return PropertyBool(*at, property, false);
  return false;
}

}  // namespace

void CNPView::Paint(CRPainter& painter, const CRRectF& area, CNImageSource* images) {
  if (!area.IsFinite() || !(area.width > 0.0) || !(area.height > 0.0)) return;
  const CRPtr<CNPObject> form = m_form;
  CRPainterStateSaver saver(painter);
  painter.ClipRect(area);
  CNDrawContext context(painter);
  if (form) context.SetFormTheme(PropertyText(*form, u"VisualTheme"));

  uint32_t color = kNeutralViewColor;
  const CNPRootClient* settings = GetProjectSettings();
  if (!(form && context.ResolveColor(PropertyText(*form, u"ViewFillColor"), color)) &&
      !(settings && context.ResolveColor(settings->SettingText(u"ViewFillColor"), color)))
    color = kNeutralViewColor;
  CRBrush background;
  background.color = color;
  painter.FillPath(CRPath::Rectangle(area), background);
  if (!form) return;

  const CNViewTransform transform = GetTransform();
  context.SetScale(transform.scaleX, transform.scaleY);
  context.SetOrigin({transform.originX, transform.originY});
  context.SetPaintArea(area);
  context.SetImageSource(images);
  form->Draw(context);
  PaintFrames(context);
}

void CNPView::PaintFrames(CNDrawContext& context) {
  const FrameStyle style = ReadFrameStyle(GetProjectSettings(), context);
  const auto paint = [&](const CRPtr<CNPObject>& object, std::u16string_view property) {
    if (!object || object == m_form || !IsShownWithin(*object, *m_form) || !HolderAsks(*object, property)) return;
    PaintFrame(context.GetPainter(), context.ToDevice(object->GetRect()), style);
  };
  paint(m_hover, u"FocusHover");
  paint(m_focus, u"FocusRect");
}
