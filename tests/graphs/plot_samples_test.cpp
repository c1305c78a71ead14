// The block summaries of a pen's samples, and the value ranges read through them, against a
// plain count over the same samples, while samples arrive and the oldest go.
#include "graphs/plot_samples.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

namespace {

TEST(PlotSamples, SummariesMatchTheSamplesThroughAppendsAndDrops) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> value(-50, 50);
  CPlotSamples samples;
  std::vector<SXYPair> plain;
  for (int round = 0; round < 40; ++round) {
    const int add = static_cast<int>(random() % 300);
    for (int i = 0; i < add; ++i) {
      const double x = plain.empty() ? 0 : plain.back().x + 1;
      const SXYPair sample{x, random() % 17 == 0 ? kLackValue : value(random)};
      samples.Append(sample);
      plain.push_back(sample);
    }
    const size_t drop = random() % (plain.size() / 2 + 1);
    samples.DropFront(drop);
    plain.erase(plain.begin(), plain.begin() + static_cast<ptrdiff_t>(drop));
    ASSERT_EQ(samples.Size(), plain.size());
    for (int query = 0; query < 20 && !plain.empty(); ++query) {
      size_t begin = random() % plain.size(), end = random() % (plain.size() + 1);
      if (begin > end) std::swap(begin, end);
      CPlotSummary expected;
      for (size_t i = begin; i < end; ++i) expected.Add(plain[i].y);
      const CPlotSummary got = samples.Summarize(begin, end);
      ASSERT_EQ(std::tie(got.values, got.lacks, got.min, got.max),
                std::tie(expected.values, expected.lacks, expected.min, expected.max));
      ASSERT_NEAR(got.sum, expected.sum, 1e-6);
      double low = 0, high = 0;
      ASSERT_EQ(samples.ValueRange(begin, end, low, high), expected.lacks == 0);
      if (expected.lacks == 0) {
        ASSERT_EQ(low, expected.min);
        ASSERT_EQ(high, expected.max);
      }
      ASSERT_EQ(samples.LowerBound(plain[begin].x), begin);
    }
  }
  EXPECT_TRUE(samples.IsOrdered());
  samples.Append({-1, 0});
  EXPECT_FALSE(samples.IsOrdered());
}

}  // namespace
