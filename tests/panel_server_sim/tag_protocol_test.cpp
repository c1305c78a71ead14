#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "comm/frame_bytes.h"
#include "sim_server.h"

namespace {

// Links the named tags (advise 1, client handles 1, 2, ...) and returns the server handles.
std::vector<uint64_t> Link(SimClient& client, const std::vector<std::u16string>& names) {
  WireBytes link = WireBytes::Command(3, u"Link");
  link.U32(static_cast<uint32_t>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) link.U32(1).U64(i + 1).Text(names[i]);
  link.U32(0).U32(0);
  CNPacketHolder answer = Transact(client, link);
  uint32_t ok = 0;
  EXPECT_TRUE(answer.ReadU32(ok) && ok == 1);
  std::vector<uint64_t> handles(names.size());
  for (uint64_t& handle : handles) EXPECT_TRUE(answer.ReadU64(handle));
  return handles;
}

// The client handles an "Update" reports, with the kind of each item.
std::vector<std::pair<uint64_t, uint8_t>> Update(SimClient& client) {
  CNPacketHolder answer = Transact(client, WireBytes::Command(4, u"Update"));
  uint32_t ok = 0;
  uint32_t count = 0;
  EXPECT_TRUE(answer.ReadU32(ok) && ok == 1 && answer.ReadU32(count));
  std::vector<std::pair<uint64_t, uint8_t>> items;
  for (uint32_t i = 0; i < count; ++i) {
    uint64_t handle = 0;
    uint8_t kind = 0;
    EXPECT_TRUE(answer.ReadU64(handle) && answer.ReadU8(kind));
    if (kind == 0) {
      uint8_t shape = 0;
      uint8_t quality = 0;
      uint8_t elementKind = 0;
      double number = 0;
      EXPECT_TRUE(answer.ReadU8(shape) && answer.ReadU8(quality) && answer.ReadU8(elementKind) && shape == 255);
      EXPECT_TRUE(elementKind == 2 ? answer.ReadDouble(number) : answer.Seek(1, CNPacketHolder::kSeekCurrent));
    } else {
      answer.Seek(1, CNPacketHolder::kSeekCurrent);
    }
    items.emplace_back(handle, kind);
  }
  return items;
}

WireBytes WriteNumber(uint64_t handle, double number) {
  WireBytes write = WireBytes::Command(5, u"Write");
  write.U32(1).U64(handle).U8(255).U8(1).U8(2).Double(number);
  return write;
}

}  // namespace

TEST(TagProtocol, HandshakeAnswersAreByteExact) {
  SimServer server;
  SimClient plain;
  ASSERT_TRUE(plain.Open(server.Port()));
  // Stray bytes before the frame are skipped.
  std::vector<uint8_t> bytes = {'@', 'K', 'x', 'x'};
  const std::vector<uint8_t> handshake = HandshakeFrame(1, 4242, 9, 0, 0);
  bytes.insert(bytes.end(), handshake.begin(), handshake.end());
  ASSERT_TRUE(plain.SendBytes(bytes));
  EXPECT_EQ(plain.ReadRawFrame(),
            (std::vector<uint8_t>{'@', 'K', 'V', '\n', 'N', 8, 0, 0, 0, 'O', 'K', '*', 'K', 'V', '*', 0xB7, 0x75}));

  SimClient command;
  ASSERT_TRUE(command.Open(server.Port()));
  ASSERT_TRUE(command.SendBytes(HandshakeFrame(8, 1, 2, 1, 0)));
  const std::vector<uint8_t> answer = command.ReadRawFrame();
  ASSERT_EQ(answer.size(), 9u + 2 + 8 + 6);
  EXPECT_EQ(answer[5], 16);
  EXPECT_EQ(answer[9], 'O');
  uint64_t id = 0;
  for (int i = 7; i >= 0; --i) id = id << 8 | answer[11 + i];
  EXPECT_NE(id, 0u);

  SimClient callback;
  ASSERT_TRUE(callback.Open(server.Port()));
  ASSERT_TRUE(callback.SendBytes(HandshakeFrame(8, 1, 2, 2, id)));
  EXPECT_EQ(callback.ReadRawFrame()[9], 'O');

  const std::vector<std::vector<uint8_t>> refused = {
      HandshakeFrame(8, 1, 2, 2, id + 1),  // no such connection
      HandshakeFrame(8, 1, 2, 3, 0),       // no such flag
      WireBytes().Raw("CLIENTINF0").U8(0).U8(1).U32(1).U32(1).U32(0).U64(0).Frame(),
      WireBytes().Raw(std::string_view("CLIENTINFO\0", 11)).U8(1).Frame(),  // too short
  };
  for (const std::vector<uint8_t>& frame : refused) {
    SimClient client;
    ASSERT_TRUE(client.Open(server.Port()));
    ASSERT_TRUE(client.SendBytes(frame));
    const std::vector<uint8_t> no = client.ReadRawFrame();
    ASSERT_EQ(no.size(), 17u);
    EXPECT_EQ(no[9], 'N');
    EXPECT_EQ(no[10], 'G');
    EXPECT_TRUE(client.WaitClosed());
  }
}

TEST(TagProtocol, ConnectLinkAndReadAreByteExact) {
  SimServer server;
  SimClient client;
  OpenCommandClient(client, server.Port());

  ASSERT_TRUE(client.SendBytes(WireBytes::Command(0x21, u"Connect").U32(1).Frame()));
  CNPacketHolder connect;
  ASSERT_TRUE(client.Receive(connect).Succeeded());
  ASSERT_EQ(connect.GetSize(), 5u + 14 + 2 + 4 + 8);
  uint64_t id = 0;
  connect.Seek(25, CNPacketHolder::kSeekBegin);
  connect.ReadU64(id);
  EXPECT_NE(id, 0u);
  WireBytes expected = WireBytes::Command(0x21, u"Connect");
  expected.U32(1).U64(id);
  EXPECT_EQ(std::vector<uint8_t>(connect.GetData(), connect.GetData() + connect.GetSize()), expected.Get());

  ASSERT_TRUE(
      client.SendBytes(WireBytes::Command(0x22, u"Link").U32(3).U32(1).U64(10).Text(u"SetPoint").U32(0).U64(11).Text(
          u"NoSuchTag").U32(1).U64(12).Text(u"Label").U32(0).U32(0).Frame()));
  std::vector<uint8_t> frame = client.ReadRawFrame();
  expected = WireBytes::Command(0x22, u"Link");
  expected.U32(1).U64(1).U64(0).U64(2);  // handles in request order, 0 for the unknown tag
  EXPECT_EQ(frame, expected.Frame());

  ASSERT_TRUE(client.SendBytes(WireBytes::Command(0x23, u"Read").U8(0).U32(3).U64(1).U64(77).U64(2).Frame()));
  frame = client.ReadRawFrame();
  expected = WireBytes::Command(0x23, u"Read");
  expected.U32(1);
  expected.U8(0).U8(255).U8(1).U8(2).Double(75.0);                 // SetPoint: GOOD number 75
  expected.U8(3);                                                    // 77 is no handle
  expected.U8(0).U8(255).U8(1).U8(3).U16('a').U16('b').U16(0);   // Label: GOOD string "ab"
  EXPECT_EQ(frame, expected.Frame());
}

TEST(TagProtocol, UpdatesReachTheUpdateClientOfTheSameSession) {
  SimServer server;
  SimClient command;
  SimClient update;
  SimClient other;
  OpenCommandClient(command, server.Port());
  OpenCommandClient(update, server.Port());
  OpenCommandClient(other, server.Port());

  CNPacketHolder connect = Transact(command, WireBytes::Command(1, u"Connect").U32(1));
  uint32_t ok = 0;
  uint64_t id = 0;
  ASSERT_TRUE(connect.ReadU32(ok) && connect.ReadU64(id));
  CNPacketHolder joined = Transact(update, WireBytes::Command(2, u"Connect").U32(2).U64(id));
  ASSERT_TRUE(joined.ReadU32(ok));
  EXPECT_EQ(ok, 1u);
  CNPacketHolder unknown = Transact(other, WireBytes::Command(2, u"Connect").U32(2).U64(id + 1));
  std::u16string error;
  ASSERT_TRUE(unknown.ReadU32(ok) && unknown.ReadText(error));
  EXPECT_EQ(ok, 0u);
  EXPECT_EQ(error, u"Unknown connection identifier.");

  const std::vector<uint64_t> handles = Link(command, {u"SetPoint", u"Running"});
  const std::vector<uint64_t> otherHandles = Link(other, {u"SetPoint"});
  EXPECT_EQ(Update(update), (std::vector<std::pair<uint64_t, uint8_t>>{{1, 0}, {2, 0}}));
  EXPECT_TRUE(Update(update).empty());

  Transact(other, WriteNumber(otherHandles[0], 80));  // another session's write is reported
  EXPECT_EQ(Update(update), (std::vector<std::pair<uint64_t, uint8_t>>{{1, 0}}));
  Transact(command, WriteNumber(handles[0], 81));  // the session's own write is not
  EXPECT_TRUE(Update(update).empty());
  EXPECT_EQ(Update(other).size(), 1u);

  // The write answer echoes the stored value: a number tag keeps numbers whatever is written.
  CNPacketHolder echo = Transact(other, WireBytes::Command(6, u"Write").U32(2).U64(otherHandles[0]).U8(255).U8(1).U8(
                                                                                 3).Text(u"12.5").U64(99).U8(0).U8(2));
  uint8_t kind = 0;
  uint8_t shape = 0;
  uint8_t quality = 0;
  uint8_t elementKind = 0;
  double number = 0;
  ASSERT_TRUE(echo.ReadU32(ok) && echo.ReadU8(kind) && echo.ReadU8(shape) && echo.ReadU8(quality) &&
              echo.ReadU8(elementKind) && echo.ReadDouble(number) && echo.ReadU8(kind));
  EXPECT_EQ(elementKind, 2);
  EXPECT_EQ(number, 12.5);
  EXPECT_EQ(kind, 3);  // handle 99 is unknown

  // Released and unadvised links go quiet.
  Transact(command, WireBytes::Command(7, u"Link").U32(0).U32(1).U64(handles[0]).U32(1).U64(handles[1]).U32(0));
  Transact(other, WriteNumber(otherHandles[0], 1));
  EXPECT_TRUE(Update(update).empty());
}

TEST(TagProtocol, QualityOnlyChangesComeAsKindOne) {
  SimServer server({"quality-flap=30"});
  SimClient client;
  OpenCommandClient(client, server.Port());
  Link(client, {u"SetPoint"});
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
  // A frame with a damaged CRC is dropped; the next one is answered.
  std::vector<uint8_t> damaged = WireBytes::Command(8, u"Update").Frame();
  damaged.back() ^= 1;
  ASSERT_TRUE(client.SendBytes(damaged));
  Transact(client, WireBytes::Command(9, u"Update"));
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

TEST(TagProtocol, StrayMarkBeforeARequestDoesNotHideIt) {
  SimServer server;
  SimClient client;
  OpenCommandClient(client, server.Port());
  uint8_t id = 0;
  for (const std::vector<uint8_t>& garbage : StrayMarkGarbage()) {
    SCOPED_TRACE(std::string(garbage.begin(), garbage.end()));
    ASSERT_TRUE(client.SendBytes(garbage));
    Transact(client, WireBytes::Command(++id, u"Update"));
  }
}
