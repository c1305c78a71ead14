// The built-in dialogs: the embedded resource project loads and compiles, and its forms' scripts
// answer the caller and close themselves when their buttons are pressed.
#include <gtest/gtest.h>

#include <initializer_list>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "check/project_check.h"
#include "controls/edit_box.h"
#include "controls/label_controls.h"
#include "form_file_test_util.h"
#include "methods/builtin_methods.h"
#include "methods/runtime_host.h"
#include "project/builtin_resources.h"
#include "project/root_client_browser.h"
#include "script/script_engine_impl.h"
#include "values/value_display.h"

namespace {

constexpr const char16_t* kFolders[] = {u"Resource", u"Resource_tablet"};
constexpr const char16_t* kForms[] = {u"RCMsg",    u"RCYesNoMsg", u"RCYesNoCancelMsg", u"RCPassword",
                                      u"RCNumKey", u"RCTextKey",  u"RCCalendar",       u"RCFormMap",
                                      u"RCColor",  u"RCSearch",   u"RCLogin"};

// The project runtime as the dialogs see it: every dialog function and every other request is
// written down as "Function Form" or "Function arguments..." and answered T.
class RecordingRuntime : public IKVRuntime {
 public:
  bool Dialog(const CKVDialogRequest& request, CNValue& result) override {
    m_requests.push_back(U8(request.function) + " " + U8(request.form));
    result.SetBool(true);
    return true;
  }
  bool Request(std::u16string_view function, std::span<const CNValue* const> args, CNValue& result) override {
    std::string line = U8(function);
    for (const CNValue* arg : args) line += " " + U8(DisplayText(*arg));
    m_requests.push_back(line);
    result.SetBool(true);
    return true;
  }
  std::vector<std::string> Take() { return std::exchange(m_requests, {}); }

 private:
  std::vector<std::string> m_requests;
};

// What scripts report; a dialog that works reports nothing.
class ErrorRecorder : public IKVScriptErrorSink {
 public:
  void OnScriptError(std::u16string_view title, std::u16string_view message) override {
    errors += U8(title) + " : " + U8(message) + "\n";
  }
  std::string errors;
};

// The script of the form that opens the dialogs: its functions keep what the dialogs answer.
constexpr char16_t kCallerScript[] =
    u"var answers = #NOTHING#;\r\n"
    u"function mOnAnswer(answer) { answers = ::MergeValue(answers, answer); }\r\n"
    u"function mOnDay(day) { answers = ::MergeValue(answers, ::IsTime(day), "
    u"::StringFormat(\"%04d-%02d-%02d\", "
    u"::GetYear(day), ::GetMonth(day), ::GetDay(day))); }\r\n"
    u"function Answers() { return answers; }\r\n";

class ResourceProjectTest : public FormFileTest, public CNObjectOwner {
 protected:
  void SetUp() override {
    FormFileTest::SetUp();
    RegisterBuiltInMethods();
    RegisterObjectClass<CNPLabel>(m_registry, u"Label", u"Basic Controls");
    RegisterObjectClass<CNPEditBox>(m_registry, u"EditBox", u"Basic Controls");
    ASSERT_TRUE(
        m_root->OpenResourceProject(BuiltInResources(), kResourceProjectId, kResourceProjectType, m_context))
        << U8(m_root->GetErrorText());
  }
  void TearDown() override {
    m_engine.Shutdown();
    m_root->SetOwner(nullptr);
    FormFileTest::TearDown();
  }

  CNScript* GetScript() override { return &m_engine; }

  // Runs the dialogs' scripts: every script of the project loaded, the caller form "Caller" with
  // its edit box "edtValue" beside the folders, the recording runtime and error sink in place.
  void StartScripts() {
    m_engine.SetRuntime(&m_runtime);
    m_engine.SetErrorSink(&m_errors);
    m_root->SetOwner(this);
    CNObject* caller = m_registry.Create(u"Form");
    caller->SetName(u"Caller");
    caller->SetEvent(kCallerScript);
    m_root->AddChild(caller);
    CNObject* edit = m_registry.Create(u"EditBox");
    edit->SetName(u"edtValue");
    edit->SetProperty(u"Text", ::Text(u"42"));
    caller->AddChild(edit);
    LoadScripts(*m_root);
  }
  void LoadScripts(CNObject& object) {
    if (!object.GetEvent().empty()) {
      EXPECT_TRUE(m_engine.Load(&object)) << U8(object.GetName());
    }
    for (int32_t i = 0; i < object.GetChildCount(); ++i) LoadScripts(*object.GetChild(i));
  }

  // The object at a path of names from the root ("Resource.RCNumKey.btnKey1").
  CNPObject* Find(std::u16string_view path) {
    CNObject* object = m_root.Get();
    while (object && !path.empty()) {
      const size_t dot = path.find(u'.');
      object = object->FindChild(path.substr(0, dot));
      path = dot == std::u16string_view::npos ? std::u16string_view() : path.substr(dot + 1);
    }
    EXPECT_NE(object, nullptr) << U8(path);
    return dynamic_cast<CNPObject*>(object);
  }
  std::string Property(std::u16string_view path, std::u16string_view name) {
    CNValue value;
    Find(path)->GetProperty(name, value);
    return U8(value.GetText(0));
  }
  void Press(std::u16string_view path) {
    CNPObject* button = Find(path);
    button->ButtonDown(MOUSE_LEFT, {});
    button->ButtonUp(MOUSE_LEFT, {});
  }
  void PressAll(std::u16string_view form, std::initializer_list<const char16_t*> buttons) {
    for (const char16_t* button : buttons) Press(std::u16string(form) + u"." + button);
  }
  // Calls the form's method with arguments written as value literals.
  void Call(std::u16string_view form, std::u16string_view method,
            std::initializer_list<const char16_t*> literals) {
    std::vector<CNValue> args(literals.size());
    size_t i = 0;
    for (const char16_t* literal : literals) ASSERT_TRUE(args[i++].FromLiteral(literal, true)) << U8(literal);
    CallValues(form, method, args);
  }
  void CallValues(std::u16string_view form, std::u16string_view method, std::vector<CNValue>& args) {
    EXPECT_TRUE(
        m_engine.RunFunction(Find(form), method, args.data(), static_cast<uint32_t>(args.size()), nullptr))
        << U8(form) << " " << U8(method) << "\n"
        << m_errors.errors;
  }
  // The caller's answers so far as a literal: "#NOTHING#" for none, "\"YES\"" for one,
  // "c(\"YES\",\"NO\")" for two.
  std::string Answers() {
    CNValue answers;
    m_engine.RunFunction(Find(u"Caller"), u"Answers", nullptr, 0, &answers);
    return U8(answers.ToLiteral(true));
  }

  CRPtr<CNPRootClientBrowser> m_root = CRPtr<CNPRootClientBrowser>::Make();
  RecordingRuntime m_runtime;
  ErrorRecorder m_errors;
  CNScriptImpl m_engine{m_registry};
};

TEST_F(ResourceProjectTest, BothFoldersHoldEveryDialogAndEveryScriptCompiles) {
  EXPECT_EQ(MessageTexts(), "");  // every class the dialogs use exists
  for (const char16_t* name : kForms) {
    const CNObject* form = m_root->FindChild(kFolders[0])->FindChild(name);
    const CNObject* tablet = m_root->FindChild(kFolders[1])->FindChild(name);
    ASSERT_NE(form, nullptr) << U8(name);
    ASSERT_NE(tablet, nullptr) << U8(name);
    EXPECT_EQ(U8(form->GetClassId()), "Form");
    CNValue width, tabletWidth;
    form->GetProperty(u"Width", width);
    tablet->GetProperty(u"Width", tabletWidth);
    EXPECT_GT(tabletWidth.GetNumber(0), width.GetNumber(0)) << U8(name);
    EXPECT_EQ(form->GetChildCount(), tablet->GetChildCount()) << U8(name);
  }
  std::string problems;
  for (const CNProjectProblem& problem : CheckProject(*m_root)) problems += U8(problem.Format()) + "\n";
  EXPECT_EQ(problems, "");
}

// Both sizes of a question answer the caller's function (a form's, or a root function) and
// close themselves.
TEST_F(ResourceProjectTest, QuestionsAnswerAndClose) {
  m_root->SetEvent(
      u"var said = \"\";\r\nfunction OnSaid(answer) { said = answer; }\r\nfunction Said() { return said; }");
  StartScripts();
  struct Case {
    const char16_t* form;
    const char16_t* callback;
    const char16_t* button;
    const char* answers;
    const char* close;
  };
  const Case cases[] = {
      {u"Resource.RCYesNoMsg", u"\"Caller.mOnAnswer\"", u"btnYes", "\"YES\"", "CloseYesNoMsg RCYesNoMsg"},
      {u"Resource_tablet.RCYesNoMsg", u"\"Caller.mOnAnswer\"", u"btnNo", "c(\"YES\",\"NO\")",
       "CloseYesNoMsg RCYesNoMsg"},
      {u"Resource.RCYesNoCancelMsg", u"\"Caller.mOnAnswer\"", u"btnCancel", "c(\"YES\",\"NO\",\"CANCEL\")",
       "CloseYesNoCancelMsg RCYesNoCancelMsg"},
      {u"Resource_tablet.RCYesNoCancelMsg", u"\"OnSaid\"", u"btnNo", "c(\"YES\",\"NO\",\"CANCEL\")",
       "CloseYesNoCancelMsg RCYesNoCancelMsg"},
      {u"Resource.RCYesNoMsg", u"#NOTHING#", u"btnYes", "c(\"YES\",\"NO\",\"CANCEL\")",
       "CloseYesNoMsg RCYesNoMsg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.form) + " " + U8(c.button));
    Call(c.form, u"SetInfo", {u"\"Stop the pump?\"", c.callback});
    EXPECT_EQ(Property(std::u16string(c.form) + u".lblMessage", u"Text"), "Stop the pump?");
    Press(std::u16string(c.form) + u"." + c.button);
    EXPECT_EQ(Answers(), c.answers);
    EXPECT_EQ(m_runtime.Take(), std::vector<std::string>{c.close});
  }
  CNValue said;
  m_engine.RunFunction(m_root.Get(), u"Said", nullptr, 0, &said);
  EXPECT_EQ(U8(said.GetText(0)), "NO");

  Call(u"Resource.RCMsg", u"SetInfo", {u"\"Pump stopped.\""});
  EXPECT_EQ(Property(u"Resource.RCMsg.lblMessage", u"Text"), "Pump stopped.");
  Press(u"Resource.RCMsg.btnOK");
  EXPECT_EQ(m_runtime.Take(), std::vector<std::string>{"CloseMsg RCMsg"});
  EXPECT_EQ(m_errors.errors, "");
}

// Out of range, the keypad stays open with the edit box's range message; within, it answers.
TEST_F(ResourceProjectTest, NumKeyRefusesNumbersOutsideItsLimits) {
  StartScripts();
  const std::u16string form = u"Resource.RCNumKey";
  Call(form, u"SetInfo", {u"10", u"0", u"100", u"\"Caller.mOnAnswer\""});
  EXPECT_EQ(Property(form + u".lblValue", u"Text"), "10");
  PressAll(form,
           {u"btnKey1", u"btnKey0", u"btnKey0", u"btnPoint", u"btnPoint", u"btnKey7"});  // "1" replaces "10"
  EXPECT_EQ(Property(form + u".lblValue", u"Text"), "100.7");
  PressAll(form, {u"btnEnter"});
  EXPECT_EQ(Property(form + u".lblError", u"Text"),
            "100.7 is not in the range.\n\nPlease input between 0 and 100.");
  EXPECT_EQ(Answers(), "#NOTHING#");
  EXPECT_TRUE(m_runtime.Take().empty());

  PressAll(form, {u"btnClear", u"btnEnter"});
  EXPECT_EQ(Property(form + u".lblError", u"Text"), "Please input some number.");
  PressAll(form, {u"btnSign", u"btnKey8", u"btnPoint", u"btnKey2", u"btnBack", u"btnKey5", u"btnEnter"});
  EXPECT_EQ(Property(form + u".lblError", u"Text"),
            "-8.5 is not in the range.\n\nPlease input between 0 and 100.");
  PressAll(form, {u"btnSign", u"btnEnter"});
  EXPECT_EQ(Answers(), "8.5");
  EXPECT_EQ(m_runtime.Take(), std::vector<std::string>{"CloseNumKey RCNumKey"});

  // One limit only; a text that is no number starts empty.
  Call(form, u"SetInfo", {u"\"abc\"", u"\"\"", u"50", u"\"Caller.mOnAnswer\""});
  EXPECT_EQ(Property(form + u".lblValue", u"Text"), "");
  PressAll(form, {u"btnKey5", u"btnKey0", u"btnKey0", u"btnEnter"});
  EXPECT_EQ(Property(form + u".lblError", u"Text"), "500 is not in the range.\n\nPlease input 50 or under.");
  Call(form, u"SetInfo", {u"#NOTHING#", u"-5", u"#NOTHING#", u"\"Caller.mOnAnswer\""});
  PressAll(form, {u"btnKey9", u"btnSign", u"btnEnter"});
  EXPECT_EQ(Property(form + u".lblError", u"Text"), "-9 is not in the range.\n\nPlease input -5 or over.");
  EXPECT_EQ(m_errors.errors, "");
}

// Edited in place, the keypad and the keyboard write into the edit box and answer nobody.
TEST_F(ResourceProjectTest, KeypadsEditAnEditBoxInPlace) {
  StartScripts();
  std::vector<CNValue> target(1);
  target[0].SetObject(Find(u"Caller.edtValue")->GetHandle());
  CallValues(u"Resource.RCNumKey", u"SetInfoEdit", target);
  EXPECT_EQ(Property(u"Resource.RCNumKey.lblValue", u"Text"), "42");
  PressAll(u"Resource.RCNumKey", {u"btnKey7", u"btnEnter"});
  EXPECT_EQ(Property(u"Caller.edtValue", u"Text"), "7");
  EXPECT_EQ(m_runtime.Take(), std::vector<std::string>{"CloseNumKey RCNumKey"});

  CallValues(u"Resource_tablet.RCTextKey", u"SetInfoEdit", target);
  PressAll(u"Resource_tablet.RCTextKey", {u"btnKeyK", u"btnEnter"});
  EXPECT_EQ(Property(u"Caller.edtValue", u"Text"), "7k");
  EXPECT_EQ(m_runtime.Take(), std::vector<std::string>{"CloseTextKey RCTextKey"});

  // Something that is no object: nothing to write, the keypad just closes.
  Call(u"Resource.RCNumKey", u"SetInfoEdit", {u"5"});
  PressAll(u"Resource.RCNumKey", {u"btnKey1", u"btnEnter"});
  EXPECT_EQ(Property(u"Caller.edtValue", u"Text"), "7k");
  EXPECT_EQ(m_runtime.Take(), std::vector<std::string>{"CloseNumKey RCNumKey"});
  EXPECT_EQ(Answers(), "#NOTHING#");
  EXPECT_EQ(m_errors.errors, "");
}

TEST_F(ResourceProjectTest, TextKeyKeepsToItsMaximumLength) {
  StartScripts();
  const std::u16string form = u"Resource.RCTextKey";
  Call(form, u"SetInfo", {u"\"ab\"", u"3", u"\"Tag name\"", u"\"Caller.mOnAnswer\""});
  EXPECT_EQ(Property(form + u".lblPrompt", u"Text"), "Tag name");
  PressAll(form, {u"btnKeyC", u"btnKeyD"});
  EXPECT_EQ(Property(form + u".lblValue", u"Text"), "abc");
  EXPECT_EQ(Property(form + u".lblError", u"Text"), "Please input up to 3 characters.");
  PressAll(form, {u"btnEnter"});
  EXPECT_EQ(Answers(), "\"abc\"");
  EXPECT_EQ(m_runtime.Take(), std::vector<std::string>{"CloseTextKey RCTextKey"});

  // A text already too long is refused on Enter; shift types capitals, space a blank.
  Call(form, u"SetInfo", {u"\"abcde\"", u"4", u"\"\"", u"\"Caller.mOnAnswer\""});
  PressAll(form, {u"btnEnter"});
  EXPECT_EQ(Property(form + u".lblError", u"Text"), "Please input up to 4 characters.");
  PressAll(form, {u"btnClear", u"btnShift", u"btnKeyP", u"btnShift", u"btnKeyU", u"btnSpace", u"btnKey1",
                  u"btnEnter"});
  EXPECT_EQ(Property(form + u".btnKeyP", u"Text"), "p");
  EXPECT_EQ(Answers(), "c(\"abc\",\"Pu 1\")");
  EXPECT_EQ(m_runtime.Take(), std::vector<std::string>{"CloseTextKey RCTextKey"});
  EXPECT_EQ(m_errors.errors, "");
}

TEST_F(ResourceProjectTest, PasswordAnswersWhetherTheRightOneWasTyped) {
  StartScripts();
  const std::u16string form = u"Resource.RCPassword";
  Call(form, u"SetInfo", {u"\"Password for the recipes\"", u"1234", u"\"Caller.mOnAnswer\""});
  Find(form + u".edtPassword")->SetProperty(u"Text", ::Text(u"4321"));
  PressAll(form, {u"btnOK"});
  EXPECT_EQ(Property(form + u".lblError", u"Text"), "Wrong password.");
  EXPECT_EQ(Property(form + u".edtPassword", u"Text"), "");
  EXPECT_TRUE(m_runtime.Take().empty());
  Find(form + u".edtPassword")->SetProperty(u"Text", ::Text(u"1234"));
  PressAll(form, {u"btnOK"});
  Call(form, u"SetInfo", {u"\"\"", u"1234", u"\"Caller.mOnAnswer\""});
  PressAll(form, {u"btnCancel"});
  EXPECT_EQ(Answers(), "c(T,F)");
  EXPECT_EQ(m_runtime.Take(),
            (std::vector<std::string>{"ClosePassword RCPassword", "ClosePassword RCPassword"}));
  EXPECT_EQ(m_errors.errors, "");
}

// A month without the day shown ends at its last day; the answer is the day at 00:00.
TEST_F(ResourceProjectTest, CalendarStepsThroughDays) {
  StartScripts();
  const std::u16string form = u"Resource.RCCalendar";
  Call(form, u"SetInfo", {u"#2024/01/31 13:45:00#", u"\"Caller.mOnDay\""});
  EXPECT_EQ(Property(form + u".lblDate", u"Text"), "2024/01/31");
  PressAll(form, {u"btnMonthUp"});
  EXPECT_EQ(Property(form + u".lblDate", u"Text"), "2024/02/29");
  PressAll(form, {u"btnYearUp"});
  EXPECT_EQ(Property(form + u".lblDate", u"Text"), "2025/02/28");
  PressAll(form, {u"btnDayUp", u"btnMonthDown", u"btnMonthDown", u"btnDayDown"});
  EXPECT_EQ(Property(form + u".lblDate", u"Text"), "2024/12/31");
  PressAll(form, {u"btnOK"});
  EXPECT_EQ(Answers(), "c(T,\"2024-12-31\")");
  EXPECT_EQ(m_runtime.Take(), std::vector<std::string>{"CloseCalendar RCCalendar"});
  EXPECT_EQ(m_errors.errors, "");
}

TEST_F(ResourceProjectTest, FormMapOffersFormsPageByPage) {
  StartScripts();
  const std::u16string form = u"Resource.RCFormMap";
  Call(form, u"SetFormMap",
       {u"c(\"A\",\"B\",\"C\",\"D\",\"E\",\"F\",\"G\",\"H\",\"I\",\"J\",\"K\",\"L\",\"M\",\"N\")"});
  EXPECT_EQ(Property(form + u".btnForm12", u"Text"), "L");
  EXPECT_EQ(Property(form + u".lblPage", u"Text"), "1 / 2");
  PressAll(form, {u"btnNext", u"btnNext"});
  EXPECT_EQ(Property(form + u".btnForm1", u"Text"), "M");
  EXPECT_EQ(Property(form + u".btnForm3", u"Visible"), "F");
  EXPECT_EQ(Property(form + u".lblPage", u"Text"), "2 / 2");
  PressAll(form, {u"btnForm2"});
  EXPECT_EQ(m_runtime.Take(), (std::vector<std::string>{"OpenForm N", "CloseFormMap RCFormMap"}));
  Call(form, u"ClearFormMap", {});
  EXPECT_EQ(Property(form + u".btnForm1", u"Visible"), "F");
  PressAll(form, {u"btnForm1"});  // hidden and empty: nothing opens
  Call(form, u"SetFormMap", {u"\"Overview\""});
  EXPECT_EQ(Property(form + u".btnForm1", u"Text"), "Overview");
  EXPECT_EQ(Property(form + u".lblPage", u"Text"), "1 / 1");
  EXPECT_TRUE(m_runtime.Take().empty());
  EXPECT_EQ(m_errors.errors, "");
}

TEST_F(ResourceProjectTest, ColorAndSearchAnswerWhatWasChosen) {
  StartScripts();
  Call(u"Resource.RCColor", u"SetInfo", {u"\"#102030\"", u"\"Caller.mOnAnswer\""});
  EXPECT_EQ(Property(u"Resource.RCColor.lblColor", u"Text"), "#102030");
  PressAll(u"Resource.RCColor", {u"rctColor6", u"btnOK"});  // the red swatch
  EXPECT_EQ(Property(u"Resource.RCColor.lblColor", u"Text"), "#FF0000");

  const std::u16string search = u"Resource_tablet.RCSearch";
  Call(search, u"SetInfo", {u"c(\"Pump 1\",\"Valve 2\",\"pump 3\")", u"\"Caller.mOnAnswer\""});
  EXPECT_EQ(Property(search + u".lblCount", u"Text"), "3 found");
  Find(search + u".edtSearch")->SetProperty(u"Text", ::Text(u"PUMP"));
  PressAll(search, {u"btnSearch"});
  EXPECT_EQ(Property(search + u".lblCount", u"Text"), "2 found");
  EXPECT_EQ(Property(search + u".btnHit2", u"Text"), "pump 3");
  EXPECT_EQ(Property(search + u".btnHit3", u"Visible"), "F");
  PressAll(search, {u"btnHit2"});
  EXPECT_EQ(Answers(), "c(\"#FF0000\",\"pump 3\")");
  EXPECT_EQ(m_runtime.Take(), (std::vector<std::string>{"CloseColor RCColor", "CloseSearch RCSearch"}));
  EXPECT_EQ(m_errors.errors, "");
}

// Without a login server the login is refused: the dialog says why and stays open.
TEST_F(ResourceProjectTest, LoginReportsARefusedLogin) {
  StartScripts();
  const std::u16string form = u"Resource.RCLogin";
  Call(form, u"SetInfo", {u"\"127.0.0.1\"", u"6001", u"\"user\"", u"\"wqxa\""});
  EXPECT_EQ(Property(form + u".lblServer", u"Text"), "127.0.0.1:6001");
  EXPECT_EQ(Property(form + u".edtUser", u"Text"), "user");
  PressAll(form, {u"btnOK"});
  EXPECT_EQ(Property(form + u".lblError", u"Text"), "No login server.");
  EXPECT_TRUE(m_runtime.Take().empty());
  PressAll(form, {u"btnCancel"});
  EXPECT_EQ(m_runtime.Take(), std::vector<std::string>{"CloseLoginDialog"});
  EXPECT_EQ(m_errors.errors, "");
}

// Whatever a script hands over, every opening method runs without a script error.
TEST_F(ResourceProjectTest, EmptyArgumentsStopNoDialog) {
  StartScripts();
  const std::pair<const char16_t*, int> methods[] = {
      {u"RCMsg.SetInfo", 1},        {u"RCYesNoMsg.SetInfo", 2},    {u"RCYesNoCancelMsg.SetInfo", 2},
      {u"RCPassword.SetInfo", 3},   {u"RCNumKey.SetInfo", 4},      {u"RCNumKey.SetInfoEdit", 1},
      {u"RCTextKey.SetInfo", 4},    {u"RCTextKey.SetInfoEdit", 1}, {u"RCCalendar.SetInfo", 2},
      {u"RCFormMap.SetFormMap", 1}, {u"RCColor.SetInfo", 2},       {u"RCSearch.SetInfo", 2},
      {u"RCLogin.SetInfo", 4}};
  for (const char16_t* folder : kFolders) {
    for (const auto& [method, count] : methods) {
      const std::u16string path = std::u16string(folder) + u"." + method;
      const size_t dot = path.rfind(u'.');
      std::vector<CNValue> args(static_cast<size_t>(count));
      CallValues(std::u16string_view(path).substr(0, dot), std::u16string_view(path).substr(dot + 1), args);
    }
  }
  PressAll(u"Resource.RCNumKey", {u"btnEnter"});
  PressAll(u"Resource.RCColor", {u"btnOK"});
  PressAll(u"Resource.RCSearch", {u"btnSearch"});
  EXPECT_EQ(Answers(), "#NOTHING#");
  EXPECT_EQ(m_errors.errors, "");
}

}  // namespace
