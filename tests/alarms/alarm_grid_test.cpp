// The alarm grid: its rows as records arrive, the operator's clicks, wheel and scroll bar, and
// its drawing with rows in every state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm_records.h"
#include "alarms/alarm_client_methods.h"
#include "alarms/remote_alarm_grid.h"
#include "drawing/draw_test_util.h"
#include "drawing/golden_image.h"
#include "script/exec_test_util.h"
#include "support/utf16_text.h"
#include "values/value_test_util.h"

namespace {

// A grid 520 x 130 at 0,0 that has received the records, delivered as on the
// user-interface thread.
struct Grid {
  Grid() { SetTexts(grid, u"Width=520; Height=130"); }
  void Receive(const std::vector<CNAlarmRecord>& records) {
    for (const CNAlarmRecord& record : records) grid.OnAlarmNotification(record);
    grid.DeliverPending();
  }
  std::vector<std::string> Ids() {
    std::vector<std::string> ids;
    grid.GetRows().ForEach(0, grid.GetRows().GetCount(),
                           [&ids](size_t, const CNAlarmGridRow& row) { ids.push_back(Utf16ToUtf8(row.alarmId)); });
    return ids;
  }
  CNPExternalAlarmGrid grid;
};

TEST(AlarmGrid, RowsAreOnePerAlarmNewestFirst) {
  Grid g;
  g.Receive({AlarmRecord(u"A"), AlarmRecord(u"B"), AlarmRecord(u"C", true)});
  EXPECT_EQ(g.Ids(), (std::vector<std::string>{"C", "B", "A"}));
  g.Receive({AlarmRecord(u"A", false, true, {u"x", u"y"})});
  EXPECT_EQ(g.Ids(), (std::vector<std::string>{"A", "C", "B"}));
  const CNAlarmGridRow* top = g.grid.GetRows().GetRow(0);
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->state, CNAlarmRowState::kAcknowledged);
  EXPECT_EQ(top->comments, u"x; y");
  EXPECT_EQ(g.grid.GetRows().GetRow(1)->state, CNAlarmRowState::kRecovered);
  EXPECT_EQ(g.grid.GetRows().GetRow(2)->state, CNAlarmRowState::kNew);
  SetTexts(g.grid, u"MaxRows=2");
  EXPECT_EQ(g.Ids(), (std::vector<std::string>{"A", "C"}));
}

// Height 130: header 24, five rows of 20 (the sixth does not fit whole).
TEST(AlarmGrid, ClicksWheelAndScrollBar) {
  Grid g;
  std::vector<CNAlarmRecord> records;
  for (int i = 0; i < 12; ++i) records.push_back(AlarmRecord(u"R" + Utf8ToUtf16(std::to_string(i))));
  g.Receive(records);
  ASSERT_EQ(g.grid.GetVisibleRowCount(), 5u);
  struct Step {
    const char* what;
    std::function<void(CNPExternalAlarmGrid&)> act;
    size_t top;
    std::vector<std::u16string> selected;
  };
  const auto click = [](int32_t x, int32_t y) {
    return [x, y](CNPExternalAlarmGrid& grid) {
      grid.ButtonDown(MOUSE_LEFT, {x, y});
      grid.ButtonUp(MOUSE_LEFT, {x, y});
    };
  };
  const auto wheel = [](int16_t delta) { return [delta](CNPExternalAlarmGrid& grid) { grid.MouseWheel(delta, {50, 50}); }; };
  const Step steps[] = {
      {"click the second row", click(40, 24 + 25), 0, {u"R10"}},
      {"click the fourth row", click(300, 24 + 65), 0, {u"R10", u"R8"}},
      {"click the second row again", click(40, 24 + 30), 0, {u"R8"}},
      {"click the header", click(40, 10), 0, {u"R8"}},
      {"wheel down one notch", wheel(-120), 3, {u"R8"}},
      {"wheel down two notches", wheel(-240), 7, {u"R8"}},  // no further than the last page
      {"click the first row shown", click(40, 30), 7, {u"R8", u"R4"}},
      {"wheel up", wheel(120), 4, {u"R8", u"R4"}},
      {"scroll bar above the thumb", click(510, 30), 0, {u"R8", u"R4"}},
      {"scroll bar below the thumb", click(510, 125), 5, {u"R8", u"R4"}},
  };
  for (const Step& step : steps) {
    step.act(g.grid);
    EXPECT_EQ(g.grid.GetTopRow(), step.top) << step.what;
    EXPECT_EQ(g.grid.GetRows().GetSelectedIds(), step.selected) << step.what;
  }
  // Not connected: the acknowledgement fails and the selection stays.
  EXPECT_FALSE(g.grid.AckSelected());
  EXPECT_EQ(g.grid.GetRows().GetSelectedIds().size(), 2u);
  g.grid.GetRows().ClearSelection();
  EXPECT_FALSE(g.grid.AckSelected());
}

TEST(AlarmGrid, DrawsRowsInEveryState) {
  const ScopedTimeZone utc("UTC0");
  Grid g;
  const FileTime base = 133'500'000'000'000'000ull;  // 2024-01-17 21:20:00 UTC
  std::vector<CNAlarmRecord> records = {
      AlarmRecord(u"Door.Open", false, false, {u"ajar"}),
      AlarmRecord(u"Tank.LO", true, false, {u"level low"}),
      AlarmRecord(u"Pump.Trip", false, false, {u"hot", u"stop"}),
      AlarmRecord(u"Fan.Stop"),
      AlarmRecord(u"Door.Open", true, true, {u"ajar"}),
  };
  for (size_t i = 0; i < records.size(); ++i) records[i].date = base + i * 600'000'000ull;  // a minute apart
  g.Receive(records);
  g.grid.ButtonDown(MOUSE_LEFT, {40, 24 + 3 * 20 + 5});  // selects the fourth row, Tank.LO
  EXPECT_TRUE(MatchesGoldenImage(*Render(g.grid, 520, 130), "alarm_grid_states", 8, 40));
  // The other phase of the blinking: new rows in the text colour.
  g.grid.SetBlinkOn(false);
  EXPECT_TRUE(MatchesGoldenImage(*Render(g.grid, 520, 130), "alarm_grid_blink_off", 8, 40));
}

TEST(AlarmGrid, ScriptMethodsReadAndAcknowledgeTheSelection) {
  ScriptWorld world;
  RegisterAlarmMethods();
  RegisterObjectClass<CNPExternalAlarmGrid>(world.registry, u"RemoteAlarmGrid", {});
  auto* grid = static_cast<CNPExternalAlarmGrid*>(world.registry.Create(u"RemoteAlarmGrid"));
  world.form->AddChild(grid);
  grid->OnAlarmNotification(AlarmRecord(u"A"));
  grid->OnAlarmNotification(AlarmRecord(u"B"));
  grid->DeliverPending();
  grid->GetRows().ToggleSelection(0);
  grid->GetRows().ToggleSelection(1);
  ASSERT_TRUE(world.LoadScript(*grid,
                               u"function Run() { ::Trace(GetRowCount(), GetSelectedAlarmIds(), AckSelected(), "
                               u"GetLastError(), AckAll(), ClearSelection(), GetSelectedAlarmIds(), AckSelected(), "
                               u"ClearRows(), GetRowCount()); }"));
  world.engine.RunFunction(grid, u"Run", nullptr, 0, nullptr);
  EXPECT_EQ(world.traces, (std::vector<std::string>{"2", "c(\"B\",\"A\")", "F", "Not connected.", "F", "T",
                                                    "#NOTHING#", "F", "T", "0"}));
  EXPECT_TRUE(world.errors.empty());
}

}  // namespace
