#include "shapes/shape_property_index.h"

#include <map>
#include <memory>
#include <mutex>

#include "objects/class_properties.h"

namespace {

constexpr std::u16string_view kNames[] = {
    u"Text",
    u"TextFont",
    u"TextColor",
    u"TextLineSpace",
    u"TextCenterX",
    u"TextCenterY",
    u"TextClip",
    u"Border",
    u"BorderColor",
    u"BorderWidth",
    u"BorderLine",
    u"BorderRound",
    u"BorderJoin",
    u"Fill",
    u"FillColor",
    u"FillStyle",
    u"FillColorBack",
    u"Alpha",
    u"RotateX",
    u"RotateY",
    u"Angle",
    u"StartAngle",
    u"EndAngle",
    u"LineColor",
    u"LineStyle",
    u"LineWidth",
    u"LineEndcap",
    u"LineEndcap2",
    u"LineJoin",
    u"X1",
    u"Y1",
    u"X2",
    u"Y2",
    u"Value",
    u"Max",
    u"Min",
    u"MeterFillColor",
    u"MeterFillStyle",
    u"MeterFillDirection",
    u"Center",
    u"CenterLine",
    u"CenterLineColor",
    u"CenterValue",
};
static_assert(std::size(kNames) == static_cast<size_t>(CNShapeProp::kCount));

}  // namespace

std::u16string_view ShapePropName(CNShapeProp prop) {
  return kNames[static_cast<size_t>(prop)];
}

CNShapePropertyIndex::CNShapePropertyIndex(const CNClassProperties& table) {
  for (size_t p = 0; p < m_index.size(); ++p) m_index[p] = static_cast<int16_t>(table.Find(kNames[p]));
}

const CNShapePropertyIndex& CNShapePropertyIndex::For(const CNClassProperties& table) {
  // Class tables live as long as the program, so their addresses are stable keys.
  static std::mutex s_lock;
  static std::map<const CNClassProperties*, std::unique_ptr<CNShapePropertyIndex>> s_indexes;
  const std::lock_guard<std::mutex> guard(s_lock);
  auto& index = s_indexes[&table];
  if (!index) index.reset(new CNShapePropertyIndex(table));
  return *index;
}
