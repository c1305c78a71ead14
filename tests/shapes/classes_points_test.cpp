// The "Points" text of polygons, polylines and polygon meters.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shapes/meters.h"
#include "shapes/points_text.h"
#include "shapes/shapes.h"
#include "values/value_test_util.h"

namespace {

constexpr std::u16string_view kGolden = u"[PATH]8,8,8,8,8,8,336,8,336,8,336,8";

std::u16string PointsOf(CNObject& o, std::u16string_view text) {
  EXPECT_EQ(o.SetProperty(u"Points", Str(text)), 1);
  CNValue v;
  EXPECT_EQ(o.GetProperty(u"Points", v), 1);
  return v.GetText(0);
}

}  // namespace

TEST(PointsText, GoldenPathReadsBackExactlyOnEveryClassWithPoints) {
  CNPPolygon polygon;
  CNPPolyline polyline;
  CNPPolygonMeter meter;
  for (CNP2DShape* shape : std::initializer_list<CNP2DShape*>{&polygon, &polyline, &meter}) {
    SCOPED_TRACE(Utf16ToUtf8(shape->GetClassId()));
    EXPECT_EQ(PointsOf(*shape, kGolden), kGolden);
    const CNPathNode first{{8, 8}, {8, 8}, {8, 8}};
    const CNPathNode second{{336, 8}, {336, 8}, {336, 8}};
    EXPECT_EQ(shape->GetPoints(), (std::vector<CNPathNode>{first, second}));
  }
}

TEST(PointsText, CoordinatesAreWrittenTruncatedAndZeroBeyondThirtyTwoBits) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<CNPathNode> nodes = {
      {{1.9, -1.9}, {-0.7, 0.7}, {2147483647.9, -2147483648.5}},
      {{2147483648.0, -2147483649.0}, {1e300, nan}, {-1e300, 3}},
  };
  EXPECT_EQ(PointsText(nodes), u"[PATH]1,-1,0,0,2147483647,-2147483648,0,0,0,0,0,3");
  EXPECT_EQ(PointsText({}), u"");
}

TEST(PointsText, MalformedTextsReadWhatTheyCanAndNeverFail) {
  const std::pair<std::u16string_view, std::u16string_view> cases[] = {
      {u"", u""},
      {u"[PATH]", u""},
      {u"[PATH]1,2,3,4,5", u""},  // an incomplete node is dropped
      {u"[PATH]1,2,3,4,5,6,7,8", u"[PATH]1,2,3,4,5,6"},
      {u"[PATH],,,,,,", u"[PATH]0,0,0,0,0,0"},
      {u"[PATH]a,b,c,d,e,f", u"[PATH]0,0,0,0,0,0"},
      {u"[PATH]8,8,8,8,8,8,\r\n336,8,336,8,336,8", kGolden},
      {u"[PATH]99999999999,-99999999999,0,0,0,0", u"[PATH]2147483647,-2147483648,0,0,0,0"},
      {u"8,8,336,8", kGolden},  // pairs become straight nodes
      {u"[PATH]10,20,1,2,30,40", u"[PATH]10,20,1,2,30,40"},
      {u"7", u""},
      {u"1,2,3", u"[PATH]1,2,1,2,1,2"},
      {u" 5 , -6 ", u"[PATH]5,-6,5,-6,5,-6"},
      {u"1.5,2.7", u"[PATH]1,2,1,2,1,2"},
      {u"[path]1,2", u"[PATH]0,2,0,2,0,2"},  // the prefix is exact: read as pairs
      {u",,,", u"[PATH]0,0,0,0,0,0,0,0,0,0,0,0"},
  };
  CNPPolyline polyline;
  for (const auto& [text, written] : cases) EXPECT_EQ(PointsOf(polyline, text), written) << Utf16ToUtf8(text);

  // Not a text at all: read through its display text.
  EXPECT_EQ(polyline.SetProperty(u"Points", Num(5)), 1);
  EXPECT_TRUE(polyline.GetPoints().empty());
}
