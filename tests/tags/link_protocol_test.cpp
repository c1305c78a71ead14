// The link commands' request bytes and the reading of their answers, through a scripted client
// that records each request payload and answers with prepared argument bytes.
#include "comm/link_protocol.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The command header of a payload with the id byte left 0 (each request gets a fresh one).
Bytes Header(std::u16string_view name) {
  Bytes bytes = {0, 0, 0, static_cast<uint8_t>(name.size() * 2), 0};
  for (char16_t c : name) bytes.insert(bytes.end(), {static_cast<uint8_t>(c), 0});
  return bytes + Bytes{0, 0};
}

class ScriptedClient : public CNDAClient {
 public:
  Bytes request;  // the last request payload, id byte set to 0
  Bytes answer;   // the arguments of the next answer
  uint16_t status = 0;

  ClientResult SendCommand(CNPacketHolder& packet) override {
    const uint8_t* data = packet.GetData();
    request.assign(data + 9, data + packet.GetSize() - 6);
    m_ucId = request[0];
    request[0] = 0;
    return ClientResult::Ok();
  }
  ClientResult Receive(CNPacketHolder& packet) override {
    packet.Reset();
    const size_t header = 7 + request[3];
    Bytes payload(request.begin(), request.begin() + static_cast<std::ptrdiff_t>(header));
    payload[0] = m_ucId;
    payload[1] = static_cast<uint8_t>(status);
    payload = payload + answer;
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

Bytes U32(uint32_t v) {
  return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
}
Bytes U64(uint64_t v) {
  return U32(uint32_t(v)) + U32(uint32_t(v >> 32));
}
// The scalar number 1.5 of quality GOOD: shape 255, quality, kind 2, the double.
const Bytes kNumber15 = {0xFF, 0x01, 0x02, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F};

}  // namespace

TEST(LinkProtocol, RequestsCarryTheirArgumentsBare) {
  ScriptedClient client;
  CNPacketHolder packet;
  CNLinkConfirmation confirmation;
  uint64_t id = 0;

  client.answer = U32(1) + U64(0xABCDEF);
  ASSERT_TRUE(SendLinkConnect(client, packet, kLinkConnectCommand, 99, confirmation, id).Succeeded());
  EXPECT_EQ(client.request, Header(u"Connect") + U32(1));  // kind 1 sends no identifier
  EXPECT_TRUE(confirmation.ok);
  EXPECT_EQ(id, 0xABCDEFu);
  client.answer = U32(1);
  ASSERT_TRUE(SendLinkConnect(client, packet, kLinkConnectUpdate, 0xABCDEF, confirmation, id).Succeeded());
  EXPECT_EQ(client.request, Header(u"Connect") + U32(2) + U64(0xABCDEF));

  const CNLinkRequest links[] = {{1, 0x0102030405060708, u"A"}, {0, 2, u""}};
  const uint64_t releases[] = {9};
  const CNAdviseRequest advises[] = {{10, 0}};
  std::vector<uint64_t> handles;
  client.answer = U32(1) + U64(77) + U64(0);
  ASSERT_TRUE(SendLink(client, packet, links, releases, advises, confirmation, handles).Succeeded());
  const Bytes linkArgs = U32(2) + U32(1) + U64(0x0102030405060708) + Bytes{'A', 0, 0, 0} + U32(0) + U64(2) +
                         Bytes{0, 0} + U32(1) + U64(9) + U32(1) + U64(10) + U32(0);
  EXPECT_EQ(client.request, Header(u"Link") + linkArgs);
  EXPECT_EQ(handles, (std::vector<uint64_t>{77, 0}));

  const uint64_t readHandles[] = {5, 6};
  client.answer = U32(1);
  ASSERT_TRUE(SendRead(client, packet, 3, readHandles, confirmation).Succeeded());
  EXPECT_EQ(client.request, Header(u"Read") + Bytes{3} + U32(2) + U64(5) + U64(6));

  CNValue value;
  value.SetNumber(1.5);
  value.SetQuality(VQ_GOOD);
  const CNWriteRequest writes[] = {{5, &value}};
  ASSERT_TRUE(SendWrite(client, packet, writes, confirmation).Succeeded());
  EXPECT_EQ(client.request, Header(u"Write") + U32(1) + U64(5) + kNumber15);

  ASSERT_TRUE(SendUpdate(client, packet).Succeeded());
  EXPECT_EQ(client.request, Header(u"Update"));
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
       {Case{U32(0) + Bytes{'n', 0, 'o', 0, 0, 0}, u"", false, u"no"},  // refusal with its text
        Case{U32(0), u"", false, u""},                                  // and without
        Case{U32(1) + U64(1), u"Receive invalid packet.", true, u""},   // a handle short
        Case{Bytes{1, 0}, u"Receive invalid packet.", false, u""}}) {   // no whole ok flag
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
