#include "pobject_test_util.h"

namespace {

class PObjectTimer : public ControlTest {
 protected:
  void SetUp() override { Own({u"OnTimer"}); }

  // Heart beats every `step` ms up to `until`; the clock value of each firing.
  std::vector<uint32_t> BeatUntil(uint32_t until, uint32_t step) {
    std::vector<uint32_t> fired;
    while (clock.now < until) {
      clock.now += step;
      const size_t before = log.size();
      object->HeartBeat();
      EXPECT_LE(log.size(), before + 1) << "two firings in one heart beat at " << clock.now;
      if (log.size() > before) fired.push_back(clock.now);
    }
    return fired;
  }

  FakeClock clock;
};

TEST_F(PObjectTimer, ACountedTimerFiresItsCountThenGoes) {
  ASSERT_TRUE(object->SetTimer(7, 100, 3));
  EXPECT_FALSE(object->SetTimer(7, 50));  // the id is taken
  EXPECT_EQ(BeatUntil(500, 50), (std::vector<uint32_t>{100, 200, 300}));
  EXPECT_EQ(log, (EventLog{"event OnTimer 7 2", "event OnTimer 7 1", "event OnTimer 7 0"}));
  EXPECT_EQ(object->GetTimers().GetCount(), 0u);
}

TEST_F(PObjectTimer, ALateTimerCatchesUpOneFiringPerBeatWithinTheCap) {
  // Interval 100, half an interval made up per firing, at most 250 ms of lateness.
  object->SetTimer(1, 100, kTimerUnlimited, 0.5, 250);
  object->SetTimer(2, 100);  // no catching up
  owner.script.hooks[u"OnTimer"] = [&](CNValue* args) {
    if (args[0].GetNumber(0) == 2) log.pop_back();
  };
  clock.now = 990;  // the refresh stalled for ten intervals
  // 900 ms late, capped to 250: five firings 50 ms early, then the interval again.
  EXPECT_EQ(BeatUntil(1460, 10), (std::vector<uint32_t>{1000, 1050, 1100, 1150, 1200, 1250, 1350, 1450}));
  EXPECT_EQ(log.front(), "event OnTimer 1 -1");  // unlimited
  EXPECT_EQ(object->GetTimers().Find(2)->lastFire, 1400u);
}

TEST_F(PObjectTimer, WrapPauseCountZeroAndKill) {
  clock.now = 0xFFFFFFC0;
  object->SetTimer(1, 100, 1);
  object->SetTimer(2, 10, 0);  // never fires, gone after the next walk
  object->SetTimer(3, 10);
  object->SetTimer(4, 10);
  EXPECT_TRUE(object->PauseTimer(3, true));
  EXPECT_FALSE(object->PauseTimer(9, true));
  EXPECT_TRUE(object->KillTimer(4));
  EXPECT_FALSE(object->KillTimer(4));
  clock.now = 0x23;  // 99 ms later, across the wrap
  object->HeartBeat();
  EXPECT_TRUE(log.empty());
  clock.now = 0x24;
  object->HeartBeat();
  EXPECT_EQ(log, EventLog{"event OnTimer 1 0"});
  EXPECT_EQ(object->GetTimers().GetCount(), 1u);
  object->PauseTimer(3, false);  // the interval starts again: the pause is not lateness
  clock.now = 0x2D;
  object->HeartBeat();
  clock.now = 0x2E;
  object->HeartBeat();
  EXPECT_EQ(log.back(), "event OnTimer 3 -1");
  EXPECT_EQ(log.size(), 2u);
}

TEST_F(PObjectTimer, HandlersMayKillAndSetTimersDuringTheWalk) {
  object->SetTimer(1, 10);
  object->SetTimer(2, 10);
  owner.script.handlers.insert(u"OnHeartBeat");
  owner.script.hooks[u"OnTimer"] = [&](CNValue* args) {
    if (args[0].GetNumber(0) != 1) return;
    object->KillTimer(2);
    object->SetTimer(3, 0);  // waits for the next walk
  };
  clock.now = 10;
  object->HeartBeat();
  EXPECT_EQ(log, (EventLog{"event OnHeartBeat", "event OnTimer 1 -1"}));
  object->HeartBeat();
  EXPECT_EQ(log.back(), "event OnTimer 3 -1");
  object->Terminate();  // drops the timers
  log.clear();
  clock.now = 100;
  object->HeartBeat();
  EXPECT_EQ(log, EventLog{"event OnHeartBeat"});
}

}  // namespace
