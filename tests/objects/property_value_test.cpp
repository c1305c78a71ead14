#include "objects/property_value.h"

#include <gtest/gtest.h>

#include "value_test_util.h"
#include "values/enum_value.h"

namespace {

class RecordingTarget : public CNObject {
 public:
  int SetProperty(std::u16string_view name, const CNValue& value) override {
    names.emplace_back(name);
    values.push_back(value);
    return 1;
  }
  std::vector<std::u16string> names;
  std::vector<CNValue> values;
};

}  // namespace

TEST(PropertyValue, CommitCallsTheSetterUnlessReadOnly) {
  RecordingTarget target;
  {
    CNPropertyValue value(&target, u"FillColor");
    EXPECT_EQ(target.GetRefCnt(), 2);
    value.SetString(u"#FF0000");
    value.Commit();
    CNPropertyValue readOnly(&target, u"MouseX", true);
    readOnly.SetNumber(3);
    readOnly.Commit();
  }
  EXPECT_EQ(target.GetRefCnt(), 1);
  ASSERT_EQ(target.names.size(), 1u);
  EXPECT_EQ(target.names[0], u"FillColor");
  EXPECT_EQ(target.values[0].GetText(0), u"#FF0000");
}

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
