// Groups of toggle and radio buttons: finding the group object, selecting through a member, and
// the members following the group's "GroupValue".

#include "switch_test_util.h"

namespace {

class SwitchGroup : public SwitchTest {
 protected:
  // Three buttons of class T in one group; the first is the group object and names itself.
  template <class T>
  std::array<T*, 3> MakeGroup() {
    std::array<T*, 3> buttons{};
    for (int i = 0; i < 3; ++i) {
      const std::u16string name = u"B" + std::u16string(1, static_cast<char16_t>(u'1' + i));
      buttons[static_cast<size_t>(i)] = Add<T>(name);
      Set(*buttons[static_cast<size_t>(i)], u"GroupObject", u"\"B1\"");
      Set(*buttons[static_cast<size_t>(i)], u"GroupThisValue", std::u16string(1, static_cast<char16_t>(u'1' + i)));
      Run(*buttons[static_cast<size_t>(i)], Utf16ToUtf8(name) + ' ');
    }
    log.clear();
    return buttons;
  }
  template <class T>
  static std::string Values(const std::array<T*, 3>& buttons) {
    std::string values;
    for (T* button : buttons) values += button->GetSwitchValue() ? '1' : '0';
    return values;
  }
};

TEST_F(SwitchGroup, ToggleSelectsOnlyWhileItsGroupObjectExists) {
  auto* toggle = Add<CNPToggleButton>(u"T");
  EXPECT_EQ(toggle->GetOperatingType(), SWITCH_ALTERNATE);
  Set(*toggle, u"GroupObject", u"\"Missing\"");
  EXPECT_EQ(toggle->GetOperatingType(), SWITCH_ALTERNATE);
  Click(*toggle);
  Click(*toggle);
  EXPECT_FALSE(toggle->GetSwitchValue());  // flipped twice
  Add<CNPRect>(u"Missing");
  EXPECT_EQ(toggle->GetOperatingType(), SWITCH_SELECT);
  Click(*toggle);
  Click(*toggle);
  EXPECT_TRUE(toggle->GetSwitchValue());  // selected, and stays so
  // A radio button selects even alone, whatever type its file gives.
  auto* radio = Add<CNPRadioButton>(u"R");
  ASSERT_EQ(radio->SetPropertyText(u"SwitchType", u"ALTERNATE_SWITCH"), 1);
  EXPECT_EQ(radio->GetOperatingType(), SWITCH_SELECT);
}

TEST_F(SwitchGroup, ClickingAMemberSelectsItAndTurnsTheOthersOff) {
  const auto radios = MakeGroup<CNPRadioButton>();
  Handle(u"OnSwitchChanged,OnGroupValueChanged");
  Click(*radios[1]);
  EXPECT_EQ(Values(radios), "010");
  EXPECT_EQ(Get(*radios[0], u"GroupValue"), "2");
  // The member's event, then its hook writes the group value and reports it on the group
  // object, then the member's own change goes to its tag.
  EXPECT_EQ(Lines({"event", "B1 changed GroupValue", "B2 changed SwitchValue"}),
            (EventLog{"event OnSwitchChanged T", "B1 changed GroupValue out", "event OnGroupValueChanged 2",
                      "B2 changed SwitchValue out"}));
  log.clear();
  Click(*radios[2]);
  EXPECT_EQ(Values(radios), "001");
  // The member turned off by its group writes its tag but fires no switch event.
  EXPECT_EQ(Lines("B2 changed SwitchValue"), (EventLog{"B2 changed SwitchValue out"}));
  EXPECT_EQ(Lines("event"), (EventLog{"event OnSwitchChanged T", "event OnGroupValueChanged 3"}));
  // A second click on the member that is on does nothing.
  log.clear();
  Click(*radios[2]);
  EXPECT_TRUE(Lines("event OnSwitchChanged").empty());
  EXPECT_EQ(Values(radios), "001");
}

TEST_F(SwitchGroup, MembersFollowTheGroupValueFromABindOrAScript) {
  const auto toggles = MakeGroup<CNPToggleButton>();
  Handle(u"OnSwitchChanged,OnGroupValueChanged");
  CNBindLinks& links = toggles[0]->GetBindLinks();
  links.SetInputBinding(true);
  Set(*toggles[0], u"GroupValue", u"1");
  links.SetInputBinding(false);
  EXPECT_EQ(Values(toggles), "100");
  Set(*toggles[0], u"GroupValue", u"3");  // a script
  EXPECT_EQ(Values(toggles), "001");
  Set(*toggles[0], u"GroupValue", u"7");  // no member has it: all off
  EXPECT_EQ(Values(toggles), "000");
  // The tag's value is not written back; members report their changes without switch events.
  EXPECT_EQ(Lines("B1 changed GroupValue"),
            (EventLog{"B1 changed GroupValue", "B1 changed GroupValue out", "B1 changed GroupValue out"}));
  EXPECT_TRUE(Lines("event").empty());
  // A member's own "GroupValue" is not the group's.
  Set(*toggles[1], u"GroupValue", u"2");
  EXPECT_EQ(Values(toggles), "000");
}

TEST_F(SwitchGroup, GroupObjectIsASiblingFirstThenAnyObjectOfTheForm) {
  auto* formSel = Add<CNPToggleButton>(u"Sel");
  auto* inner = Add<CNPCollection>(u"Inner");
  auto* innerSel = Add<CNPToggleButton>(u"Sel", inner);
  auto* innerMember = Add<CNPToggleButton>(u"M1", inner);
  auto* other = Add<CNPCollection>(u"Other");
  auto* otherMember = Add<CNPRadioButton>(u"M2", other);
  auto* deep = Add<CNPCollection>(u"Deep", other);
  auto* deepTarget = Add<CNPRect>(u"Target", deep);
  for (CNObject* member : {static_cast<CNObject*>(innerMember), static_cast<CNObject*>(otherMember)})
    Set(*member, u"GroupObject", u"\"Sel\"");
  EXPECT_EQ(CNSwitchGroup::FindGroupObject(*innerMember), innerSel);
  EXPECT_EQ(CNSwitchGroup::FindGroupObject(*otherMember), formSel);
  Set(*otherMember, u"GroupObject", u"\"Target\"");
  EXPECT_EQ(CNSwitchGroup::FindGroupObject(*otherMember), deepTarget);
  // Only within the form: another form's objects are never found.
  auto otherForm = CRPtr<CNPForm>::Make();
  auto* stranger = new CNPToggleButton();
  otherForm->AddChild(stranger);
  Set(*stranger, u"GroupObject", u"\"Sel\"");
  EXPECT_EQ(CNSwitchGroup::FindGroupObject(*stranger), nullptr);
  Set(*stranger, u"GroupObject", u"\"\"");
  EXPECT_EQ(CNSwitchGroup::FindGroupObject(*stranger), nullptr);

  // Selecting follows the same lookup: the two groups named "Sel" stay apart.
  Set(*innerMember, u"GroupThisValue", u"4");
  Set(*innerSel, u"GroupObject", u"\"Sel\"");
  Set(*formSel, u"GroupObject", u"\"Sel\"");
  Click(*innerMember);
  EXPECT_EQ(Get(*innerSel, u"GroupValue"), "4");
  EXPECT_EQ(Get(*formSel, u"GroupValue"), "0");
  EXPECT_TRUE(innerMember->GetSwitchValue());
  Set(*formSel, u"GroupValue", u"4");  // only the form's group follows
  EXPECT_TRUE(innerMember->GetSwitchValue());
  Set(*innerSel, u"GroupValue", u"0");
  EXPECT_FALSE(innerMember->GetSwitchValue());
  EXPECT_TRUE(innerSel->GetSwitchValue());
}

TEST_F(SwitchGroup, AGroupObjectWithoutGroupValueOnlyHearsTheEvent) {
  auto* target = Add<CNPRect>(u"Target");
  auto* radio = Add<CNPRadioButton>(u"R");
  Set(*radio, u"GroupObject", u"\"Target\"");
  Set(*radio, u"GroupThisValue", u"5");
  Handle(u"OnGroupValueChanged");
  // Its handler may even delete it.
  owner.script.hooks[u"OnGroupValueChanged"] = [&](CNValue*) { form->RemoveChild(target); };
  Click(*radio);
  EXPECT_TRUE(radio->GetSwitchValue());
  EXPECT_EQ(Lines("event"), (EventLog{"event OnGroupValueChanged 5"}));
  EXPECT_EQ(form->GetChildCount(), 1);
}

}  // namespace
