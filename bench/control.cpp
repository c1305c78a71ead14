// The control as a container drives it through libveltrixbrowser.so: its whole life with the
// demo project (made, window made off-screen, project opened, one panel method called,
// destroyed), and a panel-method round trip (literals in, the call, the literal out) beside
// the engine running the same script function directly, in the same run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "browser/project_browser.h"
#include "panel_registry.h"
#include "project/root_client_browser.h"
#include "script/script_engine_impl.h"
#include "support/utf16_text.h"
#include "veltrix_browser.h"

namespace {

constexpr const char* kScript = "function Scale(x, k) { return x * k + 1; }";

const std::string& SmallProject() {
  static const std::string s_path = [] {
    const std::string path = "/tmp/veltrix_bench_control_" + std::to_string(getpid()) + ".xml";
    std::ofstream(path, std::ios::binary)
        << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<ROOT>\r\n<FORMROOT clid=\"Client\" DefaultForm=\"Main\" "
           "Event=\""
        << kScript << "\">\r\n<OBJ clid=\"Form\" Name=\"Main\" Width=\"200\" Height=\"100\"/>\r\n</FORMROOT>\r\n</ROOT>\r\n";
    return path;
  }();
  return s_path;
}

void BM_ControlLifeWithTheDemoProject(benchmark::State& state) {
  for (auto _ : state) {
    vb_ctrl* ctrl = vb_ctrl_create();
    vb_ctrl_create_window(ctrl, 0, 800, 602);
    benchmark::DoNotOptimize(vb_ctrl_open_file(ctrl, VELTRIX_DEMO_PROJECT));
    const char* args[] = {"\"Overview\""};
    vb_string_free(vb_ctrl_call_panel_method(ctrl, "::GetForm", 1, args));
    vb_ctrl_destroy(ctrl);
  }
}
BENCHMARK(BM_ControlLifeWithTheDemoProject)->Unit(benchmark::kMillisecond);

void BM_PanelMethodRoundTrip(benchmark::State& state) {
  vb_ctrl* ctrl = vb_ctrl_create();
  vb_ctrl_open_file(ctrl, SmallProject().c_str());
  const char* args[] = {"12.5", "4"};
  for (auto _ : state) {
    char* result = vb_ctrl_call_panel_method(ctrl, "::Scale", 2, args);
    benchmark::DoNotOptimize(result);
    vb_string_free(result);
  }
  vb_ctrl_destroy(ctrl);
}
BENCHMARK(BM_PanelMethodRoundTrip);

// The reference: the same function run by the engine of an open project, values in and out.
void BM_ScriptFunctionInEngine(benchmark::State& state) {
  CRMessageLoop loop;
  CNPBrowserHost host;
  CNPProjectBrowser::Options options;
  options.startTickThread = false;
  CNPProjectBrowser browser(PanelRegistry(), loop, host, options);
  browser.OpenProject(Utf8ToUtf16(SmallProject()));
  CNScriptImpl& engine = *browser.GetScriptEngine();
  CNObject* root = browser.GetRootClient();
  for (auto _ : state) {
    CNValue args[2];
    args[0].SetNumber(12.5);
    args[1].SetNumber(4);
    CNValue result;
    engine.RunFunction(root, u"Scale", args, 2, &result);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_ScriptFunctionInEngine);

}  // namespace
