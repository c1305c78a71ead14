#include "graphs/pen_trace.h"

#include <algorithm>
#include <cmath>

namespace {

// Columns held this far beyond the plot, so that far-away samples stay drawable numbers.
constexpr double kColumnLimit = 1.0e6;

class CTraceBuilder {
 public:
  CTraceBuilder(const CPlotPen& pen, const CPenMapping& mapping, CPenTrace& out)
      : m_pen(pen), m_mapping(mapping), m_out(out) {}

  void Add(const SXYPair& sample) {
    const double x = m_mapping.DeviceX(sample.x);
    if (IsLackValue(sample.y)) {
      if (m_bInRun) m_out.lackPoints.push_back({x, m_last.y});
      m_bInRun = false;
      return;
    }
    const CRPointF point{x, m_mapping.DeviceY(m_pen, sample.y)};
    if (!m_bInRun) {
      if (m_bHasLast) m_out.gaps.push_back({m_last, point});
      m_out.runs.emplace_back();
      m_bInRun = true;
    }
    m_out.runs.back().push_back(point);
    m_last = point;
    m_bHasLast = true;
  }
  // A column without lacks: its first, lowest, highest and last sample.
  void AddColumn(const SXYPair& first, double low, double high, const SXYPair& last) {
    Add(first);
    Add({first.x, low});
    Add({first.x, high});
    Add(last);
  }

 private:
  const CPlotPen& m_pen;
  const CPenMapping& m_mapping;
  CPenTrace& m_out;
  bool m_bInRun = false;
  bool m_bHasLast = false;
  CRPointF m_last;
};

}  // namespace

double CPenMapping::Column(double x) const {
  const double span = xTo - xFrom;
  const double column = span > 0 ? std::floor((x - xFrom) / span * plot.width) : 0.0;
  return std::clamp(column, -kColumnLimit, kColumnLimit);
}

double CPenMapping::DeviceY(const CPlotPen& pen, double y) const {
  double position = PenValuePosition(pen.GetDataType(), pen.low, pen.high, y);
  if (flatten) position = std::clamp(position, 0.0, 1.0);
  const double band = bandHigh - bandLow;
  const double fraction = band != 0 ? (position - bandLow) / band : 0.0;
  return plot.Bottom() - std::clamp(fraction, -kColumnLimit, kColumnLimit) * plot.height;
}

size_t ColumnEnd(const CPlotSamples& samples, const CPenMapping& mapping, size_t i, size_t end, size_t hint) {
  const double column = mapping.Column(samples[i].x);
  const auto inColumn = [&](size_t k) { return mapping.Column(samples[k].x) == column; };
  // Samples usually come evenly spaced: a column then holds about as many as the one before,
  // and the search starts there. Galloping on from it keeps the cost to the few samples read.
  size_t inside = i;
  if (hint > 1 && i + hint - 1 < end && inColumn(i + hint - 1)) inside = i + hint - 1;
  size_t step = 1;
  while (inside + step < end && inColumn(inside + step)) {
    inside += step;
    step *= 2;
  }
  size_t outside = std::min(end, inside + step);
  while (outside - inside > 1) {
    const size_t middle = inside + (outside - inside) / 2;
    (inColumn(middle) ? inside : outside) = middle;
  }
  return outside;
}

void VisibleRun(const CPlotSamples& samples, const CPenMapping& mapping, size_t& begin, size_t& end) {
  begin = samples.LowerBound(mapping.xFrom);
  begin = begin > 0 ? begin - 1 : 0;
  end = std::min(samples.Size(), samples.LowerBound(mapping.xTo) + 1);
}

CPenTrace TracePen(const CPlotPen& pen, const CPenMapping& mapping, bool decimate) {
  CPenTrace trace;
  const CPlotSamples& samples = pen.samples;
  CTraceBuilder builder(pen, mapping, trace);
  size_t begin = 0, end = samples.Size();
  if (samples.IsOrdered()) {
    VisibleRun(samples, mapping, begin, end);
  } else {
    decimate = false;
  }
  trace.samplesInView = end - begin;
  size_t i = begin, hint = 0;
  while (i < end) {
    if (!decimate) {
      builder.Add(samples[i++]);
      continue;
    }
    const size_t j = ColumnEnd(samples, mapping, i, end, hint);
    hint = j - i;
    double low = 0.0, high = 0.0;
    if (j - i < 4 || !samples.ValueRange(i, j, low, high)) {
      while (i < j) builder.Add(samples[i++]);
      continue;
    }
    builder.AddColumn(samples[i], low, high, samples[j - 1]);
    i = j;
  }
  return trace;
}

std::vector<CRPointF> StepPoints(const std::vector<CRPointF>& points) {
  std::vector<CRPointF> steps;
  steps.reserve(points.size() * 2);
  for (size_t i = 0; i < points.size(); ++i) {
    if (i > 0 && points[i].x != points[i - 1].x) steps.push_back({points[i].x, points[i - 1].y});
    steps.push_back(points[i]);
  }
  return steps;
}
