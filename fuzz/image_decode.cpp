// Image decoding from arbitrary bytes: whatever decodes stays within the size limits, and its
// pixels can be drawn.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "draw/image.h"
#include "draw/painter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto image = CRImage::LoadBytes(data, size);
  if (!image) return 0;
  const int width = image->GetWidth();
  const int height = image->GetHeight();
  if (width <= 0 || height <= 0 || width > CRImage::kMaxSide || height > CRImage::kMaxSide ||
      int64_t{width} * height > CRImage::kMaxPixels)
    std::abort();
  CRSurface target(8, 8);
  CRPainter painter(target);
  painter.DrawImage(*image, {0, 0, 8, 8});
  return 0;
}
