#include "comm/crc16.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "frame_bytes.h"

namespace {

TEST(Crc16Modbus, CheckValueOfTheNineDigits) {
  const uint8_t digits[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(Crc16Modbus(digits, sizeof(digits)), 0x4B37);
  EXPECT_EQ(Crc16Modbus(digits, 0), 0xFFFF);
  EXPECT_EQ(Crc16Modbus(nullptr, 0), 0xFFFF);
}

TEST(Crc16Modbus, MatchesBitwiseDefinitionForEveryLengthAlignmentAndSplit) {
  std::mt19937 random(7);
  std::vector<uint8_t> data(300);
  for (uint8_t& b : data) b = static_cast<uint8_t>(random());
  for (size_t offset = 0; offset < 8; ++offset) {
    for (size_t length = 0; length + offset <= 70; ++length) {
      const uint8_t* block = data.data() + offset;
      const uint16_t expected = ReferenceCrc(block, length);
      ASSERT_EQ(Crc16Modbus(block, length), expected) << offset << "/" << length;
      for (size_t split = 0; split <= length; split += 3)
        ASSERT_EQ(Crc16Modbus(block + split, length - split, Crc16Modbus(block, split)), expected);
    }
  }
  EXPECT_EQ(Crc16Modbus(data.data(), data.size()), ReferenceCrc(data.data(), data.size()));
}

}  // namespace
