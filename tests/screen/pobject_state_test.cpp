#include "pobject_test_util.h"

namespace {

// A class hidden unless the file says otherwise.
class HiddenObject : public CNObjectClass<HiddenObject, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Hidden";
  static constexpr auto kProperties = CNPObject::kProperties;
  static constexpr auto kEvents = CNPObject::kEvents;
  bool GetVisibleDefault() const override { return false; }
};

using PObjectProperties = ControlTest;

TEST_F(PObjectProperties, ReadOnlyRunTimeValuesAndTheVisibleDefault) {
  object->AddChild(new TestControl);
  EXPECT_EQ(Number(u"ChildObjCount"), 1);
  CNValue v;
  object->GetProperty(u"ClassId2", v);
  EXPECT_EQ(v.GetText(0), u"TestControl");
  EXPECT_FALSE(Bool(u"IsInputBinding"));
  for (const char16_t* readOnly : {u"ChildObjCount", u"ClassId", u"IsInputBinding", u"StKeyCode"})
    EXPECT_EQ(object->SetProperty(readOnly, Num(1)), 0) << Utf16ToUtf8(readOnly);

  auto hidden = CRPtr<HiddenObject>::Make();
  hidden->GetPropertyDefault(u"Visible", v);
  EXPECT_EQ(LitText(v), "F");
  hidden->GetProperty(u"Visible", v);
  EXPECT_EQ(LitText(v), "F");
}

class RecordingBinds : public CNObjectBinds {
 public:
  uint32_t RefreshInputs(bool force) override { return force ? 2 : 1; }
  void PropertyChanged(std::u16string_view name, bool writeOutput) override {
    changes.push_back(std::u16string(name) + (writeOutput ? u" out" : u""));
  }
  void Disconnect() override { ++disconnects; }
  std::vector<std::u16string> changes;
  int disconnects = 0;
};

class RecordingListener : public CNPropertyListener {
 public:
  void PropertyChanged(CNObject&, std::u16string_view name) override { names.emplace_back(name); }
  std::vector<std::u16string> names;
};

TEST_F(PObjectProperties, BindsHearChangesWhileRunningAndWriteOnlyWhatDidNotComeFromTags) {
  auto binds = CRPtr<RecordingBinds>::Make();
  RecordingListener listener;
  CNBindLinks& links = object->GetBindLinks();
  links.SetBinds(binds);
  links.AddListener(&listener);
  object->ButtonDown(MOUSE_LEFT, {});  // not running yet
  EXPECT_EQ(object->RefreshBinds(true), 2u);
  object->Initialize();
  links.SetInputBinding(true);  // a value that came from the tag is not written back
  object->SetProperty(u"StMouseL", Lit(u"F"));
  links.SetInputBinding(false);
  object->ButtonDown(MOUSE_LEFT, {});
  object->SetProperty(u"EnabledBindOutput", Lit(u"F"));
  object->SetProperty(u"Left", Num(3));
  EXPECT_EQ(binds->changes, (std::vector<std::u16string>{u"StMouseL", u"StMouseL out", u"EnabledBindOutput",
                                                         u"Left"}));
  EXPECT_EQ(listener.names, (std::vector<std::u16string>{u"StMouseL", u"StMouseL", u"EnabledBindOutput", u"Left"}));
  object->Terminate();
  EXPECT_EQ(binds->disconnects, 1);
  EXPECT_EQ(object->RefreshBinds(false), 0u);
  links.RemoveListener(&listener);
}

TEST_F(PObjectProperties, TagChangesReachListeningScriptsUnlessEventsAreOff) {
  auto& tags = object->GetTagConnectionPoint();
  Own({});
  EXPECT_FALSE(tags.IsListening());
  Own({u"OnTagValueChanged"});
  EXPECT_TRUE(tags.IsListening());
  tags.TagChanged(nullptr, u"Plant.Temp", Num(21.5), 1);
  EXPECT_EQ(log, EventLog{"event OnTagValueChanged \"Plant.Temp\" 21.5"});
  object->SetProperty(u"EnabledEvent", Lit(u"F"));
  EXPECT_FALSE(object->FireEvent(u"OnTagValueChanged"));
  EXPECT_EQ(log.size(), 1u);
}

}  // namespace
