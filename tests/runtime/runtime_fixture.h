#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/browser_host.h"
#include "browser/project_browser.h"
#include "browser/project_test_util.h"
#include "objects/object_registry.h"
#include "shell/panel_classes.h"
#include "support/message_box.h"
#include "support/message_loop.h"
#include "support/utf16_text.h"
#include "values/value_display.h"

// A container that keeps what the runtime tells it.
struct RecordingHost : CNPBrowserHost {
  std::vector<std::string> traces;
  std::vector<std::string> panelEvents;
  bool closed = false;

  void Trace(const CNValue& value) override { traces.push_back(Utf16ToUtf8(DisplayText(value))); }
  void FirePanelEvent(std::u16string_view name, const CNValue& p1, const CNValue& p2) override {
    panelEvents.push_back(Utf16ToUtf8(std::u16string(name)) + " " + Utf16ToUtf8(DisplayText(p1)) + " " +
                          Utf16ToUtf8(DisplayText(p2)));
  }
  void CloseHostWindow() override { closed = true; }
};

// A project runtime over projects written into a temporary folder; ticks are driven by hand
// unless a test starts the tick thread.
class RuntimeTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterPanelClasses(CPanelControls::Instance()); }

  void SetUp() override { m_previousBox = CRMessageBox::SetCurrent(&m_box); }
  void TearDown() override {
    m_browser.reset();
    CRMessageBox::SetCurrent(m_previousBox);
  }

  CNPProjectBrowser& Browser(bool tickThread = false) {
    if (!m_browser) {
      CNPProjectBrowser::Options options;
      options.startTickThread = tickThread;
      options.registryRoot = m_folder.Path("registry");
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
    for (const auto& record : m_box.GetRecords()) texts.push_back(Utf16ToUtf8(record.text));
    return texts;
  }

  TempFolder m_folder;
  CRMessageLoop m_loop;
  RecordingHost m_host;
  CRRecordingMessageBox m_box;
  CRMessageBox* m_previousBox = nullptr;
  std::unique_ptr<CNPProjectBrowser> m_browser;
};

// An attribute value with the XML escapes a script needs.
inline std::string Attr(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\n': out += "&#10;"; break;
      default: out += c;
    }
  }
  return out;
}

// A form element with an event script and children.
inline std::string Form(std::string_view name, std::string_view script = {}, std::string_view children = {},
                        std::string_view attributes = {}) {
  return "<OBJ clid=\"Form\" Name=\"" + std::string(name) + "\" Width=\"400\" Height=\"300\" " +
         std::string(attributes) + " Event=\"" + Attr(script) + "\">\r\n" + std::string(children) + "</OBJ>\r\n";
}
