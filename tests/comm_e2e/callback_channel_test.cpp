// Frames the server pushes on the callback channel reach the sink beside the command answers,
// over TCP and polled through the HTTP gateway.
#include <gtest/gtest.h>

#include <chrono>

#include "comm_e2e/alarm_commands.h"
#include "comm_e2e/link_commands.h"
#include "comm_e2e/recording_sink.h"
#include "comm_e2e/transports.h"

TEST(CallbackChannel, PushedAlarmFramesReachTheSinkBesideCommandAnswers) {
  for (const Transport& transport : kTransports) {
    SCOPED_TRACE(transport.name);
    ServerProcess server({.http = true});
    ASSERT_TRUE(server.IsRunning());
    RecordingSink sink;
    const auto subscriber = transport.make();
    subscriber->SetSink(&sink);
    ASSERT_TRUE(subscriber->Connect(transport.connection(server, 4), 1, 7, 7, true).Succeeded());
    EXPECT_EQ(Subscribe(*subscriber, u"Pump"), 1u);
    EXPECT_FALSE(sink.WaitForCommand(u"AlarmNotificationDone").empty());

    // Another client fires an alarm; the subscriber is told on its callback channel while its
    // command channel goes on answering.
    CNDAClientTcp firing;
    ASSERT_TRUE(firing.Connect(server.TcpConnection(), 1, 8, 8, false).Succeeded());
    EXPECT_EQ(FireAlarm(firing, u"Pump.Trip", Literal(u"c(\"seal\",\"oil\")")), 1u);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(Update(*subscriber).parsed);

    const AlarmNotification notification = ParseAlarmNotification(sink.WaitForCommand(u"AlarmNotification"));
    EXPECT_TRUE(notification.parsed);
    EXPECT_EQ(notification.id, u"Pump.Trip");
    EXPECT_EQ(notification.comments, (std::vector<std::u16string>{u"seal", u"oil"}));
    EXPECT_NE(notification.time, 0u);
    EXPECT_EQ(sink.Names().at(0), u"AlarmNotificationStart");

    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(subscriber->Disconnect().Succeeded());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  }
}
