#pragma once

#include <array>
#include <string_view>

#include "controls/shape_properties.h"
#include "shapes/shape_2d.h"

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

 protected:
  // Corners rounded by "BorderRound".
  CRPath FigureInRect(const CRRectF& rect, double scale, double inset) const override;
  void OnDraw(CNDrawContext& context) override;
};

class CNPEllipse : public CNObjectClass<CNPEllipse, CNP2DShapeGDI> {
 public:
  static constexpr std::u16string_view kClassId = u"Ellipse";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kShapeTextEntries,
      shape_properties::kShapeBorderEntries, shape_properties::kShapeFillEntries,
      shape_properties::kAlphaEntries, shape_properties::kRotationEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  CRPath FigureInRect(const CRRectF& rect, double scale, double inset) const override;
  void OnDraw(CNDrawContext& context) override;
};

class CNPPie : public CNObjectClass<CNPPie, CNP2DShapeGDI> {
 public:
  static constexpr std::u16string_view kClassId = u"Pie";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kShapeBorderEntries,
      shape_properties::kShapeFillEntries, shape_properties::kAlphaEntries,
      shape_properties::kSectorAngleEntries, shape_properties::kRotationEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  // The sector from "StartAngle" clockwise to "EndAngle" (a start beyond the end is lowered by
  // whole turns), closed through the centre.
  CRPath FigureInRect(const CRRectF& rect, double scale, double inset) const override;
  void OnDraw(CNDrawContext& context) override;
};

class CNPArc : public CNObjectClass<CNPArc, CNP2DShapeGDI> {
 public:
  static constexpr std::u16string_view kClassId = u"Arc";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kLineEntries,
      shape_properties::kSectorAngleEntries, shape_properties::kRotationEntries,
      shape_properties::kAlphaEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  // The arc from "StartAngle" clockwise to "EndAngle", as for the pie.
  CRPath FigureInRect(const CRRectF& rect, double scale, double inset) const override;
  bool IsOpenFigure() const override { return true; }
  double GetFormPenWidth() const override { return FormPenWidth(CNShapeProp::kLineWidth); }
  void OnDraw(CNDrawContext& context) override;
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

 protected:
  // From ("X1", "Y1") to ("X2", "Y2") in form coordinates; a line whose end points were never
  // set runs from the rectangle's top-left to its bottom-right corner.
  CRPath GetFormFigure() const override;
  bool IsPlacedByRect() const override { return false; }
  bool IsOpenFigure() const override { return true; }
  double GetFormPenWidth() const override { return FormPenWidth(CNShapeProp::kLineWidth); }
  double GetPenReach() const override;
  void OnDraw(CNDrawContext& context) override;
};

// The base of the shapes drawn through "Points" (form coordinates; shape_geometry.h tells how
// nodes and control points make the figure).
class CNPPoly : public CNP2DShapeGDI {
 protected:
  CRPath GetFormFigure() const override;
  bool IsPlacedByRect() const override { return false; }
  // The pen's reach with its joins (a mitre may reach five widths) and end caps.
  double GetPenReach() const override;
  void OnDraw(CNDrawContext& context) override;
};

class CNPPolygon : public CNObjectClass<CNPPolygon, CNPPoly> {
 public:
  static constexpr std::u16string_view kClassId = u"Polygon";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kShapeBorderEntries,
      shape_properties::kBorderJoinEntries, shape_properties::kShapeFillEntries,
      shape_properties::kAlphaEntries, shape_properties::kPointsEntries, shape_properties::kRotationEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  double GetFormPenWidth() const override { return FormBorderWidth(); }
};

class CNPPolyline : public CNObjectClass<CNPPolyline, CNPPoly> {
 public:
  static constexpr std::u16string_view kClassId = u"Polyline";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      switch_properties::kSwitchEntries, shape_properties::kPointsEntries, shape_properties::kLineEntries,
      shape_properties::kLineEndcapEntries, shape_properties::kLineJoinEntries,
      shape_properties::kRotationEntries, shape_properties::kAlphaEntries);
  static constexpr auto kEvents = switch_properties::kSwitchControlEvents;

 protected:
  bool IsOpenFigure() const override { return true; }
  double GetFormPenWidth() const override { return FormPenWidth(CNShapeProp::kLineWidth); }
};
