#include "graphs/plot_pen.h"

#include <algorithm>
#include <array>

#include "graphs/plot_fields.h"

namespace {

using P = CPlotPen;
using G = CPlotGroup;

// DisplayLow below 0 is stored as 0, DisplayHigh above 100 as 100.
template <double P::*Member, bool High>
constexpr CPlotField<P> PercentField(std::u16string_view name) {
  return {name, [](const P& p, CNValue& out) { out.SetNumber(p.*Member); },
          [](P& p, const CNValue& value) {
            double number = 0;
            if (!ReadFiniteNumber(value, number)) return false;
            p.*Member = High ? std::min(number, 100.0) : std::max(number, 0.0);
            return true;
          }};
}

constexpr CPlotField<P> kMaxPointsField = {u"MaxPoints",
                                           [](const P& p, CNValue& out) { out.SetNumber(p.maxPoints); },
                                           [](P& p, const CNValue& value) {
                                             double number = 0;
                                             if (!ReadFiniteNumber(value, number)) return false;
                                             p.maxPoints = std::max(0.0, std::floor(number));
                                             p.KeepMaxPoints();
                                             return true;
                                           }};

constexpr std::array kPenFields = {
    TextField<P, &P::title>(u"Title"),
    TextField<P, &P::unit>(u"Unit"),
    TextField<P, &P::color>(u"Color"),
    ItemField<P, &P::dataType, &kPenDataTypeItems>(u"DataType"),
    ItemField<P, &P::plotType, &kPenPlotTypeItems>(u"PlotType"),
    NumberField<P, &P::low>(u"Low"),
    NumberField<P, &P::high>(u"High"),
    PercentField<&P::displayLow, false>(u"DisplayLow"),
    PercentField<&P::displayHigh, true>(u"DisplayHigh"),
    BoolField<P, &P::visible>(u"Visible"),
    kMaxPointsField,
    NumberField<P, &P::lineSize>(u"LineSize"),
    NumberField<P, &P::pointSize>(u"PointSize"),
    NumberField<P, &P::lackLineSize>(u"LackLineSize"),
    NumberField<P, &P::lackPointSize>(u"LackPointSize"),
    NumberField<P, &P::barSize>(u"BarSize"),
    ItemField<P, &P::lineStyle, &kPlotLineStyleItems>(u"LineStyle"),
    NumberField<P, &P::colorBarAlpha>(u"ColorBarAlpha"),
    TextField<P, &P::colorBarColor>(u"ColorBarColor"),
    TextField<P, &P::temp>(u"Temp"),
    BoolField<P, &P::enabled>(u"Enabled"),
};

constexpr std::array kSecondBandFields = {
    PercentField<&P::displayLow2, false>(u"DisplayLow2"),
    PercentField<&P::displayHigh2, true>(u"DisplayHigh2"),
};

constexpr std::array kGroupFields = {
    TextField<G, &G::title>(u"GroupTitle"), NumberField<G, &G::startupXSpan>(u"StartupXSpan"),
    NumberField<G, &G::low>(u"Low"),        NumberField<G, &G::high>(u"High"),
    TextField<G, &G::temp>(u"Temp"),
};

const CPlotField<P>* FindPenField(std::u16string_view name, bool withSecondBand) {
  const auto* field = FindPlotField<P>(kPenFields, name);
  if (!field && withSecondBand) field = FindPlotField<P>(kSecondBandFields, name);
  return field;
}

}  // namespace

void CPlotPen::KeepMaxPoints() {
  const auto limit = static_cast<size_t>(maxPoints);
  if (limit != 0 && samples.Size() > limit) samples.DropFront(samples.Size() - limit);
}

bool SetPenField(CPlotPen& pen, std::u16string_view name, const CNValue& value, bool withSecondBand) {
  const auto* field = FindPenField(name, withSecondBand);
  return field && field->set(pen, value);
}

bool GetPenField(const CPlotPen& pen, std::u16string_view name, CNValue& out, bool withSecondBand) {
  const auto* field = FindPenField(name, withSecondBand);
  if (!field) return false;
  field->get(pen, out);
  return true;
}

bool SetGroupField(CPlotGroup& group, std::u16string_view name, const CNValue& value) {
  const auto* field = FindPlotField<G>(kGroupFields, name);
  return field && field->set(group, value);
}

bool GetGroupField(const CPlotGroup& group, std::u16string_view name, CNValue& out) {
  const auto* field = FindPlotField<G>(kGroupFields, name);
  if (!field) return false;
  field->get(group, out);
  return true;
}
