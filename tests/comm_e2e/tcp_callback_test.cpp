// Frames the server pushes on the callback channel, and reconnecting to a restarted server.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "comm/da_client_tcp.h"
#include "comm_e2e/alarm_commands.h"
#include "comm_e2e/link_commands.h"
#include "comm_e2e/recording_sink.h"
#include "comm_e2e/server_process.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

bool WaitUntil(const std::function<bool()>& condition, milliseconds limit = milliseconds(10000)) {
  for (const auto end = Clock::now() + limit; !condition();) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(milliseconds(5));
  }
  return true;
}

}  // namespace

TEST(TcpEndToEnd, PushedAlarmFramesReachTheSinkBesideCommandAnswers) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  RecordingSink sink;
  CNDAClientTcp subscriber;
  subscriber.SetSink(&sink);
  ASSERT_TRUE(subscriber.Connect(server.TcpConnection(), 1, 7, 7, true).Succeeded());

  EXPECT_EQ(Subscribe(subscriber, u"Pump"), 1u);
  EXPECT_FALSE(sink.WaitForCommand(u"AlarmNotificationDone").empty());

  // Another client fires an alarm; the subscriber is told on its callback channel while its
  // command channel goes on answering.
  CNDAClientTcp firing;
  ASSERT_TRUE(firing.Connect(server.TcpConnection(), 1, 8, 8, false).Succeeded());
  EXPECT_EQ(FireAlarm(firing, u"Pump.Trip", Literal(u"c(\"seal\",\"oil\")")), 1u);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Update(subscriber).parsed);

  const AlarmNotification notification = ParseAlarmNotification(sink.WaitForCommand(u"AlarmNotification"));
  EXPECT_TRUE(notification.parsed);
  EXPECT_EQ(notification.id, u"Pump.Trip");
  EXPECT_EQ(notification.comments, (std::vector<std::u16string>{u"seal", u"oil"}));
  EXPECT_NE(notification.time, 0u);
  const std::vector<std::u16string> names = sink.Names();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.front(), u"AlarmNotificationStart");

  const auto start = Clock::now();
  EXPECT_TRUE(subscriber.Disconnect().Succeeded());
  EXPECT_LT(Clock::now() - start, milliseconds(1000));
  EXPECT_TRUE(subscriber.IsCallbackThreadExited());
}

TEST(TcpEndToEnd, ReconnectsCleanlyToARestartedServer) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const uint16_t port = server.Port();
  CNDAClientTcp client;
  ASSERT_TRUE(client.Connect(server.TcpConnection(), 1, 1, 1, true).Succeeded());
  ASSERT_EQ(LinkConnect(client, 1).ok, 1u);
  ASSERT_EQ(Link(client, {{1, 1, u"SetPoint"}}).handles.size(), 1u);

  EXPECT_EQ(server.Stop(), 0);
  // The callback thread sees the connection end; only a failing command tells the owner.
  EXPECT_TRUE(WaitUntil([&] { return client.IsCallbackThreadExited(); }));
  EXPECT_TRUE(client.IsConnected());
  const ClientResult lost = Update(client).result;
  EXPECT_TRUE(IsConnectionLost(lost)) << Text(lost);

  const auto start = Clock::now();
  EXPECT_TRUE(client.Disconnect().Succeeded());
  EXPECT_LT(Clock::now() - start, milliseconds(1000));
  EXPECT_EQ(Text(client.Connect(server.TcpConnection(), 1, 1, 1, true)), "Fail to connect.");
  EXPECT_FALSE(client.IsConnected());

  ASSERT_TRUE(server.Start({.port = port}));
  const ClientResult again = client.Connect(server.TcpConnection(), 1, 1, 1, true);
  ASSERT_TRUE(again.Succeeded()) << Text(again);
  EXPECT_FALSE(client.IsCallbackThreadExited());
  ASSERT_EQ(LinkConnect(client, 1).ok, 1u);
  const LinkAnswer linked = Link(client, {{1, 1, u"SetPoint"}});
  ASSERT_EQ(linked.handles.size(), 1u);
  const TagAnswer read = Read(client, linked.handles);
  ASSERT_EQ(read.items.size(), 1u);
  EXPECT_EQ(LiteralOf(read.items[0].value), "75");
  client.Disconnect();
}
