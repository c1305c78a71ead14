#include "draw/end_cap.h"

namespace {

constexpr double kAnchorScale = 3.0;  // anchors are this many pen widths across

// Places shape points given along (u) and across (v) the outward direction at the end.
class CapFrame {
 public:
  explicit CapFrame(const CRPathEnd& end) : m_end(end) {}
  CRPointF At(double u, double v) const {
    return {m_end.point.x + u * m_end.outward.x - v * m_end.outward.y,
            m_end.point.y + u * m_end.outward.y + v * m_end.outward.x};
  }

 private:
  CRPathEnd m_end;
};

CRRectF SquareAround(CRPointF center, double side) {
  return {center.x - side * 0.5, center.y - side * 0.5, side, side};
}

}  // namespace

CRPath EndCapPath(CREndCap cap, const CRPathEnd& end, double width) {
  const CapFrame frame(end);
  const double half = width * 0.5;
  const double anchor = width * kAnchorScale;
  switch (cap) {
    case CREndCap::kFlat:
      return {};
    case CREndCap::kRound:
      return CRPath::Ellipse(SquareAround(end.point, width));
    case CREndCap::kSquare:
      return CRPath::Polygon(
          {frame.At(0, -half), frame.At(half, -half), frame.At(half, half), frame.At(0, half)});
    case CREndCap::kTriangle:
      return CRPath::Polygon({frame.At(0, -half), frame.At(half, 0), frame.At(0, half)});
    case CREndCap::kSquareAnchor: {
      const double a = anchor * 0.5;
      return CRPath::Polygon({frame.At(-a, -a), frame.At(a, -a), frame.At(a, a), frame.At(-a, a)});
    }
    case CREndCap::kRoundAnchor:
      return CRPath::Ellipse(SquareAround(end.point, anchor));
    case CREndCap::kDiamondAnchor: {
      const double a = anchor * 0.5;
      return CRPath::Polygon({frame.At(a, 0), frame.At(0, a), frame.At(-a, 0), frame.At(0, -a)});
    }
    case CREndCap::kArrowAnchor:
      return CRPath::Polygon({frame.At(width, 0), frame.At(width - anchor, anchor * 0.5),
                              frame.At(width - anchor, -anchor * 0.5)});
  }
  return {};
}
