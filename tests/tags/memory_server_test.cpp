#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "tags/tag_server_fixture.h"
#include "tags/tag_server_memory.h"

namespace {

class MemoryServerTest : public TagServerFixture<CNPTagServerMemory> {
 protected:
  void SetUp() override { StartOffline(); }
};

TEST_F(MemoryServerTest, NamesNeedAKnownAreaAndAnIndexBelowItsSize) {
  for (const char16_t* valid : {u"$D9999", u"$M9999", u"$S0", u"$SOUND9", u"$SYS99", u"$NOW", u"$NOW5",
                                u"$BLINK", u"$BLINK863999999", u"$#Count", u"$#7"}) {
    EXPECT_NE(Get(valid, listener), nullptr) << Utf16ToUtf8(valid);
  }
  for (const char16_t* invalid : {u"$D10000", u"$SOUND10", u"$SYS100", u"$BLINK864000000", u"$5", u"$", u"",
                                  u"D1", u"$X1", u"$d1", u"$D1x", u"$D-1", u"$D99999999999999999999"}) {
    EXPECT_EQ(Get(invalid, listener), nullptr) << Utf16ToUtf8(invalid);
  }
}

TEST_F(MemoryServerTest, WritesTakeTheAreaTypeAndOnlyRealChangesAreTold) {
  CNValue text;
  text.SetString(u"1,234.5");
  CNValue yes;
  yes.SetBool(true);
  const struct {
    const char16_t* name;
    CNValue written;
    const char* stored;
  } cases[] = {
      {u"$D1", text, "1234.5"}, {u"$M1", NumberValue(2), "T"}, {u"$S1", yes, "T"}, {u"$#v", text, "1,234.5"}};
  for (const auto& c : cases) {
    CNPTag* tag = Get(c.name, listener);
    EXPECT_TRUE(server.SetValue(tag, c.written));
    EXPECT_EQ(Text(tag), c.stored);
    EXPECT_EQ(Value(tag)->GetQuality(), VQ_GOOD);
    server.Dispatch();
    EXPECT_EQ(listener.Take(), (TagEvents{Utf16ToUtf8(c.name) + "=" + c.stored}));
    server.SetValue(tag, c.written);
    server.Dispatch();
    EXPECT_EQ(listener.Take(), TagEvents{}) << "written again: " << c.stored;
  }
}

TEST_F(MemoryServerTest, VariablesAreIndependentAndToldOnlyOnceTheyHoldAValue) {
  RecordingListener second;
  CNPTag* x = Get(u"$#x", listener);
  CNPTag* y = Get(u"$#y", listener);
  Get(u"$#x", second);
  server.Dispatch();
  EXPECT_EQ(second.Take(), TagEvents{});  // still empty
  CNValue square, flat;
  square.FromLiteral(u"c(c(1,2),c(3,4))", false);
  flat.FromLiteral(u"c(1,2,3,4)", false);
  server.SetValue(x, square);
  EXPECT_TRUE(Value(y)->IsEmpty());
  server.Dispatch();
  EXPECT_EQ(second.Take().size(), 1u);
  server.SetValue(x, flat);  // the same elements in another shape
  server.Dispatch();
  EXPECT_EQ(second.Take().size(), 1u);
  EXPECT_EQ(Utf16ToUtf8(Value(x)->ToLiteral(false)), "c(1,2,3,4)");
}

TEST_F(MemoryServerTest, ASecondListenerAloneReceivesTheCurrentValueOnce) {
  RecordingListener second;
  CNPTag* tag = Get(u"$D5", listener);
  Set(tag, 3);
  server.Dispatch();
  listener.Take();
  EXPECT_EQ(Get(u"$D5", second), tag);
  server.Dispatch();
  server.Dispatch();
  EXPECT_EQ(listener.Take(), TagEvents{});
  EXPECT_EQ(second.Take(), (TagEvents{"$D5=3 first"}));
}

TEST_F(MemoryServerTest, ReleasingTheOnlyListenerDropsTheTagAtTheNextDispatch) {
  CNPTag* tag = Get(u"$#keep", listener);
  Set(tag, 9);
  Release(tag, listener);
  EXPECT_EQ(Get(u"$#keep", listener), tag);  // not collected yet: the same tag and value
  EXPECT_EQ(Text(tag), "9");
  const CRPtr<CNPTag> old = CRPtr<CNPTag>::Retain(tag);
  Release(tag, listener);
  server.Dispatch();
  EXPECT_NE(Get(u"$#keep", listener), old.Get());
}

TEST_F(MemoryServerTest, BlinkAlternatesEveryPeriod) {
  server.SetTimeBase(0, 5000);
  clock.now = 5000;
  CNPTag* never = Get(u"$BLINK0", listener);
  Get(u"$BLINK1000", listener);
  server.Dispatch();
  EXPECT_EQ(listener.Take(), (TagEvents{"$BLINK0=F", "$BLINK1000=T"}));
  const std::pair<uint32_t, const char*> steps[] = {
      {5999, ""}, {6000, "F"}, {6999, ""}, {7000, "T"}, {8500, "F"}};
  for (const auto& [tick, told] : steps) {
    clock.now = tick;
    server.Dispatch();
    EXPECT_EQ(listener.Take(), (*told ? TagEvents{"$BLINK1000=" + std::string(told)} : TagEvents{})) << tick;
  }
  EXPECT_EQ(Text(never), "F");
}

TEST_F(MemoryServerTest, CountersAndWavesFollowTheTicksSinceTheTimeBase) {
  server.SetTimeBase(0, 0xFFFFFF00u);
  clock.now = 0x100;  // 512 ms later, across the wrap of the tick count
  EXPECT_EQ(Number(Get(u"$INC100", listener)), 5);
  EXPECT_EQ(Number(Get(u"$INC0", listener)), 0);
  EXPECT_EQ(Number(Get(u"$SIN0", listener)), 0);
  EXPECT_EQ(Number(Get(u"$COS0", listener)), 1);
  EXPECT_EQ(Number(Get(u"$HCOS0", listener)), 100);
  server.SetTimeBase(0, 0);
  CNPTag* hsin = Get(u"$HSIN4000", listener);
  clock.now = 1000;  // a quarter period: x = -pi/2
  EXPECT_NEAR(Number(Get(u"$SIN4000", listener)), -1.0, 1e-12);
  double low = 100, high = 0;
  for (clock.now = 0; clock.now < 8000; clock.now += 50) {
    low = std::min(low, Number(hsin));
    high = std::max(high, Number(hsin));
  }
  EXPECT_NEAR(low, 0.0, 1e-9);
  EXPECT_NEAR(high, 100.0, 1e-9);
  // Waves are told on every dispatch, counters only when they move.
  listener.Take();
  server.Dispatch();
  server.Dispatch();
  EXPECT_EQ(listener.Take().size(), 7u + 5u);  // every tag at first, then the five waves again
}

TEST_F(MemoryServerTest, NowIsToldOncePerSecondOfTheProjectTime) {
  const FileTime start = 133'000'000'000'000'000ULL;
  FileTime wall = start;
  server.SetWallClock([&] { return wall; });
  server.SetTimeBase(start, 0);
  CNPTag* now = Get(u"$NOW", listener);
  const std::pair<uint64_t, size_t> steps[] = {{0, 1}, {kTicksPerSecond - 1, 0}, {1, 1}};
  for (const auto& [step, told] : steps) {
    wall += step;
    server.Dispatch();
    EXPECT_EQ(listener.Take().size(), told);
  }
  EXPECT_EQ(Value(now)->GetTime(0), start + kTicksPerSecond);
}

TEST_F(MemoryServerTest, SoundIsWritableAndOtherComputedAreasAreNot) {
  CNPTag* sound = Get(u"$SOUND9", listener);
  CNPTag* blink = Get(u"$BLINK1000", listener);
  server.Dispatch();
  listener.Take();
  EXPECT_TRUE(server.SetValue(blink, NumberValue(0)));
  Set(sound, 3);
  server.Dispatch();
  EXPECT_EQ(listener.Take(), (TagEvents{"$SOUND9=3"}));
  EXPECT_EQ(Text(blink), "T");
}

}  // namespace
