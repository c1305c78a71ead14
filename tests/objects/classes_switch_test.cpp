// The switch record behind "SwitchType" and "SwitchValue", and the property quirks of the
// check box and the edit boxes.

#include <gtest/gtest.h>

#include "controls/buttons.h"
#include "controls/edit_box.h"
#include "controls/shapes.h"
#include "value_test_util.h"

namespace {

std::u16string Read(const CNObject& o, std::u16string_view name) {
  CNValue v;
  EXPECT_EQ(o.GetProperty(name, v), 1) << Utf16ToUtf8(name);
  return v.GetTextEmptyNA(0);
}

}  // namespace

TEST(SwitchControl, SwitchTypeTakesItemsOrPositionsAndRefusesOthers) {
  CNPRect rect;
  CNPCommandButton button;
  for (CNPSwitchControl* o : std::initializer_list<CNPSwitchControl*>{&rect, &button}) {
    SCOPED_TRACE(Utf16ToUtf8(o->GetClassId()));
    EXPECT_EQ(o->GetSwitchType(), SWITCH_A);
    EXPECT_EQ(o->SetProperty(u"SwitchType", Str(u"alternate_switch")), 1);
    EXPECT_EQ(o->GetSwitchType(), SWITCH_ALTERNATE);
    EXPECT_EQ(Read(*o, u"SwitchType"), u"ALTERNATE_SWITCH");
    EXPECT_EQ(o->SetProperty(u"SwitchType", Num(2)), 1);
    EXPECT_EQ(o->GetSwitchType(), SWITCH_ON);
    // Select is no item: neither its name nor its position is taken.
    EXPECT_EQ(o->SetProperty(u"SwitchType", Num(5)), 0);
    EXPECT_EQ(o->SetProperty(u"SwitchType", Str(u"SELECT")), 0);
    EXPECT_EQ(o->GetSwitchType(), SWITCH_ON);
    EXPECT_EQ(Read(*o, u"SwitchType"), u"ON_SWITCH");
  }
}

TEST(SwitchControl, SwitchValueIsTheRecordsValueAndReportsItsChange) {
  CNPEllipse ellipse;
  EXPECT_FALSE(ellipse.GetSwitchValue());
  EXPECT_EQ(ellipse.SetProperty(u"SwitchValue", Str(u"TRUE")), 1);
  EXPECT_TRUE(ellipse.GetSwitchValue());
  EXPECT_EQ(Read(ellipse, u"SwitchValue"), u"T");
  EXPECT_EQ(ellipse.GetChangedProperties().count(u"SwitchValue"), 1u);
  EXPECT_EQ(ellipse.SetProperty(u"SwitchValue", Num(0)), 1);
  EXPECT_FALSE(ellipse.GetSwitchValue());
}

TEST(CheckBox, AcceptsASwitchTypeItsTableDoesNotOffer) {
  CNPCheckBox check;
  CNPRadioButton radio;
  for (CNPCheckBox* o : std::initializer_list<CNPCheckBox*>{&check, &radio}) {
    SCOPED_TRACE(Utf16ToUtf8(o->GetClassId()));
    EXPECT_EQ(o->FindPropertyInfo(u"SwitchType"), nullptr);
    EXPECT_EQ(o->SetProperty(u"SwitchType", Str(u"B_SWITCH")), 1);
    EXPECT_EQ(o->GetSwitchType(), SWITCH_B);
    EXPECT_EQ(o->SetProperty(u"SwitchType", Str(u"C_SWITCH")), 0);
    EXPECT_EQ(o->GetSwitchType(), SWITCH_B);
    CNValue v = Str(u"kept");
    EXPECT_EQ(o->GetProperty(u"SwitchType", v), 0);
    EXPECT_EQ(v.GetText(0), u"kept");
  }
  // The toggle button offers no "SwitchType" and takes none either.
  CNPToggleButton toggle;
  EXPECT_EQ(toggle.SetProperty(u"SwitchType", Str(u"B_SWITCH")), 0);
  EXPECT_EQ(toggle.GetSwitchType(), SWITCH_A);
}

TEST(EditBox, ValueTwoAndValueIncludingEditReadTheCommittedValue) {
  CNPEditBox edit;
  CNPMultilineEditBox multiline;
  for (CNPEditBox* o : std::initializer_list<CNPEditBox*>{&edit, &multiline}) {
    SCOPED_TRACE(Utf16ToUtf8(o->GetClassId()));
    EXPECT_EQ(o->SetProperty(u"Value", Str(u"42.5")), 1);
    EXPECT_EQ(Read(*o, u"Value2"), u"42.5");
    EXPECT_EQ(Read(*o, u"ValueIncludingEdit"), u"42.5");
    EXPECT_EQ(o->SetProperty(u"Value2", Str(u"1")), 0);  // read-only
    EXPECT_EQ(o->FindPropertyInfo(u"ValueIncludingEdit"), nullptr);
  }
}
