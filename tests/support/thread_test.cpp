#include "support/thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/trace_capture.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Polls until done() holds; false after ten seconds.
bool WaitUntil(const std::function<bool()>& done) {
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(milliseconds(1));
  }
  return true;
}

// Counts what its thread calls; each tick runs work with the tick's number (from 1) and
// records when it ran. The times are read only after the thread has been joined.
class CountingBody : public CRThreadConnectionPoint {
 public:
  std::function<bool(CRThread&, int)> work = [](CRThread&, int) { return true; };
  std::atomic<int> starts{0}, ticks{0}, ends{0};
  std::atomic<bool> misordered{false};
  std::vector<std::pair<Clock::time_point, Clock::time_point>> tickTimes;

  void OnThreadStart(CRThread&) override { ++starts; }
  bool OnThreadTick(CRThread& thread) override {
    if (starts != ends + 1) misordered = true;
    const Clock::time_point begin = Clock::now();
    const bool more = work(thread, ++ticks);
    tickTimes.emplace_back(begin, Clock::now());
    return more;
  }
  void OnThreadEnd(CRThread&) override { ++ends; }
};

TEST(ThreadStandard, TicksBetweenOneStartAndOneEndUntilStopped) {
  CountingBody body;
  CRThreadStandard thread(body, 5);
  ASSERT_TRUE(thread.Start());
  EXPECT_FALSE(thread.Start());  // already running
  ASSERT_TRUE(WaitUntil([&] { return body.ticks >= 3; }));
  EXPECT_TRUE(thread.Stop());
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(body.starts, 1);
  EXPECT_EQ(body.ends, 1);
  EXPECT_FALSE(body.misordered);
  const int ticks = body.ticks;
  std::this_thread::sleep_for(milliseconds(30));
  EXPECT_EQ(body.ticks, ticks);
}

TEST(ThreadStandard, StopCutsTheWaitShortAndTheDestructorStopsToo) {
  CountingBody body;
  {
    CRThreadStandard thread(body, 60'000);
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitUntil([&] { return body.starts == 1; }));
    const Clock::time_point begin = Clock::now();
    EXPECT_TRUE(thread.Stop());
    EXPECT_LT(Clock::now() - begin, std::chrono::seconds(5));
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitUntil([&] { return body.starts == 2; }));
  }
  EXPECT_EQ(body.ends, 2);
  EXPECT_EQ(body.ticks, 0);
}

TEST(ThreadStandard, OverrunningTickDelaysTheNextInsteadOfPilingUp) {
  CountingBody body;
  body.work = [](CRThread&, int tick) {
    if (tick <= 2) std::this_thread::sleep_for(milliseconds(80));
    return true;
  };
  CRThreadStandard thread(body, 30);
  ASSERT_TRUE(thread.Start());
  ASSERT_TRUE(WaitUntil([&] { return body.ticks >= 4; }));
  thread.Stop();
  for (size_t i = 0; i + 1 < body.tickTimes.size(); ++i) {
    EXPECT_GE(body.tickTimes[i + 1].first - body.tickTimes[i].second, milliseconds(29))
        << "after tick " << i + 1;
  }
}

TEST(ThreadStandard, ClientEndsTheThreadByReturningFalseAndItCanBeStartedAgain) {
  CountingBody body;
  body.work = [](CRThread&, int tick) { return tick % 3 != 0; };
  CRThreadStandard thread(body, 1);
  for (int run = 1; run <= 2; ++run) {
    ASSERT_TRUE(thread.Start());
    ASSERT_TRUE(WaitUntil([&] { return !thread.IsRunning(); }));
    EXPECT_EQ(body.ticks, 3 * run);
    EXPECT_EQ(body.ends, run);
  }
  EXPECT_TRUE(thread.Stop());
}

TEST(Thread, BodyStopsItsOwnThreadWithoutWaitingForItself) {
  CountingBody body;
  std::atomic<bool> selfStopResult{true};
  body.work = [&](CRThread& thread, int) {
    selfStopResult = thread.Stop();
    return true;
  };
  CRThread thread;
  ASSERT_TRUE(thread.Start(body));
  ASSERT_TRUE(WaitUntil([&] { return !thread.IsRunning(); }));
  EXPECT_TRUE(thread.Stop());
  EXPECT_FALSE(selfStopResult);
  EXPECT_EQ(body.ticks, 1);
}

// The stop procedure: wait in slices, signal the stop event again after every slice that ends
// with the thread alive, and report the thread from the tenth slice on, without ever leaving it
// running behind the caller's back.
TEST(Thread, StopKeepsSignallingAStubbornThreadAndReportsItFromTheTenthSlice) {
  CountingBody body;
  std::atomic<int> signals{0};
  body.work = [&](CRThread& thread, int) {
    while (signals < 12) {  // ends only after seeing the stop event signalled twelve times
      if (thread.WaitForStop(2'000)) ++signals;
    }
    return false;
  };
  TraceCapture trace;
  CRThread thread;
  thread.SetStopSliceMs(20);
  ASSERT_TRUE(thread.Start(body));
  ASSERT_TRUE(WaitUntil([&] { return body.ticks == 1; }));
  const Clock::time_point begin = Clock::now();
  EXPECT_TRUE(thread.Stop());
  const Clock::duration elapsed = Clock::now() - begin;
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_EQ(signals, 12);
  // One signal from the stop request, eleven from slices that ended with the thread alive.
  EXPECT_GE(elapsed, milliseconds(11 * 20));
  EXPECT_LT(elapsed, std::chrono::seconds(2));  // woken by the signals, not by time-outs
  EXPECT_GE(trace.CountContaining("has not ended"), 2u);
  EXPECT_EQ(trace.CountContaining("has not ended after 9 "), 0u);
  EXPECT_EQ(trace.CountContaining("has not ended after 10 "), 1u);
}

TEST(Thread, ExceptionInTheBodyEndsTheThreadWithATrace) {
  CountingBody body;
  body.work = [](CRThread&, int) -> bool { throw std::runtime_error("socket gone"); };
  TraceCapture trace;
  CRThread thread;
  ASSERT_TRUE(thread.Start(body));
  ASSERT_TRUE(WaitUntil([&] { return !thread.IsRunning(); }));
  EXPECT_TRUE(thread.Stop());
  EXPECT_EQ(trace.CountContaining("socket gone"), 1u);
}

}  // namespace
