#include "pobject_test_util.h"

namespace {

class PObjectInput : public ControlTest {
 protected:
  void SetUp() override {
    object = CRPtr<TestControl>::Make(&log);  // logs its property changes
    Own({u"OnMouseDown", u"OnMouseUp", u"OnMouseOut", u"OnKeyDown", u"OnKeyUp", u"OnFocusIn", u"OnFocusOut",
         u"OnMouseWheel", u"OnMouseDblClick"});
  }
};

TEST_F(PObjectInput, LeavingWithTheLeftButtonHeldCancelsThePress) {
  object->MouseIn({});
  object->ButtonDown(MOUSE_LEFT, {});
  log.clear();
  object->MouseOut({});
  EXPECT_EQ(log, (EventLog{"changed StMouseL", "changed StMouseIn", "dispatch OnMouseOut obj",
                           "event OnMouseOut"}));
  EXPECT_FALSE(Bool(u"StMouseL"));
  EXPECT_FALSE(Bool(u"StMouseIn"));
  // The release no longer reaches the object, unless the class allows a release without press.
  log.clear();
  object->ButtonUp(MOUSE_LEFT, {});
  EXPECT_TRUE(log.empty());
  object->SetProperty(u"AllowMouseUpWithoutDown", Lit(u"T"));
  object->ButtonUp(MOUSE_LEFT, {});
  EXPECT_EQ(log.back(), "event OnMouseUp 1");
}

TEST_F(PObjectInput, HoldAndDragIgnoreLeaving) {
  object->MouseIn({});
  object->SetHold(true);
  log.clear();
  object->MouseOut({});
  object->SetHold(false);
  object->StartDrag(DRAG_XY);
  object->MouseOut({});
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(Bool(u"StMouseIn"));
  object->StopDrag();
  object->MouseOut({});
  EXPECT_EQ(log.back(), "event OnMouseOut");
}

TEST_F(PObjectInput, ArgumentsStatesAndForwarding) {
  object->KeyDown(0x80000001u, 5);  // the key code reads as unsigned
  object->KeyUp(13, 0);
  object->FocusIn();
  EXPECT_TRUE(Bool(u"StFocusIn"));
  object->FocusOut();
  object->MouseWheel(-120, {});
  object->ButtonDblClick(MOUSE_MIDDLE, {});
  EXPECT_TRUE(Bool(u"StMouseM"));
  object->ButtonDown(MOUSE_RIGHT, {});
  EXPECT_TRUE(Bool(u"StMouseR") && !Bool(u"StMouseL"));
  object->ButtonDown(static_cast<CNMouseButton>(4), {});  // no such button
  EXPECT_EQ(Number(u"StKeyCode"), 13);
  EXPECT_FALSE(Bool(u"StFocusIn"));
  std::erase_if(log, [](const std::string& line) { return !line.starts_with("event"); });
  EXPECT_EQ(log, (EventLog{"event OnKeyDown 2147483649 5", "event OnKeyUp 13 0", "event OnFocusIn",
                           "event OnFocusOut", "event OnMouseWheel -120", "event OnMouseDblClick 2",
                           "event OnMouseDown 3"}));
  log.clear();
  object->SetForwardingEvents(false);
  object->SetProperty(u"StMouseL", Lit(u"T"));  // writing a state property sets its bit
  object->ButtonUp(MOUSE_LEFT, {});
  EXPECT_EQ(log, (EventLog{"changed StMouseL", "changed StMouseL", "event OnMouseUp 1"}));
}

TEST_F(PObjectInput, AnObjectReleasedByTheDispatcherSurvivesItsEvent) {
  auto parent = CRPtr<TestControl>::Make();
  parent->SetOwner(&owner);
  TestControl* child = object.Detach();
  parent->AddChild(child);
  owner.onDispatch = [&] { parent->RemoveChild(child); };  // drops the last other reference
  child->ButtonDown(MOUSE_LEFT, {});
  EXPECT_EQ(parent->GetChildCount(), 0);
}

TEST_F(PObjectInput, DragFollowsTheMouseAlongItsAxes) {
  Place(100, 50, 20, 10);
  owner.shown = true;
  owner.mouse = {105, 55};
  object->StartDrag(DRAG_X);
  object->MouseMove({130, 90});
  EXPECT_EQ(object->GetRect(), (CNRect{125, 50, 145, 60}));
  owner.mouse = {130, 90};
  object->StartDrag(DRAG_XY);
  object->MouseMove({115, 65});
  EXPECT_EQ(object->GetRect(), (CNRect{110, 25, 130, 35}));
}

}  // namespace
