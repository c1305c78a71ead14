#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "controls/switch_control.h"
#include "draw/brush.h"
#include "draw/path.h"
#include "draw/pen.h"
#include "screen/object_text_draw.h"
#include "shapes/meter_geometry.h"
#include "shapes/points_text.h"
#include "shapes/shape_property_index.h"

// The base of the drawn shapes and the meters. It keeps the nodes of the classes whose table
// has "Points" (polygons, polylines, polygon meters) as numbers; the property reads and writes
// them as text.
//
// Drawing: a shape draws its fill, then its border, then its text, each in the transparency of
// "Alpha". "Angle" turns the whole figure clockwise about ("RotateX", "RotateY"), a point in
// form coordinates. Pen widths and corner radii are multiplied by the smaller of the two drawing
// scales. Edges are crisp unless the figure has rounded corners or is turned.
//
// Where figures lie: a figure placed by its rectangle (rectangles, ellipses, pies, arcs and the
// meters) fills the rectangle and keeps its border inside it, the border's outer edge on the
// rectangle's edge. A figure placed by points (lines, polylines, polygons, polygon meters) has
// its pens centred on the pixels of its points, so a one-pixel line from (2,5) to (9,5) paints
// row 5 from column 2 to 9.
class CNP2DShape : public CNPSwitchControl {
 public:
  const std::vector<CNPathNode>& GetPoints() const { return m_points; }

  // The figure, turned by "Angle", with the reach of its pens and end caps.
  CNRect GetPaintBounds() const override;
  // The point, turned back by "Angle", on the figure: inside a closed figure (even-odd), or
  // within half the pen's width and a little more of an open one.
  bool HitTest(const CNPoint& at) const override;

 protected:
  int SetPropertyAt(uint32_t i, const CNValue& value) override;
  int GetPropertyAt(uint32_t i, CNValue& value) const override;
  // Not "Points", which the object keeps as numbers.
  bool StoresConverted(uint32_t i) const override;

  // ---- geometry, in form coordinates before the turn by "Angle"
  // The figure of a shape placed by its rectangle, drawn in rect (form coordinates, or surface
  // pixels where radii are multiplied by scale) and shrunk by inset on every side (a border's
  // middle); corners keep their centres. The rectangle itself by default.
  virtual CRPath FigureInRect(const CRRectF& rect, double scale, double inset) const;
  // The figure in form coordinates, for hit tests and paint bounds.
  virtual CRPath GetFormFigure() const;
  // Whether the figure is placed by its rectangle, with its border inside it; else by points,
  // with its pen centred on them.
  virtual bool IsPlacedByRect() const { return true; }
  // Whether the figure is a line rather than an area (hit only near it).
  virtual bool IsOpenFigure() const { return false; }
  // The width of the pen centred on a figure placed by points, in form units.
  virtual double GetFormPenWidth() const { return 0.0; }
  // How far that pen, its joins and end caps may paint beyond the points, in form units.
  virtual double GetPenReach() const { return GetFormPenWidth() * 0.5; }

  // ---- drawing properties, read without a name lookup; a class without the property reads
  // the fallback
  const CNValue* ShapeValue(CNShapeProp prop) const;
  bool HasShapeProp(CNShapeProp prop) const { return ShapeValue(prop) != nullptr; }
  double ShapeNumber(CNShapeProp prop, double fallback = 0.0) const;
  // Truncated toward zero into 32 bits (not a number: the fallback).
  int32_t ShapeInt(CNShapeProp prop, int32_t fallback = 0) const;
  bool ShapeBool(CNShapeProp prop, bool fallback) const;
  std::u16string_view ShapeText(CNShapeProp prop) const;
  // The position of an enumeration's item; the fallback without one.
  int32_t ShapeItem(CNShapeProp prop, int32_t fallback = 0) const;
  // The same as an enumeration whose members follow the items up to last.
  template <class Enum>
  Enum ShapeEnum(CNShapeProp prop, Enum fallback, Enum last) const {
    const int32_t item = ShapeItem(prop, static_cast<int32_t>(fallback));
    return item <= static_cast<int32_t>(last) ? static_cast<Enum>(item) : fallback;
  }

  // ---- drawing steps (shape_style.cpp)
  double GetAlpha() const { return ShapeNumber(CNShapeProp::kAlpha, 1.0); }
  double GetAngle() const;
  // "StartAngle" and "EndAngle", the start lowered by whole turns to at most the end.
  void GetSectorAngles(int32_t& start, int32_t& end) const;
  // ("RotateX", "RotateY"); a centre never set is the middle of the rectangle, truncated.
  CRPointF GetRotationCenter() const;
  // Turns the painter by "Angle" about the rotation centre.
  void ApplyRotation(const CNDrawContext& context) const;
  bool UsesAntialias(bool roundedCorners) const { return roundedCorners || GetAngle() != 0.0; }
  // "Fill" on and a fill colour chosen by the mouse state, with "FillStyle" (hatches on
  // "FillColorBack", gradients towards it); false when nothing is to be filled.
  bool MakeFillBrush(const CNDrawContext& context, CRBrush& brush) const;
  // "Border" on and a "BorderColor": "BorderWidth" times the smaller scale (at least one
  // pixel), "BorderLine", "BorderJoin".
  bool MakeBorderPen(const CNDrawContext& context, CRPen& pen) const;
  // A line colour chosen by the mouse state: "LineWidth" times the smaller scale (at least one
  // pixel), "LineStyle", "LineJoin", "LineEndcap" and "LineEndcap2" ("DEFAULT": the same).
  bool MakeLinePen(const CNDrawContext& context, CRPen& pen) const;
  // The width property of a pen in form units (at least one).
  double FormPenWidth(CNShapeProp widthProp) const;
  // "BorderWidth" in form units while "Border" is on, else 0.
  double FormBorderWidth() const;
  // Fill and border of a figure placed by its rectangle (in surface pixels), the border inside.
  void PaintRectFigure(CNDrawContext& context, const CRRectF& rect, bool roundedCorners) {
    PaintRectFill(context, rect, roundedCorners);
    PaintRectBorder(context, rect, roundedCorners);
  }
  void PaintRectFill(CNDrawContext& context, const CRRectF& rect, bool roundedCorners);
  void PaintRectBorder(CNDrawContext& context, const CRRectF& rect, bool roundedCorners);
  // The "Text" in the rectangle (surface pixels).
  void PaintText(CNDrawContext& context, const CRRectF& rect);

  // ---- figures of "Points" (form coordinates; shape_geometry.h tells how nodes make them)
  CRPath PointsFigure(bool closed) const;
  // In surface pixels: along the points' edges for fills, or through the middles of their pixels
  // for pens.
  CRPath DevicePointsFigure(const CNDrawContext& context, bool closed, bool forPen) const;
  // The reach of the pen drawn along the points: a mitre join may reach five widths, an end
  // cap two and a half.
  double PointsPenReach(CNShapeProp joinProp, bool endCaps) const;

  // ---- meters (meter_draw.cpp)
  // "Value", "Min", "Max", and "Center" with "CenterValue" where the class has them.
  CNMeterRange GetMeterRange() const;
  // "MeterFillColor" and "MeterFillStyle" on a transparent background; false without a colour.
  bool MakeMeterBrush(const CNDrawContext& context, CRBrush& brush) const;
  // The rectangle meter's band over meterRect (surface pixels) in the direction of
  // "MeterFillDirection", filled where it overlaps the figure; returns the band.
  CNMeterBand PaintMeterBand(CNDrawContext& context, const CRRectF& meterRect, const CRPath& figure);
  // A meter placed by its rectangle: the shape's fill, the band, the centre line at the band's
  // base ("CenterLine"), the border, the text.
  void PaintBandMeter(CNDrawContext& context);

 private:
  const CNShapePropertyIndex& GetShapeIndex() const;

  std::vector<CNPathNode> m_points;
  mutable const CNShapePropertyIndex* m_pShapeIndex = nullptr;
  CNTextLayoutCache m_textCache;
};

// The base of the plain shapes, drawn as paths.
class CNP2DShapeGDI : public CNP2DShape {};
