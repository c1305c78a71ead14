// The tick handler's codes, shutdown, queued requests and the tick thread.
#include <unistd.h>

#include <algorithm>

#include "project/project_xml.h"
#include "project/stretch_mode.h"
#include "runtime_fixture.h"
#include "views/views.h"

namespace {

struct CountingListener : CNPTickListener {
  std::vector<uint32_t> codes;
  void OnTick(uint32_t code) override { codes.push_back(code); }
};

}  // namespace

TEST_F(RuntimeTest, TickCodesReachRootViewsAndListenersAndUnknownCodesDoNothing) {
  ASSERT_TRUE(Open("t.xml",
                   "DefaultForm=\"Main\" " + RootEvents("event OnHeartBeat() { ::Trace(\"root beat\"); }\n"
                                                        "event OnCommonEvent(name, value) { ::Trace(name & \"=\" & ::CStr(value)); }"),
                   Form("Main", "event OnHeartBeat() { ::Trace(\"form beat\"); }")));
  CountingListener listener;
  Browser().AddTickListener(&listener);
  Browser().OnTick(TICK_REFRESH);
  Browser().OnTick(TICK_CYCLE);
  Browser().OnTick(8);
  Browser().OnTick(0xFFFF);
  EXPECT_EQ(m_host.traces, (std::vector<std::string>{"root beat", "form beat"}));
  EXPECT_EQ(listener.codes, (std::vector<uint32_t>{TICK_REFRESH, TICK_CYCLE}));

  auto request = std::make_unique<CNPTickRequest>();
  request->name = u"Batch";
  request->value.SetNumber(17);
  Browser().PostRequest(TICK_COMMON_EVENT, std::move(request));
  m_loop.RunPending();
  EXPECT_EQ(m_host.traces.back(), "Batch=17");
  Browser().RemoveTickListener(&listener);

  // Nothing reaches a closed project.
  Browser().CloseProject();
  Browser().OnTick(TICK_REFRESH);
  EXPECT_EQ(m_host.traces.back(), "Batch=17");
}

TEST_F(RuntimeTest, ShutdownAsksTheProjectAndStaysOpenWhenNotAllowed) {
  const std::string events = RootEvents("event OnShutdown() { ::Trace(\"asked\"); }\nevent OnTerminate() { ::Trace(\"ended\"); }");
  ASSERT_TRUE(Open("keep.xml", "DefaultForm=\"Main\" AllowShutdown=\"F\" " + events, Form("Main")));
  auto asking = std::make_unique<CNPTickRequest>();
  asking->fireShutdownEvent = true;
  Browser().OnTick(TICK_SHUTDOWN, std::move(asking));
  EXPECT_EQ(m_host.traces, (std::vector<std::string>{"asked"}));
  EXPECT_TRUE(Browser().IsOpen());
  EXPECT_FALSE(m_host.closed);

  // Without the question the project closes whatever it allows.
  Browser().OnTick(TICK_SHUTDOWN, std::make_unique<CNPTickRequest>());
  EXPECT_EQ(m_host.traces, (std::vector<std::string>{"asked", "ended"}));
  EXPECT_FALSE(Browser().IsOpen());
  EXPECT_TRUE(m_host.closed);
}

TEST_F(RuntimeTest, ScriptRequestsGoThroughTheTickHandler) {
  m_folder.Write("next.xml", ProjectText("DefaultForm=\"Other\" " + RootEvents("event OnInitialize() { ::Trace(\"next project\"); }"),
                                         Form("Other")));
  ASSERT_TRUE(Open("first.xml",
                   "DefaultForm=\"Main\" " + RootEvents("event OnInitialize() { ::FirePanelEvent(\"ready\", 1, \"a\"); }\n"
                                                        "function mNext() { ::OpenFile(\"next.xml\"); ::Trace(\"asked\"); }"),
                   Form("Main")));
  EXPECT_EQ(m_host.panelEvents, (std::vector<std::string>{"ready 1 a"}));
  CNValue result;
  ASSERT_TRUE(Browser().GetScriptEngine()->RunFunction(Browser().GetRootClient(), u"mNext", nullptr, 0, &result));
  // The open waits for the tick: the running script ends first.
  EXPECT_EQ(m_host.traces, (std::vector<std::string>{"asked"}));
  m_loop.RunPending();
  EXPECT_EQ(m_host.traces.back(), "next project");
  EXPECT_EQ(Utf16ToUtf8(Browser().GetViews().FindView(u"")->GetFormName()), "Other");
}

TEST_F(RuntimeTest, TheTickThreadRefreshesAtTheProjectsRate) {
  Browser(true);
  ASSERT_TRUE(Open("beat.xml", "DefaultForm=\"Main\" RefreshRate=\"0\" " +
                                   RootEvents("event OnHeartBeat() { ::Trace(\"beat\"); }"),
                   Form("Main")));
  m_loop.RunFor(550);
  const auto beats = std::count(m_host.traces.begin(), m_host.traces.end(), "beat");
  // One refresh per 100 ms; a loaded machine may stretch the period, never shorten it.
  EXPECT_GE(beats, 1);
  EXPECT_LE(beats, 7);
  Browser().CloseProject();
}

TEST_F(RuntimeTest, BuiltInQuestionIsAnsweredThroughItsButtons) {
  ASSERT_TRUE(Open("ask.xml",
                   "DefaultForm=\"Main\" " +
                       RootEvents("event OnInitialize() { ::OpenYesNoMsg(\"Stop the pump?\", \"mAnswer\"); }\n"
                                  "function mAnswer(answer) { ::Trace(\"answer \" & answer); }"),
                   Form("Main")));
  CNPBasisDialog* dialog = Browser().GetViews().FindDialog(u"RCYesNoMsg");
  ASSERT_NE(dialog, nullptr);
  CNPObject* form = dialog->GetView().GetForm();
  ASSERT_NE(form, nullptr);
  auto* yes = dynamic_cast<CNPObject*>(form->FindChild(u"btnYes"));
  ASSERT_NE(yes, nullptr);
  const CNRect rect = yes->GetRect();
  const CNPoint at{rect.left + 2, rect.top + 2};
  yes->ButtonDown(MOUSE_LEFT, at);
  yes->ButtonUp(MOUSE_LEFT, at);
  m_loop.RunPending();
  EXPECT_EQ(m_host.traces, (std::vector<std::string>{"answer YES"}));
  EXPECT_EQ(Browser().GetViews().FindDialog(u"RCYesNoMsg"), nullptr);
}

// A dialog of a known kind opens, of an unknown kind not; a hot key registers once, an unknown
// one does not unregister, a code beyond 16 bits does not register.
TEST_F(RuntimeTest, SystemDialogsByKindAndHotKeysFromScripts) {
  ASSERT_TRUE(Open("kinds.xml",
                   "DefaultForm=\"Main\" " +
                       RootEvents("function mAll() { return ::CStr(::OpenCommonDialog(\"YesNoMsg\", \"Go?\", \"\")) & "
                                  "::CStr(::OpenCommonDialog(\"Teapot\")) & ::CStr(::RegisterHotKey(112)) & "
                                  "::CStr(::RegisterHotKey(112)) & ::CStr(::UnregisterHotKey(113)) & "
                                  "::CStr(::RegisterHotKey(70000)); }"),
                   Form("Main")));
  CNValue result;
  ASSERT_TRUE(Browser().GetScriptEngine()->RunFunction(Browser().GetRootClient(), u"mAll", nullptr, 0, &result));
  EXPECT_EQ(Utf16ToUtf8(result.GetText(0)), "TFTTFF");
  EXPECT_NE(Browser().GetViews().FindDialog(u"RCYesNoMsg"), nullptr);
  ASSERT_NE(Browser().FindHotKey(112), nullptr);
  EXPECT_EQ(Utf16ToUtf8(Browser().FindHotKey(112)->atom), "hk112_" + std::to_string(getpid()));
  // A closed project lets its keys go.
  Browser().CloseProject();
  EXPECT_EQ(Browser().FindHotKey(112), nullptr);
}

TEST_F(RuntimeTest, WithoutItsDialogProjectTheRuntimeSaysSoOnceAndScriptsGetNoDialogs) {
  static constexpr uint8_t kBroken[] = {'<', 'R', 'O', 'O', 'T', '>'};
  const CNResource resources[] = {{149, u"XML", kBroken}};
  EXPECT_FALSE(Browser(false, resources).HasResourceProject());
  ASSERT_EQ(Messages().size(), 1u);
  ASSERT_TRUE(Open("nodialogs.xml", "DefaultForm=\"Main\" " +
                                         RootEvents("event OnInitialize() { ::Trace(::CStr(::OpenYesNoMsg(\"Go?\", \"\"))); }"),
                   Form("Main")));
  EXPECT_EQ(m_host.traces, (std::vector<std::string>{"F"}));
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(RuntimeTest, SecondInstancesOfAFormComeAndGoWithoutTouchingTheDefinition) {
  ASSERT_TRUE(Open("copies.xml", "DefaultForm=\"Main\"",
                   Form("Main", "var opened = 0;\nevent OnInitialize() { opened += 1; ::Trace(Name); }") +
                       Form("Other")));
  CNPViews& views = Browser().GetViews();
  CNObject* definition = views.FindView(u"")->GetForm();
  // The same form under another name is a copy beside the definition, with scripts of its own.
  CNPObject* copy = views.OpenForm(u"", u"Main", u"Main2", kStretchDefault, CNValue());
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, definition);
  EXPECT_EQ(copy->GetParent(), definition->GetParent());
  ASSERT_NE(views.OpenForm(u"", u"Other", u"Other", kStretchDefault, CNValue()), nullptr);
  EXPECT_EQ(definition->GetParent()->FindChild(u"Main2"), nullptr);  // gone when let go
  // Its scripts go on the next turn of the loop; a runtime that goes first leaves nothing behind.
  m_browser.reset();
  m_loop.RunPending();
  EXPECT_EQ(m_host.traces, (std::vector<std::string>{"Main", "Main2"}));
}
