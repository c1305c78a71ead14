#pragma once

#include <array>
#include <string_view>

#include "objects/shape_2d.h"
#include "objects/shape_properties.h"

// The plain drawn shapes. Each is a switch control: a click on it can switch "SwitchValue" like
// a button.

class CNPRect : public CNObjectClass<CNPRect, CNP2DShapeGDI> {
 public:
  static constexpr std::u16string_view kClassId = u"Rectangle";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kShapeTextEntries,
      shape_properties::kShapeBorderEntries, shape_properties::kBorderRoundEntries,
      shape_properties::kShapeFillEntries, shape_properties::kAlphaEntries,
      shape_properties::kRotationEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;
};

class CNPEllipse : public CNObjectClass<CNPEllipse, CNP2DShapeGDI> {
 public:
  static constexpr std::u16string_view kClassId = u"Ellipse";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kShapeTextEntries,
      shape_properties::kShapeBorderEntries, shape_properties::kShapeFillEntries,
      shape_properties::kAlphaEntries, shape_properties::kRotationEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;
};

class CNPPie : public CNObjectClass<CNPPie, CNP2DShapeGDI> {
 public:
  static constexpr std::u16string_view kClassId = u"Pie";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kShapeBorderEntries,
      shape_properties::kShapeFillEntries, shape_properties::kAlphaEntries,
      shape_properties::kSectorAngleEntries, shape_properties::kRotationEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;
};

class CNPArc : public CNObjectClass<CNPArc, CNP2DShapeGDI> {
 public:
  static constexpr std::u16string_view kClassId = u"Arc";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kLineEntries,
      shape_properties::kSectorAngleEntries, shape_properties::kRotationEntries,
      shape_properties::kAlphaEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;
};

class CNPLine : public CNObjectClass<CNPLine, CNP2DShapeGDI> {
 public:
  static constexpr std::u16string_view kClassId = u"Line";
  // The end points, in form coordinates.
  static constexpr std::array kEndPointEntries = {
      Prop(common_properties::kPosition, u"X1", PT_INTEGER),
      Prop(common_properties::kPosition, u"Y1", PT_INTEGER),
      Prop(common_properties::kPosition, u"X2", PT_INTEGER),
      Prop(common_properties::kPosition, u"Y2", PT_INTEGER),
  };
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kShapeBorderEntries, kEndPointEntries,
      shape_properties::kLineEntries, shape_properties::kLineEndcapEntries, shape_properties::kAlphaEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;
};

// The base of the shapes drawn through "Points".
class CNPPoly : public CNP2DShapeGDI {};

class CNPPolygon : public CNObjectClass<CNPPolygon, CNPPoly> {
 public:
  static constexpr std::u16string_view kClassId = u"Polygon";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kShapeBorderEntries,
      shape_properties::kBorderJoinEntries, shape_properties::kShapeFillEntries,
      shape_properties::kAlphaEntries, shape_properties::kPointsEntries, shape_properties::kRotationEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;
};

class CNPPolyline : public CNObjectClass<CNPPolyline, CNPPoly> {
 public:
  static constexpr std::u16string_view kClassId = u"Polyline";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kPointsEntries, shape_properties::kLineEntries,
      shape_properties::kLineEndcapEntries, shape_properties::kLineJoinEntries,
      shape_properties::kRotationEntries, shape_properties::kAlphaEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;
};
