// Number formatting through a format string ("@NUMBER.2S3": two places, thousands grouped), beside
// the C library's snprintf("%.2f") of the same values in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "formats/format_store.h"

namespace {

constexpr size_t kValues = 1'000'000;

// Values of every size a panel shows, both signs, with fractions.
const std::vector<double>& Values() {
  static const std::vector<double> s_values = [] {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(0, 9);
    std::vector<double> values(kValues);
    for (double& value : values) value = mantissa(random) * std::pow(10.0, exponent(random));
    return values;
  }();
  return s_values;
}

void BM_FormatNumberGrouped(benchmark::State& state) {
  CNFormatStore store(u"C");
  std::u16string text;
  for (auto _ : state) {
    for (const double value : Values()) {
      store.Format(u"@NUMBER.2S3", 0, false, value, -1, -1, text);
      benchmark::DoNotOptimize(text.data());
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kValues));
}
BENCHMARK(BM_FormatNumberGrouped)->Unit(benchmark::kMillisecond);

void BM_SnprintfTwoPlaces(benchmark::State& state) {
  char text[512];
  for (auto _ : state) {
    for (const double value : Values()) {
      std::snprintf(text, sizeof text, "%.2f", value);
      benchmark::DoNotOptimize(text);
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kValues));
}
BENCHMARK(BM_SnprintfTwoPlaces)->Unit(benchmark::kMillisecond);

}  // namespace
