// Groups, pens and guide lines as a script manages them.
#include <gtest/gtest.h>

#include <string>

#include "graph_script_host.h"
#include "graphs/trend_graph.h"

namespace {

constexpr std::u16string_view kPen = u"\"p\", \"\", \"#000000\", \"analog\", \"periodic\", 0, 100, 0, 100";

TEST(GraphModel, GroupsPensAndLinesThroughTheirMethods) {
  struct Case {
    const char* name;
    std::u16string calls;  // the body of the handler; what it traces is compared, with the pen
                           // selection's events ("SelectGroup" deselects the pen)
    const char* traced;
  };
  const std::u16string pen(kPen);
  const Case cases[] = {
      {"groups insert, delete and keep the selection on its group",
       u"AddGroup(\"a\"); AddGroup(\"b\"); SelectGroup(2, F); ::Trace(InsertGroup(1, \"z\", 60), "
       u"GetSelectedGroup(),"
       u" GetGroupInfo(1), GetGroupProperty(3, \"GroupTitle\", 0), InsertGroup(5), DelGroup(3), "
       u"GetSelectedGroup(),"
       u" GetGroupCount());",
       "P 0 T 3 c(\"z\",60) b F T 0 2"},
      {"group info and free storage",
       u"AddGroup(); SetGroupInfo(1, \"t\", 30); SetGroupProperty(1, \"Temp\", \"x\");"
       u" ::Trace(GetGroupInfo(1), GetGroupProperty(1, \"Temp\", 0));",
       "c(\"t\",30) x"},
      {"pens count per group and in all",
       u"AddGroup(); AddGroup(); SelectGroup(1, F); AddPen(" + pen + u"); AddPen(" + pen +
           u"); SelectGroup(2, F); AddPen(" + pen +
           u"); ::Trace(GetPenCount(), GetPenTotalCount(), GetSelectedPen());",
       "P 0 P 0 1 3 0"},
      {"pen info in and out",
       u"AddGroup(); SelectGroup(1, F); AddPen(" + pen +
           u"); ::Trace(SetPenInfo(1, \"q\", \"m\", \"#FF0000\", \"Boolean\", \"changebased\","
           u" 1, 2, 3, 4), GetPenInfo(1), SetPenInfo(2, \"q\", \"m\", \"#FF0000\", \"analog\","
           u" \"periodic\", 1, 2, 3, 4));",
       "P 0 T c(\"q\",\"m\",\"#FF0000\",\"boolean\",\"changebased\",1,2,3,4) F"},
      {"default colours follow the pen number",
       u"AddGroup(); SelectGroup(1, F); SetPenDefaultColor(c(\"#111111\","
       u" \"#222222\")); AddPen(" +
           pen + u"); AddPen(" + pen + u"); AddPen(" + pen +
           u"); SetPenColor(3, \"Default\"); SetPenColor(2, \"DEFAULT\");"
           u" ::Trace(GetPenProperty(2, \"Color\", 0), GetPenProperty(3, \"Color\", 0));",
       "P 0 #222222 #111111"},
      {"deleting a pen moves the selection",
       u"AddGroup(); SelectGroup(1, F); AddPen(" + pen + u"); AddPen(" + pen +
           u"); SelectPen(2); DelPen(1); ::Trace(GetSelectedPen(), GetPenCount(),"
           u" ClearPen(), GetPenCount());",
       "P 0 P 2 P 0 1 1 T 0"},
      {"group lines",
       u"AddGroup(); ::Trace(AddGroupLine(1, 80, \"#FF0000\", \"DASH\", 2, \"HH\", \"80\"),"
       u" InsertGroupLine(1, 1, 20), InsertGroupLine(1, 4, 1), GetGroupLineCount(1),"
       u" GetGroupLineProperty(1, 1, \"Value\"), GetGroupLineProperty(1, 2, \"LineStyle\"),"
       u" SetGroupLineProperty(1, 2, \"TextPosition\", \"upper\"), GetGroupLineProperty(1, 2, "
       u"\"TextPosition\"),"
       u" SetGroupLineProperty(1, 2, \"Bogus\", 1), DelGroupLine(1, 1), GetGroupLineProperty(1, 1, "
       u"\"Text1\"),"
       u" ClearGroupLine(1), GetGroupLineCount(1), AddGroupLine(1, 1, \"\", \"WAVY\"), AddGroupLine(2));",
       "T T F 2 20 DASH T UPPER F T HH T 0 F F"},
      {"pen lines belong to pens of the selected group",
       u"AddGroup(); SelectGroup(1, F); AddPen(" + pen +
           u"); ::Trace(AddPenLine(1, 50), GetPenLineCount(1), SetPenLineProperty(1, 1, \"Text2\", \"mid\"),"
           u" GetPenLineProperty(1, 1, \"Text2\"), GetPenLineCount(2), DelPenLine(1, 2));",
       "P 0 T 1 T mid F F"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GraphScriptHost<CNPTrendGraph> host;
    host.Start(u"event OnSelectedPenChanged(penno) { ::Trace(\"P\", penno); }\nevent OnTest() { " + c.calls +
               u" }\n");
    EXPECT_EQ(host.Run(u"OnTest"), c.traced);
  }
}

TEST(GraphModel, GroupSpanAndScreenBoundDeletion) {
  GraphScriptHost<CNPTrendGraph> host;
  host.graph->SetPropertyText(u"AutoDeleteMode", u"OUTOFSCREEN");
  host.Start(
      u"event OnProbeChanged(penno, expect1, expect2, nearest1, nearest2, min, max, ave, validcnt, lackcnt) {"
      u" ::Trace(\"PC\", validcnt); }\n"
      u"event OnTest() { AddGroup(\"g\", 60); SelectGroup(1, F);\n"
      u"  AddPen(" +
      std::u16string(kPen) +
      u");\n"
      u"  SetTimeRange(#2024/05/01 12:00:00#, #2024/05/01 12:10:00#);\n"
      u"  AddData(1, c(#2024/05/01 11:58:00#, #2024/05/01 11:59:00#, #2024/05/01 12:00:30#), c(1, 2, 3));\n"
      u"  ::Trace(GetDataCount(1));\n"
      u"  SelectGroup(1);\n"  // the group's span: a minute from the range's start
      u"  ::Trace(GetTimeRange()); }\n");
  EXPECT_EQ(host.Run(u"OnTest"), "2 PC 1 c(#2024/05/01 12:00:00#,#2024/05/01 12:01:00#)");
}

}  // namespace
