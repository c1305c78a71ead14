// Trend graph speed: a full redraw with four long pens beside the same graph holding one
// sample per pixel column of the same signal, and appending samples beside a plain vector of
// pairs.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "draw/painter.h"
#include "draw/surface.h"
#include "graphs/trend_graph.h"
#include "screen/draw_context.h"

namespace {

constexpr double kStart = 1714564800.0;

CNValue Text(std::u16string_view text) {
  CNValue value;
  value.SetString(text);
  return value;
}

// Small deterministic noise in [-2, 2].
double Noise(size_t i) {
  uint64_t h = i * 0x9E3779B97F4A7C15ull;
  h ^= h >> 29;
  return static_cast<double>(h % 4001) / 1000.0 - 2.0;
}

// The process signal of pen p at fraction f of the view: three slow periods and noise; with
// dense set, a swing of the whole range every few pixel columns (the worst case to draw).
double Signal(int p, size_t i, double f, bool dense) {
  if (dense) return 50 + 40 * std::sin(static_cast<double>(i) * (p + 1) / 997.0);
  return 50 + 30 * std::sin(2 * M_PI * 3 * f + p) + Noise(i + static_cast<size_t>(p) * 7919);
}

// A 1280x400 trend of four pens of samples each, all in view.
std::unique_ptr<CNPTrendGraph> MakeTrend(size_t samples, bool dense) {
  auto graph = std::make_unique<CNPTrendGraph>();
  graph->SetProperty(u"Width", Text(u"1280"));
  graph->SetProperty(u"Height", Text(u"400"));
  graph->AddGroup(std::make_unique<CPlotGroup>());
  graph->SelectGroup(1, false);
  const char16_t* colors[] = {u"#FF0000", u"#0000FF", u"#008000", u"#800080"};
  for (int p = 0; p < 4; ++p) {
    CPlotPen& pen = *graph->AddPen();
    pen.color = colors[p];
    for (size_t i = 0; i < samples; ++i)
      pen.samples.Append({kStart + static_cast<double>(i) * (1e6 / static_cast<double>(samples)),
                          Signal(p, i, static_cast<double>(i) / static_cast<double>(samples), dense)});
  }
  graph->SetXRange(kStart, kStart + 1e6);
  graph->SelectPen(1);
  return graph;
}

void Redraw(benchmark::State& state, size_t samples, bool dense = false) {
  const auto graph = MakeTrend(samples, dense);
  CRSurface surface(1280, 400);
  for (auto _ : state) {
    CRPainter painter(surface);
    CNDrawContext context(painter);
    graph->Draw(context);
  }
}

void BM_TrendRedraw_4x1M(benchmark::State& state) {
  Redraw(state, 1'000'000);
}
void BM_TrendRedraw_4x1280(benchmark::State& state) {
  Redraw(state, 1'280);
}
void BM_TrendRedraw_4x1M_Dense(benchmark::State& state) {
  Redraw(state, 1'000'000, true);
}

constexpr uint32_t kAppendCount = 1'000'000;

// The two arrays a script hands to "AddData".
std::pair<CNValue, CNValue> SampleArrays() {
  std::pair<CNValue, CNValue> arrays;
  arrays.first.SetDimensions(1, &kAppendCount);
  arrays.second.SetDimensions(1, &kAppendCount);
  for (uint32_t i = 0; i < kAppendCount; ++i) {
    arrays.first.SetTimeAt(i, CNPTrendGraph::XToTime(kStart + i));
    arrays.second.SetNumberAt(i, std::sin(i / 100.0));
  }
  return arrays;
}

void BM_AddData_1M(benchmark::State& state) {
  const auto [xs, ys] = SampleArrays();
  for (auto _ : state) {
    CNPTrendGraph graph;
    graph.AddGroup(std::make_unique<CPlotGroup>());
    graph.SelectGroup(1, false);
    graph.AddPen();
    graph.AddSamples(1, {xs.GetElements(), ys.GetElements(), 1, 1, kAppendCount}, false);
    benchmark::DoNotOptimize(graph.GetPen(1)->samples.Size());
  }
  state.SetItemsProcessed(state.iterations() * kAppendCount);
}

// The reference: the same doubles pushed into a plain vector of pairs.
void BM_PlainVector_1M(benchmark::State& state) {
  const auto [xs, ys] = SampleArrays();
  for (auto _ : state) {
    std::vector<std::pair<double, double>> plain;
    for (uint32_t i = 0; i < kAppendCount; ++i) plain.emplace_back(xs.GetNumber(i), ys.GetNumber(i));
    benchmark::DoNotOptimize(plain.data());
  }
  state.SetItemsProcessed(state.iterations() * kAppendCount);
}

}  // namespace

BENCHMARK(BM_TrendRedraw_4x1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrendRedraw_4x1280)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrendRedraw_4x1M_Dense)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddData_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainVector_1M)->Unit(benchmark::kMillisecond);
