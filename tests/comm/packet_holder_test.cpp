#include "comm/packet_holder.h"

#include <gtest/gtest.h>

#include "frame_bytes.h"
#include "support/trace_capture.h"

namespace {

TEST(PacketHolder, LittleEndianScalarsTextsAndBoundedReads) {
  CNPacketHolder packet;
  packet.WriteU16(0x1234);
  packet.WriteU32(0x89ABCDEF);
  packet.WriteDouble(-2.5);
  const uint8_t text[] = {'h', 0, 'i', 0, 0, 0, 'x', 0};  // "hi", then a text without NUL
  packet.Write(text, sizeof(text));
  const uint8_t expected[] = {0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 0, 0, 0, 0, 0, 0, 0x04, 0xC0};
  ASSERT_EQ(packet.GetSize(), sizeof(expected) + sizeof(text));
  EXPECT_EQ(0, memcmp(packet.GetData(), expected, sizeof(expected)));

  ASSERT_TRUE(packet.Seek(2, CNPacketHolder::kSeekBegin));
  uint32_t u32;
  double d;
  std::u16string s;
  EXPECT_TRUE(packet.ReadU32(u32) && packet.ReadDouble(d) && packet.ReadText(s));
  EXPECT_EQ(u32, 0x89ABCDEFu);
  EXPECT_EQ(d, -2.5);
  EXPECT_EQ(s, u"hi");
  EXPECT_FALSE(packet.ReadText(s));  // no NUL before the end
  EXPECT_FALSE(packet.ReadU32(u32));
  EXPECT_EQ(packet.GetRemaining(), 2u);  // failed reads consume nothing

  EXPECT_FALSE(packet.Seek(1, CNPacketHolder::kSeekEnd));
  EXPECT_FALSE(packet.Seek(-21, CNPacketHolder::kSeekCurrent));
  EXPECT_TRUE(packet.Seek(-20, CNPacketHolder::kSeekCurrent));
  EXPECT_EQ(packet.GetPosition(), 0u);
}

// Growth keeps the bytes, as the buffer's own tests show.
TEST(PacketHolder, ResetKeepsTheBuffer) {
  CNPacketHolder packet;
  packet.SetSize(1000);
  const uint8_t* before = packet.GetData();
  packet.Reset();
  EXPECT_EQ(packet.GetSize(), 0u);
  packet.WriteU32(0xDDCCBBAA);
  EXPECT_EQ(packet.GetData(), before);
}

TEST(PacketHolder, FailedGrowthTracesAndRefusesFurtherWrites) {
  TraceCapture trace;
  CNPacketHolder packet(CRPtr<CRBuffer>::Adopt(new FailingBuffer));
  ASSERT_TRUE(packet.SetSize(0x10));  // 32 bytes allocated
  packet.Seek(0x8, CNPacketHolder::kSeekBegin);
  uint8_t block[0x30] = {};
  EXPECT_FALSE(packet.Write(block, sizeof(block)));  // would allocate 112
  EXPECT_TRUE(packet.IsFailed());
  EXPECT_EQ(trace.CountContaining("[CNPacketHolder::SetSize] Size:10 Pos:8 RequestSize:38"), 1u);
  EXPECT_EQ(trace.CountContaining("[CNPacketHolder::Write] Size:10 Pos:8 RequestSize:30"), 1u);
  EXPECT_FALSE(packet.Write(block, 1));
  EXPECT_EQ(trace.CountContaining("[CNPacketHolder::Write(GetBuffer)] Size:10 Pos:8 RequestSize:1"), 1u);
  EXPECT_FALSE(packet.KeepBuffer(4));
  EXPECT_EQ(trace.CountContaining("[CNPacketHolder::KeepBuffer] Size:10 Pos:8 RequestSize:4"), 1u);
}

}  // namespace
