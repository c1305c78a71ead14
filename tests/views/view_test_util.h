#pragma once

// A project for views without the project browser: a root client with forms built in the test,
// a host that hands out the form definitions themselves as the forms to show, and records what
// the views ask of it. An optional script engine runs the root's and the forms' event scripts.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "controls/collection.h"
#include "controls/form.h"
#include "controls/label_controls.h"
#include "methods/builtin_methods.h"
#include "objects/object_registry.h"
#include "project/form_lookup.h"
#include "project/project_test_util.h"
#include "project/root_client.h"
#include "script/script_engine_impl.h"
#include "values/value_display.h"
#include "views/view_browser.h"
#include "views/view_host.h"

using Lines = std::vector<std::string>;

inline CNValue Number(double number) {
  CNValue value;
  value.SetNumber(number);
  return value;
}

// Places an object with its rectangle.
inline void Place(CNObject& object, int32_t left, int32_t top, int32_t width, int32_t height) {
  object.SetProperty(u"Left", Number(left));
  object.SetProperty(u"Top", Number(top));
  object.SetProperty(u"Width", Number(width));
  object.SetProperty(u"Height", Number(height));
}

// Sets properties written as "Name=value Name=value" (values without blanks).
inline void SetProperties(CNObject& object, const std::string& properties) {
  std::istringstream in(properties);
  for (std::string item; in >> item;) {
    const size_t equals = item.find('=');
    object.SetProperty(Utf8ToUtf16(item.substr(0, equals)), Text(Utf8ToUtf16(item.substr(equals + 1))));
  }
}

// Points written "x,y x,y".
inline std::vector<CNPoint> Points(const std::string& text) {
  std::istringstream in(text);
  std::vector<CNPoint> points;
  char comma;
  for (CNPoint at; in >> at.x >> comma >> at.y;) points.push_back(at);
  return points;
}

// What a view shows: "form WxH" ("-" without a form), "(none)" when there is no view.
inline std::string Shows(const CNPViewBrowser* view) {
  if (!view) return "(none)";
  const CNSize size = view->GetViewSize();
  return (view->GetForm() ? U8(view->GetFormName()) : "-") + " " + std::to_string(size.width) + "x" +
         std::to_string(size.height);
}

class FakeViewHost : public CNPViewHost, public CNObjectOwner, public IKVScriptErrorSink {
 public:
  FakeViewHost() {
    m_root->SetOwner(this);
    m_resource->SetOwner(this);
  }
  ~FakeViewHost() override {
    EXPECT_EQ(errors, "");
    if (m_engine) m_engine->Shutdown();
  }

  // ---- building the project
  CNPForm& AddForm(std::u16string_view name, int32_t width = 800, int32_t height = 600,
                   bool resource = false) {
    auto* form = new CNPForm;
    form->SetName(name);
    form->SetProperty(u"Name", Text(name));
    form->SetProperty(u"Width", Number(width));
    form->SetProperty(u"Height", Number(height));
    (resource ? *m_resource : *m_root).AddChild(form);
    return *form;
  }
  template <class T = CNPLabel>
  T& AddObject(CNObject& parent, std::u16string_view name) {
    auto* object = new T;
    object->SetName(name);
    object->SetProperty(u"Name", Text(name));
    parent.AddChild(object);
    return *object;
  }
  // The same, placed, with properties written "Name=value ...".
  template <class T = CNPLabel>
  T& AddObject(CNObject& parent, std::u16string_view name, int32_t left, int32_t top, int32_t width,
               int32_t height, const std::string& properties = {}) {
    T& object = AddObject<T>(parent, name);
    Place(object, left, top, width, height);
    SetProperties(object, properties);
    return object;
  }
  void Set(std::u16string_view setting, const CNValue& value) { m_root->SetProperty(setting, value); }
  CNPRootClient& Root() { return *m_root; }

  // ---- scripts: every object's "Event" text runs through a real engine once enabled
  void EnableScripts() {
    RegisterObjectClass<CNPForm>(m_registry, u"Form", {});
    RegisterObjectClass<CNPLabel>(m_registry, u"Label", {});
    RegisterBuiltInMethods();
    m_engine = std::make_unique<CNScriptImpl>(m_registry);
    m_engine->SetErrorSink(this);
    m_engine->SetTraceOutput([this](const CNValue& value) { trace.push_back(U8(DisplayText(value))); });
  }
  void SetScript(CNObject& object, std::u16string_view text) {
    object.SetEvent(text);
    ASSERT_TRUE(m_engine->Load(&object)) << errors;
  }

  // ---- CNPViewHost
  const CNPRootClient& GetSettings() const override { return *m_root; }
  CNObject* FindBasedForm(std::u16string_view name, bool resource) override {
    return FindFormByName(resource ? *m_resource : *m_root, name);
  }
  CRPtr<CNPObject> AcquireForm(CNObject& based, std::u16string_view formName) override {
    acquired.push_back(U8(formName));
    if (refuseAcquire) return nullptr;
    return CRPtr<CNPObject>::Retain(dynamic_cast<CNPObject*>(&based));
  }
  void ReleaseForm(CNPObject& form) override {
    released.push_back(U8(form.GetName()));
    form.Terminate();
  }
  bool FireRootEvent(std::u16string_view name, CNValue* args, uint32_t count) override {
    std::string line = U8(name);
    for (uint32_t i = 0; i < count; ++i) line += (i ? "," : "(") + U8(DisplayText(args[i]));
    rootEvents.push_back(line + (count ? ")" : "()"));
    if (onRootEvent) onRootEvent(name, args, count);
    if (!m_engine || !m_engine->HasFunction(m_root.Get(), name)) return false;
    return m_engine->RunFunction(m_root.Get(), name, args, count, nullptr);
  }
  void InvalidateView(CNPView& /*view*/) override { ++invalidations; }

  // The root events whose names begin with prefix, in order.
  Lines RootEventsOf(std::string_view prefix) const {
    Lines events;
    for (const std::string& event : rootEvents)
      if (event.starts_with(prefix)) events.push_back(event);
    return events;
  }

  // ---- CNObjectOwner, IKVScriptErrorSink
  CNScript* GetScript() override { return m_engine.get(); }
  void OnScriptError(std::u16string_view title, std::u16string_view message) override {
    errors += U8(title) + " : " + U8(message) + "\n";
  }

  std::vector<std::string> acquired;
  std::vector<std::string> released;
  std::vector<std::string> rootEvents;  // "Name(arg,arg)" as the display texts of the arguments
  std::function<void(std::u16string_view, CNValue*, uint32_t)> onRootEvent;
  std::vector<std::string> trace;
  std::string errors;
  bool refuseAcquire = false;
  int invalidations = 0;

 private:
  CPanelControls m_registry;
  std::unique_ptr<CNScriptImpl> m_engine;
  CRPtr<CNPRootClient> m_root = CRPtr<CNPRootClient>::Make();
  CRPtr<CNPRootClient> m_resource = CRPtr<CNPRootClient>::Make();
};

// Drives a view with steps such as "m100,50 d100,50 u130,75 x100,50" (a move, the left button
// down and up, a double click; "D" and "U" for the right button) and gives the trace left since
// the last look, lines joined by "; ".
inline std::string Drive(CNPViewBrowser& view, FakeViewHost& host, const std::string& steps) {
  std::istringstream in(steps);
  char act, comma;
  CNPoint at;
  while (in >> act >> at.x >> comma >> at.y) {
    if (act == 'm') view.MouseMove(at);
    if (act == 'd' || act == 'u') view.MouseButton(MOUSE_LEFT, act == 'd', at);
    if (act == 'D' || act == 'U') view.MouseButton(MOUSE_RIGHT, act == 'D', at);
    if (act == 'x') view.MouseDoubleClick(MOUSE_LEFT, at);
  }
  std::string trace;
  for (const std::string& line : std::exchange(host.trace, {})) trace += (trace.empty() ? "" : "; ") + line;
  return trace;
}
