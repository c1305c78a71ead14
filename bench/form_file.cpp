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

#include "browser/form_file_reader.h"
#include "objects/form_folder.h"
#include "shell/panel_classes.h"

namespace {

constexpr int kForms = 200;
constexpr int kObjectsPerForm = 50;

// Freed memory stays with the process. By default the allocator hands the documents' large
// blocks back to the system when they are freed and faults them in again on the next
// iteration, so that both sides would measure page faults (thousands per iteration) rather
// than their own work.
const bool s_freedMemoryKept = [] {
  mallopt(M_MMAP_THRESHOLD, 32 << 20);  // the largest the allocator accepts
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  return true;
}();

constexpr const char* kEvent =
    "Sub OnMouseUp(button)\r\n"
    "  // start the pump when the level allows it\r\n"
    "  If $Tank1.Level &lt; 90 &amp;&amp; $Pump1.Running == F Then\r\n"
    "    $Pump1.Start = T\r\n"
    "    ::Trace(&quot;started&quot;)\r\n"
    "  End If\r\n"
    "End Sub\r\n";

// One object of the kinds forms are mostly made of, at position i of its form.
void AppendObject(std::string& out, int i) {
  const std::string n = std::to_string(i);
  const std::string place = " Top=\"" + std::to_string(10 + i * 12) + "\" Left=\"" +
                            std::to_string(20 + i % 7 * 90) + "\" Height=\"24\" Width=\"80\"";
  switch (i % 5) {
    case 0:
      out += "<OBJ clid=\"Rectangle\" Name=\"Rect" + n + "\"" + place +
             " FillColor=\"#FFFF00\" BorderColor=\"@BorderColor\" BorderWidth=\"2\" Alpha=\"0.35\""
             " Bind=\"[Visible]$Pump1.Running == T[FillColor]$Tank1.Level &gt; 80 ? &quot;#FF0000&quot; : "
             "&quot;#00FF00&quot;\"/>\r\n";
      break;
    case 1:
      out += "<OBJ clid=\"Label\" Name=\"Label" + n + "\"" + place +
             " Text=\"Tank level\" TextFont=\"Meiryo UI,-13,0,400,0,0,0,0,0\" TextColor=\"#000000\""
             " TextAlignX=\"RIGHT\" Bind=\"[Text]$Tank1.Level\"/>\r\n";
      break;
    case 2:
      out += "<OBJ clid=\"Button\" Name=\"Button" + n + "\"" + place +
             " Text=\"Start\" TabStop=\"T\" Event=\"" + kEvent + "\"/>\r\n";
      break;
    case 3:
      out += "<OBJ clid=\"EditBox\" Name=\"Edit" + n + "\"" + place +
             " Text=\"\" Comment=\"set point\" Bind=\"[Text]$Boiler.SetPoint\"/>\r\n";
      break;
    default:
      out += "<OBJ clid=\"Group\" Name=\"Group" + n + "\"" + place + " InnerFrame=\"T\">\r\n";
      out += "<OBJ clid=\"Ellipse\" Name=\"Lamp" + n + "\"" + place +
             " FillColor=\"@LightOnColor\" Bind=\"[Visible]$Pump1.Running\"/>\r\n</OBJ>\r\n";
      break;
  }
}

// 50 objects per form: a group counts with the one object inside it.
const std::string& ProjectBody() {
  static const std::string s_body = [] {
    std::string out = "<ROOT>\r\n";
    for (int f = 0; f < kForms; ++f) {
      out += "<OBJ clid=\"Form\" Name=\"Form" + std::to_string(f) +
             "\" Height=\"600\" Width=\"800\" Stretch=\"RESIZE_FULL\" FillColor=\"#C0C0C0\">\r\n";
      for (int i = 0, objects = 0; objects < kObjectsPerForm; ++i) {
        AppendObject(out, i);
        objects += i % 5 == 4 ? 2 : 1;
      }
      out += "</OBJ>\r\n";
    }
    return out + "</ROOT>\r\n";
  }();
  return s_body;
}

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
