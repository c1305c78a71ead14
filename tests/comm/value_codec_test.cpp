#include "comm/value_codec.h"

#include <gtest/gtest.h>

#include <chrono>

#include "frame_bytes.h"
#include "values/value_test_util.h"

namespace {

Bytes Encode(const CNValue& value) {
  CNPacketHolder packet;
  EXPECT_TRUE(EncodeValue(packet, value));
  return PacketBytes(packet);
}

CNPacketHolder PacketOf(const Bytes& bytes) {
  CNPacketHolder packet;
  packet.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
  packet.Seek(0, CNPacketHolder::kSeekBegin);
  return packet;
}

CNValue WithQuality(CNValue value, uint8_t quality) {
  value.SetQuality(quality);
  return value;
}

TEST(ValueCodec, GoldenEncodings) {
  struct Case {
    const char* name;
    CNValue value;
    Bytes bytes;
  } cases[] = {
      {"c(1,2) GOOD",
       WithQuality(Lit(u"c(1,2)"), VQ_GOOD),
       {0x01, 0x02, 0x00, 0x00, 0x00, 0x01,                      // one dimension of 2, GOOD
        0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF0, 0x3F,    // number 1
        0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40}},  // number 2
      {"scalar string ab",
       WithQuality(Str(u"ab"), VQ_GOOD),
       {0xFF, 0x01, 0x03, 0x61, 0x00, 0x62, 0x00, 0x00, 0x00}},
      {"empty, BAD", WithQuality(CNValue(), VQ_BAD), {0x00, 0x00}},
      {"N/A and object carry no payload",
       WithQuality(Lit(u"c(#N/A#,#&0000001A#)"), VQ_UNCERTAIN),
       {0x01, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x05}},
      {"bools and a 2 by 1 shape",
       WithQuality(Lit(u"c(c(T),c(F))"), VQ_GOOD),
       {0x02, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x01, 0x01, 0x01, 0x00}},
  };
  for (const Case& c : cases) EXPECT_EQ(Encode(c.value), c.bytes) << c.name;

  CNValue time;
  time.SetTime(0x01D9000011223344ull);
  time.SetQuality(VQ_GOOD);
  EXPECT_EQ(Encode(time), (Bytes{0xFF, 0x01, 0x04, 0x44, 0x33, 0x22, 0x11, 0x00, 0x00, 0xD9, 0x01}));
}

TEST(ValueCodec, DecodesPlainAndSharedKindForms) {
  struct Case {
    const char* name;
    Bytes bytes;
    std::string literal;
    uint8_t quality;
  } cases[] = {
      {"plain list",
       {0x01, 0x02, 0, 0, 0, 0x01, 0x02, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0x01, 0x01},
       "c(1,T)",
       VQ_GOOD},
      {"shared numbers",
       {0x01, 0x02, 0, 0, 0, 0x01, 0x82, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0, 0, 0, 0, 0, 0, 0, 0x40},
       "c(1,2)",
       VQ_GOOD},
      {"shared strings",
       {0x01, 0x02, 0, 0, 0, 0x02, 0x83, 'a', 0, 0, 0, 0, 0},
       "c(\"a\",\"\")",
       VQ_UNCERTAIN},
      {"shared N/A in a 2 by 2",
       {0x02, 2, 0, 0, 0, 2, 0, 0, 0, 0x00, 0x80},
       "c(c(#N/A#,#N/A#),c(#N/A#,#N/A#))",
       VQ_BAD},
      {"shared scalar bool", {0xFF, 0x01, 0x81, 0x01}, "T", VQ_GOOD},
      {"empty", {0x00, 0x01}, "#NOTHING#", VQ_GOOD},
      {"list of size 0", {0x01, 0, 0, 0, 0, 0x02}, "#NOTHING#", VQ_UNCERTAIN},
      {"zero size among huge ones",
       {0x03, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x01},
       "#NOTHING#",
       VQ_GOOD},
  };
  for (const Case& c : cases) {
    CNPacketHolder packet = PacketOf(c.bytes);
    CNValue value;
    ASSERT_TRUE(DecodeValue(packet, value)) << c.name;
    EXPECT_EQ(LitText(value), c.literal) << c.name;
    EXPECT_EQ(value.GetQuality(), c.quality) << c.name;
    EXPECT_TRUE(packet.IsEnd()) << c.name;
  }
}

TEST(ValueCodec, ValueWithoutElementsConsumesOnlyASharedKindByte) {
  CNPacketHolder shared = PacketOf({0x00, 0x01, 0x82, 0x07});
  CNValue value;
  ASSERT_TRUE(DecodeValue(shared, value));
  EXPECT_EQ(shared.GetPosition(), 3u);
  CNPacketHolder plain = PacketOf({0x00, 0x01, 0x02, 0x07});
  ASSERT_TRUE(DecodeValue(plain, value));
  EXPECT_EQ(plain.GetPosition(), 2u);  // the next argument starts here
}

TEST(ValueCodec, EveryTruncationFailsCleanly) {
  const Bytes whole = Encode(WithQuality(Lit(u"c(\"ab\",1,T,#2024/03/01#)"), VQ_GOOD));
  for (size_t length = 0; length < whole.size(); ++length) {
    CNPacketHolder packet = PacketOf(Bytes(whole.begin(), whole.begin() + length));
    CNValue value = Num(5);
    EXPECT_FALSE(DecodeValue(packet, value)) << length;
    EXPECT_TRUE(value.IsEmpty()) << length;
  }
}

TEST(ValueCodec, HostileCountsAreRefusedWithoutAllocating) {
  struct Case {
    const char* name;
    Bytes bytes;
  } cases[] = {
      {"shared N/A, 4e9 elements", {0x01, 0x00, 0x28, 0x6B, 0xEE, 0x01, 0x80}},
      {"shared objects just above the cap", {0x01, 0x01, 0x00, 0x40, 0x00, 0x01, 0x85}},
      {"shared numbers beyond the data", {0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x82, 0, 0, 0, 0, 0, 0, 0, 0}},
      {"plain kinds beyond the data", {0x01, 0xFF, 0xFF, 0xFF, 0x0F, 0x01, 0x00, 0x00}},
      {"sizes whose product passes 32 bits", {0x02, 0, 0, 1, 0, 0, 0, 1, 0, 0x01, 0x80}},
      {"unknown kind", {0xFF, 0x01, 0x06}},
      {"unknown shared kind", {0xFF, 0x01, 0x86}},
      {"top bit on a later kind", {0x01, 0x02, 0, 0, 0, 0x01, 0x01, 0x01, 0x81, 0x01}},
      {"string without NUL", {0xFF, 0x01, 0x03, 'a', 0, 'b'}},
  };
  const auto start = std::chrono::steady_clock::now();
  for (const Case& c : cases) {
    CNPacketHolder packet = PacketOf(c.bytes);
    CNValue value;
    EXPECT_FALSE(DecodeValue(packet, value)) << c.name;
    EXPECT_TRUE(value.IsEmpty()) << c.name;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

  // At the cap itself a payload-less shared kind is still accepted.
  CNPacketHolder packet = PacketOf(WireBytes().U8(1).U32(kMaxPayloadlessElements).U8(1).U8(0x80).Get());
  CNValue value;
  EXPECT_TRUE(DecodeValue(packet, value));
  EXPECT_EQ(value.GetCount(), kMaxPayloadlessElements);
}

TEST(ValueCodec, EncodingRefusesMoreThan254Dimensions) {
  std::vector<uint32_t> sizes(255, 1);
  sizes[0] = 2;
  CNValue value;
  ASSERT_TRUE(value.SetDimensions(255, sizes.data()));
  CNPacketHolder packet;
  EXPECT_FALSE(EncodeValue(packet, value));
}

}  // namespace
