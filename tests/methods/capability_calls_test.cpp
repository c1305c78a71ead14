// A refused built-in function does not run: it answers its failure, leaves "Denied by policy:
// FAMILY" for "GetLastError", traces the refusal once per function and object, and nothing is
// started, written, deleted or sent.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "http_test_server.h"
#include "root_test_util.h"
#include "support/trace_capture.h"

namespace {

namespace fs = std::filesystem;

// Waits up to two seconds for a program the script started.
bool AppearsSoon(const fs::path& file) {
  for (int i = 0; i < 200 && !fs::exists(file); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return fs::exists(file);
}

struct FamilyCase {
  const char* family;
  std::string call;                // traced, then "GetLastError" traced
  std::string deniedAnswer;        // what the call answers when refused
  std::function<bool()> happened;  // whether the call had its effect
};

CKVCapabilityPolicy PolicyOf(std::string_view text) {
  std::string error;
  return CKVCapabilityPolicy::Parse(text, error).value();
}

}  // namespace

TEST(CapabilityCalls, EachFamilyRunsWhenAllowedAndDoesNothingWhenDenied) {
  TempFolder folder;
  const fs::path kept = folder.path / "kept.txt";
  std::ofstream(kept) << "keep me";
  HttpServer server;
  int requests = 0;  // before the call
  const ScopedConfigHome config(folder.path / "config");
  const std::vector<FamilyCase> cases = {
      {"processes", "::OpenApplication(\"touch\", \"" + folder.File("started") + "\")", "F",
       [&] { return AppearsSoon(folder.path / "started"); }},
      {"files", "::SaveTextFile(\"" + folder.File("saved.txt") + "\", \"x\")", "F",
       [&] { return fs::exists(folder.path / "saved.txt"); }},
      {"files", "::DeleteFile(\"" + kept.string() + "\")", "F", [&] { return !fs::exists(kept); }},
      {"network", "::HTTPGet(\"" + server.Url("/text") + "\")", "#NOTHING#",
       [&] { return server.Requests() > requests; }},
      {"settings", "::SetRegistoryValue(\"Plant\", \"Mode\", 3)", "F",
       [&] { return fs::exists(folder.path / "config"); }},
      {"clipboard", "::SetClipboardData(\"recipe\")", "F",
       [] {
         RootWorld reader;
         return reader.Run(u"::Trace(::GetClipboardData());") == std::vector<std::string>{"recipe"};
       }},
  };
  for (const ProjectSource source : {ProjectSource::kLocal, ProjectSource::kHttp}) {
    for (const FamilyCase& c : cases) {
      SCOPED_TRACE(std::string(ProjectSourceName(source)) + " " + c.call);
      RootWorld world;
      const std::u16string body = Utf8ToUtf16("::Trace(" + c.call + ", ::GetLastError());");
      // A policy for the other source, or for other families, changes nothing.
      world.engine.SetCapabilityPolicy(
          PolicyOf(std::string(source == ProjectSource::kHttp ? "local" : "http") + " * deny\n* " + c.family +
                   " allow\n"),
          source);
      const std::vector<std::string> allowed = world.Run(body);
      ASSERT_EQ(allowed.size(), 2u);
      EXPECT_NE(allowed[1], std::string("Denied by policy: ") + c.family);
      EXPECT_TRUE(c.happened());
      // Undo the effect, then refuse the family to this source.
      std::error_code ignored;
      fs::remove(folder.path / "started", ignored);
      fs::remove(folder.path / "saved.txt", ignored);
      fs::remove_all(folder.path / "config", ignored);
      std::ofstream(kept) << "keep me";
      requests = server.Requests();
      RootWorld().Run(u"::SetClipboardData(\"\");");
      world.engine.SetCapabilityPolicy(
          PolicyOf(std::string(ProjectSourceName(source)) + " " + c.family + " deny"), source);
      EXPECT_EQ(world.Run(body),
                (std::vector<std::string>{c.deniedAnswer, std::string("Denied by policy: ") + c.family}));
      EXPECT_FALSE(c.happened());
    }
  }
}

TEST(CapabilityCalls, ARefusalIsTracedOncePerFunctionAndObjectAndTheScriptGoesOn) {
  TraceCapture trace;
  RootWorld world;
  world.engine.SetCapabilityPolicy(PolicyOf("http os deny\nhttp clipboard deny"), ProjectSource::kHttp);
  EXPECT_EQ(
      world.Run(u"::Trace(::SetClientTime(::GetClientTime()), ::GetLastError());\n"
                u"::Trace(::SetClientTime(::GetClientTime()), ::GetClipboardData(), ::GetLastError());\n"
                u"::Trace(\"still running\");"),
      (std::vector<std::string>{"F", "Denied by policy: os", "F", "#NOTHING#", "Denied by policy: clipboard",
                                "still running"}));
  world.LoadScript(*world.calendar, u"function Grab() { return ::GetClipboardData(); }");
  world.engine.RunFunction(world.calendar, u"Grab", nullptr, 0, nullptr);
  EXPECT_EQ(trace.Take({"Denied"}),
            (std::vector<std::string>{
                "Denied by policy: os: SetClientTime on Form1.Button1 (http project)",
                "Denied by policy: clipboard: GetClipboardData on Form1.Button1 (http project)",
                "Denied by policy: clipboard: GetClipboardData on Form1.lblCalendar1 (http project)"}));
}

TEST(CapabilityCalls, AWrongArgumentCountStillStopsTheScriptBeforeThePolicyIsAsked) {
  RootWorld world;
  world.engine.SetCapabilityPolicy(PolicyOf("* * deny"), ProjectSource::kLocal);
  EXPECT_EQ(world.Run(u"::Trace(::SaveTextFile());"),
            (std::vector<std::string>{"Runtime Error : Function execution stops for SaveTextFile"}));
}

TEST(CapabilityCalls, EveryGuardedFunctionFailsWithoutStoppingTheScript) {
  RegisterBuiltInMethods();
  for (const CKVMethodTable* table : {&RootMethods(), &CommonMethods(), &ObjectMethods()}) {
    for (size_t i = 0; i < table->Size(); ++i) {
      const MethodEntry& entry = table->GetEntry(static_cast<int32_t>(i));
      if (entry.family != CapabilityFamily::kNone) {
        EXPECT_NE(entry.failure, MethodFailure::kStops) << Utf16ToUtf8(entry.name);
      }
    }
  }
}
