#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/frame.h"
#include "sim_server.h"
#include "support/file_time.h"

namespace {

// Length-prefixed arguments as text, one word each: four bytes as a number (so that a text of one
// letter reads as one too), eight as "time" when they hold a time of the last minute, UTF-16
// texts in quotes, anything else in hexadecimal.
std::string Args(CNPacketHolder& packet) {
  std::string text;
  uint32_t length = 0;
  while (packet.ReadU32(length)) {
    std::vector<uint8_t> bytes(length);
    if (!packet.Read(bytes.data(), length)) return text + " (cut)";
    uint64_t number = 0;
    for (size_t i = length; i-- > 0 && length <= 8;) number = number << 8 | bytes[i];
    std::u16string utf16;
    for (size_t i = 0; i + 1 < length; i += 2)
      utf16.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    text += text.empty() ? "" : " ";
    if (length == 4) {
      text += std::to_string(number);
    } else if (length == 8 && number <= CurrentFileTime() &&
               number > CurrentFileTime() - 60 * kTicksPerSecond) {
      text += "time";
    } else if (length % 2 == 0 && !utf16.empty() && utf16.back() == 0) {
      text += "\"" + Utf16ToUtf8(utf16.substr(0, utf16.size() - 1)) + "\"";
    } else {
      text += Utf16ToUtf8(HexDump(bytes.data(), bytes.size()));
    }
  }
  return text;
}

std::string Answer(SimClient& client, const WireBytes& command) {
  CNPacketHolder answer = Transact(client, command);
  return Args(answer);
}

// The next frame of the callback channel: its command name and its arguments.
std::string Push(SimClient& callback) {
  CNPacketHolder packet;
  EXPECT_TRUE(callback.Receive(packet, 'C').Succeeded());
  uint16_t nameBytes = 0;
  std::u16string name;
  packet.Seek(3, CNPacketHolder::kSeekBegin);
  packet.ReadU16(nameBytes);
  packet.ReadText(name);
  const std::string args = Args(packet);
  return Utf16ToUtf8(name) + (args.empty() ? "" : " " + args);
}

}  // namespace

// Refused logins and services are met in the stubs' runs against the server program.
TEST(LoginProtocol, RefusedKeepAlive) {
  SimServer server({"refuse-keepalive"});
  SimClient client;
  OpenCommandClient(client, server.Port());
  EXPECT_EQ(Answer(client, WireBytes::Command(1, u"KeepAlive")), "0 \"Keep-alive refused.\"");
}

TEST(AlarmProtocol, SubscribersReceiveFiredLimitAndAckEvents) {
  SimServer server;
  SimClient command;
  SimClient callback;
  OpenWithCallback(server.Port(), command, callback);

  // An alarm that is already active comes in the summary's first batch.
  Transact(command, WireBytes::Command(2, u"FireAlarm")
                        .ArgText(u"Door.Open")
                        .Arg(WireBytes().U8(255).U8(1).U8(3).Text(u"ajar")));
  EXPECT_EQ(Answer(command, WireBytes::Command(3, u"SubscribeSummary").ArgText(u"")), "1");
  EXPECT_EQ(Push(callback), "AlarmNotificationStart");
  // type, time, id, recovered, acked, the comments counted, brand-new
  EXPECT_EQ(Push(callback), "AlarmNotification 0 time \"Door.Open\" 1 0 1 \"ajar\" 0");
  EXPECT_EQ(Push(callback),
            "AlarmNotificationDone 1 1 1 1 1 time");  // complete, shown, found twice, last time

  // A tag driven over its limit raises "<tag>.HI"; going back recovers it.
  SimClient writer;
  OpenCommandClient(writer, server.Port());
  Transact(writer, WireBytes::Command(1, u"Link").U32(1).U32(0).U64(1).Text(u"Level").U32(0).U32(0));
  Transact(writer, WireBytes::Command(2, u"Write").U32(1).U64(1).U8(255).U8(1).U8(2).Double(95));
  EXPECT_EQ(Push(callback), "AlarmNotification 0 time \"Level.HI\" 0 0 1 \"Level above 90\" 1");
  Transact(writer, WireBytes::Command(3, u"Write").U32(1).U64(1).U8(255).U8(1).U8(2).Double(20));
  EXPECT_EQ(Push(callback), "AlarmNotification 1 time \"Level.HI\" 1 0 1 \"Level above 90\" 0");

  EXPECT_EQ(Answer(command, WireBytes::Command(5, u"Ack").ArgText(u"Level.HI")), "1");
  EXPECT_EQ(Push(callback), "AlarmNotification 2 time \"Level.HI\" 1 1 1 \"Level above 90\" 0");
  // Recovered and acknowledged, the alarm is gone.
  EXPECT_EQ(Answer(command, WireBytes::Command(6, u"Ack").ArgText(u"Level.HI")), "0 \"No such alarm.\"");

  // Without a callback channel there is nothing to subscribe with.
  SimClient plain;
  OpenCommandClient(plain, server.Port());
  EXPECT_EQ(Answer(plain, WireBytes::Command(1, u"SubscribeRealtime").ArgText(u"*").ArgU32(10)),
            "0 \"No callback channel.\"");
}

TEST(AlarmProtocol, HistoricalBatchCountsAndTheShutdownFault) {
  SimServer server({"alarm-shutdown=5"});
  SimClient command;
  SimClient callback;
  OpenWithCallback(server.Port(), command, callback);
  for (const char16_t* id : {u"A.1", u"A.2", u"B.1"})
    EXPECT_EQ(Answer(command, WireBytes::Command(1, u"FireAlarm").ArgText(id)), "1");

  // Two of the three records in range; the filter leaves out B.
  const uint64_t end = CurrentFileTime() + 10'000'000;
  EXPECT_EQ(Answer(command, WireBytes::Command(2, u"SubscribeHistorical")
                                .ArgText(u"a.")
                                .ArgU32(1)
                                .Arg(WireBytes().U64(0))
                                .Arg(WireBytes().U64(end))),
            "1");
  EXPECT_EQ(Push(callback), "AlarmNotificationStart");
  EXPECT_EQ(Push(callback), "AlarmNotification 0 time \"A.2\" 1 0 0 0");  // the newest that fits the count
  EXPECT_EQ(Push(callback), "AlarmNotificationDone 1 1 2 1 2 time");

  // The fifth answer is followed by the shutdown.
  EXPECT_EQ(Answer(command, WireBytes::Command(3, u"RefreshServer")), "1");
  EXPECT_EQ(Push(callback), "AlarmServerShutdown");
}
