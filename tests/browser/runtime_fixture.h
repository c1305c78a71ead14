#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "browser/browser_host.h"
#include "browser/project_browser.h"
#include "objects/object_registry.h"
#include "project/project_test_util.h"
#include "shell/panel_classes.h"
#include "support/message_box.h"
#include "support/message_loop.h"
#include "values/value_display.h"

// A container that keeps what the runtime tells it, and starts no program.
struct RecordingHost : CNPBrowserHost {
  std::vector<std::string> traces;
  std::vector<std::string> panelEvents;
  std::vector<std::string> titles;
  std::vector<std::string> started;  // "operation|file|parameters|directory"
  bool closed = false;

  void Trace(const CNValue& value) override { traces.push_back(U8(DisplayText(value))); }
  void FirePanelEvent(std::u16string_view name, const CNValue& p1, const CNValue& p2) override {
    panelEvents.push_back(U8(name) + " " + U8(DisplayText(p1)) + " " + U8(DisplayText(p2)));
  }
  void SetTitle(std::u16string_view title) override { titles.push_back(U8(title)); }
  bool RunProgram(std::u16string_view operation, std::u16string_view file, std::u16string_view parameters,
                  std::u16string_view directory) override {
    started.push_back(U8(operation) + "|" + U8(file) + "|" + U8(parameters) + "|" + U8(directory));
    return true;
  }
  void CloseHostWindow() override { closed = true; }
};

// The texts of an object's properties at paths "Property" or "Child.Property", each followed
// by "|".
inline std::string Properties(const CNObject& object, std::initializer_list<std::u16string_view> paths) {
  std::string texts;
  for (std::u16string_view path : paths) {
    const size_t dot = path.find(u'.');
    const CNObject* owner = dot == std::u16string_view::npos ? &object : object.FindChild(path.substr(0, dot));
    CNValue value;
    if (owner) owner->GetProperty(path.substr(dot + 1), value);
    texts += U8(value.GetTextEmptyNA(0)) + "|";
  }
  return texts;
}

// A project runtime over projects written into a temporary folder; ticks are driven by hand
// unless a test starts the tick thread.
class RuntimeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!CPanelControls::Instance().Find(u"Form")) RegisterPanelClasses(CPanelControls::Instance());
  }

  void SetUp() override { m_previousBox = CRMessageBox::SetCurrent(&m_box); }
  void TearDown() override {
    m_browser.reset();
    CRMessageBox::SetCurrent(m_previousBox);
  }

  // A runtime's options: its registry in the temporary folder, no tick thread.
  CNPProjectBrowser::Options Options() const {
    CNPProjectBrowser::Options options;
    options.startTickThread = false;
    options.registryRoot = m_folder.Path("registry");
    return options;
  }

  CNPProjectBrowser& Browser(bool tickThread = false, std::span<const CNResource> resources = {}) {
    if (!m_browser) {
      CNPProjectBrowser::Options options = Options();
      options.startTickThread = tickThread;
      options.resources = resources;
      m_browser = std::make_unique<CNPProjectBrowser>(CPanelControls::Instance(), m_loop, m_host, options);
    }
    return *m_browser;
  }

  // Writes a project file and opens it.
  bool Open(const std::string& name, std::string_view rootAttributes, std::string_view children = {}) {
    const std::string path = m_folder.Write(name, ProjectText(rootAttributes, children));
    return Browser().OpenProject(Utf8ToUtf16(path));
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& record : m_box.GetRecords()) texts.push_back(U8(record.text));
    return texts;
  }

  TempFolder m_folder;
  CRMessageLoop m_loop;
  RecordingHost m_host;
  CRRecordingMessageBox m_box;
  CRMessageBox* m_previousBox = nullptr;
  std::unique_ptr<CNPProjectBrowser> m_browser;
};
