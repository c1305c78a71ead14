// The link commands' request bytes and the reading of their answers, through a scripted client
// that records each request payload and answers with prepared argument bytes.
#include "comm/link_protocol.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "frame_bytes.h"

namespace {

class ScriptedClient : public CNDAClient {
 public:
  Bytes request;  // the last request payload, id byte set to 0
  Bytes answer;   // the arguments of the next answer
  uint16_t status = 0;

  ClientResult SendCommand(CNPacketHolder& packet) override {
    request =
        Bytes(packet.GetData() + kFrameHeaderSize, packet.GetData() + packet.GetSize() - kFrameTrailerSize);
    m_ucId = std::exchange(request[0], 0);
    return ClientResult::Ok();
  }
  ClientResult Receive(CNPacketHolder& packet) override {
    Bytes payload(request.begin(), request.begin() + 7 + request[3]);  // the command header
    payload[0] = m_ucId;
    payload[1] = static_cast<uint8_t>(status);
    payload = Concat({payload, answer});
    packet.Reset();
    packet.Write(payload.data(), static_cast<uint32_t>(payload.size()));
    packet.Seek(0, CNPacketHolder::kSeekBegin);
    return ClientResult::Ok();
  }
  void BeginPacket(CNPacketHolder& packet) override { packet.Write(Bytes(9).data(), 9); }
  void EndPacket(CNPacketHolder& packet) override { packet.Write(Bytes(6).data(), 6); }
  ClientResult Connect(std::u16string_view, uint8_t, uint32_t, uint32_t, bool) override { return {}; }
  ClientResult Disconnect() override { return {}; }
  ClientResult SendCallback(CNPacketHolder&) override { return {}; }
  bool IsConnected() const override { return true; }
  TransportKind GetTransportKind() const override { return kTransportTcp; }
  void SetTimeout(int) override {}
  std::u16string GetAddress() const override { return {}; }

 private:
  uint8_t m_ucId = 0;
};

// The request payload of a command, its id byte 0.
WireBytes Request(std::u16string_view name) {
  return WireBytes::Command(0, name);
}

}  // namespace

TEST(LinkProtocol, RequestsCarryTheirArgumentsBare) {
  ScriptedClient client;
  CNPacketHolder packet;
  CNLinkConfirmation confirmation;
  uint64_t id = 0;

  client.answer = WireBytes().U32(1).U64(0xABCDEF).Get();
  ASSERT_TRUE(SendLinkConnect(client, packet, kLinkConnectCommand, 99, confirmation, id).Succeeded());
  EXPECT_EQ(client.request, Request(u"Connect").U32(1).Get());  // kind 1 sends no identifier
  EXPECT_TRUE(confirmation.ok);
  EXPECT_EQ(id, 0xABCDEFu);
  client.answer = WireBytes().U32(1).Get();
  ASSERT_TRUE(SendLinkConnect(client, packet, kLinkConnectUpdate, 0xABCDEF, confirmation, id).Succeeded());
  EXPECT_EQ(client.request, Request(u"Connect").U32(2).U64(0xABCDEF).Get());

  const CNLinkRequest links[] = {{1, 0x0102030405060708, u"A"}, {0, 2, u""}};
  const uint64_t releases[] = {9};
  const CNAdviseRequest advises[] = {{10, 0}};
  std::vector<uint64_t> handles;
  client.answer = WireBytes().U32(1).U64(77).U64(0).Get();
  ASSERT_TRUE(SendLink(client, packet, links, releases, advises, confirmation, handles).Succeeded());
  // The links (advise, client handle, name), the releases, then the advise changes, each counted.
  WireBytes expected = Request(u"Link").U32(2);
  expected.U32(1).U64(0x0102030405060708).Text(u"A").U32(0).U64(2).Text(u"");
  expected.U32(1).U64(9).U32(1).U64(10).U32(0);
  EXPECT_EQ(client.request, expected.Get());
  EXPECT_EQ(handles, (std::vector<uint64_t>{77, 0}));

  const uint64_t readHandles[] = {5, 6};
  client.answer = WireBytes().U32(1).Get();
  ASSERT_TRUE(SendRead(client, packet, 3, readHandles, confirmation).Succeeded());
  EXPECT_EQ(client.request, Request(u"Read").U8(3).U32(2).U64(5).U64(6).Get());

  CNValue value;
  value.SetNumber(1.5);
  value.SetQuality(VQ_GOOD);
  const CNWriteRequest writes[] = {{5, &value}};
  ASSERT_TRUE(SendWrite(client, packet, writes, confirmation).Succeeded());
  // The scalar number 1.5 of quality GOOD: shape 255, quality, kind 2, the double.
  EXPECT_EQ(client.request, Request(u"Write").U32(1).U64(5).U8(0xFF).U8(1).U8(2).Double(1.5).Get());

  ASSERT_TRUE(SendUpdate(client, packet).Succeeded());
  EXPECT_EQ(client.request, Request(u"Update").Get());
}

TEST(LinkProtocol, RefusalsShortAnswersAndStatusCodes) {
  ScriptedClient client;
  CNPacketHolder packet;
  CNLinkConfirmation confirmation;
  std::vector<uint64_t> handles;
  const CNLinkRequest links[] = {{1, 1, u"A"}, {1, 2, u"B"}};
  struct Case {
    Bytes answer;
    std::u16string error;
    bool ok;
    std::u16string message;
  };
  for (const Case& c :
       {Case{WireBytes().U32(0).Text(u"no").Get(), u"", false, u"no"},  // refusal with its text
        Case{WireBytes().U32(0).Get(), u"", false, u""},                // and without
        Case{WireBytes().U32(1).U64(1).Get(), u"Receive invalid packet.", true, u""},  // a handle short
        Case{Bytes{1, 0}, u"Receive invalid packet.", false, u""}}) {                  // no whole ok flag
    client.answer = c.answer;
    EXPECT_EQ(SendLink(client, packet, links, {}, {}, confirmation, handles).message, c.error);
    EXPECT_EQ(confirmation.ok, c.ok);
    EXPECT_EQ(confirmation.message, c.message);
    EXPECT_TRUE(handles.empty());
  }
  client.status = 12;
  client.answer = {};
  EXPECT_EQ(SendRead(client, packet, 1, {}, confirmation).message, u"Error from server. Code:12");
}
