#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

// One sample of a pen: x (seconds from the time origin, or a plain number) and y, the value or
// the lack marker.
struct SXYPair {
  double x = 0.0;
  double y = 0.0;
};

// The lack marker: no data at that x. It breaks the pen's line.
inline constexpr double kLackValue = std::numeric_limits<double>::infinity();
inline bool IsLackValue(double y) {
  return std::isinf(y) && y > 0;
}

// What a run of samples holds, without the samples themselves.
struct CPlotSummary {
  double min = std::numeric_limits<double>::infinity();
  double max = -std::numeric_limits<double>::infinity();
  double sum = 0.0;
  size_t values = 0;
  size_t lacks = 0;

  void Add(double y);
  void Add(const CPlotSummary& other);
};

// The samples of a pen in the order they were added, with a summary per block of samples and
// per group of blocks, kept up to date as samples are appended and dropped from the front, so
// that the minimum, maximum, sum and counts of any run cost a few summaries, not its samples.
// Appending and dropping are amortised O(1) per sample.
class CPlotSamples {
 public:
  static constexpr size_t kBlockSize = 16;
  static constexpr size_t kBlocksPerGroup = 8;
  static constexpr size_t kGroupSize = kBlockSize * kBlocksPerGroup;

  size_t Size() const { return m_data.size() - m_start; }
  bool Empty() const { return Size() == 0; }
  const SXYPair& operator[](size_t i) const { return m_data[m_start + i]; }
  const SXYPair& Back() const { return m_data.back(); }

  void Append(const SXYPair& sample);
  // Drops the count oldest samples (all of them when there are fewer).
  void DropFront(size_t count);
  void Clear();

  // Whether x never decreases from one sample to the next; only then the searches below hold.
  bool IsOrdered() const { return m_bOrdered; }
  // The first sample whose x is at least x (Size when none); the samples must be ordered.
  size_t LowerBound(double x) const;
  // The summary of samples [begin, end).
  CPlotSummary Summarize(size_t begin, size_t end) const;
  // The lowest and highest value of samples [begin, end), as Summarize gives them; false when
  // a lack is among them.
  bool ValueRange(size_t begin, size_t end, double& low, double& high) const;

 private:
  // Hands the samples [begin, end) to onSample one y at a time, and the blocks and groups that
  // lie wholly inside to onSummary, each sample once.
  template <class OnSample, class OnSummary>
  void Walk(size_t begin, size_t end, OnSample onSample, OnSummary onSummary) const;

  // Sample i is m_data[m_start + i]; the front is compacted by whole groups, so that block b
  // always covers m_data[b * kBlockSize, (b + 1) * kBlockSize) and group g the blocks
  // [g * kBlocksPerGroup, (g + 1) * kBlocksPerGroup).
  std::vector<SXYPair> m_data;
  size_t m_start = 0;
  std::vector<CPlotSummary> m_blocks;  // complete blocks only
  std::vector<CPlotSummary> m_groups;  // complete groups only
  bool m_bOrdered = true;
};
