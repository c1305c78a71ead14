#include <gtest/gtest.h>

#include <string>

#include "graphs/plot_graph.h"
#include "graphs/trend_graph.h"
#include "support/utf16_text.h"

namespace {

std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

// The graph's own entries, from the first after the "Basic" group up to "Position".
std::string OwnNames(const CNObject& graph) {
  std::string names;
  for (uint32_t i = graph.FindPropertyIndex(u"TranslationProp") + 1; i < graph.GetPropertyCount(); ++i) {
    if (graph.GetPropertyName(i) == u"Top") break;
    names += (names.empty() ? "" : ",") + U8(graph.GetPropertyName(i));
  }
  return names;
}

const std::string kHead =
    "ShowScaleX,ShowScaleY,OffsetScaleX,OffsetScaleY,ShowRangeController,PowerfactorMaxMinType,MouseZoom,"
    "Probe,"
    "ProbeColor,ProbeData,OffsetProbeData,DrawOutOfRange,DrawPlotLineFront,PlotOutOfRange,PlotLineSize,"
    "PlotBarSize,PlotPointSize,PlotLackLineSize,PlotLackPointSize,PlotBarAdjustment,PlotLackLineStyle,"
    "PlotColorBarAlpha,PlotColorBarColor,DiffForLack,ValueForLack,ValueForLackType,SpaceX,SpaceY,GridSpaceX,"
    "GridLineX,GridLineY,GridLineBound,GridLineColor,GridLineStyle,GridCountX,GridCountY,FormatNumber,"
    "TitleLeft,TitleRight,TitleTop,TitleBottom,TextFont,TextColor,AutoChangeTextColor,Border,BorderColor,"
    "BorderWidth,Fill,FillGrid,FillColor,FillGridColor,";

TEST(GraphTables, TrendAndPlotGraphsDifferInTheirAxisFormatsOnly) {
  CNPTrendGraph trend;
  CNPPlotGraph plot;
  CNPHistoricalDataGraph historical;
  EXPECT_EQ(OwnNames(trend), kHead + "FormatDate,FormatTime,AutoDeleteMode");
  EXPECT_EQ(OwnNames(plot), kHead + "FormatNumberX,FormatNumberY,AutoDeleteMode");
  EXPECT_EQ(OwnNames(historical), OwnNames(trend));
  EXPECT_EQ(U8(historical.GetClassId()), "HistoricalDataGraph");
  EXPECT_EQ(U8(trend.GetPropertyName(0)), "Name");
  EXPECT_EQ(U8(trend.GetPropertyName(trend.GetPropertyCount() - 1)), "Customize");
}

TEST(GraphTables, TrendGraphTypesAndGivenDefaults) {
  struct Case {
    std::u16string_view name;
    PropertyType type;
    const char* defaultText;
  };
  const Case cases[] = {
      {u"FormatNumber", PT_NUMBER_FORMAT, "@NUMBER.1"},
      {u"PlotColorBarColor", PT_TEXT, "#00FF00,#FF0000"},
      {u"TextColor", PT_COLOR, "@ChartTextColor"},
      {u"FormatDate", PT_DATETIME_FORMAT, "@DATETIME.D"},
      {u"FormatTime", PT_DATETIME_FORMAT, "@DATETIME.T"},
      {u"PlotColorBarAlpha", PT_NUMBER, "1"},
      {u"PlotLackPointSize", PT_INTEGER, "0"},
      {u"ValueForLackType", PT_ENUM, "NONE"},
  };
  CNPTrendGraph trend;
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.name));
    ASSERT_NE(trend.FindPropertyInfo(c.name), nullptr);
    EXPECT_EQ(trend.FindPropertyInfo(c.name)->type, c.type);
    CNValue def;
    ASSERT_EQ(trend.GetPropertyDefault(c.name, def), 1);
    EXPECT_EQ(U8(def.GetText(0)), c.defaultText);
  }
  EXPECT_EQ(U8(trend.FindPropertyInfo(u"PlotOutOfRange")->list),
            "ALL,DELETEDATA,FLATMAXMINDATA,FLATMAXMINPLOT");
  EXPECT_EQ(U8(trend.FindPropertyInfo(u"BorderWidth")->list), ",1");
}

std::string EventList(const CNObject& graph) {
  std::string list;
  for (const EventInfo& event : graph.GetClassProperties().GetEvents())
    if (event.group == u"Control") list += U8(event.name) + "(" + U8(event.parameters) + ")";
  return list;
}

TEST(GraphTables, OnlyTheTrendGraphReportsPlottedValues) {
  const std::string probe =
      "OnProbeChanged(penno,expect1,expect2,nearest1,nearest2,min,max,ave,validcnt,lackcnt)"
      "OnProbeChanging(probeno,pos)OnRangeControlerChanging(displayLow,displayHigh)"
      "OnSelectedGroupChanged(groupno)OnSelectedPenChanged(penno)";
  EXPECT_EQ(EventList(CNPTrendGraph()),
            probe + "OnPlotValueChanged(penno,state,date,value)OnChangeMouseZoom(state)");
  EXPECT_EQ(EventList(CNPPlotGraph()), probe + "OnChangeMouseZoom(state)");
  EXPECT_EQ(CNPTrendGraph().GetClassProperties().GetEvents().size(), 21u + 7u);
}

}  // namespace
