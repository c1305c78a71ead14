// Both clients against the real server: the link tag server's command and update clients share
// a session, read the server's tags and see what other sessions write.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/frame_bytes.h"
#include "comm_e2e/link_commands.h"
#include "comm_e2e/transports.h"

namespace {

// A link client pair as the link tag server makes it: the command client's "Connect" kind 1,
// then the update client's kind 2 with the identifier it returned.
void ConnectPair(const std::u16string& connection, CNDAClient& command, CNDAClient& update) {
  ASSERT_TRUE(command.Connect(connection, 1, 4242, 1, false).Succeeded());
  ASSERT_TRUE(update.Connect(connection, 1, 4242, 1, false).Succeeded());
  const ConnectAnswer first = LinkConnect(command, 1);
  ASSERT_TRUE(first.result.Succeeded()) << Text(first.result);
  ASSERT_EQ(first.ok, 1u);
  ASSERT_NE(first.id, 0u);
  ASSERT_EQ(LinkConnect(update, 2, first.id).ok, 1u);
}

// The items of an "Update" answer as "client handle=literal quality", or why it was not read.
std::vector<std::string> Changes(const TagAnswer& answer) {
  std::vector<std::string> changes;
  for (const TagItem& item : answer.items)
    changes.push_back(std::to_string(item.clientHandle) + "=" + LiteralOf(item.value) + " " +
                      Utf16ToUtf8(std::u16string(CNValue::GetQualityName(item.value.GetQuality()))));
  return answer.parsed ? changes : std::vector<std::string>{"unread: " + Text(answer.result)};
}

}  // namespace

TEST(LinkClients, ShareASessionReadTheTagsAndSeeOtherSessionsWrites) {
  for (const Transport& transport : kTransports) {
    SCOPED_TRACE(transport.name);
    ServerProcess server({.http = true});
    ASSERT_TRUE(server.IsRunning());
    const std::u16string connection = transport.connection(server, 4);
    const auto command = transport.make();
    const auto update = transport.make();
    ConnectPair(connection, *command, *update);

    // An update client naming no live connection is refused with a text.
    const auto stray = transport.make();
    ASSERT_TRUE(stray->Connect(connection, 1, 4242, 1, false).Succeeded());
    const ConnectAnswer refused = LinkConnect(*stray, 2, 0x0123456789ABCDEFull);
    ASSERT_TRUE(refused.result.Succeeded());
    EXPECT_EQ(refused.ok, 0u);
    EXPECT_EQ(refused.error, u"Unknown connection identifier.");

    const LinkAnswer linked = Link(
        *command, {{1, 11, u"SetPoint"}, {1, 12, u"No.Such.Tag"}, {1, 13, u"Label"}, {0, 14, u"Running"}});
    ASSERT_TRUE(linked.result.Succeeded()) << Text(linked.result);
    ASSERT_EQ(linked.handles.size(), 4u);
    EXPECT_EQ(linked.handles[1], 0u);  // unknown to the server

    // The update client sees the command client's advised links, each in full the first time.
    EXPECT_EQ(Changes(Update(*update)), (std::vector<std::string>{"11=75 GOOD", "13=\"ab\" GOOD"}));
    EXPECT_TRUE(Update(*update).items.empty());

    // Read answers as they travel, the gateway carrying them unchanged: ok, then per tag its kind
    // (0 a value) and value encoding (shape FF, quality, value kind, the value); a handle the
    // server never gave fails (kind 3).
    const TagAnswer read = Read(*command, {linked.handles[0], linked.handles[2], linked.handles[3], 0xDEAD});
    EXPECT_TRUE(read.parsed) << Text(read.result);
    const Bytes setPoint = WireBytes().U8(0).U8(0xFF).U8(1).U8(2).Double(75.0).Get();
    const Bytes label = WireBytes().U8(0).U8(0xFF).U8(1).U8(3).Text(u"ab").Get();
    EXPECT_EQ(read.arguments, Concat({{1, 0, 0, 0}, setPoint, label, {0, 0xFF, 1, 1, 1}, {3}}));

    // A TCP client of another session writes. The server answers with what the tag holds after
    // the write: c(1,2) of quality GOOD is 01, 02 00 00 00, 01, then twice 02 and a double.
    CNDAClientTcp writer;
    ASSERT_TRUE(writer.Connect(server.TcpConnection(), 1, 78, 1, false).Succeeded());
    ASSERT_EQ(LinkConnect(writer, 1).ok, 1u);
    const LinkAnswer written = Link(writer, {{1, 31, u"SetPoint"}});
    ASSERT_EQ(written.handles.size(), 1u);
    const TagAnswer write =
        Write(writer, {{written.handles[0], Literal(u"c(1,2)")}, {0xBEEF, Literal(u"1")}});
    EXPECT_EQ(write.arguments,
              WireBytes().U32(1).U8(0).U8(1).U32(2).U8(1).U8(2).Double(1.0).U8(2).Double(2.0).U8(3).Get());
    EXPECT_EQ(Changes(Update(*update)), std::vector<std::string>{"11=c(1,2) GOOD"});

    // A write comes back as the stored value. A text of 40,000 characters makes both the
    // request and its answer longer than one posted chunk of the gateway.
    CNValue large;
    large.SetString(std::u16string(40000, u'q'));
    const TagAnswer echoed = Write(*command, {{linked.handles[2], large}});
    ASSERT_TRUE(echoed.parsed) << Text(echoed.result);
    ASSERT_EQ(echoed.items.size(), 1u);
    EXPECT_EQ(echoed.items[0].value.GetText(0), large.GetText(0));
    EXPECT_TRUE(Update(*update).items.empty());  // the session's own write is not reported
    EXPECT_TRUE(command->Disconnect().Succeeded());
    EXPECT_FALSE(command->IsConnected());
  }
}
