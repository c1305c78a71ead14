#include "comm/packet_holder.h"

#include <gtest/gtest.h>

#include "../support/trace_capture.h"

namespace {

TEST(PacketHolder, WritesAndReadsLittleEndianScalarsAndTexts) {
  CNPacketHolder packet;
  ASSERT_TRUE(packet.WriteU8(0xAB));
  ASSERT_TRUE(packet.WriteU16(0x1234));
  ASSERT_TRUE(packet.WriteU32(0x89ABCDEF));
  ASSERT_TRUE(packet.WriteU64(0x0102030405060708ull));
  ASSERT_TRUE(packet.WriteDouble(-2.5));
  const uint8_t text[] = {'h', 0, 'i', 0, 0, 0};
  ASSERT_TRUE(packet.Write(text, sizeof(text)));
  const uint8_t expected[] = {0xAB, 0x34, 0x12, 0xEF, 0xCD, 0xAB, 0x89, 8, 7, 6, 5, 4, 3, 2, 1,
                              0, 0, 0, 0, 0, 0, 0x04, 0xC0, 'h', 0, 'i', 0, 0, 0};
  ASSERT_EQ(packet.GetSize(), sizeof(expected));
  EXPECT_EQ(0, memcmp(packet.GetData(), expected, sizeof(expected)));

  ASSERT_TRUE(packet.Seek(0, CNPacketHolder::kSeekBegin));
  uint8_t u8;
  uint16_t u16;
  uint32_t u32;
  uint64_t u64;
  double d;
  std::u16string s;
  EXPECT_TRUE(packet.ReadU8(u8) && packet.ReadU16(u16) && packet.ReadU32(u32) && packet.ReadU64(u64) &&
              packet.ReadDouble(d) && packet.ReadText(s));
  EXPECT_EQ(u8, 0xAB);
  EXPECT_EQ(u16, 0x1234);
  EXPECT_EQ(u32, 0x89ABCDEFu);
  EXPECT_EQ(u64, 0x0102030405060708ull);
  EXPECT_EQ(d, -2.5);
  EXPECT_EQ(s, u"hi");
  EXPECT_TRUE(packet.IsEnd());
}

TEST(PacketHolder, ReadsNeverPassTheSize) {
  CNPacketHolder packet;
  const uint8_t bytes[] = {'a', 0, 'b', 0, 'c'};  // no NUL before the end, odd tail
  packet.Write(bytes, sizeof(bytes));
  packet.Seek(0, CNPacketHolder::kSeekBegin);
  std::u16string s;
  EXPECT_FALSE(packet.ReadText(s));
  uint64_t u64;
  EXPECT_FALSE(packet.ReadU64(u64));
  EXPECT_EQ(packet.GetPosition(), 0u);  // a failed read consumes nothing
  uint32_t u32;
  EXPECT_TRUE(packet.ReadU32(u32));
  EXPECT_FALSE(packet.ReadU16(reinterpret_cast<uint16_t&>(u32)));
  EXPECT_EQ(packet.GetRemaining(), 1u);
}

TEST(PacketHolder, SeekStaysWithinTheSize) {
  CNPacketHolder packet;
  packet.SetSize(10);
  EXPECT_TRUE(packet.Seek(4, CNPacketHolder::kSeekBegin));
  EXPECT_TRUE(packet.Seek(-4, CNPacketHolder::kSeekCurrent));
  EXPECT_EQ(packet.GetPosition(), 0u);
  EXPECT_FALSE(packet.Seek(-1, CNPacketHolder::kSeekCurrent));
  EXPECT_TRUE(packet.Seek(0, CNPacketHolder::kSeekEnd));
  EXPECT_TRUE(packet.IsEnd());
  EXPECT_FALSE(packet.Seek(1, CNPacketHolder::kSeekEnd));
  EXPECT_TRUE(packet.Seek(-10, CNPacketHolder::kSeekEnd));
  EXPECT_FALSE(packet.Seek(11, CNPacketHolder::kSeekBegin));
  EXPECT_EQ(packet.GetPosition(), 0u);
}

TEST(PacketHolder, ResetKeepsTheBufferForTheNextPacket) {
  CNPacketHolder packet;
  packet.SetSize(1000);
  const uint8_t* before = packet.GetData();
  const uint32_t capacity = packet.GetBuffer()->GetCapacity();
  packet.Reset();
  EXPECT_EQ(packet.GetSize(), 0u);
  EXPECT_EQ(packet.GetPosition(), 0u);
  packet.SetSize(900);
  EXPECT_EQ(packet.GetData(), before);
  EXPECT_EQ(packet.GetBuffer()->GetCapacity(), capacity);
  // Writing in the middle overwrites; growing keeps what was written.
  packet.Seek(0, CNPacketHolder::kSeekBegin);
  packet.WriteU32(0xDDCCBBAA);
  packet.SetSize(50000);
  EXPECT_EQ(packet.GetData()[0], 0xAA);
  EXPECT_EQ(packet.GetData()[3], 0xDD);
}

class FailingBuffer : public CRBuffer {
 public:
  FailingBuffer() : CRBuffer(kBufferGrowDouble) {}
  uint32_t m_ulAllowed = 64;

 protected:
  uint8_t* Reallocate(uint8_t* block, size_t keepBytes, size_t newSize) override {
    return newSize > m_ulAllowed ? nullptr : CRBuffer::Reallocate(block, keepBytes, newSize);
  }
};

TEST(PacketHolder, FailedGrowthTracesAndRefusesFurtherWrites) {
  TraceCapture trace;
  CNPacketHolder packet(CRPtr<CRBuffer>::Adopt(new FailingBuffer));
  ASSERT_TRUE(packet.SetSize(0x10));  // 32 bytes allocated
  packet.Seek(0x8, CNPacketHolder::kSeekBegin);
  EXPECT_FALSE(packet.SetSize(0x40));  // would allocate 128
  EXPECT_TRUE(packet.IsFailed());
  EXPECT_EQ(trace.CountContaining("[CNPacketHolder::SetSize] Size:10 Pos:8 RequestSize:40"), 1u);
  const uint8_t byte = 1;
  EXPECT_FALSE(packet.Write(&byte, 1));
  EXPECT_EQ(trace.CountContaining("[CNPacketHolder::Write(GetBuffer)] Size:10 Pos:8 RequestSize:1"), 1u);
  EXPECT_FALSE(packet.KeepBuffer(4));
  EXPECT_EQ(trace.CountContaining("[CNPacketHolder::KeepBuffer] Size:10 Pos:8 RequestSize:4"), 1u);
  EXPECT_EQ(packet.GetBuffer()->GetCapacity(), 0x40u);  // the capacity that was asked for
}

TEST(PacketHolder, WriteGrowthFailureTraces) {
  TraceCapture trace;
  CNPacketHolder packet(CRPtr<CRBuffer>::Adopt(new FailingBuffer));
  uint8_t block[40] = {};
  EXPECT_FALSE(packet.Write(block, sizeof(block)));
  EXPECT_EQ(trace.CountContaining("[CNPacketHolder::SetSize] Size:0 Pos:0 RequestSize:28"), 1u);
  EXPECT_EQ(trace.CountContaining("[CNPacketHolder::Write] Size:0 Pos:0 RequestSize:28"), 1u);
}

}  // namespace
