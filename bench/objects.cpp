// Object creation through the registry and property access by name, each beside a plain
// reference doing the same work. Allocations per call are counted with a replaced operator new.
#include <benchmark/benchmark.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <new>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "objects/object_registry.h"
#include "screen/pobject.h"

namespace {

std::atomic<uint64_t> s_allocations{0};

// The common screen-object table plus numbers up to 60 properties.
class BenchObject : public CNObjectClass<BenchObject, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"BenchObject";
  static constexpr std::array kValues = {
      Prop(u"Value", u"Value01", PT_NUMBER, u"0"), Prop(u"Value", u"Value02", PT_NUMBER, u"0"),
      Prop(u"Value", u"Value03", PT_NUMBER, u"0"), Prop(u"Value", u"Value04", PT_NUMBER, u"0"),
      Prop(u"Value", u"Value05", PT_NUMBER, u"0"), Prop(u"Value", u"Value06", PT_NUMBER, u"0"),
      Prop(u"Value", u"Value07", PT_NUMBER, u"0"), Prop(u"Value", u"Value08", PT_NUMBER, u"0"),
      Prop(u"Value", u"Value09", PT_NUMBER, u"0"), Prop(u"Value", u"Value10", PT_NUMBER, u"0"),
      Prop(u"Value", u"Value11", PT_NUMBER, u"0"), Prop(u"Value", u"Value12", PT_NUMBER, u"0"),
      Prop(u"Value", u"Value13", PT_NUMBER, u"0"), Prop(u"Value", u"Value14", PT_NUMBER, u"0"),
      Prop(u"Value", u"Value15", PT_NUMBER, u"0"), Prop(u"Value", u"Value16", PT_NUMBER, u"0"),
      Prop(u"Value", u"Value17", PT_NUMBER, u"0"), Prop(u"Value", u"Value18", PT_NUMBER, u"0"),
  };
  static constexpr auto kProperties = JoinProperties(CNPObject::kProperties, kValues);
  static constexpr auto kEvents = CNPObject::kEvents;
};
static_assert(BenchObject::kProperties.size() == 60);

constexpr int kObjects = 100'000;
constexpr std::u16string_view kProperty = u"Value17";

void CountAllocations(benchmark::State& state, uint64_t before, int64_t calls) {
  state.counters["allocs/call"] =
      static_cast<double>(s_allocations.load() - before) / static_cast<double>(calls);
}

void BM_RegistryCreateDestroy(benchmark::State& state) {
  CPanelControls registry;
  RegisterObjectClass<BenchObject>(registry, BenchObject::kClassId, u"Bench");
  std::vector<CNObject*> objects(kObjects);
  for (auto _ : state) {
    for (CNObject*& object : objects) object = registry.Create(BenchObject::kClassId);
    for (CNObject* object : objects) object->Release();
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_RegistryCreateDestroy)->Unit(benchmark::kMillisecond);

void BM_PlainNewDelete(benchmark::State& state) {
  std::vector<CNObject*> objects(kObjects);
  for (auto _ : state) {
    for (CNObject*& object : objects) object = new BenchObject;
    for (CNObject* object : objects) delete object;
  }
  state.SetItemsProcessed(state.iterations() * kObjects);
}
BENCHMARK(BM_PlainNewDelete)->Unit(benchmark::kMillisecond);

void BM_SetPropertyByName(benchmark::State& state) {
  auto object = CRPtr<BenchObject>::Make();
  CNValue value;
  double n = 0;
  const uint64_t before = s_allocations.load();
  for (auto _ : state) {
    value.SetNumber(n += 1);
    benchmark::DoNotOptimize(object->SetProperty(kProperty, value));
  }
  CountAllocations(state, before, state.iterations());
}
BENCHMARK(BM_SetPropertyByName);

void BM_GetPropertyByName(benchmark::State& state) {
  auto object = CRPtr<BenchObject>::Make();
  CNValue value;
  value.SetNumber(5);
  object->SetProperty(kProperty, value);
  const uint64_t before = s_allocations.load();
  for (auto _ : state) {
    benchmark::DoNotOptimize(object->GetProperty(kProperty, value));
    benchmark::DoNotOptimize(value.GetNumber(0));
  }
  CountAllocations(state, before, state.iterations());
}
BENCHMARK(BM_GetPropertyByName);

// The same 60 names in a hash map of numbers.
void BM_PlainMapSetGet(benchmark::State& state) {
  std::unordered_map<std::u16string_view, double> values;
  for (const PropertyEntry& entry : BenchObject::kProperties) values.emplace(entry.info.name, 0);
  double n = 0;
  for (auto _ : state) {
    values.find(kProperty)->second = n += 1;
    benchmark::DoNotOptimize(values.find(kProperty)->second);
  }
}
BENCHMARK(BM_PlainMapSetGet);

}  // namespace

// Counting replacements of the global allocation functions. GCC pairs inlined new and delete
// expressions with malloc and free and warns about a mismatch that is not there.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  s_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
#pragma GCC diagnostic pop
