// The root's view, window and dialog functions: what reaches a runtime (a fake that records
// every request), and what every function answers when there is none or it declines.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "controls/visual_themes.h"
#include "methods/root_methods.h"
#include "root_test_util.h"

namespace {

using Lines = std::vector<std::string>;

std::string Describe(const RecordedRequest& r) {
  std::string text = r.function;
  if (!r.action.empty()) text += " " + r.action + " " + r.form + (r.method.empty() ? "" : "." + r.method);
  if (r.modal) text += " modal";
  text += " (";
  for (size_t i = 0; i < r.args.size(); ++i) text += (i ? ", " : "") + r.args[i];
  return text + ")";
}

Lines Describe(const std::vector<RecordedRequest>& requests) {
  Lines lines;
  for (const RecordedRequest& r : requests) lines.push_back(Describe(r));
  return lines;
}

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
      Describe(runtime.requests),
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
  EXPECT_EQ(d.left, 10);
  EXPECT_EQ(d.top, 20);
  EXPECT_EQ(d.width, 300);
  EXPECT_EQ(d.height, 200);
  EXPECT_EQ(d.resizable, true);
  EXPECT_TRUE(d.modal);

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
  EXPECT_EQ(Describe(runtime.requests), (Lines{"SetDialogState (\"D1\", \"CLOSE\", \"Max\")"}));
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
  EXPECT_EQ(Describe(runtime.requests),
            (Lines{"OpenForm (\"Form2\", \"\", \"STRETCH_FULL\", c(1,2))", "GetZoom ()",
                   "ViewSetZoom (\"Main\", 2)", "FirePanelEvent (\"alarm\", 3, T)", "GetKeyState (16)",
                   "OpenApplicationFile (\"/no/such/report.pdf\")",
                   "CloseAllDialog ()"}));
}

TEST(RootRuntimeFunctions, EveryFunctionFailsCleanlyWithoutARuntimeOrWhenItDeclines) {
  FakeRuntime declining;
  declining.handles = false;
  struct Host : IKVMethodHost {
    void TraceValue(const CNValue&) override {}
    IKVRuntime* GetRuntime() override { return runtime; }
    IKVRuntime* runtime = nullptr;
  } host;
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
  EXPECT_EQ(Describe(runtime.requests),
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

TEST(RootFunctionTable, EveryGlobalAndDialogFunctionIsThereExactlyOnce) {
  const std::u16string_view names[] = {
      u"CallMethod", u"SendMail", u"SendMailDirect", u"HTTPPost", u"OpenForm", u"GetForm", u"OpenViewForm",
      u"OpenHomeForm", u"OpenPrevForm", u"OpenNextForm", u"IsHavePrevForm", u"IsHaveNextForm",
      u"ClearFormHistory", u"GetCurrentForm", u"GetCurrentBasedForm", u"GetPrevForm", u"GetPrevFormCount",
      u"GetNextForm", u"GetNextFormCount", u"SetSeparetorProperty", u"GetSeparetorProperty", u"OpenFile",
      u"AddResourceFile", u"OpenHiddenForm", u"OpenBrowser", u"CloseBrowser", u"OpenApplicationFile",
      u"PrintApplicationFile", u"SetAliasTag", u"GetAliasTag", u"RefreshTag", u"GetTagLastError",
      u"GetLastError", u"SetLastError", u"ShowComment", u"ShowWaitCursor", u"GetKeyState", u"SendKey",
      u"ShowMouseCursor", u"CreateSnapshotStructureTag", u"SortSnapshotStructureTag",
      u"GetSnapshotStructureTagValue", u"CreateSnapshotStructureTagMember", u"SortSnapshotStructureTagMember",
      u"GetSnapshotStructureTagMemberValue", u"FilterStructureTagName", u"FilterStructureTagValue",
      u"GetStructureMemberProperty", u"GetStructureTagValue", u"GetStructureTagBindScript",
      u"SetStructureTagBindScript", u"AddServerReferenceCounter", u"ReleaseServerReferenceCounter",
      u"ClearServerReferenceCounter", u"GetServerReferenceCounter", u"DirectLogin", u"Login", u"Logout",
      u"IsLogin", u"GetLoginIPAddress", u"GetLoginUser", u"AddLoginUser", u"DelLoginUser",
      u"SetLoginPassword", u"GetServerTime", u"SetServerTime", u"SetClientTime", u"ReloadServer",
      u"SaveServerFile", u"GetLoginLastError", u"GetTimeLastError", u"OpenLoginDialog", u"CloseLoginDialog",
      u"OpenLoginForm", u"PrintImage", u"PrintScreenshot", u"TakeScreenshot", u"PrintDesktopScreenshot",
      u"TakeDesktopScreenshot", u"RefreshScreen", u"FirePanelEvent", u"ShowFullScreen", u"ShowTaskbarIcon",
      u"BringBrowserToTop", u"SetBrowserState", u"GetBrowserState", u"StartMouseSelection",
      u"StopMouseSelection", u"SetZoomInRatio", u"GetZoomInRatio", u"ZoomIn", u"ResetZoom", u"ViewResetZoom",
      u"SetZoom", u"ViewSetZoom", u"GetZoom", u"SetStretch", u"ViewSetStretch", u"GetActiveViewName",
      u"GetActiveDialogName", u"ShutdownOS", u"LoadTextFile", u"SaveTextFile", u"SaveCsvFile", u"LoadCsvFile",
      u"SendFile", u"ReceiveFile", u"ServerBrowseFolder", u"ServerDeleteFile", u"ServerDeleteFolder",
      u"Trace", u"GetBrowserType", u"UpdateTitle", u"CallControl87", u"TerminateProcess", u"RegisterHotKey",
      u"UnregisterHotKey", u"GetBrowserFileName", u"GetCurrentPath", u"GetDriverTagParam", u"GetActionNames",
      u"MAP", u"MAPKEYS", u"MAPGET", u"MAPSET", u"MAPDEL", u"MAPSTR", u"MAPSTRTO", u"MAPMERGE", u"Test",
      u"GetVisualThemes", u"GetVisualThemesComment", u"GetConfig", u"SetConfig", u"ClearConfig",
      u"SaveConfig", u"LoadConfig", u"GetRGBColor", u"GetFontName", u"GetVisualThemeAttr",
      u"GetNumberFormatParser", u"GetBlinks", u"GetLocale", u"TranslateRoot", u"GetMenuCandidate",
      u"GetChildTags", u"SearchTags", u"GetRelatedInfoModifiedTime", u"GetRelatedInfo", u"SearchRelatedInfo",
      u"GetSystemResource",
      // the dialog functions
      u"OpenDialog", u"OpenModalDialog", u"SetModalDialog", u"SetDialogState", u"EnableDialogMenu",
      u"CloseDialog", u"ShowDialog", u"CloseAllDialog", u"OpenMsg", u"OpenModalMsg", u"CloseMsg",
      u"OpenYesNoMsg", u"OpenModalYesNoMsg", u"CloseYesNoMsg", u"OpenYesNoCancelMsg",
      u"OpenModalYesNoCancelMsg", u"CloseYesNoCancelMsg", u"OpenPassword", u"OpenModalPassword",
      u"ClosePassword", u"OpenNumKey", u"OpenModalNumKey", u"OpenNumKeyEdit", u"OpenModalNumKeyEdit",
      u"CloseNumKey", u"OpenTextKey", u"OpenModalTextKey", u"OpenTextKeyEdit", u"OpenModalTextKeyEdit",
      u"CloseTextKey", u"OpenCalender", u"OpenCalendar", u"OpenModalCalendar", u"CloseCalender",
      u"CloseCalendar", u"OpenFormMap", u"OpenModalFormMap", u"SetFormMap", u"ClearFormMap",
      u"RefreshFormMap", u"CloseFormMap", u"OpenColor", u"OpenModalColor", u"CloseColor", u"OpenSearch",
      u"OpenModalSearch", u"CloseSearch", u"OpenCommonDialog", u"OpenModalCommonDialog", u"CloseCommonDialog",
      u"OpenWindowsDialog", u"OpenWindowsCommonDialog", u"BringDialogToTop", u"GetDialogZOrder"};
  std::map<std::u16string_view, int> seen;
  for (std::span<const MethodEntry> part :
       {RootTagMethods(), RootDataMethods(), RootRuntimeMethods(), RootLoginMethods(), DialogMethods()})
    for (const MethodEntry& entry : part) ++seen[entry.name];
  for (const std::u16string_view name : names) {
    EXPECT_EQ(seen[name], 1) << Utf16ToUtf8(name);
    EXPECT_GE(RootMethods().Find(name), 0) << Utf16ToUtf8(name);
  }
  EXPECT_EQ(seen.size(), std::size(names));  // and nothing else
}

TEST(RootRuntimeFunctions, ThemeFunctionsAnswerFromTheThemes) {
  RootWorld world(nullptr);
  std::u16string text;
  uint32_t color = 0;
  ASSERT_TRUE(CNVisualThemes::Global().GetValue(u"BLACK", u"@TextColor", text));
  ASSERT_TRUE(CNVisualThemes::Global().ResolveColor(u"@TextColor", color));
  EXPECT_EQ(world.Run(u"var names = ::GetVisualThemes();\n::Trace(names[0], ::GetVisualThemeAttr(\"@TextColor\", \"BLACK\"), "
                      u"::GetRGBColor(\"@TextColor\"), ::GetFontName(\"Arial,-12,0,400,0,0,0,0,0\"), "
                      u"::GetVisualThemeAttr(\"@NoSuchName\"), ::GetVisualThemesComment(\"NO_SUCH_THEME\"));"),
            (Lines{"GRAY_3D", Utf16ToUtf8(text), std::to_string(color), "Arial", "#NOTHING#", "#NOTHING#"}));
}
