#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/stretch_mode.h"
#include "view_test_util.h"
#include "views/view_browser.h"

namespace {

constexpr std::u16string_view kRootScript =
    u"event OnBeforeOpenForm(viewName, basedFormName, &isOpen, &stretchMode, &openParam, formName) {\n"
    u"  ::Trace(\"root before \" & viewName & \" \" & basedFormName & \" \" & formName & \" \" & "
    u"stretchMode);\n"
    u"  openParam = openParam & \"+root\";\n"
    u"  stretchMode = \"stretch_keeprate\";\n"
    u"}\n"
    u"event OnAfterOpenForm(viewName, basedFormName, objForm, formName) {\n"
    u"  ::Trace(\"root after \" & viewName & \" \" & objForm.Name);\n"
    u"}\n";

constexpr std::u16string_view kFormScript =
    u"function SystemAfterOpenForm() { ::Trace(\"form system after\"); }\n"
    u"event OnBeforeInitialize() { ::Trace(\"form before initialize\"); }\n"
    u"event OnInitialize() { ::Trace(\"form initialize\"); }\n"
    u"event OnInitializeDone() { ::Trace(\"form done\"); }\n"
    u"event OnHeartBeat() { ::Trace(\"form beat\"); }\n"
    u"event OnTerminate() { ::Trace(\"form terminate\"); }\n";

constexpr std::u16string_view kLabelScript =
    u"event OnInitialize() { ::Trace(Name & \" initialize\"); }\n"
    u"event OnInitializeDone() { ::Trace(Name & \" done\"); }\n";

class OpenEvents : public testing::Test {
 protected:
  void SetUp() override {
    host.EnableScripts();
    form = &host.AddForm(u"Plant");
    host.SetScript(host.Root(), kRootScript);
    host.SetScript(*form, kFormScript);
    host.SetScript(host.AddObject(*form, u"Pump"), kLabelScript);
    host.SetScript(host.AddObject(*form, u"Valve"), kLabelScript);
  }

  FakeViewHost host;
  CNPForm* form = nullptr;
  CNPViewBrowser view{host, u"MainView"};
};

TEST_F(OpenEvents, AnOpenRunsTheHandlersInTheirOrder) {
  ASSERT_EQ(view.OpenForm(u"Plant", u"Plant2", kStretchForm, Text(u"p")), form) << host.errors;
  EXPECT_EQ(host.trace, (Lines{"root before MainView Plant Plant2 FORM", "root after MainView Plant",
                               "form system after", "form before initialize", "form initialize", "Pump initialize",
                               "Valve initialize", "form done", "Pump done", "Valve done"}));
  // The handler's replacements of the parameter and the mode are what the view takes.
  EXPECT_EQ(U8(view.GetOpenParam().GetText(0)), "p+root");
  EXPECT_EQ(view.GetStretch(), kStretchKeepRate);
  EXPECT_TRUE(form->IsRunning());
  EXPECT_EQ(host.errors, "");

  host.trace.clear();
  view.Tick(1);
  EXPECT_EQ(host.trace, (Lines{"form beat"}));
}

}  // namespace
