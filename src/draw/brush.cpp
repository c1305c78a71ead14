#include "draw/brush.h"

#include <array>

#include "draw/color.h"

namespace {

// One row per hatch style, one byte per tile row, bit 7 the leftmost pixel.
using HatchTile = std::array<uint8_t, 8>;
constexpr HatchTile kHatchTiles[] = {
    {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // horizontal
    {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // vertical
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // forward diagonal
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // backward diagonal
    {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // cross
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // diagonal cross
};
constexpr int kTileSize = 8;

enum class Direction { kHorizontal, kVertical, kForwardDiagonal, kBackwardDiagonal, kCenter };

void SetSource(cairo_t* cr, const CRColor& c) {
  cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
}

cairo_pattern_t* CreateHatch(const HatchTile& tile, const CRColor& fore, const std::optional<CRColor>& back) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kTileSize, kTileSize);
  cairo_t* cr = cairo_create(surface);
  if (back) {
    SetSource(cr, *back);
    cairo_paint(cr);
  }
  SetSource(cr, fore);
  for (int y = 0; y < kTileSize; ++y)
    for (int x = 0; x < kTileSize; ++x)
      if (tile[y] & (0x80 >> x)) cairo_rectangle(cr, x, y, 1, 1);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_fill(cr);
  cairo_destroy(cr);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
  cairo_surface_destroy(surface);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
  return pattern;
}

cairo_pattern_t* CreateGradientShape(Direction direction, const CRRectF& b) {
  switch (direction) {
    case Direction::kHorizontal:
      return cairo_pattern_create_linear(b.x, b.y, b.Right(), b.y);
    case Direction::kVertical:
      return cairo_pattern_create_linear(b.x, b.y, b.x, b.Bottom());
    case Direction::kForwardDiagonal:
      return cairo_pattern_create_linear(b.x, b.y, b.Right(), b.Bottom());
    case Direction::kBackwardDiagonal:
      return cairo_pattern_create_linear(b.Right(), b.y, b.x, b.Bottom());
    case Direction::kCenter:
      break;
  }
  // A unit circle stretched to the bounds: the pattern matrix maps drawing space into it.
  cairo_pattern_t* pattern = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  if (b.width != 0.0 && b.height != 0.0) {
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, 2.0 / b.width, 2.0 / b.height);
    cairo_matrix_translate(&matrix, -b.Center().x, -b.Center().y);
    cairo_pattern_set_matrix(pattern, &matrix);
  }
  return pattern;
}

void AddStop(cairo_pattern_t* pattern, double offset, const CRColor& c) {
  cairo_pattern_add_color_stop_rgba(pattern, offset, c.red, c.green, c.blue, c.alpha);
}

}  // namespace

cairo_pattern_t* CRBrush::CreatePattern(const CRRectF& bounds) const {
  const CRColor fore = CRColor::FromColorRef(color, alpha);
  std::optional<CRColor> back;
  if (backColor) back = CRColor::FromColorRef(*backColor, alpha);
  const int code = static_cast<int>(style);
  if (style == CRFillStyle::kSolid || code < 0 || code > static_cast<int>(CRFillStyle::kGradientCenter2))
    return cairo_pattern_create_rgba(fore.red, fore.green, fore.blue, fore.alpha);
  if (style <= CRFillStyle::kDiagonalCross) return CreateHatch(kHatchTiles[code - 1], fore, back);

  const int gradient = code - static_cast<int>(CRFillStyle::kGradientHorizontal1);
  const auto direction = static_cast<Direction>(gradient / 4);
  const int variant = gradient % 4 + 1;  // the centre styles have variants 1 and 2 only
  const CRColor end = back.value_or(CRColor{fore.red, fore.green, fore.blue, 0.0});
  const bool foreFirst = variant == 1 || variant == 3;
  const CRColor& first = foreFirst ? fore : end;
  const CRColor& second = foreFirst ? end : fore;
  cairo_pattern_t* pattern = CreateGradientShape(direction, bounds.IsFinite() ? bounds : CRRectF{});
  AddStop(pattern, 0.0, first);
  if (variant >= 3) {
    AddStop(pattern, 0.5, second);
    AddStop(pattern, 1.0, first);
  } else {
    AddStop(pattern, 1.0, second);
  }
  return pattern;
}
