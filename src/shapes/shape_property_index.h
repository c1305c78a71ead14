#pragma once

#include <array>
#include <cstdint>
#include <string_view>

class CNClassProperties;

// The properties the shapes and meters draw with. A class has some of them; the positions of
// those it has in its table are looked up once per class, so that drawing reads them without a
// name lookup.
enum class CNShapeProp : uint8_t {
  kText,
  kTextFont,
  kTextColor,
  kTextLineSpace,
  kTextCenterX,
  kTextCenterY,
  kTextClip,
  kBorder,
  kBorderColor,
  kBorderWidth,
  kBorderLine,
  kBorderRound,
  kBorderJoin,
  kFill,
  kFillColor,
  kFillStyle,
  kFillColorBack,
  kAlpha,
  kRotateX,
  kRotateY,
  kAngle,
  kStartAngle,
  kEndAngle,
  kLineColor,
  kLineStyle,
  kLineWidth,
  kLineEndcap,
  kLineEndcap2,
  kLineJoin,
  kX1,
  kY1,
  kX2,
  kY2,
  kValue,
  kMax,
  kMin,
  kMeterFillColor,
  kMeterFillStyle,
  kMeterFillDirection,
  kCenter,
  kCenterLine,
  kCenterLineColor,
  kCenterValue,
  kCount
};

// The property name of each CNShapeProp, in its order.
std::u16string_view ShapePropName(CNShapeProp prop);

// Where each shape property sits in one class's table.
class CNShapePropertyIndex {
 public:
  // The index of the class table, built on first use and kept for the program's life.
  static const CNShapePropertyIndex& For(const CNClassProperties& table);

  // -1 when the class has no such property.
  int32_t Get(CNShapeProp prop) const { return m_index[static_cast<size_t>(prop)]; }

 private:
  explicit CNShapePropertyIndex(const CNClassProperties& table);

  std::array<int16_t, static_cast<size_t>(CNShapeProp::kCount)> m_index{};
};
