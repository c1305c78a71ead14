// The command and toggle buttons: the face, the border, then on the face the light, the image
// and the text. While the button looks pushed its border is sunk and what lies on the face moves
// one pixel right and down.
#include <algorithm>
#include <cmath>

#include "controls/buttons.h"
#include "objects/property_read.h"
#include "screen/border_3d.h"
#include "screen/button_draw_util.h"
#include "screen/draw_context.h"
#include "screen/object_image_draw.h"
#include "screen/state_color.h"

namespace {

using namespace button_properties;

constexpr CNStateColorNames kFillColors{u"FillColor", u"FillColorHover", u"FillColorPush"};
constexpr std::u16string_view kLightSides[4] = {u"LightLeft", u"LightTop", u"LightRight", u"LightBottom"};
constexpr std::u16string_view kImageSides[4] = {u"ImageLeft", u"ImageTop", u"ImageRight", u"ImageBottom"};

// "FillColorOn" while on (when it names a colour), else the colour of the mouse state.
bool ChooseFillColor(const CNPCommandButton& button, const CNDrawContext& context, bool on, uint32_t& color) {
  if (on && context.ResolveColor(PropertyText(button, u"FillColorOn"), color)) return true;
  return ChooseStateColor(button, context, kFillColors, color);
}

// The part of the body "FillType" fills: all of it, or a strip "FillSize" wide along one side.
CRRectF FilledPart(const CNPCommandButton& button, const CNDrawContext& context, const CRRectF& body) {
  const int32_t type = PropertyItem(button, u"FillType", FILL_FULL);
  const double size = std::max(0, PropertyInt(button, u"FillSize"));
  const double across = std::min(body.width, size * context.GetScaleX());
  const double down = std::min(body.height, size * context.GetScaleY());
  switch (type) {
    case FILL_TOP:
      return {body.x, body.y, body.width, down};
    case FILL_BOTTOM:
      return {body.x, body.Bottom() - down, body.width, down};
    case FILL_LEFT:
      return {body.x, body.y, across, body.height};
    case FILL_RIGHT:
      return {body.Right() - across, body.y, across, body.height};
    default:
      return body;
  }
}

void FillFace(const CNPCommandButton& button, CNDrawContext& context, const CRRectF& body, bool on,
              double radius) {
  if (PropertyItem(button, u"FillType", FILL_FULL) == FILL_NONE) return;
  uint32_t color = 0;
  if (!ChooseFillColor(button, context, on, color)) return;
  const CRRectF part = FilledPart(button, context, body);
  if (part.width <= 0 || part.height <= 0) return;
  CRPainter& painter = context.GetPainter();
  if (radius <= 0) {
    painter.FillPath(CRPath::Rectangle(part), FillBrush(button, color));
    return;
  }
  // A strip keeps to the rounded outline of the whole face.
  CRPainterStateSaver saver(painter);
  painter.ClipRect(part);
  painter.FillPath(CRPath::RoundedRectangle(body, radius), FillBrush(button, color), true);
}

// A lamp covering the face less the four "Light" distances, in "LightColorOn" while
// "LightValue" is true and "LightColorOff" while it is false.
void DrawLight(const CNPCommandButton& button, CNDrawContext& context, const CRRectF& face) {
  if (!PropertyBool(button, u"Light", false)) return;
  uint32_t color = 0;
  const bool lit = PropertyBool(button, u"LightValue", false);
  if (!context.ResolveColor(PropertyText(button, lit ? u"LightColorOn" : u"LightColorOff"), color)) return;
  const CRRectF lamp = InsetByProperties(button, context, face, kLightSides);
  if (lamp.width <= 0 || lamp.height <= 0) return;
  FillRect(context.GetPainter(), lamp, color);
}

// The image, "ImageSizeX" by "ImageSizeY" (0: the image's own size), centred in the face less
// the four "Image" distances; "ImageColor" is left out.
void DrawFaceImage(const CNPCommandButton& button, CNDrawContext& context, const CRRectF& face) {
  const CRSurface* image = context.GetImage(PropertyText(button, u"ImageFile"));
  if (!image || image->GetWidth() <= 0 || image->GetHeight() <= 0) return;
  const CRRectF area = InsetByProperties(button, context, face, kImageSides);
  const int32_t sizeX = PropertyInt(button, u"ImageSizeX");
  const int32_t sizeY = PropertyInt(button, u"ImageSizeY");
  const double width = std::round((sizeX > 0 ? sizeX : image->GetWidth()) * context.GetScaleX());
  const double height = std::round((sizeY > 0 ? sizeY : image->GetHeight()) * context.GetScaleY());
  const CRRectF dest{area.x + std::round((area.width - width) * 0.5),
                     area.y + std::round((area.height - height) * 0.5), width, height};
  DrawObjectImage(context, *image, PropertyText(button, u"ImageColor"), dest);
}

}  // namespace

void CNPCommandButton::OnDraw(CNDrawContext& context) {
  CRPainter& painter = context.GetPainter();
  const CRRectF rect = context.ToDevice(GetRect());
  const bool on = GetSwitchValue();
  const CNBorderStyle style = ReadBorderStyle(*this, context, CNBorderStyle::kRaise1);
  const bool tab = style == CNBorderStyle::kTabTop || style == CNBorderStyle::kTabBottom;
  // A tab looks selected while on; other buttons look pushed as "PushType" says.
  const bool pushed = tab ? on : IsPushed();
  const double radius = tab ? 0.0 : std::max(0, PropertyInt(*this, u"BorderRound")) * context.GetMinScale();
  const double ringWidth = BevelRingWidth(context);

  FillFace(*this, context, TabBody(rect, style, on, ringWidth), on, radius);
  const CRRectF face = DrawObjectBorder(*this, context, rect, style, pushed, radius);
  if (face.width <= 0 || face.height <= 0) return;

  CRPainterStateSaver saver(painter);
  painter.ClipRect(face);
  CRRectF content = face;
  if (pushed && !tab) {
    content.x += ringWidth;
    content.y += ringWidth;
  }
  DrawLight(*this, context, content);
  DrawFaceImage(*this, context, content);

  CNControlText text;
  if (!ReadControlText(*this, context, on, text)) return;
  text.style.alignX = TextAlignOf(PropertyItem(*this, u"TextAlignX", 1));
  text.style.centerX = PropertyNumber(*this, u"TextCenterX", 0.5);
  text.style.centerY = PropertyNumber(*this, u"TextCenterY", 0.5);
  text.style.clip = true;
  const CRRectF padded = InsetSides(content, PropertyInt(*this, u"TextPaddingLeft") * context.GetScaleX(), 0,
                                    PropertyInt(*this, u"TextPaddingRight") * context.GetScaleX(), 0);
  DrawObjectText(context, padded, text.style, m_textCache);
}
