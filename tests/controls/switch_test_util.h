#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <string_view>

#include "controls/buttons.h"
#include "controls/collection.h"
#include "controls/form.h"
#include "screen/pobject_test_util.h"
#include "shapes/shapes.h"

// The output binds of one object as the switch tests see them: every property change they hear
// goes to the log as "changed NAME", with " out" when the output bind would write its tags.
class LoggingBinds : public CNObjectBinds {
 public:
  LoggingBinds(EventLog& log, std::string who) : m_log(log), m_who(std::move(who)) {}
  uint32_t RefreshInputs(bool) override { return 0; }
  void PropertyChanged(std::u16string_view name, bool writeOutput) override {
    m_log.push_back(m_who + "changed " + Utf16ToUtf8(name) + (writeOutput ? " out" : ""));
  }
  void Disconnect() override {}

 private:
  EventLog& m_log;
  std::string m_who;
};

// A recording owner that also logs redraw requests.
class SwitchOwner : public RecordingOwner {
 public:
  explicit SwitchOwner(EventLog& log) : RecordingOwner(log), m_log(log) {}
  void RequestRedraw(CNObject*) override { m_log.push_back("redraw"); }

 private:
  EventLog& m_log;
};

// A form owned by a recording owner, with switch objects added to it (or to its groups).
class SwitchTest : public ::testing::Test {
 protected:
  SwitchTest() { form->SetOwner(&owner); }

  // A new object of class T, named, as the last child of parent (the form by default).
  template <class T>
  T* Add(std::u16string_view name = {}, CNObject* parent = nullptr) {
    T* object = new T();
    object->SetName(name);
    (parent ? parent : form.Get())->AddChild(object);
    return object;
  }
  // Runs the object with binds that log its property changes (prefixed with `who` when given).
  void Run(CNPObject& object, std::string who = {}) {
    object.GetBindLinks().SetBinds(CRPtr<LoggingBinds>::Make(log, std::move(who)));
    object.Initialize();
  }
  void Handle(std::u16string_view events) {
    for (size_t at = 0; at < events.size();) {
      const size_t comma = std::min(events.find(u',', at), events.size());
      owner.script.handlers.emplace(events.substr(at, comma - at));
      at = comma + 1;
    }
  }
  static void Set(CNObject& object, std::u16string_view name, std::u16string_view literal) {
    ASSERT_EQ(object.SetProperty(name, Lit(literal)), 1) << Utf16ToUtf8(name);
  }
  static std::string Get(const CNObject& object, std::u16string_view name) {
    CNValue value;
    object.GetProperty(name, value);
    return LitText(value);
  }
  // Left button down and up.
  static void Click(CNPObject& object) {
    object.ButtonDown(MOUSE_LEFT, {});
    object.ButtonUp(MOUSE_LEFT, {});
  }
  // Only the log lines that start with one of the prefixes.
  EventLog Lines(std::initializer_list<std::string_view> prefixes) const {
    EventLog lines;
    for (const std::string& line : log)
      if (std::ranges::any_of(prefixes, [&](std::string_view prefix) { return line.starts_with(prefix); }))
        lines.push_back(line);
    return lines;
  }
  EventLog Lines(std::string_view prefix) const { return Lines({prefix}); }

  EventLog log;
  SwitchOwner owner{log};
  CRPtr<CNPForm> form = CRPtr<CNPForm>::Make();
};
