// Switching by mouse and keyboard: what each operation assigns, what an assignment reports and
// in which order, and how property writes differ from operations.

#include "switch_test_util.h"

namespace {

class SwitchOperation : public SwitchTest {
 protected:
  EventLog Switched() const { return Lines("event OnSwitchChanged"); }
};

TEST_F(SwitchOperation, PressRunsTheSwitchThenTheBaseHandler) {
  auto* rect = Add<CNPRect>(u"Lamp");
  Handle(u"OnSwitchChanged,OnMouseDown");
  Run(*rect);
  log.clear();
  rect->ButtonDown(MOUSE_LEFT, {});
  EXPECT_EQ(log, (EventLog{"event OnSwitchChanged T", "changed SwitchValue out", "redraw", "changed StMouseL out",
                           "dispatch OnMouseDown 1 obj", "event OnMouseDown 1"}));
  EXPECT_TRUE(rect->GetSwitchValue());
  // The other buttons only reach the base handler.
  log.clear();
  rect->ButtonDown(MOUSE_RIGHT, {});
  rect->ButtonUp(MOUSE_MIDDLE, {});
  EXPECT_TRUE(Switched().empty());
  EXPECT_TRUE(rect->GetSwitchValue());
}

TEST_F(SwitchOperation, ASwitchIsOnWhileHeldAndLeavingGivesTheValueBack) {
  auto* rect = Add<CNPRect>();
  Handle(u"OnSwitchChanged");
  Run(*rect);
  Click(*rect);
  EXPECT_EQ(Switched(), (EventLog{"event OnSwitchChanged T", "event OnSwitchChanged F"}));
  log.clear();
  rect->MouseIn({});
  rect->ButtonDown(MOUSE_LEFT, {});
  rect->MouseOut({});
  EXPECT_FALSE(rect->GetSwitchValue());
  rect->ButtonUp(MOUSE_LEFT, {});  // the release still reaches the switch and assigns again
  EXPECT_EQ(Switched(), (EventLog{"event OnSwitchChanged T", "event OnSwitchChanged F", "event OnSwitchChanged F"}));
  // Leaving without a press changes nothing while the value is off; with the hold bit set, a
  // leave is no leave at all.
  log.clear();
  rect->MouseOut({});
  rect->ButtonDown(MOUSE_LEFT, {});
  rect->SetHold(true);
  rect->MouseOut({});
  EXPECT_EQ(Switched(), (EventLog{"event OnSwitchChanged T"}));
  EXPECT_TRUE(rect->GetSwitchValue());
}

TEST_F(SwitchOperation, PassingOverAMomentarySwitchThatABindTurnedOnWritesNothing) {
  auto* rect = Add<CNPRect>();
  Handle(u"OnSwitchChanged");
  Run(*rect);
  Set(*rect, u"SwitchValue", u"T");
  log.clear();
  rect->MouseIn({});
  rect->MouseOut({});
  EXPECT_TRUE(Switched().empty());
  EXPECT_TRUE(rect->GetSwitchValue());
}

TEST_F(SwitchOperation, BSwitchIsOnFromTheStartWithoutARedraw) {
  auto* button = Add<CNPCommandButton>();
  Set(*button, u"SwitchType", u"\"B_SWITCH\"");
  Handle(u"OnInitialize,OnSwitchChanged");
  bool seenOnInitialize = false;
  owner.script.hooks[u"OnInitialize"] = [&](CNValue*) { seenOnInitialize = button->GetSwitchValue(); };
  Run(*button);
  EXPECT_TRUE(seenOnInitialize);
  // Written to the tag like any property, not drawn, no switch event.
  EXPECT_EQ(log, (EventLog{"changed SwitchValue out", "event OnInitialize"}));
  EXPECT_EQ(Get(*button, u"SwitchValue"), "T");
  log.clear();
  Click(*button);
  EXPECT_EQ(Switched(), (EventLog{"event OnSwitchChanged F", "event OnSwitchChanged T"}));
  // Any other type keeps the value the file gave.
  auto* other = Add<CNPEllipse>();
  Set(*other, u"SwitchType", u"\"A_SWITCH\"");
  other->Initialize();
  EXPECT_FALSE(other->GetSwitchValue());
}

TEST_F(SwitchOperation, ReleaseTypesActOnlyOnAPressThatWasNotCancelled) {
  auto* on = Add<CNPRect>();
  auto* alternate = Add<CNPRect>();
  Set(*on, u"SwitchType", u"\"ON_SWITCH\"");
  Set(*alternate, u"SwitchType", u"\"ALTERNATE_SWITCH\"");
  Handle(u"OnSwitchChanged");
  // An alternate switch pressed, left, entered again and released does not flip.
  alternate->MouseIn({});
  alternate->ButtonDown(MOUSE_LEFT, {});
  alternate->MouseOut({});
  alternate->MouseIn({});
  alternate->ButtonUp(MOUSE_LEFT, {});
  EXPECT_FALSE(alternate->GetSwitchValue());
  EXPECT_TRUE(Switched().empty());
  Click(*alternate);
  Click(*alternate);
  EXPECT_EQ(Switched(), (EventLog{"event OnSwitchChanged T", "event OnSwitchChanged F"}));
  // An on switch that is already on assigns again and reports it again.
  log.clear();
  Set(*on, u"SwitchValue", u"T");
  Click(*on);
  EXPECT_EQ(Switched(), (EventLog{"event OnSwitchChanged T"}));
  EXPECT_TRUE(on->GetSwitchValue());
}

TEST_F(SwitchOperation, SpaceActsLikeTheLeftButtonWhileFocused) {
  auto* button = Add<CNPCommandButton>();
  Handle(u"OnSwitchChanged,OnKeyDown");
  button->KeyDown(32, 0);  // no focus: only the key event
  EXPECT_EQ(log, (EventLog{"dispatch OnKeyDown 32 0 obj", "event OnKeyDown 32 0"}));
  button->FocusIn();
  log.clear();
  button->KeyDown(13, 0);
  EXPECT_TRUE(Switched().empty());
  button->KeyDown(32, 0);
  EXPECT_TRUE(button->GetSwitchValue());
  EXPECT_TRUE(button->IsSwitchHeld());
  button->KeyUp(32, 0);
  EXPECT_FALSE(button->GetSwitchValue());
  EXPECT_EQ(Switched(), (EventLog{"event OnSwitchChanged T", "event OnSwitchChanged F"}));
}

TEST_F(SwitchOperation, CheckBoxFlipsAndIgnoresAReleaseWithoutPress) {
  auto* check = Add<CNPCheckBox>();
  Handle(u"OnSwitchChanged");
  EXPECT_EQ(check->GetSwitchType(), SWITCH_A);
  EXPECT_EQ(check->GetOperatingType(), SWITCH_ALTERNATE);
  check->ButtonUp(MOUSE_LEFT, {});
  EXPECT_TRUE(log.empty());
  Click(*check);
  Click(*check);
  EXPECT_EQ(Switched(), (EventLog{"event OnSwitchChanged T", "event OnSwitchChanged F"}));
  // With a type from the file, the record still starts with the press done; a shape does not.
  auto* onCheck = Add<CNPCheckBox>();
  auto* onRect = Add<CNPRect>();
  for (CNObject* o : {static_cast<CNObject*>(onCheck), static_cast<CNObject*>(onRect)})
    ASSERT_EQ(o->SetPropertyText(u"SwitchType", u"ON_SWITCH"), 1);
  log.clear();
  onCheck->ButtonUp(MOUSE_LEFT, {});
  EXPECT_FALSE(onCheck->GetSwitchValue());
  onRect->ButtonUp(MOUSE_LEFT, {});
  EXPECT_TRUE(onRect->GetSwitchValue());
}

TEST_F(SwitchOperation, InvalidSwitchTypeKeepsTheTypeAndTheValue) {
  auto* rect = Add<CNPRect>();
  auto* check = Add<CNPCheckBox>();
  for (CNPSwitchControl* o : {static_cast<CNPSwitchControl*>(rect), static_cast<CNPSwitchControl*>(check)}) {
    ASSERT_EQ(o->SetPropertyText(u"SwitchType", u"OFF_SWITCH"), 1);
    Set(*o, u"SwitchValue", u"T");
    for (std::u16string_view text : {u"C_SWITCH", u"SELECT", u"5", u"-1", u"", u"OFF_SWITCH,A_SWITCH"})
      EXPECT_EQ(o->SetPropertyText(u"SwitchType", text), 0) << Utf16ToUtf8(text);
    EXPECT_EQ(o->SetProperty(u"SwitchType", CNValue()), 0);
    EXPECT_EQ(o->GetSwitchType(), SWITCH_OFF);
    EXPECT_EQ(Get(*o, u"SwitchValue"), "T");
    Click(*o);  // still an off switch
    EXPECT_FALSE(o->GetSwitchValue());
  }
}

TEST_F(SwitchOperation, PropertyWritesStoreAndReportWithoutTheSwitchEvent) {
  auto* rect = Add<CNPRect>();
  Handle(u"OnSwitchChanged");
  Run(*rect);
  log.clear();
  Set(*rect, u"SwitchValue", u"T");  // a script
  rect->GetBindLinks().SetInputBinding(true);
  Set(*rect, u"SwitchValue", u"F");  // a bind: not written back to the tag
  rect->GetBindLinks().SetInputBinding(false);
  EXPECT_EQ(log, (EventLog{"redraw", "changed SwitchValue out", "redraw", "changed SwitchValue"}));
  EXPECT_TRUE(rect->IsPropertyChanged(u"SwitchValue"));
}

TEST_F(SwitchOperation, TheSwitchEventCannotAssignAgainWhileItRuns) {
  auto* rect = Add<CNPRect>();
  Handle(u"OnSwitchChanged");
  Run(*rect);
  int calls = 0;
  owner.script.hooks[u"OnSwitchChanged"] = [&](CNValue*) {
    if (++calls == 1) rect->ButtonUp(MOUSE_LEFT, {});  // would assign false
  };
  log.clear();
  rect->ButtonDown(MOUSE_LEFT, {});
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(rect->GetSwitchValue());
  // The nested assignment still reports and redraws; it stores nothing and fires nothing.
  EXPECT_EQ(Lines("changed SwitchValue"), (EventLog{"changed SwitchValue out", "changed SwitchValue out"}));
  // Once the handler returned, the next operation works again.
  rect->ButtonUp(MOUSE_LEFT, {});
  EXPECT_FALSE(rect->GetSwitchValue());
  EXPECT_EQ(calls, 2);
}

TEST_F(SwitchOperation, AnObjectDeletedByItsSwitchHandlerFinishesTheOperation) {
  auto* rect = Add<CNPRect>();
  Handle(u"OnSwitchChanged,OnMouseDown");
  owner.script.hooks[u"OnSwitchChanged"] = [&](CNValue*) { form->RemoveChild(rect); };
  rect->ButtonDown(MOUSE_LEFT, {});
  EXPECT_EQ(form->GetChildCount(), 0);
  // Without an owner any more, the base handler ran without events.
  EXPECT_EQ(log, (EventLog{"event OnSwitchChanged T"}));
}

TEST_F(SwitchOperation, OperationsThatChangeTheRecordRedraw) {
  auto* rect = Add<CNPRect>();
  Set(*rect, u"SwitchType", u"\"ON_SWITCH\"");
  rect->ButtonDown(MOUSE_LEFT, {});  // assigns nothing, but the press shows
  EXPECT_EQ(Lines("redraw").size(), 1u);
  rect->MouseOut({});  // cancels it
  EXPECT_EQ(Lines("redraw").size(), 2u);
  rect->ButtonUp(MOUSE_LEFT, {});  // nothing left to do
  rect->MouseOut({});
  EXPECT_EQ(Lines("redraw").size(), 2u);
  Click(*rect);
  EXPECT_EQ(Lines("redraw").size(), 4u);  // the press, then the assignment
  EXPECT_TRUE(rect->NeedsPaint());
}

TEST_F(SwitchOperation, PushTypeSaysWhenTheButtonLooksPushed) {
  auto* button = Add<CNPCommandButton>();
  Set(*button, u"SwitchType", u"\"ALTERNATE_SWITCH\"");
  struct Case {
    std::u16string_view pushType;
    bool whilePressed;
    bool afterFirstClick;
  };
  for (const Case& c : {Case{u"\"NONE\"", false, false}, Case{u"\"MOUSE\"", true, false},
                        Case{u"\"VALUE\"", false, true}}) {
    SCOPED_TRACE(Utf16ToUtf8(c.pushType));
    Set(*button, u"SwitchValue", u"F");
    Set(*button, u"PushType", c.pushType);
    button->ButtonDown(MOUSE_LEFT, {});
    EXPECT_EQ(button->IsPushed(), c.whilePressed);
    button->ButtonUp(MOUSE_LEFT, {});
    EXPECT_EQ(button->IsPushed(), c.afterFirstClick);
  }
  // Leaving while pressed releases the look as it cancels the press.
  Set(*button, u"PushType", u"\"MOUSE\"");
  button->ButtonDown(MOUSE_LEFT, {});
  button->MouseOut({});
  EXPECT_FALSE(button->IsPushed());
}

}  // namespace
