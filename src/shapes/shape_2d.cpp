#include "shapes/shape_2d.h"

#include <algorithm>
#include <cmath>

#include "screen/draw_context.h"
#include "shapes/shape_geometry.h"
#include "values/enum_value.h"

namespace {

constexpr std::u16string_view kPoints = u"Points";
// How far from a line (beyond half its width) a click still hits it, in form units.
constexpr double kHitTolerance = 2.0;

CNRect ToOuterRect(const CRRectF& r) {
  auto clampToInt = [](double v) {
    return static_cast<int32_t>(
        std::clamp(v, static_cast<double>(INT32_MIN), static_cast<double>(INT32_MAX)));
  };
  if (!r.IsFinite()) return {};
  // Turning by whole quarter turns leaves traces of rounding that must not add a pixel.
  constexpr double kSlack = 1e-9;
  return {clampToInt(std::floor(r.x + kSlack)), clampToInt(std::floor(r.y + kSlack)),
          clampToInt(std::ceil(r.Right() - kSlack)), clampToInt(std::ceil(r.Bottom() - kSlack))};
}

}  // namespace

int CNP2DShape::SetPropertyAt(uint32_t i, const CNValue& value) {
  if (GetClassProperties().GetInfo(i).name != kPoints) return CNPSwitchControl::SetPropertyAt(i, value);
  m_points = ParsePointsText(value.GetTextEmptyNA(0));
  return 1;
}

bool CNP2DShape::StoresConverted(uint32_t i) const {
  return GetClassProperties().GetInfo(i).name != kPoints && CNPSwitchControl::StoresConverted(i);
}

int CNP2DShape::GetPropertyAt(uint32_t i, CNValue& value) const {
  if (GetClassProperties().GetInfo(i).name != kPoints) return CNPSwitchControl::GetPropertyAt(i, value);
  value.SetString(PointsText(m_points));
  return 1;
}

// ---- drawing properties

const CNShapePropertyIndex& CNP2DShape::GetShapeIndex() const {
  if (!m_pShapeIndex) m_pShapeIndex = &CNShapePropertyIndex::For(GetClassProperties());
  return *m_pShapeIndex;
}

const CNValue* CNP2DShape::ShapeValue(CNShapeProp prop) const {
  const int32_t i = GetShapeIndex().Get(prop);
  // The drawing properties are stored as they were converted, so the stored value is what
  // reading the property would give.
  return i < 0 ? nullptr : StoredProperty(static_cast<uint32_t>(i));
}

double CNP2DShape::ShapeNumber(CNShapeProp prop, double fallback) const {
  const CNValue* value = ShapeValue(prop);
  return value && !value->IsEmpty() ? value->GetNumber(0) : fallback;
}

int32_t CNP2DShape::ShapeInt(CNShapeProp prop, int32_t fallback) const {
  const double number = ShapeNumber(prop, fallback);
  if (std::isnan(number)) return fallback;
  return static_cast<int32_t>(std::clamp(std::trunc(number), -2147483648.0, 2147483647.0));
}

bool CNP2DShape::ShapeBool(CNShapeProp prop, bool fallback) const {
  const CNValue* value = ShapeValue(prop);
  return value && !value->IsEmpty() ? value->GetBool(0) : fallback;
}

std::u16string_view CNP2DShape::ShapeText(CNShapeProp prop) const {
  const CNValue* value = ShapeValue(prop);
  return value ? value->GetStringView(0) : std::u16string_view();
}

int32_t CNP2DShape::ShapeItem(CNShapeProp prop, int32_t fallback) const {
  const int32_t i = GetShapeIndex().Get(prop);
  if (i < 0) return fallback;
  const int32_t item =
      CNEnum::ItemIndex(GetClassProperties().GetInfo(static_cast<uint32_t>(i)).list, ShapeText(prop));
  return item < 0 ? fallback : item;
}

// ---- geometry

CRPath CNP2DShape::PointsFigure(bool closed) const {
  return NodesPath(m_points, closed, [](const CNPointD& p) { return CRPointF{p.x, p.y}; });
}

CRPath CNP2DShape::DevicePointsFigure(const CNDrawContext& context, bool closed, bool forPen) const {
  const double shift = forPen ? 0.5 : 0.0;
  return NodesPath(m_points, closed, [&context, shift](const CNPointD& p) {
    const CRPointF d = context.ToDevice(p.x, p.y);
    return CRPointF{d.x + shift, d.y + shift};
  });
}

double CNP2DShape::PointsPenReach(CNShapeProp joinProp, bool endCaps) const {
  const bool miter = ShapeEnum(joinProp, CRLineJoin::kMiter, CRLineJoin::kBevel) == CRLineJoin::kMiter;
  return GetFormPenWidth() * std::max({0.5, miter ? kMiterReach : 0.0, endCaps ? kEndCapReach : 0.0});
}

CRPath CNP2DShape::FigureInRect(const CRRectF& rect, double /*scale*/, double inset) const {
  return CRPath::Rectangle(ShrinkFigureRect(rect, inset));
}

CRPath CNP2DShape::GetFormFigure() const {
  const CNRect r = GetRect();
  return FigureInRect({static_cast<double>(r.left), static_cast<double>(r.top),
                       static_cast<double>(r.Width()), static_cast<double>(r.Height())},
                      1.0, 0.0);
}

CNRect CNP2DShape::GetPaintBounds() const {
  const double angle = GetAngle();
  if (IsPlacedByRect() && angle == 0.0) return GetRect();
  CRRectF b = PathBounds(GetFormFigure());
  // A pixel more for the half-pixel placement of pens and for smoothed edges.
  const double grow = (IsPlacedByRect() ? 0.0 : GetPenReach()) + 1.0;
  b = {b.x - grow, b.y - grow, b.width + 2 * grow, b.height + 2 * grow};
  if (angle != 0.0) {
    const CRPointF center = GetRotationCenter();
    const CRPointF corners[] = {{b.x, b.y}, {b.Right(), b.y}, {b.Right(), b.Bottom()}, {b.x, b.Bottom()}};
    CRPointF low = RotateAbout(corners[0], center, angle), high = low;
    for (const CRPointF& corner : corners) {
      const CRPointF p = RotateAbout(corner, center, angle);
      low = {std::min(low.x, p.x), std::min(low.y, p.y)};
      high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    b = {low.x, low.y, high.x - low.x, high.y - low.y};
  }
  return ToOuterRect(b);
}

bool CNP2DShape::HitTest(const CNPoint& at) const {
  CRPointF p{static_cast<double>(at.x), static_cast<double>(at.y)};
  const double angle = GetAngle();
  if (angle != 0.0) p = RotateAbout(p, GetRotationCenter(), -angle);
  const auto figures = FlattenPath(GetFormFigure());
  const double halfPen = GetFormPenWidth() * 0.5;
  if (IsOpenFigure()) return DistanceToFigures(figures, p) <= halfPen + kHitTolerance;
  return IsInsideEvenOdd(figures, p) || (halfPen > 0.0 && DistanceToFigures(figures, p) <= halfPen);
}
