#include <cmath>

#include "pobject_test_util.h"
#include "screen/easing.h"

namespace {

TEST(Easing, NamesIndexesAndPublishedValues) {
  EXPECT_EQ(EasingName(kEasingDefault), u"easeOutExpo");
  EXPECT_EQ(EasingName(19), u"easeInCirc");
  EXPECT_EQ(EasingName(28), u"");
  EXPECT_EQ(FindEasing(u"easeInOutBounce"), 27);
  EXPECT_EQ(FindEasing(u"easeoutexpo"), -1);  // names compare exactly
  // The equations' values at t = 0.5, worked out by hand.
  const double c1 = 1.70158;
  const std::pair<const char16_t*, double> golden[] = {
      {u"linear", 0.5},
      {u"easeInSine", 1 - std::sqrt(0.5)},
      {u"easeOutSine", std::sqrt(0.5)},
      {u"easeInOutSine", 0.5},
      {u"easeInQuad", 0.25},
      {u"easeOutQuad", 0.75},
      {u"easeInCubic", 0.125},
      {u"easeOutCubic", 0.875},
      {u"easeInQuart", 0.0625},
      {u"easeOutQuart", 0.9375},
      {u"easeInQuint", 0.03125},
      {u"easeOutQuint", 0.96875},
      {u"easeInExpo", 0.03125},
      {u"easeOutExpo", 0.96875},
      {u"easeInOutExpo", 0.5},
      {u"easeInCirc", 1 - std::sqrt(0.75)},
      {u"easeOutCirc", std::sqrt(0.75)},
      {u"easeInBack", (c1 + 1) / 8 - c1 / 4},  // below 0: the curve pulls back first
      {u"easeOutBack", 1 - (c1 + 1) / 8 + c1 / 4},
      {u"easeInOutBack", 0.5},
      {u"easeInBounce", 0.234375},
      {u"easeOutBounce", 0.765625},
      {u"easeInOutBounce", 0.5},
  };
  for (const auto& [name, value] : golden)
    EXPECT_NEAR(Ease(FindEasing(name), 0.5), value, 1e-12) << Utf16ToUtf8(name);
  for (int32_t i = 0; i < kEasingCount; ++i) {
    EXPECT_NEAR(Ease(i, 0), 0, 1e-12) << i;
    EXPECT_NEAR(Ease(i, 1), 1, 1e-12) << i;
    // Families come as in, out, in-out: out(t) = 1 - in(1 - t), and in-out is symmetric.
    if (i % 3 == 1) {
      EXPECT_NEAR(Ease(i + 1, 0.3), 1 - Ease(i, 0.7), 1e-12) << i;
      EXPECT_NEAR(Ease(i + 2, 0.25) + Ease(i + 2, 0.75), 1, 1e-12) << i;
    }
  }
}

class PObjectAnimation : public ControlTest {
 protected:
  void SetUp() override { Own({u"OnAnimateStart", u"OnAnimateDone"}); }
  bool Animate(std::u16string_view property, const CNValue& end, uint32_t duration, std::u16string_view msg) {
    const CNAnimationTarget target{std::u16string(property), end};
    return object->Animate({&target, 1}, duration, 0, msg);
  }
  void BeatAt(uint32_t now) {
    clock.now = now;
    object->HeartBeat();
  }

  FakeClock clock{1000};
};

TEST_F(PObjectAnimation, RunsToTheEndAlongTheCurve) {
  ASSERT_TRUE(Animate(u"Left", Num(100), 1000, u"slide"));
  EXPECT_EQ(log, EventLog{"event OnAnimateStart \"slide\""});
  BeatAt(1250);
  EXPECT_EQ(Number(u"Left"), 25);
  BeatAt(2000);
  EXPECT_EQ(Number(u"Left"), 100);
  EXPECT_EQ(log.back(), "event OnAnimateDone \"COMPLETE\" \"slide\"");
  EXPECT_FALSE(object->GetAnimations().IsRunning());
  // The default curve, on a number and a colour (each channel 0.96875 of the way at half time).
  const CNAnimationTarget targets[] = {{u"Top", Num(-100)}, {u"FillColor", Str(u"#FF0080")}};
  ASSERT_TRUE(object->Animate(targets, 1000));
  BeatAt(2500);
  EXPECT_EQ(Number(u"Top"), -97);
  CNValue color;
  object->GetProperty(u"FillColor", color);
  EXPECT_EQ(color.GetText(0), u"#F7007C");
}

TEST_F(PObjectAnimation, StoppingAndTakingOver) {
  Animate(u"Left", Num(100), 1000, u"a");
  Animate(u"Top", Num(100), 1000, u"b");
  Animate(u"Left", Num(0), 1000, u"c");  // takes Left from "a", which is left with nothing
  BeatAt(1500);
  object->StopAnimate();
  EXPECT_EQ(log, (EventLog{"event OnAnimateStart \"a\"", "event OnAnimateStart \"b\"",
                           "event OnAnimateDone \"STOP\" \"a\"", "event OnAnimateStart \"c\"",
                           "event OnAnimateDone \"STOP\" \"b\"", "event OnAnimateDone \"STOP\" \"c\""}));
  BeatAt(3000);
  EXPECT_EQ(Number(u"Top"), 50);  // stays where it was stopped
}

TEST_F(PObjectAnimation, RefusesWhatCannotBeAnimated) {
  EXPECT_FALSE(Animate(u"NoSuchProperty", Num(1), 100, u""));
  EXPECT_FALSE(Animate(u"Comment", Str(u"x"), 100, u""));
  EXPECT_FALSE(Animate(u"FillColor", Str(u"red"), 100, u""));
  EXPECT_TRUE(log.empty());
}

TEST_F(PObjectAnimation, HandlersMayStopAnimationsAndTerminateDropsThemSilently) {
  Animate(u"Left", Num(10), 0, u"first");  // zero duration: complete at the next step
  Animate(u"Top", Num(10), 100, u"second");
  owner.script.hooks[u"OnAnimateDone"] = [&](CNValue*) { object->StopAnimate(); };
  object->Cycle();
  EXPECT_EQ(Number(u"Left"), 10);
  EXPECT_EQ(log.back(), "event OnAnimateDone \"STOP\" \"second\"");
  EXPECT_EQ(Number(u"Top"), 0);
  Animate(u"Width", Num(60), 1000, u"later");
  log.clear();
  object->Terminate();
  BeatAt(5000);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(Number(u"Width"), 0);
}

}  // namespace
