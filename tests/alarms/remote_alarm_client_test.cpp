#include "alarms/remote_alarm_client.h"

#include <gtest/gtest.h>

#include <string>

#include "alarms/remote_alarm_grid.h"
#include "support/utf16_text.h"

namespace {

std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

TEST(RemoteAlarmClient, PropertiesAndEventsAsScriptsSeeThem) {
  CNPExternalAlarmClient client;
  EXPECT_EQ(client.FindPropertyInfo(u"AlarmStateMonitor")->type, PT_TEXT);
  EXPECT_EQ(U8(client.FindPropertyInfo(u"AlarmStateMonitor")->group), "Alarm");
  EXPECT_EQ(U8(client.FindPropertyInfo(u"AlarmServer")->group), "AlarmServer");
  EXPECT_EQ(client.FindPropertyInfo(u"Text")->type, PT_STRING);

  const auto& table = client.GetClassProperties();
  const auto events = table.GetEvents();
  ASSERT_EQ(events.size(), 21u + 5u);
  EXPECT_EQ(U8(events[21].name), "OnAlarmNotificationStart");
  EXPECT_EQ(U8(events[table.FindEvent(u"OnAlarmNotification")].parameters),
            "type,date,alarmId,bRecovered,bAcked,comments,bBrandNew");
  EXPECT_EQ(
      U8(events[table.FindEvent(u"OnAlarmNotificationDone")].parameters),
      "bComplete,showRecordCnt,searchRecordCnt,actualShowRecordCnt,actualSearchRecordCnt,lastRecordDate");
  // The blank after the comma is part of the list.
  EXPECT_EQ(U8(events[table.FindEvent(u"OnAlarmStateChanged")].parameters), "stateName, bState");
}

TEST(RemoteAlarmClient, GridIsAClientWithTheSameEvents) {
  CNPExternalAlarmGrid grid;
  EXPECT_NE(dynamic_cast<CNPExternalAlarmClient*>(&grid), nullptr);
  EXPECT_EQ(U8(grid.GetClassId()), "RemoteAlarmGrid");
  EXPECT_NE(grid.FindPropertyInfo(u"AlarmServer"), nullptr);
  EXPECT_NE(grid.FindPropertyInfo(u"RowHeight"), nullptr);
  EXPECT_EQ(grid.GetClassProperties().GetEvents().size(),
            CNPExternalAlarmClient().GetClassProperties().GetEvents().size());
}

}  // namespace
