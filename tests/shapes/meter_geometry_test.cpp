// The meters' geometry: the rectangle meter's band and the pie meter's angles. The band in each
// direction and the pie meter's sector are in the golden images of the meters.

#include "shapes/meter_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

// A meter 20 wide and 200 high at (10, 50).
constexpr CRRectF kTall{10, 50, 20, 200};
// A meter 200 wide and 20 high at (10, 50).
constexpr CRRectF kWide{10, 50, 200, 20};

CNMeterRange Range(double value, double min = 0, double max = 100) {
  CNMeterRange range;
  range.value = value;
  range.min = min;
  range.max = max;
  return range;
}

CNMeterRange Centered(double value, double centerValue, double min = 0, double max = 100) {
  CNMeterRange range = Range(value, min, max);
  range.center = true;
  range.centerValue = centerValue;
  return range;
}

}  // namespace

// The band runs from p0, the edge of Min (or of the centre value), to p1, the edge of the value.
TEST(RectMeterBand, EachDirectionFromItsOwnEdgeTruncatedAndClampedAtTheValueEdge) {
  constexpr auto kUp = CNMeterDirection::kBottomToTop, kDown = CNMeterDirection::kTopToBottom;
  constexpr auto kRight = CNMeterDirection::kLeftToRight, kLeft = CNMeterDirection::kRightToLeft;
  struct Case {
    const char* what;
    CRRectF meter;
    CNMeterDirection direction;
    CNMeterRange range;
    int32_t p0, p1;
  } cases[] = {
      {"a third of 200 truncated", kTall, kUp, Range(1, 0, 3), 250, 183},
      {"a third of 200 truncated, down", kTall, kDown, Range(1, 0, 3), 50, 116},
      {"beyond Max: cut at the edge", kTall, kUp, Range(250), 250, 50},
      {"far beyond Max", kWide, kRight, Range(1e300), 10, 210},
      {"infinity", kWide, kLeft, Range(INFINITY), 210, 10},
      {"center: below the base, down from the middle", kTall, kUp, Centered(25, 50), 150, 200},
      {"center: above the base, up from the middle", kTall, kUp, Centered(75, 50), 150, 100},
      {"a base outside the range stays outside", kTall, kUp, Centered(50, 150), 250 - 300, 150},
      {"Min = Max: the whole meter", kTall, kUp, Range(7, 5, 5), 250, 50},
      {"Min = Max, value below", kTall, kUp, Range(-3, 5, 5), 250, 50},
      {"Min = Max, centred", kWide, kLeft, Centered(0, 40, 9, 9), 210, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const CNMeterBand band = RectMeterBand(c.meter, c.direction, c.range);
    EXPECT_EQ(band.p0, c.p0);
    EXPECT_EQ(band.p1, c.p1);
    EXPECT_EQ(band.vertical, c.direction == kUp || c.direction == kDown);
  }
  // On the base, below Min, and values that are not numbers: no band.
  for (const CNMeterRange& range : {Centered(50, 50), Range(-40), Range(NAN), Range(5, NAN, 100)})
    EXPECT_TRUE(RectMeterBand(kTall, kUp, range).IsEmpty()) << range.value;
}

TEST(PieMeterAngles, StartBeyondEndIsLoweredByWholeTurns) {
  struct Case {
    int32_t start, end, normalizedStart;
  } cases[] = {{270, 90, -90}, {90, 0, -270},     {360, 0, 0}, {10, 10, 10},  {0, 360, 0},
               {361, 0, -359}, {-10, -370, -370}, {720, 0, 0}, {721, 0, -359}};
  for (const Case& c : cases) {
    int32_t start = c.start, end = c.end;
    NormalizeSectorAngles(start, end);
    EXPECT_EQ(start, c.normalizedStart) << c.start << ".." << c.end;
    EXPECT_EQ(end, c.end);
  }
}

TEST(PieMeterAngles, ValueAngleIsTruncatedAndClamped) {
  const CNPieMeterAngles angles = PieMeterAngles(270, 90, 50, 0, 100);
  EXPECT_EQ(std::tie(angles.start, angles.end, angles.a), std::tuple(-90, 90, 0));  // a: twelve o'clock
  EXPECT_EQ(PieMeterAngles(0, 360, 1, 0, 3).a, 120);
  EXPECT_EQ(PieMeterAngles(0, 100, 1, 0, 3).a, 33);  // 33.3 truncated
  EXPECT_EQ(PieMeterAngles(0, 100, -1, 0, 3).a, 0);  // -33.3 clamped to the start
  EXPECT_EQ(PieMeterAngles(0, 360, 500, 0, 100).a, 360);
  EXPECT_EQ(PieMeterAngles(30, 60, 1, 4, 4).a, 60);  // Min = Max: the whole sector
  EXPECT_EQ(PieMeterAngles(30, 60, NAN, 0, 100).a, 30);
}
