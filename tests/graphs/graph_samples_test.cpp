// The sample rules as a project's script meets them: data calls on a trend graph, the samples
// it keeps, and what "OnPlotValueChanged" reports.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "drawing/draw_test_util.h"
#include "graph_script_host.h"
#include "graphs/plot_graph.h"
#include "graphs/trend_graph.h"

namespace {

// The samples of pen 1 as "x:y" with x in seconds from the first sample, "L" for a lack.
std::string Samples(const CNPPlotter& graph) {
  const CPlotSamples& samples = graph.GetPen(1)->samples;
  std::string out;
  for (size_t i = 0; i < samples.Size(); ++i) {
    char item[64];
    const double y = samples[i].y;
    if (IsLackValue(y))
      std::snprintf(item, sizeof item, "%g:L", samples[i].x - samples[0].x);
    else
      std::snprintf(item, sizeof item, "%g:%g", samples[i].x - samples[0].x, y);
    out += (out.empty() ? "" : " ") + std::string(item);
  }
  return out;
}

constexpr char kPreamble[] =
    "event OnPlotValueChanged(penno, state, date, value) { ::Trace(\"PV\", penno, state, value); }\n"
    "event OnTest() {\n"
    "  AddGroup(\"g\");\n"
    "  SelectGroup(1);\n";

TEST(TrendGraphSamples, RulesOfLackTypeRangeGapAndLimit) {
  struct Case {
    const char* name;
    const char* graphProperties;  // "Name=value; ..." on the graph
    const char* pen;              // data type, low, high
    const char* calls;            // script lines after the pen is added
    const char* samples;
    const char* events;
  };
  const Case cases[] = {
      {"numeric lack marker", "ValueForLackType=NUM;ValueForLack=-9999", "\"analog\",0,100",
       "AddData(1, c(#2024/01/01 00:00:00#, #2024/01/01 00:00:01#), c(5, -9999));", "0:5 1:L", "PV 1 0 0"},
      {"empty text is a lack with NULL", "ValueForLackType=NULL", "\"analog\",0,100",
       "AddData(1, c(#2024/01/01 00:00:00#, #2024/01/01 00:00:01#), c(\"\", 7));", "0:L 1:7", "PV 1 1 7"},
      {"marker text is a lack with STR", "ValueForLackType=STR;ValueForLack=x", "\"analog\",0,100",
       "AddData(1, c(c(#2024/01/01 00:00:00#, \"x\"), c(#2024/01/01 00:00:02#, \"X\")));", "0:L 2:0",
       "PV 1 1 0"},
      {"no lack type: everything is a value", "ValueForLackType=NONE;ValueForLack=-9999", "\"analog\",0,100",
       "AddData(1, c(#2024/01/01 00:00:00#), c(-9999));", "0:-9999", "PV 1 1 -9999"},
      {"a gap of DiffForLack or more gets a lack in its middle", "DiffForLack=60", "\"analog\",0,100",
       "AddData(1, c(#2024/01/01 00:00:00#, #2024/01/01 00:01:30#, #2024/01/01 00:02:00#), c(1, 2, 3));",
       "0:1 45:L 90:2 120:3", "PV 1 1 3"},
      {"MaxPoints keeps the newest", "", "\"analog\",0,100",
       "SetPenMaxPoints(1, 3);\n"
       "AddData(1, c(#2024/01/01 00:00:00#, #2024/01/01 00:00:01#, #2024/01/01 00:00:02#, "
       "#2024/01/01 00:00:03#, #2024/01/01 00:00:04#), c(1, 2, 3, 4, 5));",
       "0:3 1:4 2:5", "PV 1 1 5"},
      {"DELETEDATA drops what lies outside", "PlotOutOfRange=DELETEDATA", "\"analog\",0,100",
       "AddData(1, c(#2024/01/01 00:00:00#, #2024/01/01 00:00:01#), c(50, 120));", "0:50", "PV 1 1 50"},
      {"FLATMAXMINDATA clamps", "PlotOutOfRange=FLATMAXMINDATA", "\"analog\",0,100",
       "AddData(1, c(#2024/01/01 00:00:00#, #2024/01/01 00:00:01#), c(-3, 120));", "0:0 1:100", "PV 1 1 100"},
      {"booleans keep no range rule", "PlotOutOfRange=DELETEDATA", "\"boolean\",0,0",
       "AddData(1, c(#2024/01/01 00:00:00#, #2024/01/01 00:00:01#), c(5, 0));", "0:1 1:0", "PV 1 1 0"},
      {"enumerations are truncated", "", "\"enumeration\",0,10",
       "AddData(1, c(#2024/01/01 00:00:00#), c(2.7));", "0:2", "PV 1 1 2"},
      {"SetPenData replaces", "", "\"analog\",0,100",
       "AddData(1, c(#2024/01/01 00:00:00#), c(1));\nSetPenData(1, c(#2024/01/01 00:00:05#), c(9));", "0:9",
       "PV 1 1 1 PV 1 1 9"},
      {"the five-argument form takes columns from 0", "", "\"analog\",0,100",
       "AddData(1, c(c(0, #2024/01/01 00:00:00#)), 1, c(c(4, 5, 6)), 2);", "0:6", "PV 1 1 6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GraphScriptHost<CNPTrendGraph> host;
    SetTexts(*host.graph, Utf8ToUtf16(c.graphProperties));
    std::string pen = c.pen;
    pen.insert(pen.find(','), ", \"periodic\"");
    host.Start(Utf8ToUtf16(std::string(kPreamble) + "  AddPen(\"p\", \"u\", \"#FF0000\", " + pen +
                           ", 0, 100);\n" + c.calls + "\n}\n"));
    EXPECT_EQ(host.Run(u"OnTest"), c.events);
    EXPECT_EQ(Samples(*host.graph), c.samples);
  }
}

TEST(TrendGraphSamples, NewPensTakeTheGraphsPlotLook) {
  GraphScriptHost<CNPTrendGraph> host;
  host.graph->SetPropertyText(u"PlotLineSize", u"3");
  host.graph->SetPropertyText(u"PlotLackPointSize", u"4");
  host.graph->SetPropertyText(u"PlotColorBarColor", u"#0000FF,#FFFFFF");
  host.Start(
      u"event OnTest() { AddGroup(); SelectGroup(1);\n"
      u"  InsertPen(2, \"p\", \"\", \"default\", \"analog\", \"periodic\", 0, 100, 0, 100);\n"
      u"  ::Trace(GetPenCount(), GetPenPlotSize(1), GetPenProperty(1, \"ColorBarColor\", 0),\n"
      u"          GetPenProperty(2, \"Color\", 0), PlotOffsetColor);\n"
      u"  SetPenPlotSize(1, 2); ::Trace(GetPenPlotSize(1)); }\n");
  EXPECT_EQ(host.Run(u"OnTest"), "2 c(3,0,1,4,0) #0000FF,#FFFFFF #0000FF 0 c(2,0,1,0,0)");
}

}  // namespace
