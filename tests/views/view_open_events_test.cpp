#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view_test_util.h"
#include "views/stretch_mode.h"
#include "views/view_browser.h"
#include "views/view_control.h"

namespace {

using Lines = std::vector<std::string>;

constexpr std::u16string_view kRootScript =
    u"event OnBeforeOpenForm(viewName, basedFormName, &isOpen, &stretchMode, &openParam, formName) {\n"
    u"  ::Trace(\"root before \" & viewName & \" \" & basedFormName & \" \" & formName & \" \" & stretchMode);\n"
    u"  if (basedFormName == \"Refused\") isOpen = F;\n"
    u"  openParam = openParam & \"+root\";\n"
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
    host.AddForm(u"Refused");
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
  EXPECT_EQ(U8(view.GetOpenParam().GetText(0)), "p+root");
  EXPECT_TRUE(form->IsRunning());
  EXPECT_EQ(host.errors, "");

  host.trace.clear();
  view.Tick(1);
  EXPECT_EQ(host.trace, (Lines{"form beat"}));
}

TEST_F(OpenEvents, AViewControlHearsItsOwnEventsAfterTheRoot) {
  CNPForm& outer = host.AddForm(u"Outer");
  auto& control = host.AddObject<CNPViewControl>(outer, u"Inner");
  control.SetProperty(u"MaxFormHistory", Number(1));
  host.SetScript(control,
                 u"event OnBeforeOpenForm(basedFormName, &isOpen, &stretchMode, &openParam, formName) {\n"
                 u"  ::Trace(\"control before \" & basedFormName & \" \" & openParam);\n"
                 u"  stretchMode = \"RESIZE_FULL\";\n"
                 u"}\n"
                 u"event OnAfterOpenForm(basedFormName, objForm, formName) { ::Trace(\"control after \" & formName); }\n");
  CNPViewBrowser inner(host, u"InnerView");
  inner.SetOwnerControl(&control);
  ASSERT_NE(inner.OpenForm(u"Plant", {}, kStretchNone, Text(u"x")), nullptr);
  ASSERT_GE(host.trace.size(), 4u);
  EXPECT_EQ(Lines(host.trace.begin(), host.trace.begin() + 4),
            (Lines{"root before InnerView Plant Plant NONE", "control before Plant x+root", "root after InnerView Plant",
                   "control after Plant"}));
  EXPECT_EQ(inner.GetStretch(), kStretchResizeFull);
  host.AddForm(u"Second");
  inner.OpenForm(u"Second", {}, kStretchNone, CNValue());
  EXPECT_EQ(inner.GetHistory().GetBackList().size(), 1u);  // the control's limit
}

}  // namespace
