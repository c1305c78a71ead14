#include "graphs/trend_graph.h"

#include <cmath>

#include "formats/format_store.h"
#include "objects/property_read.h"
#include "support/file_time.h"
#include "values/value_time.h"

namespace {

constexpr double kDefaultSpanSeconds = 600.0;

}  // namespace

double CNPTrendGraph::TimeToX(FileTime ticks) {
  return (static_cast<double>(ticks) - static_cast<double>(kUnixEpochTicks)) / kTicksPerSecond;
}

FileTime CNPTrendGraph::XToTime(double x) {
  const double ticks = std::round(x * kTicksPerSecond) + static_cast<double>(kUnixEpochTicks);
  return ticks <= 0 ? 0 : ticks >= 1.8e19 ? UINT64_MAX : static_cast<FileTime>(ticks);
}

bool CNPTrendGraph::ReadX(const ValueElement& element, double& x) const {
  FileTime ticks = 0;
  if (element.kind == VK_TIME)
    ticks = ElementAsTime(element);
  else if (element.kind != VK_STRING || !ParseTimeLiteral(ElementString(element), ticks))
    return false;
  x = TimeToX(ticks);
  return std::isfinite(x);
}

void CNPTrendGraph::XToValue(double x, CNValue& out) const {
  out.SetTime(XToTime(x));
}

void CNPTrendGraph::FirePlotValueChanged(uint32_t penNumber) {
  const CPlotPen* pen = GetPen(penNumber);
  if (!pen || pen->samples.Empty()) return;
  const SXYPair& last = pen->samples.Back();
  CNValue args[4];
  args[0].SetNumber(penNumber);
  args[1].SetNumber(IsLackValue(last.y) ? 0 : 1);
  XToValue(last.x, args[2]);
  if (IsLackValue(last.y))
    args[3].SetNumber(0);
  else
    PresentPenValue(pen->GetDataType(), pen->low, pen->high, last.y, args[3]);
  FireEvent(u"OnPlotValueChanged", args, 4);
}

std::u16string CNPTrendGraph::XLabel(double x, double /*step*/) const {
  CNFormatStore& store = CNFormatStore::Global();
  const FileTime ticks = XToTime(x);
  std::u16string date = store.FormatTime(PropertyText(*this, u"FormatDate"), ticks);
  const std::u16string time = store.FormatTime(PropertyText(*this, u"FormatTime"), ticks);
  if (date.empty()) return time;
  return time.empty() ? date : date + u"\n" + time;
}

void CNPTrendGraph::DefaultXRange(double& from, double& to) const {
  const CPlotGroup* group = GetSelectedGroupPtr();
  const double span = group && group->startupXSpan > 0 ? group->startupXSpan : kDefaultSpanSeconds;
  bool any = false;
  double newest = 0;
  if (group) {
    for (const auto& pen : group->pens) {
      if (pen->samples.Empty()) continue;
      newest = any ? std::max(newest, pen->samples.Back().x) : pen->samples.Back().x;
      any = true;
    }
  }
  to = any ? newest : TimeToX(CurrentFileTime());
  from = to - span;
}
