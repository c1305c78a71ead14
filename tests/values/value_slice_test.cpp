#include <gtest/gtest.h>

#include <vector>

#include "value_test_util.h"
#include "values/sub_value.h"
#include "values/value.h"

namespace {

CNValue Slice(const CNValue& v, std::vector<const CNValue*> indexes) {
  CNValue result;
  v.GetSlice(result, indexes.data(), static_cast<uint32_t>(indexes.size()));
  return result;
}

}  // namespace

TEST(ValueSlice, PositionListsMasksAndWholeDimensions) {
  const CNValue list = Lit(u"c(10,20,30,40)");
  const CNValue one = Num(2), many = Lit(u"c(3,0,0)"), mask = Lit(u"c(T,F,T)");
  EXPECT_EQ(LitText(Slice(list, {&one})), "30");
  EXPECT_EQ(LitText(Slice(list, {&many})), "c(40,10,10)");
  EXPECT_EQ(LitText(Slice(list, {&mask})), "c(10,30)");
  EXPECT_EQ(LitText(Slice(list, {nullptr})), "c(10,20,30,40)");
  EXPECT_EQ(LitText(Slice(list, {})), "c(10,20,30,40)");

  const CNValue beyond = Lit(u"c(1,9)"), negative = Num(-3), fraction = Num(2.9), text = Str(u"1");
  EXPECT_EQ(LitText(Slice(list, {&beyond})), "c(20,#N/A#)");
  EXPECT_EQ(LitText(Slice(list, {&negative})), "10");
  EXPECT_EQ(LitText(Slice(list, {&fraction})), "30");
  EXPECT_EQ(LitText(Slice(list, {&text})), "20");
}

TEST(ValueSlice, MultiDimensionalSlicesKeepTheDimensionsWithSeveralPositions) {
  const CNValue grid = Lit(u"c(c(1,2,3),c(4,5,6),c(7,8,9))");
  const CNValue row = Num(1), col = Num(2), rows = Lit(u"c(0,2)"), cols = Lit(u"c(F,T,T)");
  EXPECT_EQ(LitText(Slice(grid, {&row})), "c(4,5,6)");
  EXPECT_EQ(Slice(grid, {&row}).GetDimensionCount(), 1u);
  EXPECT_EQ(LitText(Slice(grid, {nullptr, &col})), "c(3,6,9)");
  EXPECT_EQ(LitText(Slice(grid, {&row, &col})), "6");
  EXPECT_EQ(LitText(Slice(grid, {&rows, &cols})), "c(c(2,3),c(8,9))");
  EXPECT_EQ(Slice(grid, {&rows, &cols}).GetDimensionCount(), 2u);
}

TEST(ValueSlice, EmptySelectionsAndEmptySources) {
  const CNValue list = Lit(u"c(1,2)"), none = Lit(u"c(F,F)"), nothing;
  EXPECT_TRUE(Slice(list, {&none}).IsEmpty());
  EXPECT_TRUE(Slice(list, {&nothing}).IsEmpty());
  EXPECT_TRUE(Slice(nothing, {&list}).IsEmpty());
}

TEST(ValueSlice, WriteStoresIntoSelectedPositionsCyclically) {
  CNValue grid = Lit(u"c(c(1,2,3),c(4,5,6))");
  const CNValue row = Num(1), col = Num(0), zero = Num(0), pair = Lit(u"c(\"a\",\"b\")");
  grid.SetSlice(std::vector<const CNValue*>{&row}.data(), 1, pair);
  EXPECT_EQ(LitText(grid), "c(c(1,2,3),c(\"a\",\"b\",\"a\"))");
  grid.SetSlice(std::vector<const CNValue*>{nullptr, &col}.data(), 2, zero);
  EXPECT_EQ(LitText(grid), "c(c(0,2,3),c(0,\"b\",\"a\"))");

  // Positions outside the value are ignored; the shape never changes.
  CNValue list = Lit(u"c(1,2)");
  const CNValue outside = Lit(u"c(1,5)");
  list.SetSlice(std::vector<const CNValue*>{&outside}.data(), 1, Lit(u"c(8,9)"));
  EXPECT_EQ(LitText(list), "c(1,8)");
  // A value written into itself is read before it is changed.
  const CNValue reversed = Lit(u"c(1,0)");
  list.SetSlice(std::vector<const CNValue*>{&reversed}.data(), 1, list);
  EXPECT_EQ(LitText(list), "c(8,1)");
}

TEST(SubValue, CommitWritesTheSliceBackToItsOwner) {
  CNValue owner = Lit(u"c(c(1,2),c(3,4))");
  const CNValue row = Num(0);
  const CNValue* indexes[] = {&row};
  CNSValue part;
  EXPECT_FALSE(part.IsBound());
  part.Bind(&owner, indexes, 1);
  EXPECT_TRUE(part.IsBound());
  EXPECT_EQ(LitText(part), "c(1,2)");
  part.Increment();
  part.Commit();
  EXPECT_EQ(LitText(owner), "c(c(2,3),c(3,4))");

  CNSValue whole;
  whole.Bind(&owner);
  whole.SetString(u"replaced");
  whole.Commit();
  EXPECT_EQ(LitText(owner), "\"replaced\"");
  EXPECT_EQ(owner.GetRefCnt(), 3);  // two sub-values hold it
  whole.Unbind();
  EXPECT_EQ(owner.GetRefCnt(), 2);

  CNSValue unbound;
  unbound.SetNumber(1);
  unbound.Commit();  // nowhere to go: nothing happens
}
