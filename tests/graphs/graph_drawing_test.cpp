// The graphs as drawn: golden images of the features an operator sees, and the decimated
// drawing of a long pen against the drawing of every sample.
#include <gtest/gtest.h>

#include <random>

#include "draw/pixels.h"
#include "drawing/draw_test_util.h"
#include "drawing/golden_image.h"
#include "graphs/pen_trace.h"
#include "graphs/plot_graph.h"
#include "graphs/trend_graph.h"
#include "values/value_test_util.h"

namespace {

// 2024-05-01 12:00:00 UTC as the graph's x.
constexpr double kNoon = 1714564800.0;

class GraphDrawing : public testing::Test {
 protected:
  ScopedTimeZone m_utc{"UTC0"};
  // Black text and border on white, the properties given, and one group selected.
  static void Prepare(CNPPlotter& graph, std::u16string_view texts) {
    SetTexts(graph, u"FillColor=#FFFFFF; TextColor=#000000; BorderColor=#000000");
    SetTexts(graph, texts);
    graph.AddGroup(std::make_unique<CPlotGroup>());
    graph.SelectGroup(1, false);
  }
  // A pen in the selected group with its colour, data type, plot type and range.
  static CPlotPen& Pen(CNPPlotter& graph, std::u16string_view color, std::u16string_view type,
                       std::u16string_view plotType, double low, double high) {
    CPlotPen& pen = *graph.AddPen();
    const uint32_t number = graph.GetPenCount();
    for (const auto& [name, text] :
         {std::pair{u"Color", color}, {u"DataType", type}, {u"PlotType", plotType}}) {
      CNValue value;
      value.SetString(text);
      graph.SetPenProperty(number, name, value);
    }
    pen.low = low;
    pen.high = high;
    return pen;
  }
};

TEST_F(GraphDrawing, TrendWithLackGuideLineDualProbesAndRangeController) {
  CNPTrendGraph graph;
  Prepare(graph,
          u"Width=400; Height=240; Probe=DUAL; ShowRangeController=T; TitleTop=Tank 1; GridCountX=4; "
          u"FillColor=#F0F0F0; FormatDate=@DATETIME.D; FormatTime=@DATETIME.T");
  CPlotPen& level = Pen(graph, u"#0000FF", u"analog", u"periodic", 0, 100);
  CPlotPen& flow = Pen(graph, u"#008000", u"analog", u"changebased", 0, 50);
  for (int s = 0; s <= 600; s += 10) {
    level.samples.Append({kNoon + s, s > 250 && s < 320 ? kLackValue : 50 + 30 * std::sin(s / 60.0)});
    flow.samples.Append({kNoon + s, 10.0 + (s / 100) * 6});
  }
  graph.GetSelectedGroupPtr()->lines.push_back({.value = 80,
                                                .lineColor = u"#FF0000",
                                                .text1 = u"HH",
                                                .text2 = u"80",
                                                .textColor = u"#FF0000",
                                                .textPosition = 1});
  graph.SetXRange(kNoon, kNoon + 600);
  graph.SelectPen(1);
  level.displayLow = 10;
  level.displayHigh = 90;
  graph.SetProbePos(1, 0.3);
  graph.SetProbePos(2, 0.7);
  EXPECT_TRUE(MatchesGoldenImage(*Render(graph, 400, 240), "trend_two_pens", 8, 60));
}

TEST_F(GraphDrawing, PowerFactorAndColorBarPens) {
  CNPTrendGraph graph;
  Prepare(graph, u"Width=320; Height=200; GridCountY=4");
  CPlotPen& pf = Pen(graph, u"#800080", u"powerfactor00", u"periodic", 0, 100);
  CPlotPen& bar = Pen(graph, u"#000000", u"analog", u"colorbar", 0, 100);
  bar.barSize = 16;
  for (int s = 0; s <= 300; s += 5) {
    pf.samples.Append({kNoon + s, 50 + 40 * std::sin(s / 40.0)});
    bar.samples.Append({kNoon + s, s / 3.0});
  }
  graph.SetXRange(kNoon, kNoon + 300);
  graph.SelectPen(1);
  EXPECT_TRUE(MatchesGoldenImage(*Render(graph, 320, 200), "trend_power_factor_color_bar", 8, 60));
}

TEST_F(GraphDrawing, PlotGraphWithNumberAxes) {
  CNPPlotGraph graph;
  Prepare(graph, u"Width=300; Height=200; TitleBottom=Pressure; TitleLeft=Flow");
  CPlotPen& curve = Pen(graph, u"#FF0000", u"analog", u"periodic", 0, 10);
  curve.pointSize = 4;
  for (int i = 0; i <= 20; ++i) curve.samples.Append({i * 5.0, 0.1 * i * i / 4});
  graph.SetXRange(0, 100);
  EXPECT_TRUE(MatchesGoldenImage(*Render(graph, 300, 200), "plot_graph", 8, 60));
}

// 100,000 noisy samples across 1,000 pixel columns, drawn from the column summaries and drawn
// sample by sample: the same pixels.
TEST_F(GraphDrawing, DecimatedPenCoversTheSamePixelsAsEverySample) {
  CPlotPen pen;
  pen.low = -10;
  pen.high = 110;
  std::mt19937 random(3);
  std::normal_distribution<double> noise(0, 8);
  for (int i = 0; i < 100000; ++i)
    pen.samples.Append({i * 0.01, 50 + 30 * std::sin(i / 5000.0) + noise(random)});
  CPenMapping mapping;
  mapping.plot = {10, 10, 1000, 300};
  mapping.xFrom = 0;
  mapping.xTo = 1000;
  const auto draw = [&](bool decimate) {
    auto surface = std::make_unique<CRSurface>(1020, 320);
    CRPainter painter(*surface);
    CRPen line;
    line.join = CRLineJoin::kRound;
    for (const auto& run : TracePen(pen, mapping, decimate).runs)
      painter.StrokePath(CRPath::Polyline(run), line);
    return surface;
  };
  EXPECT_EQ(DifferingPixels(*draw(false), *draw(true)), 0);
  EXPECT_LT(TracePen(pen, mapping, true).runs[0].size(), 4100u);
}

}  // namespace
