// Element-wise arithmetic, literal text and copies of large values, each beside a plain
// reference doing the same work.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "values/value.h"

namespace {

constexpr uint32_t kElements = 10'000;

CNValue NumberList() {
  CNValue v;
  v.SetDimensions(1, &kElements);
  for (uint32_t i = 0; i < kElements; ++i) v.SetNumberAt(i, i + 1);
  return v;
}

CNValue StringList() {
  CNValue v;
  v.SetDimensions(1, &kElements);
  for (uint32_t i = 0; i < kElements; ++i) v.SetStringAt(i, u"tag value " + std::u16string(1, u'a' + i % 26));
  return v;
}

void BM_ValueAdd(benchmark::State& state) {
  const CNValue list = NumberList();
  CNValue one;
  one.SetNumber(1);
  for (auto _ : state) {
    CNValue result;
    CNValue::Operate(VOP_ADD, result, list, one);
    benchmark::DoNotOptimize(result.GetElements());
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_ValueAdd);

void BM_PlainVectorAdd(benchmark::State& state) {
  std::vector<double> list(kElements);
  for (uint32_t i = 0; i < kElements; ++i) list[i] = i + 1;
  for (auto _ : state) {
    std::vector<double> result(list.size());
    for (size_t i = 0; i < list.size(); ++i) result[i] = list[i] + 1.0;
    benchmark::DoNotOptimize(result.data());
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_PlainVectorAdd);

void BM_ValueEqual(benchmark::State& state) {
  const CNValue list = NumberList();
  CNValue probe;
  probe.SetNumber(5000);
  for (auto _ : state) {
    CNValue result;
    CNValue::Operate(VOP_EQUAL, result, list, probe);
    benchmark::DoNotOptimize(result.GetElements());
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_ValueEqual);

void BM_PlainVectorEqual(benchmark::State& state) {
  std::vector<double> list(kElements);
  for (uint32_t i = 0; i < kElements; ++i) list[i] = i + 1;
  for (auto _ : state) {
    std::vector<char> result(list.size());
    for (size_t i = 0; i < list.size(); ++i) result[i] = list[i] == 5000.0;
    benchmark::DoNotOptimize(result.data());
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_PlainVectorEqual);

void BM_LiteralText(benchmark::State& state) {
  const CNValue list = NumberList();
  size_t bytes = 0;
  for (auto _ : state) {
    std::u16string text = list.ToLiteral(true);
    bytes += text.size() * sizeof(char16_t);
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_LiteralText);

void BM_LiteralParse(benchmark::State& state) {
  const std::u16string text = NumberList().ToLiteral(true);
  for (auto _ : state) {
    CNValue v;
    v.FromLiteral(text, true);
    benchmark::DoNotOptimize(v.GetElements());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size() * sizeof(char16_t)));
}
BENCHMARK(BM_LiteralParse);

void BM_AssignStringList(benchmark::State& state) {
  const CNValue list = StringList();
  for (auto _ : state) {
    CNValue copy;
    copy.Assign(list);
    benchmark::DoNotOptimize(copy.GetElements());
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_AssignStringList);

void BM_PlainVectorOfStringsCopy(benchmark::State& state) {
  std::vector<std::u16string> list(kElements);
  for (uint32_t i = 0; i < kElements; ++i) list[i] = u"tag value " + std::u16string(1, u'a' + i % 26);
  for (auto _ : state) {
    std::vector<std::u16string> copy = list;
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetItemsProcessed(state.iterations() * kElements);
}
BENCHMARK(BM_PlainVectorOfStringsCopy);

}  // namespace
