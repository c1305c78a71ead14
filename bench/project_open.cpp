// Opening the generated 10,000-object project in the runtime (document loaded, every event
// script compiled, the default form's binds compiled and connected, the form opened and
// initialised), and checking it as veltrix-check does (loaded with every attribute checked,
// then every check), beside loading the document into a root client alone, in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "browser/project_browser.h"
#include "check/check_load_context.h"
#include "check/project_check.h"
#include "generated_project.h"
#include "panel_registry.h"
#include "project/root_client_browser.h"
#include "support/message_box.h"
#include "support/utf16_text.h"

namespace {

// The project file: the generated body's forms under a FORMROOT that opens the first of them.
const std::string& ProjectPath() {
  static const std::string s_path = [] {
    std::string body = ProjectBody();
    body.replace(0, body.find("\r\n") + 2,
                 "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<ROOT>\r\n<FORMROOT clid=\"Client\" "
                 "Name=\"Bench\" DefaultForm=\"Form0\" FileRev=\"3\">\r\n");
    body.replace(body.rfind("</ROOT>"), 7, "</FORMROOT>\r\n</ROOT>");
    const std::string path = "/tmp/veltrix_bench_project_" + std::to_string(getpid()) + ".xml";
    std::ofstream(path, std::ios::binary) << body;
    return path;
  }();
  return s_path;
}

double Fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

void BM_ProjectLoad(benchmark::State& state) {
  const std::u16string path = Utf8ToUtf16(ProjectPath());
  CNFormLoadContext context(PanelRegistry());
  for (auto _ : state) {
    auto root = CRPtr<CNPRootClientBrowser>::Make();
    benchmark::DoNotOptimize(root->OpenProject(path, context));
    state.PauseTiming();
    root.Reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ProjectLoad)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

void BM_ProjectCheck(benchmark::State& state) {
  const std::u16string path = Utf8ToUtf16(ProjectPath());
  for (auto _ : state) {
    auto root = CRPtr<CNPRootClientBrowser>::Make();
    CNCheckLoadContext context(*root, PanelRegistry());
    benchmark::DoNotOptimize(root->OpenProject(path, context));
    // The generated binds' "? :" is no bind syntax: 1,800 problems are found and listed.
    benchmark::DoNotOptimize(CheckProject(*root).size() + context.GetProblems().size());
    state.PauseTiming();
    root.Reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ProjectCheck)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

void BM_ProjectOpen(benchmark::State& state) {
  const std::u16string path = Utf8ToUtf16(ProjectPath());
  CRRecordingMessageBox box;
  CRMessageBox* previous = CRMessageBox::SetCurrent(&box);
  CRMessageLoop loop;
  CNPBrowserHost host;
  CNPProjectBrowser::Options options;
  options.startTickThread = false;
  options.registryRoot = "/tmp/veltrix_bench_registry";
  CNPProjectBrowser browser(PanelRegistry(), loop, host, options);
  bool opened = true;
  for (auto _ : state) {
    opened = browser.OpenProject(path) && opened;
    state.PauseTiming();
    browser.CloseProject();
    state.ResumeTiming();
  }
  if (!opened) state.SkipWithError("the project did not open");
  CRMessageBox::SetCurrent(previous);
}
BENCHMARK(BM_ProjectOpen)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", Fastest);

}  // namespace
