// The image objects: each picks the file to show, then draws it the same way.
#include <algorithm>
#include <cmath>
#include <string>

#include "controls/images.h"
#include "draw/color.h"
#include "objects/property_read.h"
#include "screen/draw_context.h"
#include "screen/object_image_draw.h"

namespace {

// Where the image goes in the object's rectangle (surface pixels) by "ImageStretch".
CRRectF PlaceImage(const CRSurface& image, const CRRectF& area, int32_t stretch,
                   const CNDrawContext& context) {
  const double width = image.GetWidth();
  const double height = image.GetHeight();
  switch (stretch) {
    case image_properties::IMAGE_STRETCH_NONE:
      return {area.x, area.y, std::round(width * context.GetScaleX()),
              std::round(height * context.GetScaleY())};
    case image_properties::IMAGE_STRETCH_KEEPRATE: {
      const double scale = std::min(area.width / width, area.height / height);
      const double w = std::round(width * scale);
      const double h = std::round(height * scale);
      return {area.x + std::round((area.width - w) * 0.5), area.y + std::round((area.height - h) * 0.5), w,
              h};
    }
    default:
      return area;
  }
}

void DrawImageFile(const CNPObject& object, CNDrawContext& context, std::u16string_view fileName) {
  const CRSurface* image = context.GetImage(fileName);
  if (!image || image->GetWidth() <= 0 || image->GetHeight() <= 0) return;
  const CRRectF area = context.ToDevice(object.GetRect());
  context.GetPainter().ClipRect(area);
  const double alpha = AlphaByte(PropertyNumber(object, u"Alpha", 1.0)) / 255.0;
  DrawObjectImage(
      context, *image, PropertyText(object, u"ImageTransparentColor"),
      PlaceImage(*image, area, PropertyItem(object, u"ImageStretch", image_properties::IMAGE_STRETCH_FULL),
                 context),
      alpha);
}

// The index-th name of a file list: names one per line or separated by ";", blanks around
// them ignored; empty when there is no such name.
std::u16string NthFileName(std::u16string_view list, int32_t index) {
  int32_t at = 0;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find_first_of(u";\r\n", start);
    if (end == std::u16string_view::npos) end = list.size();
    std::u16string_view name = list.substr(start, end - start);
    while (!name.empty() && (name.front() == u' ' || name.front() == u'\t')) name.remove_prefix(1);
    while (!name.empty() && (name.back() == u' ' || name.back() == u'\t')) name.remove_suffix(1);
    if (!name.empty() && at++ == index) return std::u16string(name);
    start = end + 1;
  }
  return {};
}

// The "On" image when it names one, else the plain one.
std::u16string OnOrPlain(const CNPObject& object, bool on) {
  std::u16string onFile = on ? PropertyText(object, u"ImageFileOn") : std::u16string();
  return onFile.empty() ? PropertyText(object, u"ImageFile") : onFile;
}

}  // namespace

void CNPImageSimple::OnDraw(CNDrawContext& context) {
  DrawImageFile(*this, context, PropertyText(*this, u"ImageFile"));
}

void CNPImageLight::OnDraw(CNDrawContext& context) {
  DrawImageFile(*this, context, OnOrPlain(*this, PropertyBool(*this, u"LightValue", false)));
}

void CNPImageSwitch::OnDraw(CNDrawContext& context) {
  const std::u16string push =
      HasState(kStateLeftButton) ? PropertyText(*this, u"ImageFilePush") : std::u16string();
  DrawImageFile(*this, context, push.empty() ? OnOrPlain(*this, GetSwitchValue()) : push);
}

void CNPImageSelect::OnDraw(CNDrawContext& context) {
  const int32_t index = PropertyInt(*this, u"ImageIndex");
  if (index < 0) return;
  DrawImageFile(*this, context, NthFileName(PropertyText(*this, u"ImageFiles"), index));
}
