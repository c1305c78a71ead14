#include "graphs/plot_line.h"

#include <array>

#include "graphs/plot_fields.h"

namespace {

using L = CPlotLine;

constexpr std::array kLineFields = {
    NumberField<L, &L::value>(u"Value"),
    BoolField<L, &L::visible>(u"Visible"),
    TextField<L, &L::lineColor>(u"LineColor"),
    ItemField<L, &L::lineStyle, &kPlotLineStyleItems>(u"LineStyle"),
    NumberField<L, &L::lineSize>(u"LineSize"),
    TextField<L, &L::text1>(u"Text1"),
    TextField<L, &L::text2>(u"Text2"),
    TextField<L, &L::textColor>(u"TextColor"),
    ItemField<L, &L::textPosition, &kPlotTextPositionItems>(u"TextPosition"),
};

// The order of the values of "AddGroupLine" and its kin.
constexpr std::array<std::u16string_view, 8> kLineValueOrder = {
    u"Value", u"LineColor", u"LineStyle", u"LineSize", u"Text1", u"Text2", u"TextColor", u"TextPosition"};

}  // namespace

bool SetPlotLineProperty(CPlotLine& line, std::u16string_view name, const CNValue& value) {
  const auto* field = FindPlotField<CPlotLine>(kLineFields, name);
  return field && field->set(line, value);
}

bool GetPlotLineProperty(const CPlotLine& line, std::u16string_view name, CNValue& out) {
  const auto* field = FindPlotField<CPlotLine>(kLineFields, name);
  if (!field) return false;
  field->get(line, out);
  return true;
}

bool MakePlotLine(std::span<const CNValue* const> values, CPlotLine& out) {
  CPlotLine line;
  for (size_t i = 0; i < values.size() && i < kLineValueOrder.size(); ++i)
    if (!SetPlotLineProperty(line, kLineValueOrder[i], *values[i])) return false;
  out = std::move(line);
  return true;
}
