#include "comm/packet_creator.h"

#include <gtest/gtest.h>

#include "frame_bytes.h"

namespace {

const Bytes kScalarNumber = {0xFF, 0x01, 0x02, 0, 0, 0, 0, 0, 0, 0xF8, 0x3F};  // scalar, GOOD, number 1.5

// Every slot of both creators, in slot order.
void AddEverySlot(CNDAPacketCreator& creator) {
  CNValue value;
  value.SetNumber(1.5);
  value.SetQuality(VQ_GOOD);
  const uint8_t raw[] = {0xDE, 0xAD};
  EXPECT_TRUE(creator.AddText8("ab"));
  EXPECT_TRUE(creator.AddValue(value));
  EXPECT_TRUE(creator.AddBytes(raw, 2));
  EXPECT_TRUE(creator.AddText(u"x"));
  EXPECT_TRUE(creator.AddInt64(0x1122334455667788ull));
  EXPECT_TRUE(creator.AddInt32(0xA1B2C3D4));
  EXPECT_TRUE(creator.AddInt32b(7));
  EXPECT_TRUE(creator.AddBytesChecked(raw, 2));
  EXPECT_TRUE(creator.AddTextChecked(u"y"));
  EXPECT_EQ(creator.GetArgumentCount(), 9u);
}

TEST(PacketCreator, PlainCreatorPrefixesEveryArgumentWithItsLength) {
  CNPacketHolder packet;
  CNDAPacketCreator creator(packet);
  AddEverySlot(creator);
  Bytes expected = {3, 0, 0, 0, 'a', 'b', 0, 11, 0, 0, 0};  // 0: 8-bit text, 1: value
  expected.insert(expected.end(), kScalarNumber.begin(), kScalarNumber.end());
  expected.insert(expected.end(), {2, 0, 0, 0, 0xDE, 0xAD});    // 2: bytes
  expected.insert(expected.end(), {4, 0, 0, 0, 'x', 0, 0, 0});  // 3: UTF-16 text
  expected.insert(expected.end(), {8, 0, 0, 0, 0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11});  // 4
  expected.insert(expected.end(), {4, 0, 0, 0, 0xD4, 0xC3, 0xB2, 0xA1});                          // 5
  expected.insert(expected.end(), {4, 0, 0, 0, 7, 0, 0, 0});                                      // 6
  expected.insert(expected.end(), {2, 0, 0, 0, 0xDE, 0xAD});                                      // 7
  expected.insert(expected.end(), {4, 0, 0, 0, 'y', 0, 0, 0});                                    // 8
  EXPECT_EQ(PacketBytes(packet), expected);
}

TEST(PacketCreator, SimpleCreatorWritesMostArgumentsBare) {
  CNPacketHolder packet;
  CNDAPacketCreatorSimple creator(packet);
  AddEverySlot(creator);
  Bytes expected = {3, 0, 0, 0, 'a', 'b', 0};  // 0: as plain
  expected.insert(expected.end(), kScalarNumber.begin(), kScalarNumber.end());
  expected.insert(expected.end(), {0xDE, 0xAD});
  expected.insert(expected.end(), {'x', 0, 0, 0});
  expected.insert(expected.end(), {0x88, 0x77, 0x66, 0x55, 0x44, 0x33, 0x22, 0x11});
  expected.insert(expected.end(), {0xD4, 0xC3, 0xB2, 0xA1});
  expected.insert(expected.end(), {7, 0, 0, 0});
  expected.insert(expected.end(), {2, 0, 0, 0, 0xDE, 0xAD});    // 7: as plain
  expected.insert(expected.end(), {4, 0, 0, 0, 'y', 0, 0, 0});  // 8: as plain
  EXPECT_EQ(PacketBytes(packet), expected);
}

TEST(PacketCreator, CommandHeaderAndBackPatchedCount) {
  CNPacketHolder packet;
  packet.Write("123456789", 9);  // room for the frame header
  CNDAPacketCreatorSimple creator(packet);
  ASSERT_TRUE(creator.BeginCommand(u"Link"));
  EXPECT_EQ(creator.GetHeaderPosition(), 9u);
  const uint32_t countAt = packet.GetPosition();
  creator.AddInt32(0);
  for (uint64_t handle : {5ull, 6ull}) creator.AddInt64(handle);
  const uint8_t two[] = {2, 0, 0, 0};
  ASSERT_TRUE(creator.Overwrite(countAt, two, sizeof(two)));
  EXPECT_EQ(packet.GetPosition(), packet.GetSize());  // overwriting keeps the position
  EXPECT_FALSE(creator.Overwrite(packet.GetSize() - 2, two, sizeof(two)));

  EXPECT_EQ(PacketBytes(packet, 9),
            WireBytes::Command(creator.GetPacketId(), u"Link").U32(2).U64(5).U64(6).Get());
}

TEST(PacketCreator, PacketIdCountsUpAndWrapsFrom255To0) {
  uint8_t previous = NextPacketId();
  bool wrapped = false;
  for (int i = 0; i < 300; ++i) {
    const uint8_t id = NextPacketId();
    ASSERT_EQ(id, static_cast<uint8_t>(previous + 1));
    wrapped = wrapped || (previous == 255 && id == 0);
    previous = id;
  }
  EXPECT_TRUE(wrapped);

  CNPacketHolder packet;
  CNDAPacketCreator a(packet), b(packet);
  a.BeginCommand(u"A");
  b.BeginCommand(u"B");
  EXPECT_EQ(b.GetPacketId(), static_cast<uint8_t>(a.GetPacketId() + 1));
}

}  // namespace
