#include "alarms/alarm_state_monitor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarm_records.h"
#include "support/utf16_text.h"

namespace {

TEST(AlarmStateMonitor, DefinitionSyntax) {
  CNAlarmStateMonitor monitor;
  monitor.SetDefinition(
      u"Unacked = NotAck\r\n"
      u"\n"
      u"PumpsDown=notrecover, pump\n"
      u"Any=notack_or_notrecover,*\n"
      u"broken line\n"
      u"=notack\n"
      u"Odd=sometimes\n");
  EXPECT_EQ(monitor.GetStateCount(), 3u);
  CNAlarmRecord pump = AlarmRecord(u"Pump.Trip", false, true);
  monitor.Apply(pump, {});
  EXPECT_FALSE(monitor.GetState(u"Unacked"));
  EXPECT_TRUE(monitor.GetState(u"PumpsDown"));
  EXPECT_TRUE(monitor.GetState(u"Any"));
  EXPECT_FALSE(monitor.GetState(u"Odd"));
}

// Each step: a record, then the changes it reports.
TEST(AlarmStateMonitor, ChangesFollowTheRecords) {
  CNAlarmStateMonitor monitor;
  monitor.SetDefinition(u"NA=notack\nNR=notrecover\nEither=notack_or_notrecover\nTank=notack,tank");
  struct Step {
    CNAlarmRecord record;
    std::vector<std::string> changes;
  };
  const Step steps[] = {
      {AlarmRecord(u"Pump.HI"), {"NA=1", "NR=1", "Either=1"}},
      {AlarmRecord(u"Tank.LO"), {"Tank=1"}},
      {AlarmRecord(u"Pump.HI", false, true), {}},  // Tank.LO is still not acknowledged
      {AlarmRecord(u"Tank.LO", true, true), {"NA=0", "Tank=0"}},
      {AlarmRecord(u"Pump.HI", true, true), {"NR=0", "Either=0"}},
      {AlarmRecord(u"Pump.HI", true, true), {}},  // gone already
      {AlarmRecord(u"Valve", true), {"NA=1", "Either=1"}},
  };
  for (const Step& step : steps) {
    std::vector<std::string> changes;
    monitor.Apply(step.record, [&changes](std::u16string_view name, bool state) {
      changes.push_back(Utf16ToUtf8(name) + "=" + (state ? "1" : "0"));
    });
    EXPECT_EQ(changes, step.changes) << Utf16ToUtf8(step.record.alarmId);
  }
  std::vector<std::string> reset;
  monitor.Reset([&reset](std::u16string_view name, bool state) { reset.push_back(Utf16ToUtf8(name) + (state ? "1" : "0")); });
  EXPECT_EQ(reset, (std::vector<std::string>{"NA0", "Either0"}));
  // A new definition is evaluated over the alarms known, without reporting.
  monitor.Apply(AlarmRecord(u"Boiler", false, true), {});
  monitor.SetDefinition(u"Hot=notrecover,boil");
  EXPECT_TRUE(monitor.GetState(u"Hot"));
}

}  // namespace
