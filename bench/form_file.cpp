// Loading and saving a project body of 200 forms with 50 objects each (10,000 objects with the
// attributes, binds and event scripts that saved projects carry), beside pugixml's parse of the
// same bytes alone. Both read the same bytes from memory; the parse frees its document
// inside the timed loop, as the load does. Peak memory of the process is reported with each result.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "controls/form_folder.h"
#include "generated_project.h"
#include "project/form_file_reader.h"
#include "shell/panel_classes.h"

namespace {

CNFormLoadContext& Context() {
  static CPanelControls s_registry;
  static CNFormLoadContext s_context = [] {
    RegisterPanelClasses(s_registry);
    return CNFormLoadContext(s_registry);
  }();
  return s_context;
}

// With --benchmark_repetitions: the fastest repetition, which other work on a busy machine
// disturbs least; compare the load with the parse by it.
double Fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

void ReportMemory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  state.counters["file_MB"] = static_cast<double>(ProjectBody().size()) / (1024.0 * 1024.0);
}

int CountObjects(const CNObject& object) {
  int count = 0;
  for (int32_t i = 0; i < object.GetChildCount(); ++i) count += 1 + CountObjects(*object.GetChild(i));
  return count;
}

void BM_PugixmlParse(benchmark::State& state) {
  const std::string& body = ProjectBody();
  for (auto _ : state) {
    pugi::xml_document document;
    benchmark::DoNotOptimize(
        document.load_buffer(body.data(), body.size(), kFormXmlParseOptions, pugi::encoding_utf8));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(body.size()));
  ReportMemory(state);
}
BENCHMARK(BM_PugixmlParse)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// The parse, then a visit of every attribute's name and value: what any load that reads the
// document pays before it makes an object.
size_t VisitAttributes(pugi::xml_node element) {
  size_t length = 0;
  for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute())
    length += std::strlen(a.name()) + std::strlen(a.value());
  for (pugi::xml_node child = element.first_child(); child; child = child.next_sibling())
    length += VisitAttributes(child);
  return length;
}

void BM_PugixmlParseAndVisit(benchmark::State& state) {
  const std::string& body = ProjectBody();
  for (auto _ : state) {
    pugi::xml_document document;
    document.load_buffer(body.data(), body.size(), kFormXmlParseOptions, pugi::encoding_utf8);
    benchmark::DoNotOptimize(VisitAttributes(document));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(body.size()));
}
BENCHMARK(BM_PugixmlParseAndVisit)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

// Parse and build the tree; dropping the tree is not timed.
void BM_FormLoad(benchmark::State& state) {
  const std::string& body = ProjectBody();
  CNFormLoadContext& context = Context();
  int objects = 0;
  for (auto _ : state) {
    auto* root = new CNPFormFolder;
    {
      pugi::xml_document document;
      document.load_buffer(body.data(), body.size(), kFormXmlParseOptions, pugi::encoding_utf8);
      LoadFormChildren(document.document_element(), *root, context);
    }
    state.PauseTiming();
    objects = CountObjects(*root) - kForms;
    root->Release();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(body.size()));
  state.counters["objects"] = objects;
  ReportMemory(state);
}
BENCHMARK(BM_FormLoad)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

void BM_FormSave(benchmark::State& state, bool omitDefaults) {
  const std::string& body = ProjectBody();
  CNPFormFolder root;
  pugi::xml_document document;
  document.load_buffer(body.data(), body.size(), kFormXmlParseOptions, pugi::encoding_utf8);
  LoadFormChildren(document.document_element(), root, Context());
  size_t size = 0;
  for (auto _ : state) {
    std::string out;
    for (int32_t i = 0; i < root.GetChildCount(); ++i) root.GetChild(i)->SaveXml(out, {}, omitDefaults);
    size = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["written_MB"] = static_cast<double>(size) / (1024.0 * 1024.0);
  ReportMemory(state);
}
BENCHMARK_CAPTURE(BM_FormSave, DefaultsOmitted, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FormSave, DefaultsWritten, false)->Unit(benchmark::kMillisecond);

}  // namespace
