#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "draw/surface.h"

// Decodes the image files a project names: PNG, JPEG, BMP and GIF (the first frame of an
// animation), recognised by their first bytes whatever the file's extension. The result is a
// surface with premultiplied ARGB pixels. A missing, unreadable, truncated or damaged file, a
// kind of file not in that list, and an image larger than the limits below give null and draw
// nothing.
class CRImage {
 public:
  // At most this many pixels a side, and at most kMaxPixels pixels (256 MiB decoded).
  static constexpr int kMaxSide = 16384;
  static constexpr int64_t kMaxPixels = int64_t{1} << 26;

  static std::unique_ptr<CRSurface> LoadFile(const std::string& path);
  static std::unique_ptr<CRSurface> LoadBytes(const void* data, size_t size);

  // A copy of the image in which every opaque pixel of the colour (the panel's colour number,
  // red in the low byte) is transparent: the "transparent colour" of bitmaps drawn on buttons.
  static std::unique_ptr<CRSurface> WithTransparentColor(const CRSurface& image, uint32_t colorRef);
};
