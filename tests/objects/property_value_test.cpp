#include "objects/property_value.h"

#include <gtest/gtest.h>

#include "values/value_test_util.h"

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
