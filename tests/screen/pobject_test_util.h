#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "objects/object_handles.h"
#include "objects/script_engine.h"
#include "screen/pobject.h"
#include "support/millisecond_clock.h"
#include "values/value_test_util.h"

// What happened, in order: "changed StMouseR", "dispatch OnMouseDown 3 obj", "event OnMouseDown 3".
using EventLog = std::vector<std::string>;

// Arguments as literals; the object value of the object itself reads "obj".
inline std::string ArgsText(const CNValue* args, uint32_t count, const CNObject* self) {
  std::string text;
  for (uint32_t i = 0; i < count; ++i) {
    const bool isSelf = args[i].IsObject(0) && CNObjectHandles::Find(args[i].GetHandle(0)) == self;
    text += ' ' + (isSelf ? "obj" : Utf16ToUtf8(args[i].ToLiteral(false)));
  }
  return text;
}

// Scripts that define the handlers named in `handlers`; each call is logged, then its hook runs.
class RecordingScript : public CNScript {
 public:
  explicit RecordingScript(EventLog& log) : m_log(log) {}
  bool HasFunction(CNObject*, std::u16string_view name) override {
    return handlers.contains(std::u16string(name));
  }
  bool RunFunction(CNObject* owner, std::u16string_view name, CNValue* args, uint32_t count,
                   CNValue*) override {
    if (!HasFunction(owner, name)) return false;
    m_log.push_back("event " + Utf16ToUtf8(name) + ArgsText(args, count, owner));
    if (const auto hook = hooks.find(std::u16string(name)); hook != hooks.end()) hook->second(args);
    return true;
  }

  std::set<std::u16string> handlers;
  std::map<std::u16string, std::function<void(CNValue*)>> hooks;

 private:
  EventLog& m_log;
};

class RecordingOwner : public CNObjectOwner {
 public:
  explicit RecordingOwner(EventLog& log) : script(log), m_log(log) {}
  CNScript* GetScript() override { return &script; }
  void DispatchEvent(CNObject* object, std::u16string_view name, const CNValue* args,
                     uint32_t count) override {
    m_log.push_back("dispatch " + Utf16ToUtf8(name) + ArgsText(args, count, object));
    if (onDispatch) onDispatch();
  }
  bool GetMousePosition(int32_t& x, int32_t& y) const override {
    x = mouse.x, y = mouse.y;
    return shown;
  }

  RecordingScript script;
  std::function<void()> onDispatch;
  bool shown = false;
  CNPoint mouse;

 private:
  EventLog& m_log;
};

// A control with the common table, a colour and the two switches some classes carry; it logs
// its property changes when given a log.
class TestControl : public CNObjectClass<TestControl, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"TestControl";
  static constexpr std::array kOwnEntries = {
      Prop(u"Fill", u"FillColor", PT_COLOR, u"#000000", {}, 1, 1, kPropertyColor),
      Prop(u"Basic", u"EnabledBindOutput", PT_BOOL, u"T"),
      Prop(u"Basic", u"EnabledEvent", PT_BOOL, u"T"),
  };
  static constexpr auto kProperties = JoinProperties(CNPObject::kProperties, kOwnEntries);
  static constexpr auto kEvents = CNPObject::kEvents;

  explicit TestControl(EventLog* log = nullptr) : m_log(log) {}
  void PropertyChanged(std::u16string_view name) override {
    if (m_log) m_log->push_back("changed " + Utf16ToUtf8(name));
    CNPControl::PropertyChanged(name);
  }

 private:
  EventLog* m_log;
};

// Replaces the millisecond clock while it lives.
class FakeClock : public CNMillisecondClock {
 public:
  explicit FakeClock(uint32_t start = 0) : now(start), m_previous(SetCurrent(this)) {}
  ~FakeClock() override { SetCurrent(m_previous); }
  uint32_t Now() const override { return now; }
  uint32_t now;

 private:
  const CNMillisecondClock* m_previous;
};

// A test with a control owned by a recording owner whose script defines `handlers`.
class ControlTest : public ::testing::Test {
 protected:
  void Own(std::set<std::u16string> handlers) {
    object->SetOwner(&owner);
    owner.script.handlers = std::move(handlers);
  }
  double Number(std::u16string_view name) const {
    CNValue v;
    object->GetProperty(name, v);
    return v.GetNumber(0);
  }
  bool Bool(std::u16string_view name) const { return Number(name) != 0; }
  void Place(int32_t left, int32_t top, int32_t width, int32_t height) {
    object->SetRect({left, top, left + width, top + height});
  }

  EventLog log;
  RecordingOwner owner{log};
  CRPtr<TestControl> object = CRPtr<TestControl>::Make();
};
