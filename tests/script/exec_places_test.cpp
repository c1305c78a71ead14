// Stores through indexes and reference parameters reach the property they name (the other places
// are in programs/names.vs and programs/operators.vs).
#include <gtest/gtest.h>

#include "exec_test_util.h"

namespace {

// Button1 with a tag property "Values", which keeps whole arrays.
class PlacesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto values = std::make_unique<CNCustomProperty>();
    values->name = u"Values";
    values->info.type = PT_TAG_INOUT;
    world.button->AddCustomProperty(std::move(values));
  }
  std::string Values() { return world.Property(*world.button, u"Values"); }

  ScriptWorld world;
};

}  // namespace

TEST_F(PlacesTest, IndexedStoresIntoAPropertyWriteTheWholePropertyBack) {
  world.Output(u"event OnInitialize() { Values = c(1, 2, 3, 4); Values[1] = 20; Values[2:3] += 1; ++Values[0]; }");
  EXPECT_EQ(Values(), "c(2,20,4,5)");
  CNPObject& button = static_cast<CNPObject&>(*world.button);
  EXPECT_TRUE(button.GetChangedProperties().contains(u"Values"));
  world.Output(u"event OnInitialize() { var m = c(c(1, 2), c(3, 4)); Values = m; Values[1, 0] = 9; this.Values[0] = 0; }");
  EXPECT_EQ(Values(), "c(c(0,0),c(9,4))");
  EXPECT_TRUE(world.errors.empty());
}

TEST_F(PlacesTest, ReferenceParametersWriteIntoPropertiesAndTheirElements) {
  world.Output(u"function Inc(&v) { v = v + 1; }\n"
               u"function Pass(&v) { Inc(v); }\n"
               u"event OnInitialize() { Values = c(1, 2, 3); Inc(Values[0]); Pass(Values[c(1, 2)]); Pass(Values); }");
  EXPECT_EQ(Values(), "c(3,4,5)");
  EXPECT_TRUE(world.errors.empty());
}
