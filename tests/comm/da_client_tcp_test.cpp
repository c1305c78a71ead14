#include "comm/da_client_tcp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>

#include "comm/packet_creator.h"
#include "support/utf16_text.h"
#include "test_peer.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

std::string Text(const ClientResult& result) {
  return Utf16ToUtf8(result.message);
}

// The handshake payload as the client must send it.
Bytes HandshakePayload(uint8_t kind, uint32_t processId, uint32_t clientId, uint32_t flag, uint64_t id) {
  Bytes payload = {'C', 'L', 'I', 'E', 'N', 'T', 'I', 'N', 'F', 'O', 0, kind};
  AppendU32(payload, processId);
  AppendU32(payload, clientId);
  AppendU32(payload, flag);
  AppendU64(payload, id);
  return payload;
}

// Collects callback payloads; optionally runs an action inside the callback.
class RecordingSink : public CNDAClient::ClientConnectionPoint {
 public:
  std::function<void()> m_action;

  void OnCallback(CNPacketHolder& packet) override {
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_payloads.emplace_back(packet.GetData(), packet.GetData() + packet.GetSize());
    }
    m_changed.notify_all();
    if (m_action) m_action();
  }
  bool WaitFor(size_t count) {
    std::unique_lock<std::mutex> guard(m_lock);
    return m_changed.wait_for(guard, std::chrono::seconds(5), [&] { return m_payloads.size() >= count; });
  }
  std::vector<Bytes> Payloads() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_payloads;
  }

 private:
  std::mutex m_lock;
  std::condition_variable m_changed;
  std::vector<Bytes> m_payloads;
};

bool WaitUntil(const std::function<bool()>& condition, milliseconds limit = milliseconds(5000)) {
  const auto end = Clock::now() + limit;
  while (!condition()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(milliseconds(2));
  }
  return true;
}

std::u16string Connection(const TestPeer& peer, int receiveTimeout = -1, const char* ping = "N") {
  return AsciiToUtf16(peer.ConnectionString(receiveTimeout, ping));
}

// The command connection of a client that asked for a callback channel: "OK" and an
// identifier, then nothing more.
void QuietCommandChannel(PeerConnection& c) {
  c.AcceptHandshake({1, 0, 0, 0, 0, 0, 0, 0});
  c.HoldUntilClosed();
}

// A packet holding one payload byte in its frame room.
CNPacketHolder& OneBytePacket(CNDAClientTcp& client, CNPacketHolder& packet, uint8_t byte) {
  packet.Reset();
  client.BeginPacket(packet);
  packet.WriteU8(byte);
  client.EndPacket(packet);
  return packet;
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
  EXPECT_EQ(client.GetAddress(), u"127.0.0.1");
  EXPECT_EQ(client.GetReceiveTimeout(), 4);
  EXPECT_EQ(client.GetTransportKind(), CNDAClient::kTransportTcp);
  auto helloFuture = hello.get_future();
  ASSERT_TRUE(Ready(helloFuture));
  EXPECT_EQ(helloFuture.get(), HandshakePayload(1, 0x1234, 7, 0, 0));
  EXPECT_TRUE(client.Connect(Connection(peer), 1, 0, 0, false).Succeeded());  // already connected

  CNPacketHolder packet;
  client.BeginPacket(packet);
  CNDAPacketCreatorSimple creator(packet);
  creator.BeginCommand(u"Update");
  client.EndPacket(packet);
  ASSERT_TRUE(client.SendCommand(packet).Succeeded());
  auto requestFuture = request.get_future();
  ASSERT_TRUE(Ready(requestFuture));
  EXPECT_EQ(requestFuture.get(), CommandPayload(creator.GetPacketId(), 0, u"Update"));
  packet.Reset();
  ASSERT_TRUE(client.Receive(packet).Succeeded());
  ASSERT_TRUE(CheckAnswer(packet, creator.GetPacketId()).Succeeded());
  uint32_t ok = 0, count = 7;
  EXPECT_TRUE(packet.ReadU32(ok) && packet.ReadU32(count));
  EXPECT_EQ(ok, 1u);
  EXPECT_EQ(count, 0u);
  EXPECT_TRUE(client.Disconnect().Succeeded());
  EXPECT_FALSE(client.IsConnected());
  EXPECT_TRUE(client.Disconnect().Succeeded());
}

TEST(DAClientTcp, HandshakeRefusalsAndConnectFailures) {
  TestPeer peer({
      [](PeerConnection& c) {
        c.ReadPayload();
        c.Send(FrameOf('N', {'N', 'O'}));
      },
      [](PeerConnection& c) { c.ReadPayload(); },      // closes without an answer
      [](PeerConnection& c) { c.AcceptHandshake(); },  // "OK" without the connection identifier
  });
  CNDAClientTcp client;
  EXPECT_EQ(Text(client.Connect(Connection(peer), 1, 1, 1, false)), "Fail to connect. Error from server.");
  EXPECT_FALSE(client.IsConnected());
  EXPECT_EQ(Text(client.Connect(Connection(peer), 1, 1, 1, false)), "Fail to connect.");
  EXPECT_EQ(Text(client.Connect(Connection(peer), 1, 1, 1, true)), "Fail to connect. Error from server.");
  EXPECT_FALSE(client.IsConnected());

  uint16_t closedPort;
  {
    TestPeer gone({});
    closedPort = gone.GetPort();
  }
  EXPECT_EQ(Text(client.Connect(AsciiToUtf16("127.0.0.1," + std::to_string(closedPort) + ",1,1,0,N"), 1, 1, 1,
                                false)),
            "Fail to connect.");
  EXPECT_EQ(Text(client.Connect(u"127.0.0.1,70000,1,1,0,N", 1, 1, 1, false)), "Fail to connect.");
  EXPECT_FALSE(client.IsConnected());
}

TEST(DAClientTcp, CallbackChannelDeliversFramesToTheSink) {
  const uint64_t connectionId = 0x1122334455667788ull;
  std::promise<Bytes> firstHello, secondHello;
  std::promise<void> commandSent;
  TestPeer peer({
      [&](PeerConnection& c) {
        Bytes tail;
        AppendU64(tail, connectionId);
        firstHello.set_value(c.AcceptHandshake(tail));
        // The callback channel's own frames on the command socket are not answers.
        const Bytes request = c.ReadPayload();
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
  RecordingSink sink;
  CNDAClientTcp client;
  client.SetSink(&sink);
  ASSERT_TRUE(client.Connect(Connection(peer), 1, 42, 9, true).Succeeded());
  auto firstFuture = firstHello.get_future();
  auto secondFuture = secondHello.get_future();
  ASSERT_TRUE(Ready(firstFuture) && Ready(secondFuture));
  EXPECT_EQ(firstFuture.get(), HandshakePayload(1, 42, 9, 1, 0));
  EXPECT_EQ(secondFuture.get(), HandshakePayload(1, 42, 9, 2, connectionId));
  EXPECT_EQ(client.GetConnectionId(), connectionId);
  ASSERT_TRUE(sink.WaitFor(2));
  const auto payloads = sink.Payloads();
  EXPECT_EQ(payloads[0], CommandPayload(0, 0, u"AlarmNotification", {1}));
  EXPECT_EQ(payloads[1], (Bytes{2, 3}));

  CNPacketHolder packet;
  EXPECT_TRUE(client.SendCommand(OneBytePacket(client, packet, 5)).Succeeded());
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
        for (uint32_t i = 0; i < CNDAClientTcp::kRapidFailureLimit + 1; ++i)
          burst.insert(burst.end(), bad.begin(), bad.end());
        const Bytes good = FrameOf('C', {7});
        burst.insert(burst.end(), good.begin(), good.end());
        c.Send(burst);  // as many rapid failures as are allowed, then a good frame
        goOn.get_future().wait_for(std::chrono::seconds(5));
        burst.clear();
        for (int i = 0; i < 40; ++i) burst.insert(burst.end(), bad.begin(), bad.end());
        c.Send(burst);
        c.HoldUntilClosed();
      },
  });
  RecordingSink sink;
  CNDAClientTcp client;
  client.SetSink(&sink);
  ASSERT_TRUE(client.Connect(Connection(peer), 1, 1, 1, true).Succeeded());
  EXPECT_TRUE(sink.WaitFor(1));
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
  RecordingSink sink;
  CNDAClientTcp client;
  sink.m_action = [&] { EXPECT_TRUE(client.Disconnect().Succeeded()); };
  client.SetSink(&sink);
  const auto start = Clock::now();
  ASSERT_TRUE(client.Connect(Connection(peer), 1, 1, 1, true).Succeeded());
  ASSERT_TRUE(sink.WaitFor(1));
  EXPECT_TRUE(WaitUntil([&] { return !client.IsConnected() && client.IsCallbackThreadExited(); }));
  EXPECT_LT(Clock::now() - start, milliseconds(2000));
}

TEST(DAClientTcp, HostileAndSilentServers) {
  TestPeer peer({
      [](PeerConnection& c) {
        c.AcceptHandshake();
        c.ReadPayload();
        Bytes huge = {'@', 'K', 'V', '\n', 'N'};
        AppendU32(huge, 0xFFFFFFF0u);
        c.Send(huge);
        c.HoldUntilClosed();
      },
      [](PeerConnection& c) {
        c.AcceptHandshake();
        c.ReadPayload();  // never answers
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
    EXPECT_TRUE(client.SendCommand(OneBytePacket(client, packet, 1)).Succeeded());
    return client.Receive(packet);
  };

  ASSERT_TRUE(client.Connect(Connection(peer, 1), 1, 1, 1, false).Succeeded());
  EXPECT_EQ(Text(request()), "Packet size is too large.");
  client.Disconnect();

  ASSERT_TRUE(client.Connect(Connection(peer, 1), 1, 1, 1, false).Succeeded());
  EXPECT_EQ(client.GetReceiveTimeout(), 1);
  const auto start = Clock::now();
  const ClientResult silent = request();
  EXPECT_EQ(Text(silent), "Failed to receive packet. Code:" + std::to_string(ETIMEDOUT));
  EXPECT_TRUE(silent.IsTimeout() && !silent.IsConnectionLost());
  const auto waited = Clock::now() - start;
  EXPECT_GE(waited, milliseconds(900));
  EXPECT_LT(waited, milliseconds(3000));
  client.Disconnect();

  ASSERT_TRUE(client.Connect(Connection(peer, 1), 1, 1, 1, false).Succeeded());
  const ClientResult closed = request();
  EXPECT_EQ(Text(closed), "Failed to receive packet. Code:0");
  EXPECT_TRUE(closed.IsConnectionLost() && !closed.IsTimeout());
  client.Disconnect();

  // Not connected: sending fails with the socket's error.
  EXPECT_EQ(Text(client.SendCommand(OneBytePacket(client, packet, 1))),
            "Failed to send packet. Code:" + std::to_string(ENOTCONN));
}

TEST(DAClientTcp, SendDropsALateAnswerWaitingFromAnEarlierRequest) {
  std::promise<void> staleSent;
  TestPeer peer({[&](PeerConnection& c) {
    c.AcceptHandshake();
    c.Send(FrameOf('N', CommandPayload(0xEE, 0, u"Read")));  // late answer nobody waits for
    staleSent.set_value();
    const Bytes request = c.ReadPayload();
    if (!request.empty()) c.Send(FrameOf('N', CommandPayload(request[0], 0, u"Read", {1, 0, 0, 0})));
    c.HoldUntilClosed();
  }});
  CNDAClientTcp client;
  ASSERT_TRUE(client.Connect(Connection(peer), 1, 1, 1, false).Succeeded());
  auto staleFuture = staleSent.get_future();
  ASSERT_TRUE(Ready(staleFuture));
  std::this_thread::sleep_for(milliseconds(20));  // let the late answer arrive
  CNPacketHolder packet;
  client.BeginPacket(packet);
  CNDAPacketCreatorSimple creator(packet);
  creator.BeginCommand(u"Read");
  client.EndPacket(packet);
  ASSERT_TRUE(client.SendCommand(packet).Succeeded());
  ASSERT_TRUE(client.Receive(packet).Succeeded());
  EXPECT_TRUE(CheckAnswer(packet, creator.GetPacketId()).Succeeded());
}

}  // namespace

TEST(DAClientTcp, StrayMarkBeforeAnAnswerDoesNotHideIt) {
  const std::vector<Bytes> garbage = StrayMarkGarbage();
  TestPeer peer({[&](PeerConnection& c) {
    c.AcceptHandshake();
    for (const Bytes& g : garbage) {
      const Bytes request = c.ReadPayload();
      if (request.empty()) return;
      c.Send(Concat({g, FrameOf('N', CommandPayload(request[0], 0, u"Update", {1, 0, 0, 0, 0, 0, 0, 0}))}));
    }
    c.HoldUntilClosed();
  }});
  CNDAClientTcp client;
  ASSERT_TRUE(client.Connect(Connection(peer, 1), 1, 0, 0, false).Succeeded());
  for (const Bytes& g : garbage) {
    const std::string name(g.begin(), g.end());
    CNPacketHolder packet;
    client.BeginPacket(packet);
    CNDAPacketCreatorSimple creator(packet);
    creator.BeginCommand(u"Update");
    client.EndPacket(packet);
    ASSERT_TRUE(client.SendCommand(packet).Succeeded()) << name;
    const ClientResult received = client.Receive(packet);
    ASSERT_TRUE(received.Succeeded()) << name << ": " << Text(received);
    EXPECT_TRUE(CheckAnswer(packet, creator.GetPacketId()).Succeeded()) << name;
  }
}
