#include "objects/object_image_draw.h"

#include "draw/image.h"
#include "objects/draw_context.h"

void DrawObjectImage(CNDrawContext& context, const CRSurface& image, std::u16string_view transparentColor,
                     const CRRectF& dest, double alpha) {
  uint32_t key = 0;
  if (!context.ResolveColor(transparentColor, key)) {
    context.GetPainter().DrawImage(image, dest, alpha);
    return;
  }
  const auto keyed = CRImage::WithTransparentColor(image, key);
  context.GetPainter().DrawImage(*keyed, dest, alpha);
}
