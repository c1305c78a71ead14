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

// Operations in turn: "d" press, "u" release, "i" enter, "o" leave, "h" the hold bit set; the
// values the switch events report, in order, and the value after the operations.
TEST_F(SwitchOperation, OperationsAssignWhatTheTypeSays) {
  const struct {
    const char* what;
    std::u16string_view type;
    std::u16string_view before;
    std::string_view operations;
    std::string events;
    bool after;
  } cases[] = {
      {"A: on while held", u"A_SWITCH", u"F", "du", "TF", false},
      {"A: leaving while held gives the value back, the release assigns again", u"A_SWITCH", u"F", "idou", "TFF",
       false},
      {"A: no leave without a press, none with the hold bit", u"A_SWITCH", u"F", "odho", "T", true},
      {"A: passing over a switch that a bind turned on", u"A_SWITCH", u"T", "io", "", true},
      {"alternate: a press left and entered again does not flip", u"ALTERNATE_SWITCH", u"F", "idoiu", "", false},
      {"alternate: flips at each release", u"ALTERNATE_SWITCH", u"F", "dudu", "TF", false},
      {"on: already on, assigns and reports again", u"ON_SWITCH", u"T", "du", "T", true},
  };
  Handle(u"OnSwitchChanged");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    auto* rect = Add<CNPRect>();
    ASSERT_EQ(rect->SetPropertyText(u"SwitchType", c.type), 1);
    Run(*rect);
    Set(*rect, u"SwitchValue", c.before);
    log.clear();
    for (const char operation : c.operations) {
      if (operation == 'd') rect->ButtonDown(MOUSE_LEFT, {});
      if (operation == 'u') rect->ButtonUp(MOUSE_LEFT, {});
      if (operation == 'i') rect->MouseIn({});
      if (operation == 'o') rect->MouseOut({});
      if (operation == 'h') rect->SetHold(true);
    }
    std::string events;
    for (const std::string& line : Switched()) events += line.back();
    EXPECT_EQ(events, c.events);
    EXPECT_EQ(rect->GetSwitchValue(), c.after);
  }
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

// "SwitchType" takes an item by its name in any case or by its position; "SELECT" (no item),
// other texts and positions are refused and change neither the type nor the value. The check
// box takes a type although its table does not offer the entry; the toggle button takes none.
TEST_F(SwitchOperation, SwitchTypeTakesItemsAndRefusesEverythingElse) {
  auto* rect = Add<CNPRect>();
  auto* button = Add<CNPCommandButton>();
  auto* check = Add<CNPCheckBox>();
  for (CNPSwitchControl* o : std::initializer_list<CNPSwitchControl*>{rect, button, check}) {
    SCOPED_TRACE(Utf16ToUtf8(o->GetClassId()));
    EXPECT_EQ(o->GetSwitchType(), SWITCH_A);
    Set(*o, u"SwitchType", u"\"alternate_switch\"");
    EXPECT_EQ(o->GetSwitchType(), SWITCH_ALTERNATE);
    Set(*o, u"SwitchType", u"2");
    EXPECT_EQ(o->GetSwitchType(), SWITCH_ON);
    ASSERT_EQ(o->SetPropertyText(u"SwitchType", u"OFF_SWITCH"), 1);
    Set(*o, u"SwitchValue", u"T");
    for (std::u16string_view text : {u"C_SWITCH", u"SELECT", u"5", u"-1", u"", u"OFF_SWITCH,A_SWITCH"})
      EXPECT_EQ(o->SetPropertyText(u"SwitchType", text), 0) << Utf16ToUtf8(text);
    EXPECT_EQ(o->SetProperty(u"SwitchType", Lit(u"5")), 0);
    EXPECT_EQ(o->SetProperty(u"SwitchType", CNValue()), 0);
    EXPECT_EQ(o->GetSwitchType(), SWITCH_OFF);
    EXPECT_EQ(Get(*o, u"SwitchValue"), "T");
    Click(*o);  // still an off switch
    EXPECT_FALSE(o->GetSwitchValue());
  }
  EXPECT_EQ(Get(*button, u"SwitchType"), "\"OFF_SWITCH\"");
  EXPECT_EQ(check->FindPropertyInfo(u"SwitchType"), nullptr);
  CNValue kept = Lit(u"\"kept\"");
  EXPECT_EQ(check->GetProperty(u"SwitchType", kept), 0);
  EXPECT_EQ(LitText(kept), "\"kept\"");
  auto* toggle = Add<CNPToggleButton>();
  EXPECT_EQ(toggle->SetPropertyText(u"SwitchType", u"B_SWITCH"), 0);
  EXPECT_EQ(toggle->GetSwitchType(), SWITCH_A);
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
