#include "graphs/plot_samples.h"

#include <algorithm>

void CPlotSummary::Add(double y) {
  if (IsLackValue(y)) {
    ++lacks;
    return;
  }
  ++values;
  sum += y;
  min = std::min(min, y);
  max = std::max(max, y);
}

void CPlotSummary::Add(const CPlotSummary& other) {
  values += other.values;
  lacks += other.lacks;
  sum += other.sum;
  min = std::min(min, other.min);
  max = std::max(max, other.max);
}

void CPlotSamples::Append(const SXYPair& sample) {
  if (!m_data.empty() && m_start < m_data.size() && sample.x < m_data.back().x) m_bOrdered = false;
  m_data.push_back(sample);
  if (m_data.size() % kBlockSize == 0) {
    CPlotSummary block;
    for (size_t i = m_data.size() - kBlockSize; i < m_data.size(); ++i) block.Add(m_data[i].y);
    m_blocks.push_back(block);
    if (m_blocks.size() % kBlocksPerGroup == 0) {
      CPlotSummary group;
      for (size_t b = m_blocks.size() - kBlocksPerGroup; b < m_blocks.size(); ++b) group.Add(m_blocks[b]);
      m_groups.push_back(group);
    }
  }
}

void CPlotSamples::DropFront(size_t count) {
  m_start += std::min(count, Size());
  if (Empty()) {
    Clear();
    return;
  }
  // Compact once the dropped part outweighs the rest, by whole groups so that the summaries
  // stay aligned.
  const size_t dropGroups = m_start / kGroupSize;
  if (dropGroups == 0 || m_start < Size()) return;
  const size_t dropSamples = dropGroups * kGroupSize;
  m_data.erase(m_data.begin(), m_data.begin() + static_cast<ptrdiff_t>(dropSamples));
  m_blocks.erase(m_blocks.begin(), m_blocks.begin() + static_cast<ptrdiff_t>(dropGroups * kBlocksPerGroup));
  m_groups.erase(m_groups.begin(), m_groups.begin() + static_cast<ptrdiff_t>(dropGroups));
  m_start -= dropSamples;
}

void CPlotSamples::Clear() {
  m_data.clear();
  m_blocks.clear();
  m_groups.clear();
  m_start = 0;
  m_bOrdered = true;
}

size_t CPlotSamples::LowerBound(double x) const {
  const auto begin = m_data.begin() + static_cast<ptrdiff_t>(m_start);
  return static_cast<size_t>(
      std::lower_bound(begin, m_data.end(), x, [](const SXYPair& s, double v) { return s.x < v; }) - begin);
}

template <class OnSample, class OnSummary>
void CPlotSamples::Walk(size_t begin, size_t end, OnSample onSample, OnSummary onSummary) const {
  const size_t from = m_start + begin;
  const size_t to = m_start + std::min(end, Size());
  if (from >= to) return;
  const auto samples = [&](size_t first, size_t last) {
    for (size_t i = first; i < last; ++i) onSample(m_data[i].y);
  };
  const auto blocks = [&](size_t first, size_t last) {
    for (size_t b = first; b < last; ++b) onSummary(m_blocks[b]);
  };
  const size_t firstFull = (from + kBlockSize - 1) / kBlockSize;
  const size_t lastFull = to / kBlockSize;  // blocks [firstFull, lastFull) lie wholly inside
  if (firstFull >= lastFull || lastFull > m_blocks.size()) {
    samples(from, to);
    return;
  }
  samples(from, firstFull * kBlockSize);
  const size_t firstGroup = (firstFull + kBlocksPerGroup - 1) / kBlocksPerGroup;
  const size_t lastGroup = lastFull / kBlocksPerGroup;  // groups [firstGroup, lastGroup) lie wholly inside
  if (firstGroup >= lastGroup) {
    blocks(firstFull, lastFull);
  } else {
    blocks(firstFull, firstGroup * kBlocksPerGroup);
    for (size_t g = firstGroup; g < lastGroup; ++g) onSummary(m_groups[g]);
    blocks(lastGroup * kBlocksPerGroup, lastFull);
  }
  samples(lastFull * kBlockSize, to);
}

CPlotSummary CPlotSamples::Summarize(size_t begin, size_t end) const {
  CPlotSummary out;
  Walk(
      begin, end, [&](double y) { out.Add(y); }, [&](const CPlotSummary& summary) { out.Add(summary); });
  return out;
}

bool CPlotSamples::ValueRange(size_t begin, size_t end, double& low, double& high) const {
  double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
  bool lack = false;
  Walk(
      begin, end,
      [&](double y) {
        // A lack is the only value at +infinity, so it shows as the highest.
        lowest = std::min(lowest, y);
        highest = std::max(highest, y);
      },
      [&](const CPlotSummary& summary) {
        lack = lack || summary.lacks != 0;
        lowest = std::min(lowest, summary.min);
        highest = std::max(highest, summary.max);
      });
  if (lack || IsLackValue(highest)) return false;
  low = lowest;
  high = highest;
  return true;
}
