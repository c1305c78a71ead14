// The screen's share of a refresh: a 1280 x 800 form of 1,000 rectangles with texts, ten of
// them (a block of values in one row) bound to memory tags that change every refresh. One
// iteration changes the tags, runs the refresh tick (tags dispatched, binds evaluated, the view's
// objects ticked and the changes collected), then takes the view's dirty area and paints it.
// Beside it: the whole view painted, and the same rectangles and texts drawn straight with the
// painter, without objects.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "browser/project_browser.h"
#include "draw/painter.h"
#include "draw/surface.h"
#include "panel_registry.h"
#include "project/tick_schedule.h"
#include "support/message_box.h"
#include "support/message_loop.h"
#include "support/utf16_text.h"
#include "tags/tag_server_suite.h"
#include "views/view.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kColumns = 40;  // 40 x 25 cells of 32 pixels
constexpr int kObjects = 1000;
constexpr int kBound = 10;
constexpr int kFirstBound = 12 * kColumns + 15;  // row 12, columns 15 to 24

CNRect CellRect(int i) {
  const int left = i % kColumns * 32;
  const int top = i / kColumns * 32;
  return {left + 1, top + 1, left + 31, top + 31};
}

const std::string& ProjectPath() {
  static const std::string s_path = [] {
    std::string text =
        "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<ROOT>\r\n<FORMROOT clid=\"Client\" "
        "Name=\"Bench\" DefaultForm=\"Main\" Stretch=\"NONE\" FileRev=\"3\">\r\n"
        "<OBJ clid=\"Form\" Name=\"Main\" Width=\"1280\" Height=\"800\" FillColor=\"#C0C0C0\">\r\n";
    for (int i = 0; i < kObjects; ++i) {
      const CNRect r = CellRect(i);
      text += "<OBJ clid=\"Rectangle\" Name=\"R" + std::to_string(i) + "\" Left=\"" + std::to_string(r.left) +
              "\" Top=\"" + std::to_string(r.top) + "\" Width=\"30\" Height=\"30\" FillColor=\"#FFFFE0\" Text=\"" +
              std::to_string(i) + "\"";
      const int bound = i - kFirstBound;
      if (bound >= 0 && bound < kBound) {
        const std::string tag = "$D" + std::to_string(bound);
        text += " Bind=\"[Text]" + tag + "[FillColor]{" + tag + " &gt; 50}{&quot;#FF0000&quot;},{default}{&quot;#00FF00&quot;};\"";
      }
      text += "/>\r\n";
    }
    text += "</OBJ>\r\n</FORMROOT>\r\n</ROOT>\r\n";
    const std::string path = "/tmp/veltrix_bench_view_" + std::to_string(getpid()) + ".xml";
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }();
  return s_path;
}

// The project open in a runtime without a window or tick thread, its main view 1280 x 800.
class Panel {
 public:
  Panel() : m_previousBox(CRMessageBox::SetCurrent(&m_box)) {
    CNPProjectBrowser::Options options;
    options.startTickThread = false;
    options.registryRoot = "/tmp/veltrix_bench_view_registry";
    m_browser = std::make_unique<CNPProjectBrowser>(PanelRegistry(), m_loop, m_host, options);
    m_browser->SetHostSize({kWidth, kHeight});
    m_bOpen = m_browser->OpenProject(Utf8ToUtf16(ProjectPath()));
    if (!m_bOpen) return;
    view = m_browser->GetShownViews().front().view;
    CNPTagServerSuite& tags = *m_browser->GetTagServer();
    for (int i = 0; i < kBound; ++i) m_tags.push_back(tags.GetTag(u"$D" + AsciiToUtf16(std::to_string(i)), 0, nullptr));
    CRRectF ignored;
    view->TakeDirtyArea(ignored);
  }
  ~Panel() {
    if (m_bOpen)
      for (CNPTag* tag : m_tags) m_browser->GetTagServer()->ReleaseTag(tag, nullptr);
    m_browser.reset();
    CRMessageBox::SetCurrent(m_previousBox);
  }
  bool IsOpen() const { return m_bOpen && view; }

  // Every bound value changes, and with each second refresh the fill colour too.
  void Refresh(int tick) {
    CNValue value;
    value.SetNumber(tick % 2 == 0 ? 10 + tick % 40 : 60 + tick % 40);
    for (CNPTag* tag : m_tags) m_browser->GetTagServer()->SetValue(tag, value);
    m_browser->OnTick(TICK_REFRESH);
  }
  CNImageSource* Images() { return m_browser->GetImageSource(); }

  CNPView* view = nullptr;

 private:
  CRRecordingMessageBox m_box;
  CRMessageBox* m_previousBox;
  CRMessageLoop m_loop;
  CNPBrowserHost m_host;
  std::unique_ptr<CNPProjectBrowser> m_browser;
  std::vector<CNPTag*> m_tags;
  bool m_bOpen = false;
};

void BM_ViewRefreshDirtyRepaint(benchmark::State& state) {
  Panel panel;
  if (!panel.IsOpen()) return state.SkipWithError("the project did not open");
  CRSurface surface(kWidth, kHeight);
  CRPainter painter(surface);
  int tick = 0;
  double pixels = 0;
  for (auto _ : state) {
    panel.Refresh(++tick);
    CRRectF area;
    if (panel.view->TakeDirtyArea(area)) {
      panel.view->Paint(painter, area, panel.Images());
      pixels += area.width * area.height;
    }
  }
  state.counters["dirty px"] = pixels / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ViewRefreshDirtyRepaint)->Unit(benchmark::kMicrosecond);

void BM_ViewFullRepaint(benchmark::State& state) {
  Panel panel;
  if (!panel.IsOpen()) return state.SkipWithError("the project did not open");
  CRSurface surface(kWidth, kHeight);
  CRPainter painter(surface);
  for (auto _ : state) panel.view->Paint(painter, {0, 0, kWidth, kHeight}, panel.Images());
}
BENCHMARK(BM_ViewFullRepaint)->Unit(benchmark::kMicrosecond);

// The reference: the form's background, the rectangles and their texts drawn with the painter.
void BM_PainterFullRepaint(benchmark::State& state) {
  CRSurface surface(kWidth, kHeight);
  CRPainter painter(surface);
  CRBrush background;
  background.color = 0xC0C0C0;
  CRBrush fill;
  fill.color = 0xE0FFFF;
  CRPen border;
  const CRFont font;
  CRTextFormat centred;
  centred.horizontal = CRTextAlign::kCenter;
  centred.vertical = CRTextAlign::kCenter;
  std::vector<std::u16string> texts;
  for (int i = 0; i < kObjects; ++i) texts.push_back(AsciiToUtf16(std::to_string(i)));
  for (auto _ : state) {
    painter.FillPath(CRPath::Rectangle({0, 0, kWidth, kHeight}), background);
    for (int i = 0; i < kObjects; ++i) {
      const CNRect r = CellRect(i);
      const CRRectF rect{double(r.left), double(r.top), 30, 30};
      painter.FillPath(CRPath::Rectangle(rect), fill);
      painter.StrokePath(CRPath::Rectangle({rect.x + 0.5, rect.y + 0.5, 29, 29}), border);
      painter.DrawText(texts[i], font, 0, 1.0, rect, centred);
    }
  }
}
BENCHMARK(BM_PainterFullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
