#include "comm/da_client_tcp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "client_test_util.h"
#include "comm/packet_creator.h"
#include "test_peer.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

std::u16string Connection(const TestPeer& peer, int receiveTimeout = -1, const char* ping = "N") {
  return AsciiToUtf16(peer.ConnectionString(receiveTimeout, ping));
}

// The command connection of a client that asked for a callback channel: "OK" and an
// identifier, then nothing more.
void QuietCommandChannel(PeerConnection& c) {
  c.AcceptHandshake({1, 0, 0, 0, 0, 0, 0, 0});
  c.HoldUntilClosed();
}

struct Sent {
  ClientResult result;
  uint8_t id = 0;
};

// A command without arguments, built as the client's owners build it, and sent.
Sent Send(CNDAClientTcp& client, CNPacketHolder& packet, std::u16string_view name = u"Update") {
  packet.Reset();
  client.BeginPacket(packet);
  CNDAPacketCreatorSimple creator(packet);
  creator.BeginCommand(name);
  client.EndPacket(packet);
  return {client.SendCommand(packet), creator.GetPacketId()};
}

TEST(DAClientTcp, ConnectionStringFields) {
  const auto s = CNDAClientTcp::Settings::Parse(u"plc.example,6001,-1,-1,0,Y");
  EXPECT_TRUE(s.host == u"plc.example" && s.port == 6001 && s.connectTimeout == 4 && s.receiveTimeout == 4 &&
              s.count == 3 && s.ping);
  const auto t = CNDAClientTcp::Settings::Parse(u"10.0.0.2,7000,2,9,5,N");
  EXPECT_TRUE(t.connectTimeout == 2 && t.receiveTimeout == 9 && t.count == 5 && !t.ping);
  const auto u = CNDAClientTcp::Settings::Parse(u"host-only");
  EXPECT_TRUE(u.port == 0 && u.receiveTimeout == 4 && !u.ping);
  CNDAClientTcp client;
  client.SetTimeout(-1);
  EXPECT_EQ(client.GetReceiveTimeout(), 4);
}

TEST(DAClientTcp, HandshakeWithoutCallbackChannelThenCommandRoundTrip) {
  std::promise<Bytes> hello, request;
  TestPeer peer({[&](PeerConnection& c) {
    hello.set_value(c.AcceptHandshake());
    const Bytes payload = c.ReadPayload();
    request.set_value(payload);
    if (payload.empty()) return;
    // A callback-channel frame first, which the command channel must skip.
    c.Send(FrameOf('C', CommandPayload(payload[0], 0, u"Update", {0xEE})));
    c.Send(FrameOf('N', CommandPayload(payload[0], 0, u"Update", {1, 0, 0, 0, 0, 0, 0, 0})));
    c.HoldUntilClosed();
  }});
  CNDAClientTcp client;
  const ClientResult connected = client.Connect(Connection(peer, -1, "Y"), 1, 0x1234, 7, false);
  ASSERT_TRUE(connected.Succeeded()) << Text(connected);
  EXPECT_TRUE(client.IsConnected());
  EXPECT_EQ(client.GetConnectionId(), 0u);  // only a callback channel brings one
  auto helloFuture = hello.get_future();
  ASSERT_TRUE(Ready(helloFuture));
  EXPECT_EQ(helloFuture.get(), HandshakePayload(1, 0x1234, 7, 0, 0).Get());
  EXPECT_TRUE(client.Connect(Connection(peer), 1, 0, 0, false).Succeeded());  // already connected

  CNPacketHolder packet;
  const Sent sent = Send(client, packet);
  ASSERT_TRUE(sent.result.Succeeded());
  auto requestFuture = request.get_future();
  ASSERT_TRUE(Ready(requestFuture));
  EXPECT_EQ(requestFuture.get(), CommandPayload(sent.id, 0, u"Update"));
  ASSERT_TRUE(client.Receive(packet).Succeeded());
  ASSERT_TRUE(CheckAnswer(packet, sent.id).Succeeded());
  EXPECT_EQ(PacketBytes(packet, packet.GetPosition()), (Bytes{1, 0, 0, 0, 0, 0, 0, 0}));  // ok, no changes
  EXPECT_TRUE(client.Disconnect().Succeeded());
  EXPECT_FALSE(client.IsConnected());
  EXPECT_TRUE(client.Disconnect().Succeeded());
}

// A refused handshake and a closed port are met in the clients' runs against the server program.
TEST(DAClientTcp, HandshakeFailures) {
  TestPeer peer({
      [](PeerConnection& c) { c.ReadPayload(); },      // closes without an answer
      [](PeerConnection& c) { c.AcceptHandshake(); },  // "OK" without the connection identifier
  });
  CNDAClientTcp client;
  EXPECT_EQ(Text(client.Connect(Connection(peer), 1, 1, 1, false)), "Fail to connect.");
  EXPECT_EQ(Text(client.Connect(Connection(peer), 1, 1, 1, true)), "Fail to connect. Error from server.");
  EXPECT_EQ(Text(client.Connect(u"127.0.0.1,70000,1,1,0,N", 1, 1, 1, false)), "Fail to connect.");
  EXPECT_FALSE(client.IsConnected());
}

TEST(DAClientTcp, CallbackChannelDeliversFramesToTheSink) {
  const uint64_t connectionId = 0x1122334455667788ull;
  std::promise<Bytes> firstHello, secondHello;
  std::promise<void> commandSent;
  TestPeer peer({
      [&](PeerConnection& c) {
        firstHello.set_value(c.AcceptHandshake(WireBytes().U64(connectionId).Get()));
        c.ReadPayload();
        commandSent.set_value();
        c.HoldUntilClosed();
      },
      [&](PeerConnection& c) {
        secondHello.set_value(c.AcceptHandshake());
        c.Send(FrameOf('C', CommandPayload(0, 0, u"AlarmNotification", {1})));
        c.Send(FrameOf('N', {0xAA}));  // another channel: skipped
        c.Send(Concat({{'x', 'y'}, FrameOf('C', {2, 3})}));
        c.HoldUntilClosed();
      },
  });
  CallbackRecorder sink;
  CNDAClientTcp client;
  client.SetSink(&sink);
  ASSERT_TRUE(client.Connect(Connection(peer), 1, 42, 9, true).Succeeded());
  auto firstFuture = firstHello.get_future();
  auto secondFuture = secondHello.get_future();
  ASSERT_TRUE(Ready(firstFuture) && Ready(secondFuture));
  EXPECT_EQ(firstFuture.get(), HandshakePayload(1, 42, 9, 1, 0).Get());
  EXPECT_EQ(secondFuture.get(), HandshakePayload(1, 42, 9, 2, connectionId).Get());
  EXPECT_EQ(client.GetConnectionId(), connectionId);
  ASSERT_TRUE(sink.WaitForCount(2));
  EXPECT_EQ(sink.Get(),
            (CallbackRecorder::Payloads{CommandPayload(0, 0, u"AlarmNotification", {1}), {2, 3}}));

  CNPacketHolder packet;
  EXPECT_TRUE(Send(client, packet).result.Succeeded());
  auto commandFuture = commandSent.get_future();
  EXPECT_TRUE(Ready(commandFuture));

  const auto start = Clock::now();
  EXPECT_TRUE(client.Disconnect().Succeeded());  // the thread is waiting for data
  EXPECT_LT(Clock::now() - start, milliseconds(1000));
  EXPECT_TRUE(client.IsCallbackThreadExited());
  EXPECT_FALSE(client.IsConnected());
}

TEST(DAClientTcp, CallbackThreadEndsWhenThePeerCloses) {
  TestPeer peer({
      QuietCommandChannel, [](PeerConnection& c) { c.AcceptHandshake(); },  // then closes the callback socket
  });
  CNDAClientTcp client;
  ASSERT_TRUE(client.Connect(Connection(peer), 1, 1, 1, true).Succeeded());
  EXPECT_TRUE(WaitUntil([&] { return client.IsCallbackThreadExited(); }));
  EXPECT_TRUE(client.IsConnected());  // only a failing command tells the owner
  client.Disconnect();
}

TEST(DAClientTcp, RapidCallbackFailuresEndTheThreadAfterTheLimit) {
  Bytes bad = FrameOf('C', {1, 2, 3});
  bad.back() ^= 0xFF;
  std::promise<void> goOn;
  TestPeer peer({
      QuietCommandChannel,
      [&](PeerConnection& c) {
        c.AcceptHandshake();
        Bytes burst;
        for (uint32_t i = 0; i < CNDAClientTcp::kRapidFailureLimit + 1; ++i) burst = Concat({burst, bad});
        c.Send(
            Concat({burst, FrameOf('C', {7})}));  // as many rapid failures as are allowed, then a good frame
        goOn.get_future().wait_for(std::chrono::seconds(5));
        burst.clear();
        for (int i = 0; i < 40; ++i) burst = Concat({burst, bad});
        c.Send(burst);
        c.HoldUntilClosed();
      },
  });
  CallbackRecorder sink;
  CNDAClientTcp client;
  client.SetSink(&sink);
  ASSERT_TRUE(client.Connect(Connection(peer), 1, 1, 1, true).Succeeded());
  EXPECT_TRUE(sink.WaitForCount(1));
  EXPECT_FALSE(client.IsCallbackThreadExited());
  goOn.set_value();
  EXPECT_TRUE(WaitUntil([&] { return client.IsCallbackThreadExited(); }));
  client.Disconnect();
}

TEST(DAClientTcp, DisconnectFromInsideTheCallback) {
  TestPeer peer({
      QuietCommandChannel,
      [](PeerConnection& c) {
        c.AcceptHandshake();
        c.Send(FrameOf('C', {1}));
        c.HoldUntilClosed();
      },
  });
  CallbackRecorder sink;
  CNDAClientTcp client;
  sink.SetAction([&] { EXPECT_TRUE(client.Disconnect().Succeeded()); });
  client.SetSink(&sink);
  const auto start = Clock::now();
  ASSERT_TRUE(client.Connect(Connection(peer), 1, 1, 1, true).Succeeded());
  ASSERT_TRUE(sink.WaitForCount(1));
  EXPECT_TRUE(WaitUntil([&] { return !client.IsConnected() && client.IsCallbackThreadExited(); }));
  EXPECT_LT(Clock::now() - start, milliseconds(2000));
}

// A silent server is met in the clients' runs against the server program.
TEST(DAClientTcp, HostileAndClosingServers) {
  TestPeer peer({
      [](PeerConnection& c) {
        c.AcceptHandshake();
        c.ReadPayload();
        c.Send(WireBytes().Raw("@KV\nN").U32(0xFFFFFFF0u).Get());
        c.HoldUntilClosed();
      },
      [](PeerConnection& c) {
        c.AcceptHandshake();
        c.ReadPayload();
        const Bytes answer = FrameOf('N', {1, 2, 3, 4, 5, 6, 7, 8});
        c.Send(Bytes(answer.begin(), answer.begin() + 12));  // then closes mid-frame
      },
  });
  CNDAClientTcp client;
  CNPacketHolder packet;
  const auto request = [&] {
    EXPECT_TRUE(Send(client, packet).result.Succeeded());
    return client.Receive(packet);
  };

  ASSERT_TRUE(client.Connect(Connection(peer, 1), 1, 1, 1, false).Succeeded());
  EXPECT_EQ(Text(request()), "Packet size is too large.");
  client.Disconnect();

  ASSERT_TRUE(client.Connect(Connection(peer, 1), 1, 1, 1, false).Succeeded());
  const ClientResult closed = request();
  EXPECT_EQ(Text(closed), "Failed to receive packet. Code:0");
  EXPECT_TRUE(closed.IsConnectionLost());
  client.Disconnect();

  // Not connected: sending fails with the socket's error.
  EXPECT_EQ(Text(Send(client, packet).result), "Failed to send packet. Code:" + std::to_string(ENOTCONN));
}

// Stray marks before an answer are skipped by the frame reader, whatever its source.
TEST(DAClientTcp, SendingDropsALateAnswer) {
  std::promise<void> staleSent;
  TestPeer peer({[&](PeerConnection& c) {
    c.AcceptHandshake();
    c.Send(FrameOf('N', CommandPayload(0xEE, 0, u"Update")));  // a late answer nobody waits for
    staleSent.set_value();
    const Bytes request = c.ReadPayload();
    if (!request.empty()) c.Send(FrameOf('N', CommandPayload(request[0], 0, u"Update", {1, 0, 0, 0})));
    c.HoldUntilClosed();
  }});
  CNDAClientTcp client;
  ASSERT_TRUE(client.Connect(Connection(peer, 1), 1, 0, 0, false).Succeeded());
  auto staleFuture = staleSent.get_future();
  ASSERT_TRUE(Ready(staleFuture));
  std::this_thread::sleep_for(milliseconds(20));  // let the late answer arrive: sending drops it
  CNPacketHolder packet;
  const Sent sent = Send(client, packet);
  ASSERT_TRUE(sent.result.Succeeded()) << Text(sent.result);
  const ClientResult received = client.Receive(packet);
  ASSERT_TRUE(received.Succeeded()) << Text(received);
  EXPECT_TRUE(CheckAnswer(packet, sent.id).Succeeded());
}

}  // namespace
