#include "values/enum_value.h"

#include <gtest/gtest.h>

#include "value_test_util.h"

TEST(Enum, ItemsByPositionAndByTextIgnoringCase) {
  constexpr std::u16string_view items = u"SOLID,DASH,DOT,DASHDOT,DASHDOTDOT";
  EXPECT_EQ(CNEnum::ItemCount(items), 5u);
  EXPECT_EQ(CNEnum::ItemText(items, 0), u"SOLID");
  EXPECT_EQ(CNEnum::ItemText(items, 4), u"DASHDOTDOT");
  EXPECT_EQ(CNEnum::ItemText(items, 5), u"");
  EXPECT_EQ(CNEnum::ItemText(items, -1), u"");
  EXPECT_EQ(CNEnum::ItemIndex(items, u"dashdot"), 3);
  EXPECT_EQ(CNEnum::ItemIndex(items, u"DAS"), -1);
  EXPECT_EQ(CNEnum::ItemCount(u""), 0u);

  CNEnum style;
  EXPECT_TRUE(style.FromValue(items, Str(u"dot")));
  EXPECT_EQ(style.GetIndex(), 2);
  CNValue v;
  style.ToValue(items, v);
  EXPECT_EQ(v.GetText(0), u"DOT");
  EXPECT_TRUE(style.FromValue(items, Num(1)));
  EXPECT_EQ(style.GetIndex(), 1);
  EXPECT_FALSE(style.FromValue(items, Num(5)));
  EXPECT_FALSE(style.FromValue(items, Str(u"WAVY")));
  EXPECT_EQ(style.GetIndex(), 1);
}
