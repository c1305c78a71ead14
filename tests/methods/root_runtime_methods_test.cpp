// The root's view, window and dialog functions: what reaches a runtime (a fake that records
// every request), and what every function answers when there is none or it declines.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "common_call_util.h"
#include "methods/root_methods.h"
#include "root_test_util.h"

namespace {

using Lines = std::vector<std::string>;

}  // namespace

TEST(RootDialogs, BuiltInDialogsReachTheRuntimeWithTheirFormMethodAndModalFlag) {
  FakeRuntime runtime;
  runtime.answer.SetNumber(6);
  RootWorld world(&runtime);
  EXPECT_EQ(
      world.Run(u"::Trace(::OpenMsg(\"Pump 3 tripped\"), ::OpenModalYesNoMsg(\"Stop?\", \"Pump\"), "
                u"::OpenYesNoCancelMsg(\"Save?\", 1));\n"
                u"::Trace(::OpenModalPassword(\"pw\", 1, 2), ::OpenNumKey(1, 0, 100, \"Speed\"), "
                u"::OpenModalNumKeyEdit(5), ::CloseNumKey());\n"
                u"::Trace(::OpenTextKeyEdit(\"abc\"), ::OpenCalender(), ::OpenModalCalendar(#2024/01/02#), "
                u"::CloseCalendar(), ::SetFormMap(\"Form2\"), ::ClearFormMap(), "
                u"::OpenModalFormMap(\"Form2\", 3));\n"
                u"::Trace(::OpenColor(), ::CloseColor(), ::OpenModalSearch(\"a\", \"b\", 3), ::CloseMsg());"),
      Lines(18, "6"));
  EXPECT_EQ(
      runtime.requests,
      (Lines{"OpenMsg open RCMsg (\"Pump 3 tripped\")",
             "OpenModalYesNoMsg open RCYesNoMsg.SetInfo modal (\"Stop?\", \"Pump\")",
             "OpenYesNoCancelMsg open RCYesNoCancelMsg.SetInfo (\"Save?\", 1)",
             "OpenModalPassword open RCPassword.SetInfo modal (\"pw\", 1, 2)",
             "OpenNumKey open RCNumKey.SetInfo (1, 0, 100, \"Speed\")",
             "OpenModalNumKeyEdit open RCNumKey.SetInfoEdit modal (5)", "CloseNumKey close RCNumKey ()",
             "OpenTextKeyEdit open RCTextKey.SetInfoEdit (\"abc\")",
             "OpenCalender open RCCalendar.SetInfo ()",
             "OpenModalCalendar open RCCalendar.SetInfo modal (#2024/01/02 00:00:00#)",
             "CloseCalendar close RCCalendar ()", "SetFormMap call RCFormMap.SetFormMap (\"Form2\")",
             "ClearFormMap call RCFormMap.ClearFormMap ()",
             "OpenModalFormMap open RCFormMap.SetFormMap modal (\"Form2\", 3)",
             "OpenColor open RCColor.SetInfo ()", "CloseColor close RCColor ()",
             "OpenModalSearch open RCSearch.SetInfo modal (\"a\", \"b\", 3)", "CloseMsg close RCMsg ()"}));
}

TEST(RootDialogs, OpenDialogChecksItsWordsAndHandsOverOneSpelling) {
  FakeRuntime runtime;
  RootWorld world(&runtime);
  EXPECT_EQ(
      world.Run(u"::Trace(::OpenModalDialog(\"Detail\", \"D1\", \"Pump 3\", 10, 20, 300, 200, \"PARENT\", "
                u"\"Desktop\", \"noframe\", T, \"FULL\", \"D1a\", \"Reopen\", \"HIDE\"));"),
      (Lines{"T"}));
  const CKVDialogParams& d = runtime.dialog;
  EXPECT_EQ(
      Utf16ToUtf8(d.viewName + u"|" + d.baseFormName + u"|" + d.formName + u"|" + d.title + u"|" + d.stretch),
      "D1|Detail|D1a|Pump 3|FULL");
  EXPECT_EQ(Utf16ToUtf8(d.basePosX + u"|" + d.basePosY + u"|" + d.dialogType + u"|" + d.alreadyOpened + u"|" +
                        d.showState),
            "parent|desktop|NOFRAME|reopen|hide");
  EXPECT_EQ((std::tuple{d.left, d.top, d.width, d.height, d.resizable, d.modal}),
            (std::tuple{10, 20, 300, 200, true, true}));

  // Left out or empty: unset, and the dialog is named after its form.
  EXPECT_EQ(world.Run(u"::Trace(::OpenDialog(\"Detail\", \"\", \"\", #NOTHING#));"), (Lines{"T"}));
  EXPECT_EQ(
      Utf16ToUtf8(runtime.dialog.viewName + u"|" + runtime.dialog.formName + u"|" + runtime.dialog.basePosX),
      "Detail||");
  EXPECT_FALSE(runtime.dialog.left.has_value());
  EXPECT_FALSE(runtime.dialog.resizable.has_value());
  EXPECT_FALSE(runtime.dialog.modal);

  // Valid states are handed over as written; a word that is none of the list stops the script
  // before anything reaches the runtime.
  runtime.requests.clear();
  EXPECT_EQ(
      world.Run(
          u"::SetDialogState(\"D1\", \"CLOSE\", \"Max\");\n::SetDialogState(\"D1\", \"MAX\", \"huge\");"),
      (Lines{"Runtime Error : Function execution stops for SetDialogState"}));
  EXPECT_EQ(runtime.requests, (Lines{"SetDialogState (\"D1\", \"CLOSE\", \"Max\")"}));
}

TEST(RootRuntimeFunctions, FormViewAndWindowFunctionsAreForwardedWithTheirArgumentsAndAnswers) {
  FakeRuntime runtime;
  runtime.projectFolder = "/srv/plant";
  RootWorld world(&runtime);
  runtime.answer.SetNumber(1.5);
  EXPECT_EQ(world.Run(u"::Trace(::OpenForm(\"Form2\", \"\", \"STRETCH_FULL\", c(1, 2)), ::GetZoom(), "
                      u"::ViewSetZoom(\"Main\", 2), ::FirePanelEvent(\"alarm\", 3, T), ::GetKeyState(16));\n"
                      u"::Trace(::GetCurrentPath(), ::GetBrowserFileName(), "
                      u"::OpenApplicationFile(\"/no/such/report.pdf\"), ::CloseAllDialog());"),
            (Lines{"1.5", "1.5", "1.5", "1.5", "1.5", "/srv/plant", "plant.xml", "1.5", "1.5"}));
  EXPECT_EQ(runtime.requests,
            (Lines{"OpenForm (\"Form2\", \"\", \"STRETCH_FULL\", c(1,2))", "GetZoom ()",
                   "ViewSetZoom (\"Main\", 2)", "FirePanelEvent (\"alarm\", 3, T)", "GetKeyState (16)",
                   "OpenApplicationFile (\"/no/such/report.pdf\")", "CloseAllDialog ()"}));
}

TEST(RootRuntimeFunctions, EveryFunctionFailsCleanlyWithoutARuntimeOrWhenItDeclines) {
  FakeRuntime declining;
  declining.handles = false;
  QuietHost host;
  for (IKVRuntime* runtime : {static_cast<IKVRuntime*>(nullptr), static_cast<IKVRuntime*>(&declining)}) {
    host.runtime = runtime;
    for (std::span<const MethodEntry> part : {RootRuntimeMethods(), DialogMethods()}) {
      for (const MethodEntry& entry : part) {
        for (size_t count = 0; count <= 16; ++count) {
          SCOPED_TRACE(Utf16ToUtf8(entry.name) + " with " + std::to_string(count) + " arguments");
          CNPForm root;
          std::vector<CNValue> args(count);
          for (CNValue& arg : args) arg.SetString(u"x");
          std::vector<const CNValue*> pointers;
          for (const CNValue& arg : args) pointers.push_back(&arg);
          CNValue result;
          CMethodCall call{root, pointers, result, host};
          if (!entry.function(call)) continue;  // a count (or word) the function does not take
          const std::string shown = Shown(result);
          if (entry.name == u"CallControl87") {
            EXPECT_EQ(shown, "T");
          } else if (entry.name == u"GetKeyState") {
            EXPECT_EQ(shown, "0");
          } else {
            EXPECT_TRUE(shown == "F" || shown == "#NOTHING#") << shown;
          }
        }
      }
    }
  }
}

TEST(RootRuntimeFunctions, CallMethodRunsFunctionsOfTheRootAndOfObjectsByPath) {
  FakeRuntime runtime;
  RootWorld world(&runtime, u"function Twice(v) { return v * 2; }");
  EXPECT_EQ(
      world.Run(u"::Trace(::CallMethod(\"Twice\", 21), ::CallMethod(\"Form1.lblCalendar1.mSetValue\", 3));\n"
                u"::Trace(::CallMethod(\"Form1.Nobody.mSetValue\", 1), ::CallMethod(\"Elsewhere\"));\n"
                u"::CallMethod();"),
      (Lines{"day 3", "42", "4", "T", "T", "Runtime Error : Function execution stops for CallMethod"}));
  EXPECT_EQ(runtime.requests,
            (Lines{"CallMethod (\"Form1.Nobody.mSetValue\", 1)", "CallMethod (\"Elsewhere\")"}));
}

TEST(RootRuntimeFunctions, TerminateProcessEndsAnotherProcessButNeverTheRuntime) {
  pid_t child = 0;
  char sleepName[] = "sleep";
  char seconds[] = "30";
  char* argv[] = {sleepName, seconds, nullptr};
  ASSERT_EQ(posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ), 0);
  RootWorld world;
  EXPECT_EQ(world.Run(u"::Trace(::TerminateProcess(" + Utf8ToUtf16(std::to_string(child)) +
                      u"), ::TerminateProcess(" + Utf8ToUtf16(std::to_string(::getpid())) +
                      u"), ::TerminateProcess(-1), ::TerminateProcess(\"x\"));"),
            (Lines{"T", "F", "F", "F"}));
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
}

// The names themselves are pinned by the generated function reference.
TEST(RootFunctionTable, EveryGlobalAndDialogFunctionIsThereExactlyOnce) {
  std::map<std::u16string_view, int> seen;
  for (std::span<const MethodEntry> part :
       {RootTagMethods(), RootDataMethods(), RootRuntimeMethods(), RootLoginMethods(), DialogMethods()})
    for (const MethodEntry& entry : part) ++seen[entry.name];
  for (const auto& [name, count] : seen) {
    EXPECT_EQ(count, 1) << Utf16ToUtf8(name);
    EXPECT_GE(RootMethods().Find(name), 0) << Utf16ToUtf8(name);
  }
}
