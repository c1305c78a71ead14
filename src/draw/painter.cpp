#include "draw/painter.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

bool AllFinite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

cairo_line_join_t CairoJoin(CRLineJoin join) {
  switch (join) {
    case CRLineJoin::kRound:
      return CAIRO_LINE_JOIN_ROUND;
    case CRLineJoin::kBevel:
      return CAIRO_LINE_JOIN_BEVEL;
    case CRLineJoin::kMiter:
      break;
  }
  return CAIRO_LINE_JOIN_MITER;
}

}  // namespace

CRPainter::CRPainter(CRSurface& surface) : m_pCairo(cairo_create(surface.GetCairoSurface())) {}

CRPainter::~CRPainter() {
  cairo_destroy(m_pCairo);
}

void CRPainter::Save() {
  cairo_save(m_pCairo);
  ++m_nSaveDepth;
}

void CRPainter::Restore() {
  if (m_nSaveDepth == 0) return;
  cairo_restore(m_pCairo);
  --m_nSaveDepth;
}

void CRPainter::Translate(double dx, double dy) {
  if (AllFinite({dx, dy})) cairo_translate(m_pCairo, dx, dy);
}

void CRPainter::Scale(double sx, double sy) {
  if (AllFinite({sx, sy}) && sx != 0.0 && sy != 0.0) cairo_scale(m_pCairo, sx, sy);
}

void CRPainter::Rotate(double degrees, CRPointF center) {
  if (!AllFinite({degrees, center.x, center.y})) return;
  cairo_translate(m_pCairo, center.x, center.y);
  cairo_rotate(m_pCairo, DegreesToRadians(degrees));
  cairo_translate(m_pCairo, -center.x, -center.y);
}

void CRPainter::ClipRect(const CRRectF& rect) {
  if (!rect.IsFinite()) return;
  cairo_new_path(m_pCairo);
  cairo_rectangle(m_pCairo, rect.x, rect.y, rect.width, rect.height);
  cairo_clip(m_pCairo);
}

void CRPainter::AppendPath(const CRPath& path) {
  cairo_new_path(m_pCairo);
  for (const CRPath::Segment& s : path.GetSegments()) {
    switch (s.verb) {
      case CRPath::Verb::kMove:
        cairo_move_to(m_pCairo, s.points[0].x, s.points[0].y);
        break;
      case CRPath::Verb::kLine:
        cairo_line_to(m_pCairo, s.points[0].x, s.points[0].y);
        break;
      case CRPath::Verb::kCurve:
        cairo_curve_to(m_pCairo, s.points[0].x, s.points[0].y, s.points[1].x, s.points[1].y, s.points[2].x,
                       s.points[2].y);
        break;
      case CRPath::Verb::kClose:
        cairo_close_path(m_pCairo);
        break;
    }
  }
}

void CRPainter::FillPath(const CRPath& path, const CRBrush& brush, bool antialias) {
  if (path.IsEmpty()) return;
  cairo_save(m_pCairo);
  cairo_set_antialias(m_pCairo, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  cairo_set_fill_rule(m_pCairo, CAIRO_FILL_RULE_EVEN_ODD);
  AppendPath(path);
  double x0, y0, x1, y1;
  cairo_path_extents(m_pCairo, &x0, &y0, &x1, &y1);
  cairo_pattern_t* pattern = brush.CreatePattern({x0, y0, x1 - x0, y1 - y0});
  cairo_set_source(m_pCairo, pattern);
  cairo_pattern_destroy(pattern);
  cairo_fill(m_pCairo);
  cairo_restore(m_pCairo);
}

void CRPainter::StrokePath(const CRPath& path, const CRPen& pen, bool antialias) {
  if (path.IsEmpty()) return;
  const double width = pen.EffectiveWidth();
  const CRColor color = CRColor::FromColorRef(pen.color, pen.alpha);
  cairo_save(m_pCairo);
  cairo_set_antialias(m_pCairo, antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
  cairo_set_source_rgba(m_pCairo, color.red, color.green, color.blue, color.alpha);
  cairo_set_line_width(m_pCairo, width);
  cairo_set_line_join(m_pCairo, CairoJoin(pen.join));
  cairo_set_line_cap(m_pCairo, CAIRO_LINE_CAP_BUTT);
  const std::vector<double> dashes = DashPattern(pen.style, width);
  cairo_set_dash(m_pCairo, dashes.data(), static_cast<int>(dashes.size()), 0.0);
  AppendPath(path);
  cairo_stroke(m_pCairo);

  // The caps are filled shapes of their own, so each end can have a different one.
  if (pen.startCap != CREndCap::kFlat || pen.endCap != CREndCap::kFlat) {
    const std::vector<CRPathEnd> ends = path.OpenEnds();
    cairo_set_fill_rule(m_pCairo, CAIRO_FILL_RULE_WINDING);
    for (size_t i = 0; i < ends.size(); ++i) {
      AppendPath(EndCapPath(i % 2 == 0 ? pen.startCap : pen.endCap, ends[i], width));
      cairo_fill(m_pCairo);
    }
  }
  cairo_restore(m_pCairo);
}

void CRPainter::StrokePolyline(const std::vector<CRPointF>& points, const CRPen& pen) {
  CRPixelGrid grid;
  const bool columns = pen.EffectiveWidth() == 1.0 && pen.style == CRLineStyle::kSolid &&
                       pen.join == CRLineJoin::kRound && pen.startCap == CREndCap::kFlat &&
                       pen.endCap == CREndCap::kFlat && GetPixelGrid(grid);
  StrokePath(columns ? ColumnSpanPolyline(points, grid) : CRPath::Polyline(points), pen);
}

bool CRPainter::GetPixelGrid(CRPixelGrid& grid) const {
  cairo_matrix_t matrix;
  cairo_get_matrix(m_pCairo, &matrix);
  if (matrix.xx != 1.0 || matrix.yy != 1.0 || matrix.xy != 0.0 || matrix.yx != 0.0 ||
      !std::isfinite(matrix.x0) || !std::isfinite(matrix.y0) || matrix.x0 != std::floor(matrix.x0) ||
      matrix.y0 != std::floor(matrix.y0))
    return false;
  // A group drawn apart lies on its own surface, offset from the target's pixels.
  cairo_surface_t* target = cairo_get_group_target(m_pCairo);
  double offsetX = 0.0, offsetY = 0.0, scaleX = 1.0, scaleY = 1.0;
  cairo_surface_get_device_offset(target, &offsetX, &offsetY);
  cairo_surface_get_device_scale(target, &scaleX, &scaleY);
  if (offsetX != 0.0 || offsetY != 0.0 || scaleX != 1.0 || scaleY != 1.0) return false;
  double top = 0.0, bottom = 0.0;
  cairo_clip_extents(m_pCairo, &grid.clipLeft, &top, &grid.clipRight, &bottom);
  grid.shiftX = matrix.x0;
  grid.shiftY = matrix.y0;
  return true;
}

void CRPainter::DrawText(std::u16string_view text, const CRFont& font, uint32_t color, double alpha,
                         const CRRectF& rect, const CRTextFormat& format) {
  const CRTextLayout layout(m_pCairo, text, font, format.lineSpacing);
  layout.Draw(m_pCairo, rect, format, CRColor::FromColorRef(color, alpha));
}

CRSizeF CRPainter::MeasureText(std::u16string_view text, const CRFont& font, double lineSpacing) {
  return CRTextLayout(m_pCairo, text, font, lineSpacing).GetSize();
}

void CRPainter::DrawImage(const CRSurface& image, const CRRectF& dest, double alpha) {
  const int width = image.GetWidth();
  const int height = image.GetHeight();
  if (width <= 0 || height <= 0 || !dest.IsFinite() || !(dest.width > 0.0) || !(dest.height > 0.0) ||
      !std::isfinite(alpha))
    return;
  // Only the part inside the clip is drawn: far-off edges would overflow the drawing library's
  // fixed-point coordinates and spoil the whole surface.
  double clipX0, clipY0, clipX1, clipY1;
  cairo_clip_extents(m_pCairo, &clipX0, &clipY0, &clipX1, &clipY1);
  const double x0 = std::max(dest.x, clipX0), y0 = std::max(dest.y, clipY0);
  const double x1 = std::min(dest.Right(), clipX1), y1 = std::min(dest.Bottom(), clipY1);
  if (!(x1 > x0 && y1 > y0)) return;
  cairo_save(m_pCairo);
  cairo_new_path(m_pCairo);
  cairo_rectangle(m_pCairo, x0, y0, x1 - x0, y1 - y0);
  cairo_clip(m_pCairo);
  cairo_translate(m_pCairo, dest.x, dest.y);
  cairo_scale(m_pCairo, dest.width / width, dest.height / height);
  cairo_set_source_surface(m_pCairo, image.GetCairoSurface(), 0, 0);
  cairo_pattern_t* pattern = cairo_get_source(m_pCairo);
  // The edge pixels continue to the clip, so a stretched image does not fade at its border.
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
  const bool sameSize = dest.width == width && dest.height == height;
  cairo_pattern_set_filter(pattern, sameSize ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_paint_with_alpha(m_pCairo, alpha < 0.0 ? 0.0 : alpha > 1.0 ? 1.0 : alpha);
  cairo_restore(m_pCairo);
}
