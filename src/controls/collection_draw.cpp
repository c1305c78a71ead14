#include "controls/collection.h"
#include "controls/form.h"
#include "objects/property_read.h"
#include "screen/draw_context.h"

namespace {

// The form's "ImageFile" stretched over the form less the four "ImageSpace" distances kept
// free at its edges; nothing when they leave no room.
void DrawFormImage(const CNPForm& form, CNDrawContext& context) {
  const CRSurface* image = context.GetImage(PropertyText(form, u"ImageFile"));
  if (!image) return;
  const CNRect rect = form.GetRect();
  const CNRect inner{
      CNRect::Saturate(int64_t{rect.left} + PropertyInt(form, u"ImageSpaceLeft")),
      CNRect::Saturate(int64_t{rect.top} + PropertyInt(form, u"ImageSpaceTop")),
      CNRect::Saturate(int64_t{rect.right} - PropertyInt(form, u"ImageSpaceRight")),
      CNRect::Saturate(int64_t{rect.bottom} - PropertyInt(form, u"ImageSpaceBottom")),
  };
  context.GetPainter().DrawImage(*image, context.ToDevice(inner));
}

}  // namespace

void CNPCollectionBase::DrawChildren(CNDrawContext& context) {
  // Child order is drawing order: later children appear over earlier ones.
  for (int32_t i = 0; i < GetChildCount(); ++i)
    if (auto* child = dynamic_cast<CNPObject*>(GetChild(i))) child->Draw(context);
}

void CNPCollection::OnDraw(CNDrawContext& context) {
  DrawChildren(context);
  if (!PropertyBool(*this, u"InnerFrame", false)) return;
  uint32_t color = 0;
  if (!context.ResolveColor(PropertyText(*this, u"InnerFrameColor"), color)) return;
  CRPen pen;
  pen.color = color;
  pen.width = PropertyInt(*this, u"InnerFrameWidth", 1) * context.GetMinScale();
  if (!(pen.width >= 1.0)) pen.width = 1.0;
  // Inside the rectangle: the pen's outer edge on the group's edge.
  CRRectF frame = context.ToDevice(GetRect());
  const double half = pen.width * 0.5;
  frame = {frame.x + half, frame.y + half, frame.width - pen.width, frame.height - pen.width};
  if (frame.width < 0 || frame.height < 0) return;
  context.GetPainter().StrokePath(CRPath::Rectangle(frame), pen);
}

void CNPForm::OnDraw(CNDrawContext& context) {
  uint32_t color = 0;
  const CRRectF area = context.ToDevice(GetRect());
  if (context.ResolveColor(PropertyText(*this, u"FillColor"), color)) {
    CRBrush brush;
    brush.color = color;
    context.GetPainter().FillPath(CRPath::Rectangle(area), brush);
  }
  DrawFormImage(*this, context);
  DrawChildren(context);
}
