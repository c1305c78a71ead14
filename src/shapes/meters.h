#pragma once

#include <array>
#include <string_view>

#include "controls/shape_properties.h"
#include "shapes/shape_2d.h"

// The meters: shapes filled in part, in proportion to "Value" between "Min" and "Max".
namespace meter_properties {

using namespace shape_properties;

inline constexpr std::u16string_view kMeter = u"Meter";
inline constexpr std::u16string_view kCenter = u"Center";

inline constexpr std::u16string_view kMeterFillDirectionItems =
    u"BOTTOM_TO_TOP,TOP_TO_BOTTOM,LEFT_TO_RIGHT,RIGHT_TO_LEFT";

inline constexpr std::array kMeterTextEntries = JoinProperties(kTextEntries, kTextLineSpaceEntries);

inline constexpr std::array kMeterFillEntries = JoinProperties(FillEntries(u"T"), kPlainFillStyleEntries);

inline constexpr std::array kMeterEntries = {
    Prop(kMeter, u"MeterFillColor", PT_COLOR, u"#0000FF", {}, 1, 1, kPropertyColor),
    Prop(kMeter, u"MeterFillStyle", PT_ENUM, u"SOLID", kPlainFillStyleItems),
};

inline constexpr std::array kMeterFillDirectionEntries = {
    Prop(kMeter, u"MeterFillDirection", PT_ENUM, u"BOTTOM_TO_TOP", kMeterFillDirectionItems),
};

// With "Center" on, the band starts at "CenterValue" instead of "Min".
inline constexpr std::array kCenterEntries = {
    Prop(kCenter, u"Center", PT_BOOL, u"F"),
    Prop(kCenter, u"CenterLine", PT_BOOL, u"F"),
    Prop(kCenter, u"CenterLineColor", PT_COLOR, u"@BorderColor"),
    Prop(kCenter, u"CenterValue", PT_NUMBER, u"0"),
};

// A new pie meter sweeps the whole turn.
inline constexpr std::array kDialAngleEntries = {
    Prop(kAngle, u"StartAngle", PT_INTEGER, u"0", kAngleRange),
    Prop(kAngle, u"EndAngle", PT_INTEGER, u"360", kAngleRange),
};

}  // namespace meter_properties

class CNPRectMeter : public CNObjectClass<CNPRectMeter, CNP2DShape> {
 public:
  static constexpr std::u16string_view kClassId = u"RectangleMeter";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, meter_properties::kMeterTextEntries,
      shape_properties::kShapeBorderEntries, meter_properties::kMeterFillEntries,
      control_properties::kValueRangeEntries, meter_properties::kMeterEntries,
      meter_properties::kMeterFillDirectionEntries, meter_properties::kCenterEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  // The shape's fill, the band, the centre line at the band's base ("CenterLine"), the border,
  // the text.
  void OnDraw(CNDrawContext& context) override;
};

class CNPEllipseMeter : public CNObjectClass<CNPEllipseMeter, CNP2DShape> {
 public:
  static constexpr std::u16string_view kClassId = u"EllipseMeter";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, meter_properties::kMeterTextEntries,
      shape_properties::kShapeBorderEntries, meter_properties::kMeterFillEntries,
      control_properties::kValueRangeEntries, meter_properties::kMeterEntries,
      meter_properties::kMeterFillDirectionEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  CRPath FigureInRect(const CRRectF& rect, double scale, double inset) const override;
  // As the rectangle meter, the band cut to the ellipse.
  void OnDraw(CNDrawContext& context) override;
};

// Fills the sector of its angles; it has no fill direction.
class CNPPieMeter : public CNObjectClass<CNPPieMeter, CNP2DShape> {
 public:
  static constexpr std::u16string_view kClassId = u"PieMeter";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, meter_properties::kMeterTextEntries,
      shape_properties::kShapeBorderEntries, meter_properties::kMeterFillEntries,
      control_properties::kValueRangeEntries, meter_properties::kMeterEntries,
      meter_properties::kDialAngleEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  // The sector of "StartAngle" to "EndAngle" (the full ellipse for a whole turn).
  CRPath FigureInRect(const CRRectF& rect, double scale, double inset) const override;
  // The sector from the start to the value's angle takes the meter fill, the one from there to
  // the end the shape's fill; then the border of the whole sector, then the text.
  void OnDraw(CNDrawContext& context) override;
};

class CNPPolygonMeter : public CNObjectClass<CNPPolygonMeter, CNP2DShape> {
 public:
  static constexpr std::u16string_view kClassId = u"PolygonMeter";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, meter_properties::kMeterTextEntries,
      shape_properties::kShapeBorderEntries, shape_properties::kBorderJoinEntries,
      meter_properties::kMeterFillEntries, control_properties::kValueRangeEntries,
      meter_properties::kMeterEntries, meter_properties::kMeterFillDirectionEntries,
      shape_properties::kPointsEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  // The closed figure of "Points" (form coordinates).
  CRPath GetFormFigure() const override;
  bool IsPlacedByRect() const override { return false; }
  double GetFormPenWidth() const override { return FormBorderWidth(); }
  double GetPenReach() const override;
  // As the rectangle meter over the bounds of the figure, the band cut to the figure.
  void OnDraw(CNDrawContext& context) override;
};
