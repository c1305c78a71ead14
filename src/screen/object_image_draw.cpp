#include "screen/object_image_draw.h"

#include "screen/draw_context.h"

void DrawObjectImage(CNDrawContext& context, const CRSurface& image, std::u16string_view transparentColor,
                     const CRRectF& dest, double alpha) {
  uint32_t key = 0;
  const bool keyed = context.ResolveColor(transparentColor, key);
  context.GetPainter().DrawImage(keyed ? context.GetKeyedImage(image, key) : image, dest, alpha);
}
