// Events of the graphs as the graph's own event script sees them, with their parameters in
// order, and the presentation of power-factor pens.
#include <gtest/gtest.h>

#include <string>

#include "graph_script_host.h"
#include "graphs/plot_graph.h"
#include "graphs/trend_graph.h"

namespace {

constexpr std::u16string_view kHandlers =
    u"event OnPlotValueChanged(penno, state, date, value) { ::Trace(\"PV\", penno, state, value); }\n"
    u"event OnSelectedGroupChanged(groupno) { ::Trace(\"G\", groupno); }\n"
    u"event OnSelectedPenChanged(penno) { ::Trace(\"P\", penno); }\n"
    u"event OnProbeChanged(penno, expect1, expect2, nearest1, nearest2, min, max, ave, validcnt, lackcnt) {\n"
    u"  ::Trace(\"PC\", penno, expect1, expect2, nearest1, nearest2, min, max, ave, validcnt, lackcnt); }\n"
    u"event OnChangeMouseZoom(state) { ::Trace(\"Z\", state); }\n";

TEST(TrendGraphEvents, PowerFactorPensPresentTheirValues) {
  struct Case {
    const char16_t* type;
    double value;
    const char* presented;
  };
  const Case cases[] = {
      {u"powerfactor00", 50, "PV 1 1 1"},     {u"powerfactor00", 25, "PV 1 1 -0.5"},
      {u"powerfactor00", 75, "PV 1 1 0.5"},   {u"powerfactor00", 0, "PV 1 1 -0"},
      {u"powerfactor00", 100, "PV 1 1 0"},    {u"powerfactor05", 0, "PV 1 1 -0.5"},
      {u"powerfactor05", 100, "PV 1 1 0.5"},  {u"powerfactor05", 50, "PV 1 1 1"},
      {u"powerfactor00p", 25, "PV 1 1 -50"},  {u"powerfactor00p", 0, "PV 1 1 -0"},
      {u"powerfactor05p", 100, "PV 1 1 50"},  {u"POWERFACTOR00", 120, "PV 1 1 0"},
      {u"powerfactor00r", 0.5, "PV 1 1 0.5"},  // the "r" types hold power factors as they are
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.type) + " " + std::to_string(c.value));
    GraphScriptHost<CNPTrendGraph> host;
    host.Start(std::u16string(kHandlers) + u"event OnTest() { AddGroup(); SelectGroup(1, F);\n" +
               u"AddPen(\"p\", \"\", \"default\", \"" + c.type + u"\", \"periodic\", 0, 100, 0, 100); }\n" +
               u"event OnAdd(v) { AddData(1, c(#2024/05/01 12:00:00#), c(v)); }\n");
    host.Run(u"OnTest");
    CNValue value;
    value.SetNumber(c.value);
    EXPECT_EQ(host.Run(u"OnAdd", &value, 1), c.presented);
  }
}

TEST(TrendGraphEvents, SelectionProbesAndZoomReportInOrder) {
  GraphScriptHost<CNPTrendGraph> host;
  host.graph->SetPropertyText(u"Probe", u"DUAL");
  host.Start(
      std::u16string(kHandlers) +
      u"event OnSetup() {\n"
      u"  AddGroup(\"a\", 100); AddGroup(\"b\");\n"
      u"  SelectGroup(1);\n"
      u"  AddPen(\"p\", \"\", \"default\", \"analog\", \"periodic\", 0, 100, 0, 100);\n"
      u"  SetTimeRangeX(#2024/05/01 12:00:00#, #2024/05/01 12:01:40#);\n"
      u"  AddData(1, c(#2024/05/01 12:00:00#, #2024/05/01 12:00:20#, #2024/05/01 12:00:40#,\n"
      u"               #2024/05/01 12:01:00#, #2024/05/01 12:01:20#), c(10, 20, 30, 40, 50));\n"
      u"}\n"
      u"event OnSelect() { ::Trace(SelectGroup(2)); ::Trace(SelectGroup(3)); ::Trace(GetSelectedGroup()); }\n"
      u"event OnProbes() {\n"
      u"  ::Trace(SetProbePos(1, 0.1));\n"                   // 10 s: between 10 and 20
      u"  ::Trace(SetProbePos(2, 0.9));\n"                   // 90 s: beyond the last sample
      u"  ::Trace(SetProbePos(2, 0.9));\n"                   // unchanged: no event
      u"  ::Trace(SetProbePos(1, 0.95), GetProbePos(1));\n"  // stops at probe 2
      u"  ::Trace(SetProbePos(2, -1), GetProbePos(2));\n"    // stops at probe 1
      u"  ::Trace(SetProbePos(3, 0.5));\n"
      u"}\n");
  host.Run(u"OnSetup");
  EXPECT_EQ(host.Run(u"OnSelect"), "G 2 P 0 T F 2");
  host.graph->SelectGroup(1, false);
  EXPECT_EQ(host.Run(u"OnProbes"),
            // probe 1 at 10 s: half way from 10 to 20, nearest the sample at 0 s (a tie goes left);
            // probe 2 at 75 s, then at 90 s beyond the last sample; the statistics of the samples
            // between them; probe 1 stopped at probe 2 has no sample between them
            "PC 1 15 47.5 10 50 20 40 30 3 0 T "
            "PC 1 15 50 10 50 20 50 35 4 0 T "
            "T "
            "PC 1 50 50 50 50 0 0 0 0 0 T 0.9 "
            "T 0.9 "
            "F");
}

}  // namespace
