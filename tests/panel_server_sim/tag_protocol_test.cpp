#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "comm/value_codec.h"
#include "sim_server.h"

namespace {

// The client handles an "Update" reports, with the kind of each item (0 value, 1 quality).
std::vector<std::pair<uint64_t, uint8_t>> Update(SimClient& client) {
  CNPacketHolder answer = Transact(client, WireBytes::Command(4, u"Update"));
  uint32_t ok = 0;
  uint32_t count = 0;
  EXPECT_TRUE(answer.ReadU32(ok) && ok == 1 && answer.ReadU32(count));
  std::vector<std::pair<uint64_t, uint8_t>> items(count);
  for (auto& [handle, kind] : items) {
    CNValue value;
    EXPECT_TRUE(answer.ReadU64(handle) && answer.ReadU8(kind) &&
                (kind == 0 ? DecodeValue(answer, value) : answer.Seek(1, CNPacketHolder::kSeekCurrent)));
  }
  EXPECT_TRUE(answer.IsEnd());
  return items;
}

}  // namespace

TEST(TagProtocol, HandshakeAnswersAreByteExact) {
  SimServer server;
  SimClient plain;
  ASSERT_TRUE(plain.Open(server.Port()));
  // Stray bytes before the frame are skipped.
  ASSERT_TRUE(plain.SendBytes(Concat({{'@', 'K', 'x', 'x'}, HandshakeFrame(1, 4242, 9, 0, 0)})));
  EXPECT_EQ(plain.ReadRawFrame(),
            (Bytes{'@', 'K', 'V', '\n', 'N', 8, 0, 0, 0, 'O', 'K', '*', 'K', 'V', '*', 0xB7, 0x75}));
  const Bytes refused[] = {
      HandshakeFrame(8, 1, 2, 2, 0x0123456789ABCDEFull),  // no such connection
      HandshakeFrame(8, 1, 2, 3, 0),                      // no such flag
      WireBytes().Raw("CLIENTINF0").U8(0).U8(1).U32(1).U32(1).U32(0).U64(0).Frame(),
      WireBytes().Raw(std::string_view("CLIENTINFO\0", 11)).U8(1).Frame(),  // too short
  };
  for (const Bytes& frame : refused) {
    SimClient client;
    ASSERT_TRUE(client.Open(server.Port()));
    ASSERT_TRUE(client.SendBytes(frame));
    EXPECT_EQ(client.ReadRawFrame(), WireBytes().Raw("NG").Frame());
    EXPECT_TRUE(client.WaitClosed());
  }
}

TEST(TagProtocol, QualityOnlyChangesComeAsKindOne) {
  SimServer server({"quality-flap=30"});
  SimClient client;
  OpenCommandClient(client, server.Port());
  // SetPoint advised, as client handle 1.
  Transact(client, WireBytes::Command(3, u"Link").U32(1).U32(1).U64(1).Text(u"SetPoint").U32(0).U32(0));
  EXPECT_EQ(Update(client).size(), 1u);
  bool sawQuality = false;
  for (int i = 0; i < 50 && !sawQuality; ++i) {
    usleep(20000);
    for (const auto& [handle, kind] : Update(client)) sawQuality = sawQuality || (handle == 1 && kind == 1);
  }
  EXPECT_TRUE(sawQuality);
}

TEST(TagProtocol, BadRequestsGetAStatusAndTheConnectionGoesOn) {
  SimServer server;
  SimClient client;
  OpenCommandClient(client, server.Port());
  const struct {
    WireBytes request;
    uint16_t status;
  } cases[] = {
      {WireBytes::Command(1, u"NoSuchCommand"), 1},
      {WireBytes::Command(2, u"Link").U32(1000000), 2},
      {WireBytes::Command(3, u"Link").U32(1).U32(1).U64(1).U16('A'), 2},  // name without its NUL
      {WireBytes::Command(4, u"Read").U8(0).U32(2).U64(1), 2},
      {WireBytes::Command(5, u"Write").U32(1).U64(1).U8(2).U32(0xFFFFFFFF).U32(0xFFFFFFFF), 2},
      {WireBytes::Command(6, u"Connect").U32(2), 2},
      {WireBytes::Command(7, u"Login").U32(1000).U16('a'), 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    ASSERT_TRUE(client.SendBytes(c.request.Frame()));
    const std::vector<uint8_t> answer = client.ReadRawFrame();
    ASSERT_GT(answer.size(), 12u);
    EXPECT_EQ(answer[9], c.request.Get()[0]);
    EXPECT_EQ(answer[10] | answer[11] << 8, c.status);
  }
  // A frame with a damaged CRC is dropped; the next one is answered, as is one after a stray
  // mark, whatever the stray bytes.
  std::vector<uint8_t> damaged = WireBytes::Command(8, u"Update").Frame();
  damaged.back() ^= 1;
  ASSERT_TRUE(client.SendBytes(damaged));
  uint8_t id = 8;
  for (const std::vector<uint8_t>& garbage : StrayMarkGarbage()) {
    SCOPED_TRACE(std::string(garbage.begin(), garbage.end()));
    ASSERT_TRUE(client.SendBytes(garbage));
    Transact(client, WireBytes::Command(++id, u"Update"));
  }
}

TEST(TagProtocol, HostileBytesNeverStopTheServer) {
  SimServer server;
  std::mt19937 random(12345);
  for (int round = 0; round < 40; ++round) {
    SimClient client;
    ASSERT_TRUE(client.Open(server.Port()));
    if (round % 2 == 0) {
      ASSERT_TRUE(client.SendBytes(HandshakeFrame(1, 1, 1, round % 4 == 0 ? 1 : 0, 0)));
    }
    WireBytes payload;
    const int size = static_cast<int>(random() % 200);
    for (int i = 0; i < size; ++i) payload.U8(static_cast<uint8_t>(random()));
    std::vector<uint8_t> bytes = payload.Frame();
    if (round % 3 == 0) bytes = payload.Get();  // no frame at all
    if (round % 5 == 0) bytes = WireBytes().Raw("@KV\nN").U32(0x7FFFFFFF).Get();
    ASSERT_TRUE(client.SendBytes(bytes));
  }
  SimClient client;
  OpenCommandClient(client, server.Port());
  Transact(client, WireBytes::Command(1, u"Update"));
}
