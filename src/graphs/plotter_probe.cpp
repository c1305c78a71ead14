// Probes and the statistics "OnProbeChanged" reports for each pen.
#include <algorithm>
#include <cmath>

#include "graphs/plotter.h"
#include "objects/property_read.h"

namespace {

enum ProbeMode : int32_t { kProbeNone, kProbeSingle, kProbeDual };

// The run of samples with x in [from, to].
void SampleRun(const CPlotSamples& samples, double from, double to, size_t& begin, size_t& end) {
  if (samples.IsOrdered()) {
    begin = samples.LowerBound(from);
    end = samples.LowerBound(std::nextafter(to, INFINITY));
  } else {
    begin = 0;
    end = samples.Size();
  }
}

// The sample nearest to x, and the value a straight line between the samples around x gives;
// false when the pen has no sample.
bool ValuesAt(const CPlotSamples& samples, double x, double& expect, double& nearest) {
  if (samples.Empty()) return false;
  size_t after = samples.IsOrdered() ? samples.LowerBound(x) : 0;
  if (!samples.IsOrdered()) {
    for (size_t i = 1; i < samples.Size(); ++i)
      if (std::abs(samples[i].x - x) < std::abs(samples[after].x - x)) after = i;
    expect = nearest = samples[after].y;
    return true;
  }
  if (after == samples.Size()) {
    expect = nearest = samples.Back().y;
    return true;
  }
  if (after == 0 || samples[after].x == x) {
    expect = nearest = samples[after].y;
    return true;
  }
  const SXYPair& a = samples[after - 1];
  const SXYPair& b = samples[after];
  nearest = x - a.x <= b.x - x ? a.y : b.y;
  expect = IsLackValue(a.y) || IsLackValue(b.y) ? kLackValue : a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
  return true;
}

}  // namespace

double CNPPlotter::GetProbeX(int number) const {
  double from = 0, to = 0;
  GetXRange(from, to);
  return from + (to - from) * GetProbePos(number);
}

bool CNPPlotter::SetProbePos(int64_t number, double position) {
  if (number != 1 && number != 2) return false;
  if (std::isnan(position)) return false;
  position = std::clamp(position, 0.0, 1.0);
  if (PropertyItem(*this, u"Probe", kProbeNone) == kProbeDual)
    position = number == 1 ? std::min(position, m_probe[1]) : std::max(position, m_probe[0]);
  double& probe = m_probe[number - 1];
  if (probe == position) return true;
  probe = position;
  RequestRedraw();
  FireProbeChanged();
  return true;
}

// Per pen of the selected group: penno, the values at the two probes (expect1, expect2), the
// nearest samples' values (nearest1, nearest2), then min, max, ave, validcnt and lackcnt of the
// samples between the probes ("DUAL") or in the visible range (otherwise). Values of lacks, and
// of pens without samples, are 0.
void CNPPlotter::FireProbeChanged() {
  const CPlotGroup* group = GetSelectedGroupPtr();
  if (!group) return;
  const bool dual = PropertyItem(*this, u"Probe", kProbeNone) == kProbeDual;
  double from = 0, to = 0;
  GetXRange(from, to);
  const double x1 = GetProbeX(1), x2 = dual ? GetProbeX(2) : x1;
  if (dual) {
    from = x1;
    to = x2;
  }
  for (size_t i = 0; i < group->pens.size(); ++i) {
    const CPlotPen& pen = *group->pens[i];
    CNValue args[10];
    args[0].SetNumber(static_cast<double>(i + 1));
    const auto present = [&pen](double value, CNValue& out) {
      if (!std::isfinite(value))
        out.SetNumber(0);
      else
        PresentPenValue(pen.GetDataType(), pen.low, pen.high, value, out);
    };
    const double xs[2] = {x1, x2};
    for (int p = 0; p < 2; ++p) {
      double expect = kLackValue, nearest = kLackValue;
      ValuesAt(pen.samples, xs[p], expect, nearest);
      present(expect, args[1 + p]);
      present(nearest, args[3 + p]);
    }
    size_t begin = 0, end = 0;
    SampleRun(pen.samples, from, to, begin, end);
    const CPlotSummary summary = pen.samples.Summarize(begin, end);
    present(summary.min, args[5]);
    present(summary.max, args[6]);
    present(summary.values ? summary.sum / static_cast<double>(summary.values) : kLackValue, args[7]);
    args[8].SetNumber(static_cast<double>(summary.values));
    args[9].SetNumber(static_cast<double>(summary.lacks));
    FireEvent(u"OnProbeChanged", args, 10);
  }
}
