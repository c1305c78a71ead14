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
    SummarizeSamples(m_data.size() - kBlockSize, m_data.size(), block);
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

void CPlotSamples::SummarizeSamples(size_t physicalBegin, size_t physicalEnd, CPlotSummary& out) const {
  for (size_t i = physicalBegin; i < physicalEnd; ++i) out.Add(m_data[i].y);
}

CPlotSummary CPlotSamples::Summarize(size_t begin, size_t end) const {
  CPlotSummary out;
  const size_t from = m_start + begin;
  const size_t to = m_start + std::min(end, Size());
  if (from >= to) return out;
  const size_t firstFull = (from + kBlockSize - 1) / kBlockSize;
  const size_t lastFull = to / kBlockSize;  // blocks [firstFull, lastFull) lie wholly inside
  if (firstFull >= lastFull || lastFull > m_blocks.size()) {
    SummarizeSamples(from, to, out);
    return out;
  }
  SummarizeSamples(from, firstFull * kBlockSize, out);
  SummarizeBlocks(firstFull, lastFull, out);
  SummarizeSamples(lastFull * kBlockSize, to, out);
  return out;
}

void CPlotSamples::SummarizeBlocks(size_t first, size_t last, CPlotSummary& out) const {
  const size_t firstGroup = (first + kBlocksPerGroup - 1) / kBlocksPerGroup;
  const size_t lastGroup = last / kBlocksPerGroup;  // groups [firstGroup, lastGroup) lie wholly inside
  if (firstGroup >= lastGroup) {
    for (size_t b = first; b < last; ++b) out.Add(m_blocks[b]);
    return;
  }
  for (size_t b = first; b < firstGroup * kBlocksPerGroup; ++b) out.Add(m_blocks[b]);
  for (size_t g = firstGroup; g < lastGroup; ++g) out.Add(m_groups[g]);
  for (size_t b = lastGroup * kBlocksPerGroup; b < last; ++b) out.Add(m_blocks[b]);
}
