#include "objects/object.h"

#include <gtest/gtest.h>

#include "support/utf16_text.h"
#include "values/value_test_util.h"

namespace {

// A small class with one of each kind of property.
class Sample : public CNObjectClass<Sample, CNObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Sample";
  static constexpr std::array kProperties = {
      Prop(u"Basic", u"Name", PT_STRING, u"", {}, 1, 0),
      Prop(u"Basic", u"Visible", PT_BOOL, u"T"),
      Prop(u"Position", u"Width", PT_INTEGER, nullptr, u",1"),
      Prop(u"Value", u"Value", PT_NUMBER, u"0"),
      Prop(u"Fill", u"FillColor", PT_COLOR, u"#808080", {}, 1, 1, kPropertyColor),
      Prop(u"Border", u"BorderLine", PT_ENUM, u"SOLID", u"SOLID,DASH,DOT,DASHDOT,DASHDOTDOT"),
      Prop(u"Text", u"Text", PT_TEXT, u""),
  };
  static constexpr std::array<EventInfo, 0> kEvents{};
};

CRPtr<CNObject> Named(std::u16string_view name) {
  auto o = CRPtr<CNObject>::Adopt(new Sample);
  o->SetName(name);
  return o;
}

std::vector<std::u16string> ChildNames(const CNObject& parent) {
  std::vector<std::u16string> names;
  for (int32_t i = 0; i < parent.GetChildCount(); ++i) names.push_back(parent.GetChild(i)->GetName());
  return names;
}

}  // namespace

TEST(Object, ChildrenAreFoundByExactNameAndMovedBeforeTheTargetIndex) {
  Sample root;
  for (auto name : {u"A", u"B", u"C", u"D"}) root.AddChild(Named(name).Detach());
  EXPECT_EQ(root.FindChildIndex(u"C"), 2);
  EXPECT_EQ(root.FindChild(u"c"), nullptr);  // names compare case-sensitively
  EXPECT_EQ(root.GetChild(-1), nullptr);
  EXPECT_EQ(root.GetChild(4), nullptr);

  EXPECT_EQ(root.MoveChild(2, 3), 1);  // before the element that follows it: no change
  EXPECT_EQ(root.MoveChild(2, 2), 1);
  EXPECT_EQ(ChildNames(root), (std::vector<std::u16string>{u"A", u"B", u"C", u"D"}));
  EXPECT_EQ(root.MoveChild(0, 4), 1);  // to the end
  EXPECT_EQ(ChildNames(root), (std::vector<std::u16string>{u"B", u"C", u"D", u"A"}));
  EXPECT_EQ(root.MoveChild(3, 0), 1);
  EXPECT_EQ(ChildNames(root), (std::vector<std::u16string>{u"A", u"B", u"C", u"D"}));
  EXPECT_EQ(root.MoveChild(4, 0), 0);
  EXPECT_EQ(root.MoveChild(0, 5), 0);
  EXPECT_EQ(root.MoveChild(0, -1), 0);
}

TEST(Object, RemovingAChildReleasesTheParentsReference) {
  Sample root;
  CRPtr<CNObject> child = Named(u"x");
  root.AddChild(CRPtr<CNObject>(child).Detach());
  EXPECT_EQ(child->GetRefCnt(), 2);
  EXPECT_EQ(child->GetParent(), &root);
  EXPECT_EQ(child->GetIndexInParent(), 0);
  EXPECT_EQ(root.RemoveChild(child.Get()), 1);
  EXPECT_EQ(child->GetRefCnt(), 1);
  EXPECT_EQ(child->GetParent(), nullptr);
  EXPECT_EQ(child->GetIndexInParent(), -1);
  EXPECT_EQ(root.RemoveChild(child.Get()), 0);
}

TEST(Object, UniqueChildNamesFollowTheLargestNumber) {
  Sample root;
  EXPECT_EQ(root.MakeUniqueChildName(u"Rectangle"), u"Rectangle01");
  for (auto name : {u"Label01", u"Label7x", u"Labels", u"label50", u"Label"})
    root.AddChild(Named(name).Detach());
  EXPECT_EQ(root.MakeUniqueChildName(u"Label"), u"Label08");
  root.AddChild(Named(u"Label99").Detach());
  EXPECT_EQ(root.MakeUniqueChildName(u"Label"), u"Label100");
}

TEST(Object, IndexPathsLeadFromTheRootOrANamedAncestor) {
  Sample root;
  root.AddChild(Named(u"first").Detach());
  CRPtr<CNObject> group = Named(u"group");
  root.AddChild(CRPtr<CNObject>(group).Detach());
  group->AddChild(Named(u"a").Detach());
  CRPtr<CNObject> leaf = Named(u"leaf");
  group->AddChild(CRPtr<CNObject>(leaf).Detach());

  EXPECT_EQ(leaf->GetIndexPath(), (std::vector<int32_t>{1, 1}));
  EXPECT_EQ(root.FindByIndexPath({1, 1}), leaf.Get());
  EXPECT_EQ(root.FindByIndexPath({1, 7}), nullptr);
  EXPECT_EQ(leaf->GetIndexPath(u"Sample"), (std::vector<int32_t>{1}));  // stops at the group
  EXPECT_EQ(leaf->GetRoot(), &root);
}

TEST(Object, PropertiesConvertToTheirTypeAndAnswerDefaults) {
  Sample o;
  EXPECT_EQ(o.GetPropertyCount(), 7u);
  EXPECT_EQ(o.GetPropertyName(4), u"FillColor");
  ASSERT_NE(o.FindPropertyInfo(u"BorderLine"), nullptr);
  EXPECT_EQ(o.FindPropertyInfo(u"borderline"), nullptr);
  // Each write in turn: what the setter answers and what the property reads afterwards.
  const struct {
    std::u16string_view name;
    CNValue value;
    int set;
    const char* read;
  } writes[] = {
      {u"Visible", Str(u"0"), 1, "F"},
      {u"Width", Str(u"12.7"), 1, "12"},
      {u"BorderLine", Str(u"dash"), 1, "\"DASH\""},
      {u"BorderLine", Str(u"WAVY"), 0, "\"DASH\""},  // unknown item: kept
      {u"FillColor", Str(u"#ff8000"), 1, "\"#FF8000\""},
      {u"FillColor", Num(0x0000FF), 1, "\"#FF0000\""},  // a COLORREF: red in the low byte
      {u"FillColor", Str(u"@TextColor"), 1, "\"@TextColor\""},
      {u"FillColor", Str(u"red"), 0, "\"@TextColor\""},
  };
  CNValue v;
  ASSERT_EQ(o.GetProperty(u"Visible", v), 1);
  EXPECT_EQ(LitText(v), "T");
  for (const auto& write : writes) {
    SCOPED_TRACE(LitText(write.value));
    EXPECT_EQ(o.SetProperty(write.name, write.value), write.set);
    ASSERT_EQ(o.GetProperty(write.name, v), 1);
    EXPECT_EQ(LitText(v), write.read);
  }

  // Unknown names leave the value untouched.
  v.SetNumber(42);
  EXPECT_EQ(o.SetProperty(u"Nope", v), 0);
  EXPECT_EQ(o.GetProperty(u"Nope", v), 0);
  EXPECT_EQ(o.GetPropertyDefault(u"Nope", v), 0);
  EXPECT_EQ(LitText(v), "42");

  // "Name" is the object's own name.
  EXPECT_EQ(o.SetProperty(u"Name", Str(u"Tank1")), 1);
  EXPECT_EQ(o.GetName(), u"Tank1");
  o.SetName(u"Tank2");
  o.GetProperty(u"Name", v);
  EXPECT_EQ(LitText(v), "\"Tank2\"");

  // A property without a default is known but has none to reset to.
  EXPECT_EQ(o.GetPropertyDefault(u"Width", v), 0);
  EXPECT_EQ(o.ResetProperty(u"FillColor"), 1);
  o.GetProperty(u"FillColor", v);
  EXPECT_EQ(LitText(v), "\"#808080\"");
}

// Values arrive in any order: out of table order, again, and with failed conversions in
// between; every one reads back, and a failed one leaves what was there.
TEST(Object, StoredValuesKeepEveryPropertyWhateverTheOrderTheyArriveIn) {
  Sample o;
  EXPECT_EQ(o.SetPropertyText(u"Text", u"last"), 1);
  EXPECT_EQ(o.SetPropertyText(u"BorderLine", u"dot"), 1);
  EXPECT_EQ(o.SetPropertyText(u"Visible", u"F"), 1);
  EXPECT_EQ(o.SetPropertyText(u"FillColor", u"blue"), 0);  // not added
  EXPECT_EQ(o.SetPropertyText(u"Width", u"30"), 1);
  EXPECT_EQ(o.SetPropertyText(u"Value", u"1.5"), 1);
  EXPECT_EQ(o.SetPropertyText(u"Width", u"31"), 1);
  EXPECT_EQ(o.SetPropertyText(u"BorderLine", u"wavy"), 0);  // kept
  const std::vector<std::pair<std::u16string_view, std::string>> expected = {
      {u"Visible", "F"},          {u"Width", "31"},      {u"Value", "1.5"}, {u"FillColor", "\"#808080\""},
      {u"BorderLine", "\"DOT\""}, {u"Text", "\"last\""},
  };
  for (const auto& [name, literal] : expected) {
    CNValue v;
    ASSERT_EQ(o.GetProperty(name, v), 1);
    EXPECT_EQ(LitText(v), literal) << Utf16ToUtf8(name);
  }
}

TEST(Object, CustomPropertiesFollowTheClassEntries) {
  Sample o;
  auto custom = std::make_unique<CNCustomProperty>();
  custom->name = u"_DisplayDate";
  custom->info.type = PT_STRING;
  ASSERT_TRUE(o.AddCustomProperty(std::move(custom)));
  EXPECT_EQ(o.GetPropertyCount(), 8u);
  EXPECT_EQ(o.GetPropertyName(7), u"_DisplayDate");
  auto clash = std::make_unique<CNCustomProperty>();
  clash->name = u"Visible";
  EXPECT_FALSE(o.AddCustomProperty(std::move(clash)));
}

TEST(Object, BindSectionsRoundTripWithBracketsInsideScripts) {
  Sample o;
  o.SetBindSection(u"Text", u"a[1] & \"]\"");
  o.SetBindSection(u"Visible", u"  $SYS0 == 2  ");
  EXPECT_EQ(o.GetBind(),
            u"[Visible]  $SYS0 == 2  [Text]a%squarebracket1%1%squarebracket2% & \"%squarebracket2%\"");
  EXPECT_EQ(o.GetBindSection(u"Text"), u"a[1] & \"]\"");
  EXPECT_EQ(o.GetBindSection(u"Visible"), u"$SYS0 == 2");
  EXPECT_EQ(o.GetBindSection(u"Width"), u"");

  // A rebuild drops sections of names the class does not have and empties cleared ones.
  o.SetBind(u"[Ghost]1[Visible]T");
  o.SetBindSection(u"Visible", u"");
  EXPECT_EQ(o.GetBind(), u"");
}
