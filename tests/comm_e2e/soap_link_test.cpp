// The HTTP client through the server's SOAP gateway: the link commands, polled callback
// frames, a silent server and a restart.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "comm/da_client_soap.h"
#include "comm/da_client_tcp.h"
#include "comm_e2e/alarm_commands.h"
#include "comm_e2e/link_commands.h"
#include "comm_e2e/recording_sink.h"
#include "comm_e2e/server_process.h"
#include "panel_server_sim/wire_bytes.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// Short polling periods, so that pushed frames arrive within a test's patience.
std::unique_ptr<CNDAClientSoap> MakeSoapClient() {
  return std::make_unique<CNDAClientSoap>(std::make_unique<CNSoapTransportCurl>(), CNSoapTimings{50, 50, 5000});
}

}  // namespace

TEST(SoapEndToEnd, LinkClientsReadAndWriteThroughTheGateway) {
  ServerProcess server({.http = true});
  ASSERT_TRUE(server.IsRunning());
  const auto command = MakeSoapClient();
  const auto update = MakeSoapClient();
  const ClientResult connected = command->Connect(server.SoapConnection(), 1, 77, 1, false);
  ASSERT_TRUE(connected.Succeeded()) << Text(connected);
  ASSERT_TRUE(update->Connect(server.SoapConnection(), 1, 77, 1, false).Succeeded());
  EXPECT_TRUE(command->IsConnected());
  EXPECT_NE(command->GetConnectionId(), "*");
  EXPECT_NE(command->GetConnectionId(), update->GetConnectionId());

  const ConnectAnswer first = LinkConnect(*command, 1);
  ASSERT_TRUE(first.result.Succeeded()) << Text(first.result);
  ASSERT_EQ(first.ok, 1u);
  ASSERT_EQ(LinkConnect(*update, 2, first.id).ok, 1u);
  const LinkAnswer linked = Link(*command, {{1, 11, u"SetPoint"}, {1, 12, u"No.Such.Tag"}, {1, 13, u"Label"}});
  ASSERT_EQ(linked.handles.size(), 3u);
  EXPECT_EQ(linked.handles[1], 0u);
  const TagAnswer initial = Update(*update);
  ASSERT_TRUE(initial.parsed);
  EXPECT_EQ(initial.items.size(), 2u);

  // The same bytes as over TCP: the gateway carries frames unchanged.
  const TagAnswer read = Read(*command, {linked.handles[0], linked.handles[2], 0xDEAD});
  ASSERT_TRUE(read.result.Succeeded()) << Text(read.result);
  const WireBytes expected = WireBytes()
                                 .U32(1)
                                 .U8(0).U8(0xFF).U8(1).U8(2).Double(75.0)
                                 .U8(0).U8(0xFF).U8(1).U8(3).U16('a').U16('b').U16(0)
                                 .U8(3);
  EXPECT_EQ(read.arguments, expected.Get());

  // A TCP client of another session writes; the HTTP update client sees it.
  CNDAClientTcp writer;
  ASSERT_TRUE(writer.Connect(server.TcpConnection(), 1, 78, 1, false).Succeeded());
  ASSERT_EQ(LinkConnect(writer, 1).ok, 1u);
  const LinkAnswer written = Link(writer, {{1, 1, u"SetPoint"}});
  ASSERT_EQ(written.handles.size(), 1u);
  ASSERT_TRUE(Write(writer, {{written.handles[0], Literal(u"c(1,2)")}}).parsed);
  const TagAnswer changed = Update(*update);
  ASSERT_TRUE(changed.parsed);
  ASSERT_EQ(changed.items.size(), 1u);
  EXPECT_EQ(changed.items[0].clientHandle, 11u);
  EXPECT_EQ(LiteralOf(changed.items[0].value), "c(1,2)");

  // A write through the gateway comes back as the stored value. A text of 40,000 characters
  // makes both the request and its answer longer than one posted chunk.
  CNValue large;
  large.SetString(std::u16string(40000, u'q'));
  const TagAnswer write = Write(*command, {{linked.handles[2], large}});
  ASSERT_TRUE(write.result.Succeeded()) << Text(write.result);
  ASSERT_EQ(write.items.size(), 1u);
  EXPECT_EQ(write.items[0].value.GetText(0), large.GetText(0));
  EXPECT_EQ(write.items[0].value.GetQuality(), VQ_GOOD);
  EXPECT_TRUE(command->Disconnect().Succeeded());
  EXPECT_FALSE(command->IsConnected());
}

TEST(SoapEndToEnd, PolledCallbackFramesReachTheSink) {
  ServerProcess server({.http = true});
  ASSERT_TRUE(server.IsRunning());
  RecordingSink sink;
  const auto subscriber = MakeSoapClient();
  subscriber->SetSink(&sink);
  ASSERT_TRUE(subscriber->Connect(server.SoapConnection(), 1, 1, 1, true).Succeeded());
  EXPECT_EQ(Subscribe(*subscriber, u"Pump"), 1u);

  CNDAClientTcp firing;
  ASSERT_TRUE(firing.Connect(server.TcpConnection(), 1, 2, 2, false).Succeeded());
  EXPECT_EQ(FireAlarm(firing, u"Pump.Trip", Literal(u"\"seal\"")), 1u);
  const AlarmNotification notification = ParseAlarmNotification(sink.WaitForCommand(u"AlarmNotification"));
  EXPECT_TRUE(notification.parsed);
  EXPECT_EQ(notification.id, u"Pump.Trip");
  EXPECT_EQ(notification.comments, std::vector<std::u16string>{u"seal"});
  const std::vector<std::u16string> names = sink.Names();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(names.front(), u"AlarmNotificationStart");

  const auto start = Clock::now();
  EXPECT_TRUE(subscriber->Disconnect().Succeeded());
  EXPECT_LT(Clock::now() - start, milliseconds(2000));
}

TEST(SoapEndToEnd, SilentServerEndsTheReceiveAndARestartedServerIsReached) {
  {
    ServerProcess silent({.faults = {"stop-answering"}, .http = true});
    ASSERT_TRUE(silent.IsRunning());
    const auto client = MakeSoapClient();
    ASSERT_TRUE(client->Connect(silent.SoapConnection(1), 1, 1, 1, true).Succeeded());
    const auto start = Clock::now();
    EXPECT_EQ(Text(Update(*client).result), "Failed to receive packet. Code:0");
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(900));  // the gateway waited the receive time-out
    EXPECT_LT(waited, milliseconds(4000));
  }
  {
    ServerProcess refusing({.faults = {"refuse-handshake"}, .http = true});
    ASSERT_TRUE(refusing.IsRunning());
    EXPECT_EQ(Text(MakeSoapClient()->Connect(refusing.SoapConnection(), 1, 1, 1, false)), "Fail to connect.");
  }

  ServerProcess server({.http = true});
  ASSERT_TRUE(server.IsRunning());
  const ServerProcess::Options again = {.http = true, .port = server.Port(), .httpPort = server.HttpPort()};
  const auto client = MakeSoapClient();
  ASSERT_TRUE(client->Connect(server.SoapConnection(), 1, 1, 1, true).Succeeded());
  EXPECT_TRUE(Update(*client).result.Succeeded());
  EXPECT_EQ(server.Stop(), 0);
  constexpr unsigned kCouldNotConnect = 7;  // the HTTP library's code for a refused connection
  EXPECT_EQ(Text(Update(*client).result), "Failed to send packet. Code:" + std::to_string(kCouldNotConnect));
  const auto start = Clock::now();
  EXPECT_TRUE(client->Disconnect().Succeeded());
  EXPECT_LT(Clock::now() - start, milliseconds(2000));
  EXPECT_EQ(Text(client->Connect(server.SoapConnection(), 1, 1, 1, true)), "Fail to connect.");

  ASSERT_TRUE(server.Start(again));
  const ClientResult reconnected = client->Connect(server.SoapConnection(), 1, 1, 1, true);
  ASSERT_TRUE(reconnected.Succeeded()) << Text(reconnected);
  ASSERT_EQ(LinkConnect(*client, 1).ok, 1u);
  const LinkAnswer linked = Link(*client, {{1, 1, u"Label"}});
  ASSERT_EQ(linked.handles.size(), 1u);
  const TagAnswer read = Read(*client, linked.handles);
  ASSERT_EQ(read.items.size(), 1u);
  EXPECT_EQ(LiteralOf(read.items[0].value), "\"ab\"");
}
