// The sample rules: lack, data type, out-of-range rule, gap rule and MaxPoints.
#include <algorithm>
#include <cmath>

#include "graphs/plotter.h"
#include "objects/property_read.h"
#include "values/value_text.h"

namespace {

// Items of "ValueForLackType" and "PlotOutOfRange".
enum LackType : int32_t { kLackNone, kLackNull, kLackString, kLackNumber };
enum OutOfRange : int32_t { kKeepAll, kDeleteData, kFlatData, kFlatPlot };

}  // namespace

struct CNPPlotter::CSampleRules {
  int32_t lackType = kLackNone;
  std::u16string lackText;
  double lackNumber = 0.0;
  int32_t outOfRange = kKeepAll;
  double gap = 0.0;

  bool IsLack(const ValueElement& element) const {
    switch (lackType) {
      case kLackNull:
        return element.kind == VK_NA || (element.kind == VK_STRING && ElementString(element).empty());
      case kLackString:
        return element.kind == VK_NA || (element.kind == VK_STRING && ElementString(element) == lackText);
      case kLackNumber:
        return element.kind == VK_NA || ElementAsNumber(element) == lackNumber;
      default:
        return false;
    }
  }
};

CNPPlotter::CSampleRules CNPPlotter::ReadSampleRules() const {
  CSampleRules rules;
  rules.lackType = PropertyItem(*this, u"ValueForLackType", kLackNone);
  rules.lackText = PropertyText(*this, u"ValueForLack");
  rules.lackNumber = StringToNumber(rules.lackText);
  rules.outOfRange = PropertyItem(*this, u"PlotOutOfRange", kKeepAll);
  rules.gap = PropertyNumber(*this, u"DiffForLack", 0);
  if (!std::isfinite(rules.gap)) rules.gap = 0;
  return rules;
}

bool CNPPlotter::AppendSample(CPlotPen& pen, const CSampleRules& rules, const ValueElement& xElement,
                              const ValueElement& yElement) const {
  double x = 0;
  if (!ReadX(xElement, x)) return false;
  double y = kLackValue;
  if (!rules.IsLack(yElement)) {
    y = ElementAsNumber(yElement);
    // A value that is no number at all (0/0, an overflow) has no place on the plot: a lack.
    if (!std::isfinite(y)) y = kLackValue;
  }
  if (!IsLackValue(y)) {
    const CPenDataType type = pen.GetDataType();
    if (type == CPenDataType::kBoolean) y = y != 0 ? 1.0 : 0.0;
    if (type == CPenDataType::kEnumeration) y = std::trunc(y);
    if (IsRangeChecked(type)) {
      const double low = std::min(pen.low, pen.high), high = std::max(pen.low, pen.high);
      if (rules.outOfRange == kDeleteData && (y < low || y > high)) return false;
      if (rules.outOfRange == kFlatData) y = std::clamp(y, low, high);
    }
  }
  if (rules.gap != 0 && !pen.samples.Empty()) {
    const double lastX = pen.samples.Back().x;
    if (x - lastX >= rules.gap) pen.samples.Append({(lastX + x) / 2, kLackValue});
  }
  pen.samples.Append({x, y});
  return true;
}

bool CNPPlotter::AddSamples(int64_t number, const CPlotSampleSource& source, bool clearFirst) {
  CPlotPen* pen = GetPen(number);
  if (!pen) return false;
  if (clearFirst) pen->samples.Clear();
  const CSampleRules rules = ReadSampleRules();
  const ValueElement* x = source.x;
  const ValueElement* y = source.y;
  const auto limit = static_cast<size_t>(pen->maxPoints);
  for (size_t i = 0; i < source.count; ++i, x += source.xStep, y += source.yStep) {
    AppendSample(*pen, rules, *x, *y);
    // Trimmed as the samples arrive, so that a long call never holds much more than it keeps.
    if (limit != 0 && pen->samples.Size() > 2 * limit) pen->KeepMaxPoints();
  }
  pen->KeepMaxPoints();
  if (PropertyItem(*this, u"AutoDeleteMode", 0) == 1 && m_bRangeSet && pen->samples.IsOrdered()) {
    // Samples left of the screen go, but for the last one, which the line enters from.
    const size_t firstShown = pen->samples.LowerBound(m_xFrom);
    if (firstShown > 1) pen->samples.DropFront(firstShown - 1);
  }
  RequestRedraw();
  FirePlotValueChanged(static_cast<uint32_t>(number));
  return true;
}

bool CNPPlotter::ClearSamples(int64_t number) {
  CPlotPen* pen = GetPen(number);
  if (!pen) return false;
  pen->samples.Clear();
  RequestRedraw();
  return true;
}
