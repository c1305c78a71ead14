// The meters' geometry: the rectangle meter's band, the pie meter's angles, ellipse points.

#include "controls/meter_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(RectMeterBand, EachDirectionStartsAtItsOwnEdge) {
  struct Case {
    CNMeterDirection direction;
    CRRectF meter;
    int32_t p0, p1;
    bool vertical;
  } cases[] = {
      {CNMeterDirection::kBottomToTop, kTall, 250, 200, true},
      {CNMeterDirection::kTopToBottom, kTall, 50, 100, true},
      {CNMeterDirection::kLeftToRight, kWide, 10, 60, false},
      {CNMeterDirection::kRightToLeft, kWide, 210, 160, false},
  };
  for (const Case& c : cases) {
    const CNMeterBand band = RectMeterBand(c.meter, c.direction, Range(25));
    EXPECT_EQ(band.p0, c.p0) << static_cast<int>(c.direction);
    EXPECT_EQ(band.p1, c.p1) << static_cast<int>(c.direction);
    EXPECT_EQ(band.vertical, c.vertical) << static_cast<int>(c.direction);
  }
}

TEST(RectMeterBand, CenterModeFillsFromTheCenterValueEitherWay) {
  // Below the base: from the middle down by a quarter of the height.
  CNMeterBand band = RectMeterBand(kTall, CNMeterDirection::kBottomToTop, Centered(25, 50));
  EXPECT_EQ(band.p0, 150);
  EXPECT_EQ(band.p1, 200);
  // Above it: from the middle up.
  band = RectMeterBand(kTall, CNMeterDirection::kBottomToTop, Centered(75, 50));
  EXPECT_EQ(band.p0, 150);
  EXPECT_EQ(band.p1, 100);
  // Off the base turns the band off; without "Center" the same value fills from Min.
  EXPECT_TRUE(RectMeterBand(kTall, CNMeterDirection::kBottomToTop, Centered(50, 50)).IsEmpty());
  EXPECT_EQ(RectMeterBand(kTall, CNMeterDirection::kBottomToTop, Range(75)).p0, 250);
}

TEST(RectMeterBand, TruncatesTowardZeroAndClampsOnlyTheValueEdge) {
  // 1/3 of 200 is 66.67: p1 = trunc(250 - 66.67) = 183.
  EXPECT_EQ(RectMeterBand(kTall, CNMeterDirection::kBottomToTop, Range(1, 0, 3)).p1, 183);
  EXPECT_EQ(RectMeterBand(kTall, CNMeterDirection::kTopToBottom, Range(1, 0, 3)).p1, 116);
  // Beyond Max: cut at the edge. Below Min: cut at the base's edge (an empty band).
  EXPECT_EQ(RectMeterBand(kTall, CNMeterDirection::kBottomToTop, Range(250)).p1, 50);
  EXPECT_EQ(RectMeterBand(kWide, CNMeterDirection::kLeftToRight, Range(1e300)).p1, 210);
  EXPECT_TRUE(RectMeterBand(kTall, CNMeterDirection::kBottomToTop, Range(-40)).IsEmpty());
  // A base outside the range puts p0 outside the rectangle; it stays there.
  const CNMeterBand band = RectMeterBand(kTall, CNMeterDirection::kBottomToTop, Centered(50, 150));
  EXPECT_EQ(band.p0, 250 - 300);
  EXPECT_EQ(band.p1, 150);
}

TEST(RectMeterBand, EqualMinAndMaxFillTheWholeMeter) {
  for (double value : {7.0, 5.0, -3.0}) {
    const CNMeterBand band = RectMeterBand(kTall, CNMeterDirection::kBottomToTop, Range(value, 5, 5));
    EXPECT_EQ(band.Low(), 50) << value;
    EXPECT_EQ(band.High(), 250) << value;
  }
  const CNMeterBand band = RectMeterBand(kWide, CNMeterDirection::kRightToLeft, Centered(0, 40, 9, 9));
  EXPECT_EQ(band.Low(), 10);
  EXPECT_EQ(band.High(), 210);
}

TEST(RectMeterBand, ValuesThatAreNotNumbersGiveAnEmptyBand) {
  EXPECT_TRUE(RectMeterBand(kTall, CNMeterDirection::kBottomToTop, Range(NAN)).IsEmpty());
  EXPECT_TRUE(RectMeterBand(kTall, CNMeterDirection::kLeftToRight, Range(5, NAN, 100)).IsEmpty());
  const CNMeterBand band = RectMeterBand(kWide, CNMeterDirection::kRightToLeft, Range(INFINITY));
  EXPECT_EQ(band.p1, 10);
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
  CNPieMeterAngles angles = PieMeterAngles(270, 90, 50, 0, 100);
  EXPECT_EQ(angles.start, -90);
  EXPECT_EQ(angles.end, 90);
  EXPECT_EQ(angles.a, 0);  // twelve o'clock
  EXPECT_EQ(PieMeterAngles(0, 360, 1, 0, 3).a, 120);
  EXPECT_EQ(PieMeterAngles(0, 100, 1, 0, 3).a, 33);  // 33.3 truncated
  EXPECT_EQ(PieMeterAngles(0, 100, -1, 0, 3).a, 0);  // -33.3 clamped to the start
  EXPECT_EQ(PieMeterAngles(0, 360, 500, 0, 100).a, 360);
  EXPECT_EQ(PieMeterAngles(30, 60, 1, 4, 4).a, 60);  // Min = Max: the whole sector
  EXPECT_EQ(PieMeterAngles(30, 60, NAN, 0, 100).a, 30);
}

TEST(EllipsePoint, ZeroIsTwelveOClockAndAnglesRunClockwise) {
  const CRRectF rect{0, 0, 100, 60};
  struct Case {
    double t, x, y;
  } cases[] = {{0, 50, 0},
               {90, 100, 30},
               {180, 50, 60},
               {270, 0, 30},
               {-90, 0, 30},
               // 45 degrees: 50 + 50 cos 45 = 85.36 -> 85; 30 - 30 sin 45 = 8.79 -> 9
               {45, 85, 9}};
  for (const Case& c : cases) {
    const CRPointF p = EllipsePoint(rect, c.t);
    EXPECT_EQ(p.x, c.x) << c.t;
    EXPECT_EQ(p.y, c.y) << c.t;
  }
}
