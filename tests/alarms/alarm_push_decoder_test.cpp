#include "alarms/alarm_push_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "alarms/push_frames.h"
#include "support/trace.h"

namespace {

TEST(AlarmPushDecoder, NotificationFieldsAndTypeNames) {
  CNPacketHolder packet = NotificationBytes(2, u"Pump.Trip", {u"hot", u"stop"}).Packet();
  CNAlarmPush push;
  ASSERT_TRUE(DecodeAlarmPush(packet, push));
  EXPECT_EQ(push.kind, CNAlarmPush::kRecord);
  const CNAlarmRecord& r = push.record;
  EXPECT_EQ(std::tie(r.typeCode, r.date, r.alarmId, r.recovered, r.acked, r.brandNew),
            std::tuple(2u, 0x01D0000012345678ull, u"Pump.Trip", true, true, false));
  EXPECT_EQ(r.comments, (std::vector<std::u16string>{u"hot", u"stop"}));
  const std::pair<uint32_t, std::u16string_view> names[] = {
      {0, u"new"}, {1, u"recover"}, {2, u"ack"}, {3, u"change"}, {4, u""}, {0xFFFFFFFF, u""}};
  for (const auto& [code, name] : names) EXPECT_EQ(AlarmTypeName(code), name) << code;
}

TEST(AlarmPushDecoder, StartDoneAndShutdown) {
  CNAlarmPush push;
  CNPacketHolder start = PushBytes(u"AlarmNotificationStart").Packet();
  ASSERT_TRUE(DecodeAlarmPush(start, push));
  EXPECT_EQ(push.kind, CNAlarmPush::kStart);
  CNPacketHolder done =
      PushBytes(u"AlarmNotificationDone").ArgU32(1).ArgU32(10).ArgU32(25).ArgU32(9).ArgU32(24).ArgU64(77).Packet();
  ASSERT_TRUE(DecodeAlarmPush(done, push));
  EXPECT_EQ(push.kind, CNAlarmPush::kDone);
  const CNAlarmDone& d = push.done;
  EXPECT_EQ(std::tie(d.complete, d.showRecordCount, d.searchRecordCount, d.actualShowRecordCount,
                     d.actualSearchRecordCount, d.lastRecordDate),
            std::tuple(true, 10u, 25u, 9u, 24u, 77u));
  CNPacketHolder shutdown = PushBytes(u"AlarmServerShutdown").Packet();
  ASSERT_TRUE(DecodeAlarmPush(shutdown, push));
  EXPECT_EQ(push.kind, CNAlarmPush::kShutdown);
}

TEST(AlarmPushDecoder, BrokenFramesAreDroppedWithATraceLine) {
  struct Case {
    const char* what;
    PushBytes bytes;
  };
  const Case cases[] = {
      {"failure status", PushBytes(u"AlarmNotificationStart", 3)},
      {"unknown name", PushBytes(u"AlarmNotify")},
      {"truncated argument", NotificationBytes(0, u"A", {u"x"}).Truncate(3)},
      {"missing brand-new flag", NotificationBytes(0, u"A", {}).Truncate(8)},
      {"comment count beyond the frame",
       PushBytes(u"AlarmNotification").ArgU32(0).ArgU64(0).ArgText(u"A").ArgU32(0).ArgU32(0).ArgU32(1000000).ArgU32(0)},
      {"huge comment count", PushBytes(u"AlarmNotification").ArgU32(0).ArgU64(0).ArgText(u"A").ArgU32(0).ArgU32(0).ArgU32(0xFFFFFFFF)},
      {"argument of the wrong size", PushBytes(u"AlarmNotificationDone").ArgU32(1).ArgU32(1).ArgU32(1).ArgU32(1).ArgU32(1).ArgU32(1)},
      {"arguments left over", PushBytes(u"AlarmServerShutdown").ArgU32(1)},
      {"header cut short", PushBytes(u"AlarmNotificationStart").Truncate(3)},
      {"length past the end", PushBytes(u"AlarmNotificationStart").Raw({0xFF, 0xFF, 0xFF, 0x7F, 1})},
  };
  std::vector<std::string> lines;
  CRTrace::SetSink([&lines](std::string_view line) { lines.emplace_back(line); });
  for (const Case& c : cases) {
    CNPacketHolder packet = c.bytes.Packet();
    CNAlarmPush push;
    EXPECT_FALSE(DecodeAlarmPush(packet, push)) << c.what;
  }
  CRTrace::SetSink({});
  ASSERT_EQ(lines.size(), std::size(cases));
  EXPECT_NE(lines[1].find("unknown name (AlarmNotify)"), std::string::npos) << lines[1];
}

}  // namespace
