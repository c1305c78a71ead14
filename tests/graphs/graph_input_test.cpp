// Operator input on a running trend graph: dragging probes and the range controller's handles,
// and mouse zoom, with the events the graph's script sees.
#include <gtest/gtest.h>

#include <string>

#include "graph_script_host.h"
#include "graphs/trend_graph.h"

namespace {

// The plot of this graph is 400 x 200 pixels from (56, 12): a 6-unit margin, 50 units of value
// scale on the left, 30 of X labels under it.
constexpr std::u16string_view kScript =
    u"event OnProbeChanging(probeno, pos) { ::Trace(\"PG\", probeno, pos); }\n"
    u"event OnProbeChanged(penno, expect1, expect2, nearest1, nearest2, min, max, ave, validcnt, lackcnt) {\n"
    u"  ::Trace(\"PC\", penno); }\n"
    u"event OnRangeControlerChanging(displayLow, displayHigh) { ::Trace(\"RC\", displayLow, displayHigh); }\n"
    u"event OnChangeMouseZoom(state) { ::Trace(\"Z\", state); }\n"
    u"event OnSetup() {\n"
    u"  AddGroup(); SelectGroup(1);\n"
    u"  AddPen(\"p\", \"\", \"#0000FF\", \"analog\", \"periodic\", 0, 100, 0, 100); SelectPen(1);\n"
    u"  SetTimeRangeX(#2024/05/01 12:00:00#, #2024/05/01 12:06:40#);\n"
    u"}\n"
    u"event OnRange() { ::Trace(GetTimeRange()); }\n";

class TrendGraphInput : public testing::Test {
 protected:
  void SetUp() override {
    host.graph->SetPropertyText(u"Width", u"462");
    host.graph->SetPropertyText(u"Height", u"248");
    host.graph->SetPropertyText(u"Probe", u"DUAL");
    host.Start(kScript);
    host.Run(u"OnSetup");
    host.trace.clear();
  }
  std::string Drag(CNPoint from, std::initializer_list<CNPoint> moves) {
    host.trace.clear();
    host.graph->ButtonDown(MOUSE_LEFT, from);
    CNPoint last = from;
    for (const CNPoint& at : moves) {
      host.graph->MouseMove(at);
      last = at;
    }
    host.graph->ButtonUp(MOUSE_LEFT, last);
    return host.Traced();
  }

  GraphScriptHost<CNPTrendGraph> host;
};

TEST_F(TrendGraphInput, ProbesFollowTheMouseAndStayAPixelApart) {
  EXPECT_EQ(host.graph->GetPlotRect().width, 400);
  // Probe 1 stands at 0.25 (x 156), probe 2 at 0.75 (x 356).
  EXPECT_EQ(Drag({157, 100}, {{256, 100}, {256, 150}, {600, 100}}), "PG 1 0.5 PG 1 0.7475 PC 1");
  // Dragged to the far left, probe 2 stops a pixel right of probe 1.
  EXPECT_EQ(Drag({356, 100}, {{406, 100}, {0, 100}}), "PG 2 0.875 PG 2 0.75 PC 1");
  EXPECT_EQ(Drag({100, 100}, {{120, 100}}), "");  // nothing to take there
}

TEST_F(TrendGraphInput, RangeControllerHandlesEditTheDisplayBand) {
  host.graph->SetPropertyText(u"ShowRangeController", u"T");
  // The high handle at the top of the plot, the low one at the bottom, on its right edge.
  EXPECT_EQ(Drag({452, 13}, {{452, 62}, {452, 400}}), "RC 0 75 RC 0 5");
  // The handles stay 5 % of the plot's height apart.
  EXPECT_EQ(Drag({452, 202}, {{452, 12}}), "RC 0 100");
  EXPECT_EQ(Drag({452, 211}, {{452, 112}, {452, 0}}), "RC 50 100 RC 95 100");
}

TEST_F(TrendGraphInput, MouseZoomNarrowsTheRangeUntilADoubleClick) {
  host.graph->SetPropertyText(u"MouseZoom", u"ZOOM_X");
  EXPECT_EQ(Drag({106, 100}, {{256, 120}}), "Z 1");
  EXPECT_EQ(host.Run(u"OnRange"), "c(#2024/05/01 12:00:50#,#2024/05/01 12:03:20#)");
  host.trace.clear();
  host.graph->ButtonDblClick(MOUSE_LEFT, {200, 100});
  ASSERT_EQ(host.trace.size(), 2u);
  EXPECT_EQ(host.trace[1], "0");
  EXPECT_EQ(host.Run(u"OnRange"), "c(#2024/05/01 12:00:00#,#2024/05/01 12:06:40#)");
  EXPECT_EQ(Drag({106, 100}, {{107, 100}}), "");  // too small to zoom
}

}  // namespace
