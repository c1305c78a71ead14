#include "objects/property_read.h"
#include "screen/draw_context.h"
#include "screen/pobject.h"

void CNPObject::Draw(CNDrawContext& context) {
  if (!IsVisible()) return;  // nor anything inside it
  if (!context.IsInPaintArea(context.ToDevice(GetPaintBounds()))) return;
  CRPainterStateSaver saver(context.GetPainter());
  OnDraw(context);
}

bool CNPObject::IsVisible() const {
  return PropertyBool(*this, u"Visible", true);
}

bool CNPObject::HitTest(const CNPoint& at) const {
  const CNRect rect = GetRect();
  return at.x >= rect.left && at.x < rect.right && at.y >= rect.top && at.y < rect.bottom;
}
