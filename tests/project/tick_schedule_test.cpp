#include "project/tick_schedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr CNBusyCounters kIdle{0, 0, 0};

// The codes sent over iterations [0, count) of an idle project, with n wrapping as 16 bits.
std::vector<uint32_t> Iterations(uint32_t first, uint32_t count, uint32_t refresh, uint32_t cycle) {
  std::vector<uint32_t> refreshes;
  for (uint32_t i = first; i < first + count; ++i) {
    const CNTickStep step = ScheduleTick(static_cast<uint16_t>(i), refresh, cycle, kIdle);
    for (uint8_t k = 0; k < step.count; ++k)
      if (step.codes[k] == TICK_REFRESH) refreshes.push_back(i);
  }
  return refreshes;
}

std::string Codes(const CNTickStep& step) {
  std::string text;
  for (uint8_t k = 0; k < step.count; ++k) text += char('0' + step.codes[k]);
  return text;
}

}  // namespace

TEST(TickScheduleTest, RefreshPeriodSetsHowOftenTheRefreshCodeIsSent) {
  // RefreshRate 0 reads as a 100 ms period: every 10th iteration; 250 ms: every 25th.
  EXPECT_EQ(TickDivisor(100), 10u);
  EXPECT_EQ(TickDivisor(250), 25u);
  EXPECT_EQ(TickDivisor(5), 1u);  // never a zero divisor
  EXPECT_EQ(Iterations(0, 30, TickDivisor(100), 2), (std::vector<uint32_t>{0, 10, 20}));
  EXPECT_EQ(Iterations(0, 60, TickDivisor(250), 2), (std::vector<uint32_t>{0, 25, 50}));
}

TEST(TickScheduleTest, CounterWrapsAt65536AndCountingGoesOnFromZero) {
  // 65530 is a multiple of 10; after 65535 the counter reads 0 again, which refreshes at once.
  EXPECT_EQ(Iterations(65525, 25, 10, 2), (std::vector<uint32_t>{65530, 65536, 65546}));
}

TEST(TickScheduleTest, BusyCountersChooseTheMode) {
  // Idle: refresh then cycle on a common multiple.
  EXPECT_EQ(Codes(ScheduleTick(0, 10, 2, kIdle)), "10");
  EXPECT_EQ(Codes(ScheduleTick(1, 10, 2, kIdle)), "");
  // First counter: only the fast code, 1 ms sleep, the counter stays.
  const CNTickStep first = ScheduleTick(0, 10, 2, {1, 1, 1});
  EXPECT_EQ(Codes(first), "6");
  EXPECT_EQ(first.sleepMs, 1u);
  EXPECT_FALSE(first.advance);
  // Second: fast first, then refresh and cycle as due.
  EXPECT_EQ(Codes(ScheduleTick(0, 10, 2, {0, 2, 0})), "610");
  EXPECT_EQ(Codes(ScheduleTick(3, 10, 2, {0, 2, 0})), "6");
  // Third: refresh, then the fast code just before each cycle.
  EXPECT_EQ(Codes(ScheduleTick(0, 10, 2, {0, 0, 1})), "160");
  EXPECT_EQ(Codes(ScheduleTick(2, 10, 2, {0, 0, 1})), "60");
  EXPECT_EQ(Codes(ScheduleTick(3, 10, 2, {0, 0, 1})), "");
  const CNTickStep third = ScheduleTick(2, 10, 2, {0, 0, 1});
  EXPECT_EQ(third.sleepMs, 10u);
  EXPECT_TRUE(third.advance);
}
