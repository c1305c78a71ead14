#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "comm/da_client_soap.h"
#include "comm/soap_message.h"
#include "comm/soap_transport.h"
#include "panel_server_sim/http_gateway.h"
#include "sim_server.h"

using namespace panel_sim;

namespace {

std::string Hex(const std::vector<uint8_t>& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const uint8_t b : bytes) text.append({kDigits[b >> 4], kDigits[b & 15]});
  return text;
}

std::string StrIn(uint32_t type, const std::string& connection, const char* flags, int sequence,
                  const std::vector<uint8_t>& data) {
  return "2|" + std::to_string(type) + ":" + connection + ":" + flags + std::to_string(sequence) + ":" +
         std::to_string(data.size()) + ":" + Hex(data);
}

// One gateway answer, read with the client's parser.
CNSoapAnswer Answer(HttpGateway& gateway, const std::string& strIn) {
  const std::string text = gateway.Process(strIn);
  CNSoapAnswer answer;
  EXPECT_TRUE(ParseSoapAnswer(BuildProcessResponse(text), answer)) << text;
  return answer;
}

std::vector<uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

std::string Connect(HttpGateway& gateway) {
  const CNSoapAnswer answer = Answer(gateway, StrIn(1, "*", "TF", 1, Bytes("pass,99,7,0x1,1,plc,6001,2,2,N,1,10")));
  EXPECT_EQ(answer.type, 1u);
  return std::string(answer.data.begin(), answer.data.end());
}

}  // namespace

TEST(Gateway, RelaysChunkedRequestsAndAnswers) {
  SimServer server;
  HttpGateway gateway(server.Port());
  const std::string id = Connect(gateway);
  ASSERT_EQ(id.size(), 16u);

  // A request in two chunks: the first is only acknowledged, the last brings the answer.
  const std::vector<uint8_t> link =
      WireBytes::Command(1, u"Link").U32(1).U32(1).U64(5).Text(u"Label").U32(0).U32(0).Frame();
  const std::vector<uint8_t> head(link.begin(), link.begin() + 10);
  const std::vector<uint8_t> tail(link.begin() + 10, link.end());
  CNSoapAnswer answer = Answer(gateway, StrIn(3, id, "TT", 2, head));
  EXPECT_EQ(answer.type, 3u);
  EXPECT_TRUE(answer.data.empty());
  answer = Answer(gateway, StrIn(3, id, "FF", 3, tail));
  EXPECT_EQ(answer.sequence, 3);
  EXPECT_FALSE(answer.more);
  EXPECT_EQ(answer.data, WireBytes::Command(1, u"Link").U32(1).U64(1).Frame());

  // An answer above one chunk is handed out in pieces on request.
  const std::u16string text(20000, u'z');
  const std::vector<uint8_t> write = WireBytes::Command(2, u"Write").U32(1).U64(1).U8(255).U8(1).U8(3).Text(text).Frame();
  std::vector<uint8_t> message;
  int sequence = 4;
  for (const CNSoapChunkSpan& span : SplitSoapMessage(write.size())) {
    const std::vector<uint8_t> chunk(write.begin() + static_cast<ptrdiff_t>(span.offset),
                                     write.begin() + static_cast<ptrdiff_t>(span.offset + span.length));
    answer = Answer(gateway, StrIn(3, id, span.first ? (span.more ? "TT" : "TF") : (span.more ? "FT" : "FF"),
                                   sequence++, chunk));
  }
  ASSERT_TRUE(answer.more);
  ASSERT_EQ(answer.data.size(), kSoapChunkSize);
  message = answer.data;
  while (answer.more) {
    answer = Answer(gateway, StrIn(3, id, "FF", sequence++, {}));
    message.insert(message.end(), answer.data.begin(), answer.data.end());
  }
  const std::vector<uint8_t> expected =
      WireBytes::Command(2, u"Write").U32(1).U8(0).U8(255).U8(1).U8(3).Text(text).Frame();
  EXPECT_EQ(message, expected);

  answer = Answer(gateway, StrIn(5, id, "TF", sequence++, {}));  // no callback channel: nothing
  EXPECT_EQ(answer.type, 5u);
  EXPECT_TRUE(answer.data.empty());

  answer = Answer(gateway, StrIn(2, id, "TF", sequence++, {}));
  EXPECT_EQ(answer.type, 2u);
  for (const uint32_t type : {3u, 5u, 2u}) EXPECT_EQ(Answer(gateway, StrIn(type, id, "TF", 1, {})).type, 7u);
  EXPECT_EQ(Answer(gateway, StrIn(3, "unknown", "TF", 1, {})).type, 7u);
  EXPECT_EQ(Answer(gateway, StrIn(1, "*", "TF", 1, Bytes("not,a,connect,text"))).type, 7u);
  EXPECT_EQ(gateway.Process("garbage"), "");
}

TEST(Gateway, ServesTheHttpClientWithItsCallbackChannel) {
  SimServer server({}, true);
  ASSERT_NE(server.HttpPort(), 0);

  struct Sink : CNDAClient::ClientConnectionPoint {
    void OnCallback(CNPacketHolder& packet) override {
      std::lock_guard<std::mutex> guard(lock);
      packet.Seek(5, CNPacketHolder::kSeekBegin);
      std::u16string name;
      packet.ReadText(name);
      names.push_back(name);
      changed.notify_all();
    }
    std::mutex lock;
    std::condition_variable changed;
    std::vector<std::u16string> names;
  } sink;

  CNDAClientSoap client(std::make_unique<CNSoapTransportCurl>(), CNSoapTimings{50, 50, 5000});
  client.SetSink(&sink);
  const std::u16string connection =
      u"pass,http://127.0.0.1:" + AsciiToUtf16(std::to_string(server.HttpPort())) + u"/hgateway/,,,plc,6001,2,2,3,N";
  ASSERT_TRUE(client.Connect(connection, 20, 1, 1, true).Succeeded());

  const auto transact = [&client](const WireBytes& command) {
    CNPacketHolder packet;
    const std::vector<uint8_t> frame = command.Frame();
    packet.Write(frame.data(), static_cast<uint32_t>(frame.size()));
    EXPECT_TRUE(client.SendCommand(packet).Succeeded());
    CNPacketHolder answer;
    EXPECT_TRUE(client.Receive(answer).Succeeded());
    return answer;
  };
  CNPacketHolder answer = transact(WireBytes::Command(1, u"Connect2").Text(u"AlarmService"));
  EXPECT_EQ(answer.GetData()[0], 1);
  transact(WireBytes::Command(2, u"SubscribeRealtime").ArgText(u"Pump").ArgU32(0xFFFFFFFF));
  transact(WireBytes::Command(3, u"FireAlarm").ArgText(u"Pump.Trip"));

  std::unique_lock<std::mutex> guard(sink.lock);
  ASSERT_TRUE(sink.changed.wait_for(guard, std::chrono::seconds(5), [&sink] { return sink.names.size() >= 3; }));
  EXPECT_EQ(sink.names[0], u"AlarmNotificationStart");
  EXPECT_EQ(sink.names.back(), u"AlarmNotification");
  guard.unlock();
  client.Disconnect();
}
