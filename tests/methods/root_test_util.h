#pragma once

// A script world for the root object's global functions, a runtime that records what reaches it,
// and a temporary folder for the files a test makes.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "methods/runtime_host.h"
#include "script/exec_test_util.h"
#include "support/temp_folder.h"

// The display text of a value as traces print it.
inline std::string Shown(const CNValue& value) {
  return Utf16ToUtf8(DisplayText(value));
}

// A runtime that records every request and answers `answer` (T by default) when `handles` is
// true, else declines like a runtime that cannot do the work.
class FakeRuntime : public IKVRuntime {
 public:
  bool GetProjectFolder(std::u16string& folder) override {
    if (projectFolder.empty()) return false;
    folder = Utf8ToUtf16(projectFolder);
    return true;
  }
  bool GetProjectFileName(std::u16string& name) override {
    name = u"plant.xml";
    return true;
  }
  bool Dialog(const CKVDialogRequest& request, CNValue& result) override {
    static constexpr const char* kActions[] = {"open", "close", "call"};
    std::u16string form = std::u16string(request.form);
    if (!request.method.empty()) form += u"." + std::u16string(request.method);
    Record(Utf16ToUtf8(request.function) + " " + kActions[request.action] + " " + Utf16ToUtf8(form) +
               (request.modal ? " modal" : ""),
           request.args);
    return Answer(result);
  }
  bool OpenDialog(const CKVDialogParams& params, CNValue& result) override {
    dialog = params;
    Record("OpenDialog open " + Utf16ToUtf8(params.baseFormName) + (params.modal ? " modal" : ""), {});
    return Answer(result);
  }
  bool Request(std::u16string_view function, std::span<const CNValue* const> args, CNValue& result) override {
    Record(Utf16ToUtf8(function), args);
    return Answer(result);
  }

  std::string projectFolder;
  bool handles = true;
  CNValue answer = [] {
    CNValue t;
    t.SetBool(true);
    return t;
  }();
  // Every request as "function[ action form[.method][ modal]] (the arguments' literal texts)".
  std::vector<std::string> requests;
  CKVDialogParams dialog;

 private:
  void Record(std::string request, std::span<const CNValue* const> args) {
    request += " (";
    for (size_t i = 0; i < args.size(); ++i)
      request += (i ? ", " : "") + Utf16ToUtf8(args[i]->ToLiteral(true));
    requests.push_back(request + ")");
  }
  bool Answer(CNValue& result) {
    result.SetString(u"partial");  // dropped by the caller when the runtime declines
    if (handles) result.Assign(answer);
    return handles;
  }
};

// The test world of exec_test_util.h with the root's own global functions, whose runtime a test
// chooses; root's script is rootScript and lblCalendar1's
//   function mSetValue(v) { ::Trace("day " & CStr(v)); return v + 1; }
class RootWorld : public BasicScriptWorld {
 public:
  explicit RootWorld(IKVRuntime* runtime = nullptr, std::u16string_view rootScript = u"") {
    engine.SetRuntime(runtime);
    if (!rootScript.empty()) LoadScript(*root, rootScript);
    LoadScript(*calendar, u"function mSetValue(v) { ::Trace(\"day \" & CStr(v)); return v + 1; }");
  }

  // Runs text as the body of Button1's OnInitialize; what it traced and reported.
  std::vector<std::string> Run(std::u16string_view body) {
    return Call(u"event OnInitialize() {\n" + std::u16string(body) + u"\n}", u"OnInitialize");
  }
  // Loads script as Button1's and runs its function with args; what it traced and reported.
  std::vector<std::string> Call(std::u16string_view script, std::u16string_view function,
                                std::vector<CNValue> args = {}) {
    output.clear();
    if (LoadScript(*button, script))
      engine.RunFunction(button, function, args.data(), static_cast<uint32_t>(args.size()), nullptr);
    return output;
  }
};

// The settings store under a folder of the test's own for as long as it lives.
class ScopedConfigHome {
 public:
  explicit ScopedConfigHome(const std::filesystem::path& folder) {
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) m_old = old;
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
  }
  ~ScopedConfigHome() {
    if (m_old)
      setenv("XDG_CONFIG_HOME", m_old->c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }

 private:
  std::optional<std::string> m_old;
};
