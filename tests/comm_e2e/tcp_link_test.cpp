// The TCP client against the real server: connecting, and the commands of the link tag
// server's two clients.
#include <gtest/gtest.h>

#include <chrono>

#include "comm/da_client_tcp.h"
#include "comm_e2e/link_commands.h"
#include "comm_e2e/server_process.h"
#include "panel_server_sim/wire_bytes.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

// A link client pair as the link tag server makes it: the command client's "Connect" kind 1,
// then the update client's kind 2 with the identifier it returned.
void ConnectPair(const ServerProcess& server, CNDAClientTcp& command, CNDAClientTcp& update) {
  ASSERT_TRUE(command.Connect(server.TcpConnection(), 1, 4242, 1, false).Succeeded());
  ASSERT_TRUE(update.Connect(server.TcpConnection(), 1, 4242, 1, false).Succeeded());
  const ConnectAnswer first = LinkConnect(command, 1);
  ASSERT_TRUE(first.result.Succeeded()) << Text(first.result);
  ASSERT_EQ(first.ok, 1u);
  ASSERT_NE(first.id, 0u);
  const ConnectAnswer second = LinkConnect(update, 2, first.id);
  ASSERT_TRUE(second.result.Succeeded()) << Text(second.result);
  ASSERT_EQ(second.ok, 1u);
}

}  // namespace

TEST(TcpEndToEnd, ConnectsWithAndWithoutTheCallbackChannel) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());

  CNDAClientTcp plain;
  const ClientResult connected = plain.Connect(server.TcpConnection(), 1, 100, 7, false);
  ASSERT_TRUE(connected.Succeeded()) << Text(connected);
  EXPECT_TRUE(plain.IsConnected());
  EXPECT_EQ(plain.GetAddress(), u"127.0.0.1");
  EXPECT_EQ(plain.GetConnectionId(), 0u);  // only a callback channel brings one
  EXPECT_TRUE(Update(plain).result.Succeeded());

  CNDAClientTcp withCallback;
  ASSERT_TRUE(withCallback.Connect(server.TcpConnection(), 1, 100, 8, true).Succeeded());
  EXPECT_NE(withCallback.GetConnectionId(), 0u);
  EXPECT_FALSE(withCallback.IsCallbackThreadExited());
  EXPECT_TRUE(Update(withCallback).result.Succeeded());

  // The callback thread is waiting for data: Disconnect must not wait for its time-out.
  const auto start = Clock::now();
  EXPECT_TRUE(withCallback.Disconnect().Succeeded());
  EXPECT_LT(Clock::now() - start, milliseconds(1000));
  EXPECT_TRUE(withCallback.IsCallbackThreadExited());
  EXPECT_FALSE(withCallback.IsConnected());
  EXPECT_TRUE(plain.Disconnect().Succeeded());
  EXPECT_FALSE(plain.IsConnected());
}

TEST(TcpEndToEnd, RefusedAndUnreachableServersFailToConnect) {
  ServerProcess refusing({.faults = {"refuse-handshake"}});
  ASSERT_TRUE(refusing.IsRunning());
  for (const bool callback : {false, true}) {
    CNDAClientTcp client;
    EXPECT_EQ(Text(client.Connect(refusing.TcpConnection(), 1, 1, 1, callback)),
              "Fail to connect. Error from server.");
    EXPECT_FALSE(client.IsConnected());
  }

  const std::u16string gone = refusing.TcpConnection();
  EXPECT_EQ(refusing.Stop(), 0);
  CNDAClientTcp client;
  EXPECT_EQ(Text(client.Connect(gone, 1, 1, 1, false)), "Fail to connect.");
  EXPECT_FALSE(client.IsConnected());
}

TEST(TcpEndToEnd, LinkClientsShareOneSessionAndReadTheServersTags) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  CNDAClientTcp command, update;
  ConnectPair(server, command, update);

  // An update client naming no live connection is refused with a text.
  CNDAClientTcp stray;
  ASSERT_TRUE(stray.Connect(server.TcpConnection(), 1, 4242, 1, false).Succeeded());
  const ConnectAnswer refused = LinkConnect(stray, 2, 0x0123456789ABCDEFull);
  ASSERT_TRUE(refused.result.Succeeded());
  EXPECT_EQ(refused.ok, 0u);
  EXPECT_FALSE(refused.error.empty());

  const LinkAnswer linked =
      Link(command, {{1, 11, u"SetPoint"}, {1, 12, u"No.Such.Tag"}, {1, 13, u"Label"}, {0, 14, u"Running"}});
  ASSERT_TRUE(linked.result.Succeeded()) << Text(linked.result);
  ASSERT_EQ(linked.ok, 1u);
  ASSERT_EQ(linked.handles.size(), 4u);
  EXPECT_NE(linked.handles[0], 0u);
  EXPECT_EQ(linked.handles[1], 0u);  // unknown to the server
  EXPECT_NE(linked.handles[2], 0u);
  EXPECT_NE(linked.handles[3], 0u);
  EXPECT_NE(linked.handles[0], linked.handles[2]);

  // The update client sees the command client's advised links, each in full the first time.
  const TagAnswer first = Update(update);
  ASSERT_TRUE(first.result.Succeeded()) << Text(first.result);
  ASSERT_TRUE(first.parsed);
  ASSERT_EQ(first.items.size(), 2u);
  EXPECT_EQ(first.items[0].clientHandle, 11u);
  EXPECT_EQ(first.items[0].kind, 0);
  EXPECT_EQ(LiteralOf(first.items[0].value), "75");
  EXPECT_EQ(first.items[1].clientHandle, 13u);
  EXPECT_EQ(LiteralOf(first.items[1].value), "\"ab\"");
  const TagAnswer second = Update(update);
  ASSERT_TRUE(second.parsed);
  EXPECT_TRUE(second.items.empty());

  // Read answers as they travel: ok, then per tag its kind and value encoding (a scalar string
  // ab is FF, quality, 03, 61 00 62 00 00 00); a handle the server never gave fails.
  const TagAnswer read = Read(command, {linked.handles[0], linked.handles[2], linked.handles[3], 0xDEAD});
  ASSERT_TRUE(read.result.Succeeded()) << Text(read.result);
  const WireBytes expected = WireBytes()
                                 .U32(1)
                                 .U8(0).U8(0xFF).U8(1).U8(2).Double(75.0)
                                 .U8(0).U8(0xFF).U8(1).U8(3).U16('a').U16('b').U16(0)
                                 .U8(0).U8(0xFF).U8(1).U8(1).U8(1)
                                 .U8(3);
  EXPECT_EQ(read.arguments, expected.Get());
  EXPECT_TRUE(read.parsed);
}

TEST(TcpEndToEnd, WriteByOneLinkClientReachesAnotherSessionThroughUpdate) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  CNDAClientTcp writer, writerUpdate, watcher, watcherUpdate;
  ConnectPair(server, writer, writerUpdate);
  ConnectPair(server, watcher, watcherUpdate);

  const LinkAnswer watched = Link(watcher, {{1, 21, u"SetPoint"}});
  ASSERT_EQ(watched.handles.size(), 1u);
  ASSERT_EQ(Update(watcherUpdate).items.size(), 1u);  // the first report
  const LinkAnswer written = Link(writer, {{1, 31, u"SetPoint"}});
  ASSERT_EQ(written.handles.size(), 1u);

  // The server answers with what the tag holds after the write: c(1,2) of quality GOOD is 01,
  // 02 00 00 00, 01, then twice 02 and a double.
  const TagAnswer write = Write(writer, {{written.handles[0], Literal(u"c(1,2)")}, {0xBEEF, Literal(u"1")}});
  ASSERT_TRUE(write.result.Succeeded()) << Text(write.result);
  const WireBytes expected = WireBytes().U32(1).U8(0).U8(1).U32(2).U8(1).U8(2).Double(1.0).U8(2).Double(2.0).U8(3);
  EXPECT_EQ(write.arguments, expected.Get());

  const TagAnswer changed = Update(watcherUpdate);
  ASSERT_TRUE(changed.parsed);
  ASSERT_EQ(changed.items.size(), 1u);
  EXPECT_EQ(changed.items[0].clientHandle, 21u);
  EXPECT_EQ(changed.items[0].kind, 0);
  EXPECT_EQ(LiteralOf(changed.items[0].value), "c(1,2)");
  EXPECT_EQ(changed.items[0].value.GetQuality(), VQ_GOOD);

  const TagAnswer read = Read(watcher, {watched.handles[0]});
  ASSERT_EQ(read.items.size(), 1u);
  EXPECT_EQ(LiteralOf(read.items[0].value), "c(1,2)");
}
