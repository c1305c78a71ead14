#include "graphs/graph_methods.h"

#include <mutex>
#include <vector>

#include "graphs/graph_method_args.h"
#include "graphs/trend_graph.h"
#include "script/builtin_tables.h"

namespace {

bool IsTrendGraph(const CNObject& target) {
  return dynamic_cast<const CNPTrendGraph*>(&target) != nullptr;
}
bool IsPlotter(const CNObject& target) {
  return dynamic_cast<const CNPPlotter*>(&target) != nullptr;
}

std::vector<MethodEntry> JoinTables(std::initializer_list<std::span<const MethodEntry>> tables) {
  std::vector<MethodEntry> entries;
  for (const auto& table : tables) entries.insert(entries.end(), table.begin(), table.end());
  return entries;
}

}  // namespace

void SetResultList(CMethodCall& call, std::span<const CNValue> values) {
  const auto count = static_cast<uint32_t>(values.size());
  call.result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) call.result.CopyElementAt(i, values[i], 0);
}

void RegisterGraphMethods() {
  static std::once_flag s_once;
  std::call_once(s_once, [] {
    static const std::vector<MethodEntry> s_plotter =
        JoinTables({GraphGroupMethods(), GraphPenMethods(), GraphLineMethods(), GraphDataMethods()});
    static const std::vector<MethodEntry> s_trend =
        JoinTables({GraphGroupMethods(), GraphPenMethods(), GraphLineMethods(), GraphDataMethods(),
                    TrendGraphOwnMethods()});
    static const CKVMethodTable s_trendTable(s_trend);
    static const CKVMethodTable s_plotterTable(s_plotter);
    // The trend graph's table first: the first table whose class test passes answers.
    CKVBuiltIns::RegisterClassTable(IsTrendGraph, s_trendTable);
    CKVBuiltIns::RegisterClassTable(IsPlotter, s_plotterTable);
  });
}
