// Bad input from scripts: the specified result, nothing stored that should not be, no crash.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graph_script_host.h"
#include "graphs/plot_graph.h"
#include "graphs/trend_graph.h"
#include "values/value_test_util.h"

namespace {

TEST(GraphBadInput, CallsAnswerAndStoreAsSpecified) {
  struct Case {
    const char16_t* call;
    const char* result;
    size_t samplesAfter;
  };
  const Case cases[] = {
      {u"AddData(1, c(#2024/01/01 00:00:00#, #2024/01/01 00:00:01#), c(1))", "F", 0},  // lengths differ
      {u"AddData(1, c(1, 2))", "F", 0},                                                // not a table
      {u"AddData(1, c(\"#2024/01/01 00:00:00#\", \"not a time\"), c(1, 2))", "T", 1},  // the text that parses
      {u"AddData(1, c(#2024/01/01 00:00:00#), c(\"abc\"))", "T", 1},  // a text is a number as values read it
      {u"AddData(0, c(#2024/01/01 00:00:00#), c(1))", "F", 0},
      {u"AddData(2, c(#2024/01/01 00:00:00#), c(1))", "F", 0},
      {u"AddData(1, c(c(#2024/01/01 00:00:00#, 1)), 5, c(c(1)), 0)", "F", 0},  // no column 5
      {u"AddData(1)", "F", 0},
      {u"SetPenProperty(0, \"Low\", 1)", "F", 0},
      {u"SetPenProperty(2, \"Low\", 1)", "F", 0},
      {u"SetPenProperty(1, \"low\", 1)", "F", 0},  // names are case-sensitive
      {u"SetPenProperty(1, \"DataType\", \"digital\")", "F", 0},
      {u"SetGroupProperty(0, \"Low\", 1)", "F", 0},
      {u"SetGroupProperty(3, \"Low\", 1)", "F", 0},
      {u"SetGroupProperty(1, \"Nothing\", 1)", "F", 0},
      {u"GetProbePos(3)", "F", 0},
      {u"SetProbePos(3, 0.5)", "F", 0},
      {u"SelectPen(2)", "F", 0},
      {u"DelGroup(2)", "F", 0},
      {u"DelPenLine(1, 1)", "F", 0},
      {u"SetPlotRangeX(0, 10)", "F", 0},  // the trend graph has a time axis
      {u"InsertPen(1000000000, \"p\", \"\", \"#000000\", \"analog\", \"periodic\", 0, 100, 0, 100)", "F", 0},
      // a wrong number of arguments leaves the result untouched
      {u"DelGroup(1, 2)", "#NOTHING#", 0},
      {u"SetPenProperty(1, \"Low\")", "#NOTHING#", 0},
      {u"SetProbePos(1)", "#NOTHING#", 0},
      {u"SelectPen()", "#NOTHING#", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.call));
    GraphScriptHost<CNPTrendGraph> host;
    host.Start(
        u"event OnSetup() { AddGroup(); SelectGroup(1);\n"
        u"  AddPen(\"p\", \"\", \"#000000\", \"analog\", \"periodic\", 0, 100, 0, 100); }\n"
        u"event OnTest() { ::Trace(" +
        std::u16string(c.call) + u"); }\n");
    host.Run(u"OnSetup");
    EXPECT_EQ(host.Run(u"OnTest"), c.result);
    EXPECT_EQ(host.graph->GetPen(1)->samples.Size(), c.samplesAfter);
    EXPECT_EQ(host.graph->GetPen(1)->low, 0);
  }
}

TEST(GraphBadInput, NumbersThatAreNoNumbers) {
  CNPPlotGraph graph;
  graph.AddGroup(std::make_unique<CPlotGroup>());
  graph.SelectGroup(1, false);
  graph.AddPen();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  CNValue xs = Lit(u"c(1,0,3)"), ys = Lit(u"c(0,2,3)");
  xs.SetNumberAt(1, nan);
  ys.SetNumberAt(0, nan);
  ASSERT_TRUE(graph.AddSamples(1, {xs.GetElements(), ys.GetElements(), 1, 1, 3}, false));
  // A NaN x is not stored; a NaN y is no data: a lack.
  const CPlotSamples& samples = graph.GetPen(1)->samples;
  ASSERT_EQ(samples.Size(), 2u);
  EXPECT_TRUE(IsLackValue(samples[0].y));
  EXPECT_EQ(samples[1].y, 3);
  EXPECT_FALSE(graph.SetPenProperty(1, u"High", Num(nan)));
  EXPECT_EQ(graph.GetPen(1)->high, 100);
  EXPECT_FALSE(graph.SetXRange(nan, 5));
  EXPECT_FALSE(graph.SetProbePos(1, nan));
}

TEST(GraphBadInput, DisplayBandIsHeldToPercentages) {
  GraphScriptHost<CNPPlotGraph> host;
  host.Start(
      u"event OnTest() { AddGroup(); SelectGroup(1);\n"
      u"  AddPen(\"p\", \"\", \"#000000\", \"analog\", \"periodic\", 0, 100, 0, 100);\n"
      u"  SetPenProperty(1, \"DisplayHigh\", 150); SetPenProperty(1, \"DisplayLow\", -5);\n"
      u"  SetPenProperty(1, \"DisplayHigh2\", 101); SetPenProperty(1, \"DisplayLow2\", 40);\n"
      u"  ::Trace(GetPenProperty(1, \"DisplayHigh\", 0), GetPenProperty(1, \"DisplayLow\", 0),\n"
      u"          GetPenProperty(1, \"DisplayHigh2\", 0), GetPenProperty(1, \"DisplayLow2\", 0)); }\n");
  EXPECT_EQ(host.Run(u"OnTest"), "100 0 100 40");
}

}  // namespace
