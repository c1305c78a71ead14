#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "draw/painter.h"
#include "draw/surface.h"
#include "screen/draw_context.h"

// Images by name for drawing tests; any other name cannot be had.
class CNImageSourceStub : public CNImageSource {
 public:
  const CRSurface* GetImage(std::u16string_view fileName) override {
    const auto found = m_images.find(std::u16string(fileName));
    return found == m_images.end() ? nullptr : found->second.get();
  }
  void Add(std::u16string name, std::unique_ptr<CRSurface> image) {
    m_images[std::move(name)] = std::move(image);
    ForgetKeyedImages();  // the image a name had may be gone
  }

 private:
  std::map<std::u16string, std::unique_ptr<CRSurface>> m_images;
};

// A width x height image in four quadrants: red, green / blue, white unless other colours are
// given (colour numbers, red in the low byte, as the painter takes them).
inline std::unique_ptr<CRSurface> QuadrantImage(int width, int height,
                                                std::array<uint32_t, 4> colors = {0x0000FF, 0x00FF00, 0xFF0000,
                                                                                  0xFFFFFF}) {
  auto image = std::make_unique<CRSurface>(width, height);
  CRPainter painter(*image);
  const double w = width / 2.0, h = height / 2.0;
  for (int i = 0; i < 4; ++i) {
    CRBrush brush;
    brush.color = colors[i];
    painter.FillPath(CRPath::Rectangle({(i % 2) * w, (i / 2) * h, w, h}), brush);
  }
  return image;
}
