#include "support/buffer.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// A buffer whose allocator fails from a chosen allocation on and counts what it was asked.
class CountingBuffer : public CRBuffer {
 public:
  explicit CountingBuffer(uint32_t growMode, int failFrom = -1) : CRBuffer(growMode), m_failFrom(failFrom) {}
  int allocations = 0;
  size_t lastRequest = 0;

 protected:
  uint8_t* Reallocate(uint8_t* block, size_t keepBytes, size_t newSize) override {
    lastRequest = newSize;
    if (m_failFrom >= 0 && allocations >= m_failFrom) return nullptr;
    ++allocations;
    return CRBuffer::Reallocate(block, keepBytes, newSize);
  }

 private:
  int m_failFrom;
};

TEST(Buffer, GrowModesDecideTheAllocatedCapacity) {
  // {mode, request, allocated capacity}; a mode without meaning grows exactly.
  const uint32_t cases[][3] = {
      {kBufferGrowExact, 5'000'000, 5'000'000},    {kBufferGrowDouble, 1, 2},
      {kBufferGrowDouble, 4'194'302, 8'388'604},   {kBufferGrowDouble, 4'194'303, 4'194'403},
      {kBufferGrowDouble, 0xFFFFFF9B, 0xFFFFFFFF}, {7, 10, 10}};
  for (const auto& c : cases) EXPECT_EQ(CRBuffer::GrownCapacity(c[0], c[1]), c[2]) << c[0] << " " << c[1];
  CountingBuffer buffer(kBufferGrowDouble);
  ASSERT_TRUE(buffer.Grow(10));
  EXPECT_EQ(buffer.GetCapacity(), 20u);
  EXPECT_EQ(buffer.lastRequest, 20u);
  // Within the capacity nothing is allocated.
  EXPECT_TRUE(buffer.SetSize(20));
  EXPECT_TRUE(buffer.Grow(15));
  EXPECT_EQ(buffer.allocations, 1);
  EXPECT_EQ(buffer.GetSize(), 20u);
}

TEST(Buffer, GrowingKeepsOrDropsTheContentsAsAsked) {
  for (uint32_t mode : {kBufferGrowExact, kBufferGrowDouble}) {
    CRBuffer buffer(mode);
    ASSERT_TRUE(buffer.SetSize(4));
    std::memcpy(buffer.GetData(), "abcd", 4);
    ASSERT_TRUE(buffer.SetSize(100'000));
    EXPECT_EQ(std::memcmp(buffer.GetData(), "abcd", 4), 0);
    EXPECT_EQ(buffer.GetSize(), 100'000u);
    ASSERT_TRUE(buffer.SetSize(2));  // shrinking keeps the capacity
    EXPECT_GE(buffer.GetCapacity(), 100'000u);
    ASSERT_TRUE(buffer.Grow(300'000));
    EXPECT_EQ(buffer.GetSize(), 2u);
    EXPECT_EQ(std::memcmp(buffer.GetData(), "ab", 2), 0);
    ASSERT_TRUE(buffer.Grow(10, false));
    EXPECT_EQ(buffer.GetSize(), 0u);
    ASSERT_TRUE(buffer.Grow(1'000'000, false));
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_FALSE(buffer.IsFailed());
  }
}

TEST(Buffer, FirstFailedAllocationMarksTheBufferFailedForGood) {
  CountingBuffer buffer(kBufferGrowDouble, 1);
  ASSERT_TRUE(buffer.SetSize(8));
  EXPECT_FALSE(buffer.SetSize(50));
  EXPECT_TRUE(buffer.IsFailed());
  EXPECT_EQ(buffer.GetCapacity(), 50u);  // what was asked for, not what was tried
  EXPECT_EQ(buffer.lastRequest, 100u);
  EXPECT_EQ(buffer.GetData(), nullptr);
  EXPECT_EQ(buffer.GetSize(), 0u);
  // Every later request is refused, even one the old capacity would have held.
  EXPECT_FALSE(buffer.Grow(1));
  EXPECT_FALSE(buffer.SetSize(0));
  EXPECT_FALSE(buffer.Grow(100, false));
  EXPECT_EQ(buffer.allocations, 1);
}

}  // namespace
