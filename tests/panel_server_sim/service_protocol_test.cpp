#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim_server.h"
#include "support/file_time.h"

namespace {

uint32_t ReadU32Arg(CNPacketHolder& answer) {
  uint32_t length = 0;
  uint32_t value = 0;
  EXPECT_TRUE(answer.ReadU32(length) && length == 4 && answer.ReadU32(value));
  return value;
}

std::u16string ReadTextArg(CNPacketHolder& answer) {
  uint32_t length = 0;
  std::u16string text;
  EXPECT_TRUE(answer.ReadU32(length) && answer.ReadText(text));
  EXPECT_EQ(length, text.size() * 2 + 2);
  return text;
}

// One pushed frame of the callback channel: its command name and the packet after the header.
std::u16string ReadPush(SimClient& callback, CNPacketHolder& packet) {
  EXPECT_TRUE(callback.Receive(packet, 'C').Succeeded());
  uint16_t nameBytes = 0;
  packet.Seek(3, CNPacketHolder::kSeekBegin);
  packet.ReadU16(nameBytes);
  std::u16string name;
  packet.ReadText(name);
  return name;
}

struct Notification {
  uint32_t type = 0;
  std::u16string id;
  uint32_t recovered = 0;
  uint32_t acked = 0;
  std::vector<std::u16string> comments;
  uint32_t brandNew = 0;
};

Notification ReadNotification(SimClient& callback) {
  CNPacketHolder packet;
  EXPECT_EQ(ReadPush(callback, packet), u"AlarmNotification");
  Notification n;
  n.type = ReadU32Arg(packet);
  uint32_t length = 0;
  uint64_t time = 0;
  EXPECT_TRUE(packet.ReadU32(length) && length == 8 && packet.ReadU64(time));
  EXPECT_LE(time, CurrentFileTime());
  EXPECT_GT(time, CurrentFileTime() - 60 * kTicksPerSecond);
  n.id = ReadTextArg(packet);
  n.recovered = ReadU32Arg(packet);
  n.acked = ReadU32Arg(packet);
  const uint32_t count = ReadU32Arg(packet);
  for (uint32_t i = 0; i < count; ++i) n.comments.push_back(ReadTextArg(packet));
  n.brandNew = ReadU32Arg(packet);
  EXPECT_TRUE(packet.IsEnd());
  return n;
}

}  // namespace

TEST(LoginProtocol, LoginKeepAliveAndServices) {
  SimServer server;
  SimClient client;
  OpenCommandClient(client, server.Port());

  CNPacketHolder answer = Transact(client, WireBytes::Command(1, u"Login").ArgText(u"admin").ArgText(u"admin").ArgText(u""));
  EXPECT_EQ(ReadU32Arg(answer), 1u);
  EXPECT_EQ(ReadU32Arg(answer), 9u);
  answer = Transact(client, WireBytes::Command(2, u"Login").ArgText(u"admin").ArgText(u"nope").ArgText(u""));
  EXPECT_EQ(ReadU32Arg(answer), 0u);
  EXPECT_EQ(ReadTextArg(answer), u"Invalid user name or password.");
  answer = Transact(client, WireBytes::Command(3, u"KeepAlive"));
  EXPECT_EQ(ReadU32Arg(answer), 1u);

  answer = Transact(client, WireBytes::Command(4, u"GetServerTime"));
  uint32_t length = 0;
  uint64_t time = 0;
  ASSERT_TRUE(answer.ReadU32(length) && length == 8 && answer.ReadU64(time));
  EXPECT_LT(CurrentFileTime() - time, 60 * kTicksPerSecond);

  // Reference counters count.
  for (uint8_t id = 5; id < 7; ++id)
    Transact(client, WireBytes::Command(id, u"AddReferenceCounter").ArgText(u"pump").U32(0));
  answer = Transact(client, WireBytes::Command(7, u"GetReferenceCounter").ArgText(u"pump"));
  EXPECT_EQ(ReadU32Arg(answer), 2u);

  // Files go in and come back.
  Transact(client, WireBytes::Command(8, u"SendFile").ArgText(u"logs").ArgText(u"a.txt").U32(3).Raw("xyz").U32(0));
  answer = Transact(client, WireBytes::Command(9, u"ReceiveFile").ArgText(u"logs").ArgText(u"a.txt"));
  char data[3] = {};
  ASSERT_TRUE(answer.ReadU32(length) && length == 3 && answer.Read(data, 3));
  EXPECT_EQ(std::string(data, 3), "xyz");
  answer = Transact(client, WireBytes::Command(10, u"ServerDeleteFile").ArgText(u"logs").ArgText(u"b.txt"));
  EXPECT_EQ(ReadU32Arg(answer), 0u);
  EXPECT_EQ(ReadTextArg(answer), u"File not found.");

  // Users added over the wire can log in.
  Transact(client, WireBytes::Command(11, u"AddLoginUser").U32(2).U16(1).ArgText(u"op").ArgText(u"pw").ArgU32(4).ArgU32(0));
  answer = Transact(client, WireBytes::Command(12, u"Login").ArgText(u"op").ArgText(u"pw").ArgText(u""));
  EXPECT_EQ(ReadU32Arg(answer), 1u);
  EXPECT_EQ(ReadU32Arg(answer), 4u);
}

TEST(LoginProtocol, RefusalFaults) {
  SimServer server({"refuse-login", "refuse-keepalive", "refuse-service"});
  SimClient client;
  OpenCommandClient(client, server.Port());
  CNPacketHolder answer = Transact(client, WireBytes::Command(1, u"Login").ArgText(u"user").ArgText(u"wqxa").ArgText(u""));
  EXPECT_EQ(ReadU32Arg(answer), 0u);
  EXPECT_EQ(ReadTextArg(answer), u"Login refused by the server.");
  answer = Transact(client, WireBytes::Command(2, u"KeepAlive"));
  EXPECT_EQ(ReadU32Arg(answer), 0u);
  answer = Transact(client, WireBytes::Command(3, u"Connect2").Text(u"Alarm"));
  uint32_t ok = 1;
  std::u16string error;
  ASSERT_TRUE(answer.ReadU32(ok) && answer.ReadText(error));
  EXPECT_EQ(ok, 0u);
  EXPECT_EQ(error, u"Service refused.");
}

TEST(AlarmProtocol, SubscribersReceiveFiredLimitAndAckEvents) {
  SimServer server;
  SimClient command;
  ASSERT_TRUE(command.Open(server.Port()));
  ASSERT_TRUE(command.SendBytes(HandshakeFrame(20, 1, 1, 1, 0)));
  const std::vector<uint8_t> ok = command.ReadRawFrame();
  ASSERT_EQ(ok.size(), 25u);
  uint64_t id = 0;
  for (int i = 7; i >= 0; --i) id = id << 8 | ok[11 + i];
  SimClient callback;
  ASSERT_TRUE(callback.Open(server.Port()));
  ASSERT_TRUE(callback.SendBytes(HandshakeFrame(20, 1, 1, 2, id)));
  ASSERT_FALSE(callback.ReadRawFrame().empty());

  CNPacketHolder answer = Transact(command, WireBytes::Command(1, u"Connect").Text(u"AlarmService"));
  uint32_t accepted = 0;
  ASSERT_TRUE(answer.ReadU32(accepted));
  EXPECT_EQ(accepted, 1u);

  // An alarm that is already active comes in the summary's first batch.
  Transact(command, WireBytes::Command(2, u"FireAlarm").ArgText(u"Door.Open").Arg(WireBytes().U8(255).U8(1).U8(3).Text(u"x")));
  answer = Transact(command, WireBytes::Command(3, u"SubscribeSummary").ArgText(u""));
  EXPECT_EQ(ReadU32Arg(answer), 1u);
  CNPacketHolder packet;
  EXPECT_EQ(ReadPush(callback, packet), u"AlarmNotificationStart");
  Notification first = ReadNotification(callback);
  EXPECT_EQ(first.id, u"Door.Open");
  EXPECT_EQ(first.brandNew, 0u);
  EXPECT_EQ(ReadPush(callback, packet), u"AlarmNotificationDone");
  EXPECT_EQ(ReadU32Arg(packet), 1u);  // complete
  EXPECT_EQ(ReadU32Arg(packet), 1u);  // shown

  // A fired alarm with two comments.
  const WireBytes comments = WireBytes().U8(1).U32(2).U8(1).U8(3).Text(u"hot").U8(3).Text(u"stop");
  Transact(command,
           WireBytes::Command(4, u"FireAlarm").ArgText(u"Pump.Trip").Arg(comments).Arg(WireBytes().U8(0).U8(2)));
  Notification fired = ReadNotification(callback);
  EXPECT_EQ(fired.type, 0u);
  EXPECT_EQ(fired.id, u"Pump.Trip");
  EXPECT_EQ(fired.recovered, 1u);
  EXPECT_EQ(fired.comments, (std::vector<std::u16string>{u"hot", u"stop"}));
  EXPECT_EQ(fired.brandNew, 1u);

  // A tag driven over its limit raises "<tag>.HI"; going back recovers it.
  SimClient writer;
  OpenCommandClient(writer, server.Port());
  Transact(writer, WireBytes::Command(1, u"Link").U32(1).U32(0).U64(1).Text(u"Level").U32(0).U32(0));
  Transact(writer, WireBytes::Command(2, u"Write").U32(1).U64(1).U8(255).U8(1).U8(2).Double(95));
  Notification high = ReadNotification(callback);
  EXPECT_EQ(high.id, u"Level.HI");
  EXPECT_EQ(high.type, 0u);
  EXPECT_EQ(high.recovered, 0u);
  Transact(writer, WireBytes::Command(3, u"Write").U32(1).U64(1).U8(255).U8(1).U8(2).Double(20));
  Notification recovered = ReadNotification(callback);
  EXPECT_EQ(recovered.type, 1u);
  EXPECT_EQ(recovered.recovered, 1u);

  answer = Transact(command, WireBytes::Command(5, u"Ack").ArgText(u"Level.HI"));
  EXPECT_EQ(ReadU32Arg(answer), 1u);
  Notification acked = ReadNotification(callback);
  EXPECT_EQ(acked.type, 2u);
  EXPECT_EQ(acked.acked, 1u);
  answer = Transact(command, WireBytes::Command(6, u"Ack").ArgText(u"Level.HI"));  // recovered and acked: gone
  EXPECT_EQ(ReadU32Arg(answer), 0u);
  EXPECT_EQ(ReadTextArg(answer), u"No such alarm.");

  // Without a callback channel there is nothing to subscribe with.
  SimClient plain;
  OpenCommandClient(plain, server.Port());
  answer = Transact(plain, WireBytes::Command(1, u"SubscribeRealtime").ArgText(u"*").ArgU32(10));
  EXPECT_EQ(ReadU32Arg(answer), 0u);
  EXPECT_EQ(ReadTextArg(answer), u"No callback channel.");
}

namespace {

// A command client with a callback channel, as an alarm client opens them.
void OpenAlarmClient(uint16_t port, SimClient& command, SimClient& callback) {
  ASSERT_TRUE(command.Open(port));
  ASSERT_TRUE(command.SendBytes(HandshakeFrame(20, 1, 1, 1, 0)));
  const std::vector<uint8_t> ok = command.ReadRawFrame();
  ASSERT_EQ(ok.size(), 25u);
  uint64_t id = 0;
  for (int i = 7; i >= 0; --i) id = id << 8 | ok[11 + i];
  ASSERT_TRUE(callback.Open(port));
  ASSERT_TRUE(callback.SendBytes(HandshakeFrame(20, 1, 1, 2, id)));
  ASSERT_FALSE(callback.ReadRawFrame().empty());
}

}  // namespace

TEST(AlarmProtocol, HistoricalBatchCountsAndTheShutdownFault) {
  SimServer server({"alarm-shutdown=5"});
  SimClient command;
  SimClient callback;
  OpenAlarmClient(server.Port(), command, callback);
  for (const char16_t* id : {u"A.1", u"A.2", u"B.1"}) {
    CNPacketHolder fired = Transact(command, WireBytes::Command(1, u"FireAlarm").ArgText(id));
    EXPECT_EQ(ReadU32Arg(fired), 1u);
  }

  // Two of the three records in range; the filter leaves out B.
  const uint64_t end = CurrentFileTime() + 10'000'000;
  CNPacketHolder answer = Transact(command, WireBytes::Command(2, u"SubscribeHistorical")
                                                .ArgText(u"a.")
                                                .ArgU32(1)
                                                .Arg(WireBytes().U64(0))
                                                .Arg(WireBytes().U64(end)));
  EXPECT_EQ(ReadU32Arg(answer), 1u);
  CNPacketHolder packet;
  EXPECT_EQ(ReadPush(callback, packet), u"AlarmNotificationStart");
  EXPECT_EQ(ReadNotification(callback).id, u"A.2");  // the newest that fits the count
  EXPECT_EQ(ReadPush(callback, packet), u"AlarmNotificationDone");
  EXPECT_EQ(ReadU32Arg(packet), 1u);  // complete
  EXPECT_EQ(ReadU32Arg(packet), 1u);  // shown
  EXPECT_EQ(ReadU32Arg(packet), 2u);  // found
  EXPECT_EQ(ReadU32Arg(packet), 1u);
  EXPECT_EQ(ReadU32Arg(packet), 2u);

  // The fifth answer is followed by the shutdown.
  answer = Transact(command, WireBytes::Command(3, u"RefreshServer"));
  EXPECT_EQ(ReadU32Arg(answer), 1u);
  EXPECT_EQ(ReadPush(callback, packet), u"AlarmServerShutdown");
}
