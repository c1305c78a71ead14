#pragma once

#include <cairo.h>

#include <string_view>
#include <vector>

#include "draw/brush.h"
#include "draw/column_span_polyline.h"
#include "draw/font.h"
#include "draw/geometry.h"
#include "draw/path.h"
#include "draw/pen.h"
#include "draw/surface.h"
#include "draw/text_layout.h"

// Draws on a surface. Transformations and the clip apply to everything drawn after them and
// last until the Restore that matches the Save before them. Requests the drawing library
// would reject (a scale by zero, a restore without a save, coordinates that are not numbers)
// are ignored, so one bad object cannot spoil the drawing of the others.
//
// Coordinates are pixel edges: a rectangle from 3 to 13 covers pixels 3 to 12, and a stroke is
// centred on its path, so a line of odd width is crisp on a pixel's middle (y = 10.5 paints row
// 10). Shapes are drawn with crisp pixel edges unless antialias is asked for.
class CRPainter {
 public:
  explicit CRPainter(CRSurface& surface);
  CRPainter(const CRPainter&) = delete;
  CRPainter& operator=(const CRPainter&) = delete;
  ~CRPainter();

  void Save();
  void Restore();
  void Translate(double dx, double dy);
  void Scale(double sx, double sy);
  // Turns by degrees about the point, clockwise on the screen.
  void Rotate(double degrees, CRPointF center);
  // Narrows the clip to the rectangle (in the current transformation).
  void ClipRect(const CRRectF& rect);

  // Polygons are filled with the even-odd rule.
  void FillPath(const CRPath& path, const CRBrush& brush, bool antialias = false);
  void StrokePath(const CRPath& path, const CRPen& pen, bool antialias = false);
  // The lines through the points, as StrokePath(CRPath::Polyline(points), pen) draws them. A
  // solid one-pixel line with round joins whose points stack up in pixel columns is stroked
  // with each column's up and down as one span (see ColumnSpanPolyline): the same pixels at a
  // fraction of the cost.
  void StrokePolyline(const std::vector<CRPointF>& points, const CRPen& pen);
  void DrawText(std::u16string_view text, const CRFont& font, uint32_t color, double alpha,
                const CRRectF& rect, const CRTextFormat& format = {});
  CRSizeF MeasureText(std::u16string_view text, const CRFont& font, double lineSpacing = 0.0);
  // The whole image stretched over dest (smoothly when that changes its size), its own
  // transparency multiplied by alpha (0 to 1).
  void DrawImage(const CRSurface& image, const CRRectF& dest, double alpha = 1.0);

  cairo_t* GetCairo() const { return m_pCairo; }

 private:
  void AppendPath(const CRPath& path);
  // Whether user coordinates are the target's pixels shifted by whole pixels; if so, grid says
  // how, and where the clip stands.
  bool GetPixelGrid(CRPixelGrid& grid) const;

  cairo_t* m_pCairo;
  int m_nSaveDepth = 0;
};

// Saves the painter's state for the life of a scope.
class CRPainterStateSaver {
 public:
  explicit CRPainterStateSaver(CRPainter& painter) : m_painter(painter) { m_painter.Save(); }
  CRPainterStateSaver(const CRPainterStateSaver&) = delete;
  CRPainterStateSaver& operator=(const CRPainterStateSaver&) = delete;
  ~CRPainterStateSaver() { m_painter.Restore(); }

 private:
  CRPainter& m_painter;
};
