// The built-in dialogs: the embedded resource project loads, and its forms' scripts answer the
// caller and close themselves when their buttons are pressed, as dialogs/scenarios.txt tells.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "controls/buttons.h"
#include "controls/form.h"
#include "controls/form_folder.h"
#include "controls/label_controls.h"
#include "editing/edit_box.h"
#include "methods/builtin_methods.h"
#include "methods/runtime_host.h"
#include "project/builtin_resources.h"
#include "project/form_file_reader.h"
#include "project/root_client_browser.h"
#include "project_test_util.h"
#include "script/script_engine_impl.h"
#include "shapes/shapes.h"
#include "support/message_box.h"
#include "values/value_display.h"

namespace {

constexpr const char16_t* kFolders[] = {u"Resource", u"Resource_tablet"};

// The script of the form that opens the dialogs, and the root's: their functions keep what the
// dialogs answer.
constexpr char16_t kCallerScript[] =
    u"var answers = #NOTHING#;\r\n"
    u"function mOnAnswer(answer) { answers = ::MergeValue(answers, answer); }\r\n"
    u"function mOnDay(day) { answers = ::MergeValue(answers, ::IsTime(day), "
    u"::StringFormat(\"%04d-%02d-%02d\", ::GetYear(day), ::GetMonth(day), ::GetDay(day))); }\r\n"
    u"function Answers() { return answers; }\r\n";
constexpr char16_t kRootScript[] =
    u"var said = \"\";\r\nfunction OnSaid(answer) { said = answer; }\r\nfunction Said() { return said; }";

// The resource project with its scripts running: the project runtime as the dialogs see it
// writes every dialog function and every other request down as "Function Form" or "Function
// arguments..." and answers T; what the scripts report is kept.
class DialogWorld : public IKVRuntime, public IKVScriptErrorSink, public CNObjectOwner {
 public:
  DialogWorld() {
    m_previousBox = CRMessageBox::SetCurrent(&m_box);
    RegisterBuiltInMethods();
    RegisterObjectClass<CNPFormFolder>(m_registry, u"Folder", u"");
    RegisterObjectClass<CNPForm>(m_registry, u"Form", u"");
    RegisterObjectClass<CNPCommandButton>(m_registry, u"Button", u"Basic Controls");
    RegisterObjectClass<CNPRect>(m_registry, u"Rectangle", u"2D Shapes");
    RegisterObjectClass<CNPLabel>(m_registry, u"Label", u"Basic Controls");
    RegisterObjectClass<CNPEditBox>(m_registry, u"EditBox", u"Basic Controls");
    loaded =
        m_root->OpenResourceProject(BuiltInResources(), kResourceProjectId, kResourceProjectType, m_context);
  }
  ~DialogWorld() override {
    m_engine.Shutdown();
    m_root->SetOwner(nullptr);
    CRMessageBox::SetCurrent(m_previousBox);
  }

  // Every script of the project loaded, beside the folders the form "Caller" with its edit box
  // "edtValue".
  void StartScripts() {
    m_engine.SetRuntime(this);
    m_engine.SetErrorSink(this);
    m_root->SetOwner(this);
    m_root->SetEvent(kRootScript);
    CNObject* caller = m_registry.Create(u"Form");
    caller->SetName(u"Caller");
    caller->SetEvent(kCallerScript);
    m_root->AddChild(caller);
    CNObject* edit = m_registry.Create(u"EditBox");
    edit->SetName(u"edtValue");
    edit->SetProperty(u"Text", Text(u"42"));
    caller->AddChild(edit);
    LoadScripts(*m_root);
  }

  // The object at a path of names from the root ("Resource.RCNumKey.btnKey1"); "root" is the root.
  CNObject* Find(std::u16string_view path) {
    CNObject* object = m_root.Get();
    while (object && !path.empty() && path != u"root") {
      const size_t dot = path.find(u'.');
      object = object->FindChild(path.substr(0, dot));
      path = dot == std::u16string_view::npos ? std::u16string_view() : path.substr(dot + 1);
    }
    return object;
  }
  bool Run(std::u16string_view path, std::u16string_view function, std::vector<CNValue> args,
           CNValue* result = nullptr) {
    CNObject* object = Find(path);
    return object &&
           m_engine.RunFunction(object, function, args.data(), static_cast<uint32_t>(args.size()), result);
  }

  // Runs one line of a scenario; a text on what went wrong, empty when it held.
  std::string Step(const std::string& line) {
    std::istringstream in(line);
    std::string command, path, name;
    in >> command >> path;
    if (command == "press") {
      for (std::string button; in >> button;) {
        auto* object = dynamic_cast<CNPObject*>(Find(Utf8ToUtf16(path + "." + button)));
        if (!object) return "no button " + button;
        object->ButtonDown(MOUSE_LEFT, {});
        object->ButtonUp(MOUSE_LEFT, {});
      }
      return {};
    }
    if (command == "answers") return Check(Result(u"Caller", u"Answers", true), line.substr(8));
    if (command == "requests") return Check(Requests(), line.size() > 9 ? line.substr(9) : "");
    in >> name;
    std::string rest;
    std::getline(in >> std::ws, rest);
    if (command == "returns") return Check(Result(Utf8ToUtf16(path), Utf8ToUtf16(name), false), rest);
    CNObject* object = Find(Utf8ToUtf16(path));
    if (!object) return "no object " + path;
    if (command == "set")
      return object->SetProperty(Utf8ToUtf16(name), Text(Utf8ToUtf16(rest))) ? "" : "not set";
    if (command == "expect") {
      CNValue value;
      object->GetProperty(Utf8ToUtf16(name), value);
      return Check(U8(value.GetText(0)), Unescaped(rest));
    }
    if (command == "call") return Run(Utf8ToUtf16(path), Utf8ToUtf16(name), Arguments(rest)) ? "" : "failed";
    return "unknown command";
  }

  bool loaded = false;
  CPanelControls m_registry;
  CRRecordingMessageBox m_box;
  CRPtr<CNPRootClientBrowser> m_root = CRPtr<CNPRootClientBrowser>::Make();
  std::string errors;

 private:
  static std::string Check(const std::string& got, const std::string& expected) {
    return got == expected ? "" : "got \"" + got + "\", expected \"" + expected + "\"";
  }
  static std::string Unescaped(std::string text) {
    for (size_t at; (at = text.find("\\n")) != std::string::npos;) text.replace(at, 2, "\n");
    return text;
  }
  std::string Result(std::u16string_view path, std::u16string_view function, bool literal) {
    CNValue result;
    Run(path, function, {}, &result);
    return U8(literal ? result.ToLiteral(true) : result.GetText(0));
  }
  std::string Requests() {
    std::string lines;
    for (const std::string& request : std::exchange(m_requests, {}))
      lines += (lines.empty() ? "" : "; ") + request;
    return lines;
  }
  // Literals parted by " | "; "@PATH" is the object's handle.
  std::vector<CNValue> Arguments(const std::string& text) {
    std::vector<CNValue> args;
    for (size_t from = 0; from < text.size();) {
      const size_t bar = std::min(text.find(" | ", from), text.size());
      const std::string literal = text.substr(from, bar - from);
      CNValue& arg = args.emplace_back();
      auto* object =
          literal.starts_with('@') ? dynamic_cast<CNPObject*>(Find(Utf8ToUtf16(literal.substr(1)))) : nullptr;
      if (object)
        arg.SetObject(object->GetHandle());
      else if (!arg.FromLiteral(Utf8ToUtf16(literal), true))
        errors += "not a literal: " + literal + "\n";
      from = bar + 3;
    }
    return args;
  }
  void LoadScripts(CNObject& object) {
    if (!object.GetEvent().empty() && !m_engine.Load(&object))
      errors += "not compiled: " + U8(object.GetName()) + "\n";
    for (int32_t i = 0; i < object.GetChildCount(); ++i) LoadScripts(*object.GetChild(i));
  }

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
  void OnScriptError(std::u16string_view title, std::u16string_view message) override {
    errors += U8(title) + " : " + U8(message) + "\n";
  }
  CNScript* GetScript() override { return &m_engine; }

  CNFormLoadContext m_context{m_registry};
  CRMessageBox* m_previousBox = nullptr;
  CNScriptImpl m_engine{m_registry};
  std::vector<std::string> m_requests;
};

TEST(ResourceProject, EveryScenarioGoesAsWritten) {
  std::ifstream in(std::filesystem::path(VELTRIX_DIALOG_SCENARIOS));
  ASSERT_TRUE(in) << VELTRIX_DIALOG_SCENARIOS;
  std::unique_ptr<DialogWorld> world;
  std::string title;
  size_t scenarios = 0;
  const auto finish = [&] {
    if (world) {
      EXPECT_EQ(world->errors, "") << title;
    }
  };
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.starts_with("=== ")) {
      finish();
      title = line.substr(4);
      world = std::make_unique<DialogWorld>();
      ASSERT_TRUE(world->loaded);
      world->StartScripts();
      ++scenarios;
    } else if (world && !line.empty() && !line.starts_with("#")) {
      EXPECT_EQ(world->Step(line), "") << "scenarios.txt:" << number << ": " << line;
    }
  }
  finish();
  EXPECT_EQ(scenarios, 10u);
}

// Whatever a script hands over, every opening method runs without a script error.
TEST(ResourceProject, EmptyArgumentsStopNoDialog) {
  DialogWorld world;
  world.StartScripts();
  const std::pair<std::u16string_view, size_t> methods[] = {
      {u"RCMsg.SetInfo", 1},        {u"RCYesNoMsg.SetInfo", 2},    {u"RCYesNoCancelMsg.SetInfo", 2},
      {u"RCPassword.SetInfo", 3},   {u"RCNumKey.SetInfo", 4},      {u"RCNumKey.SetInfoEdit", 1},
      {u"RCTextKey.SetInfo", 4},    {u"RCTextKey.SetInfoEdit", 1}, {u"RCCalendar.SetInfo", 2},
      {u"RCFormMap.SetFormMap", 1}, {u"RCColor.SetInfo", 2},       {u"RCSearch.SetInfo", 2},
      {u"RCLogin.SetInfo", 4}};
  for (const char16_t* folder : kFolders) {
    for (const auto& [method, count] : methods) {
      const size_t dot = method.find(u'.');
      EXPECT_TRUE(world.Run(std::u16string(folder) + u"." + std::u16string(method.substr(0, dot)),
                            method.substr(dot + 1), std::vector<CNValue>(count)))
          << U8(method);
    }
  }
  for (const char* line : {"press Resource.RCNumKey btnEnter", "press Resource.RCColor btnOK",
                           "press Resource.RCSearch btnSearch", "answers #NOTHING#"})
    EXPECT_EQ(world.Step(line), "") << line;
  EXPECT_EQ(world.errors, "");
}

}  // namespace
