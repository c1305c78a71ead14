// Runs every program of a folder's *.vs files in a fresh ScriptWorld and compares what it traces
// and reports with the expected lines written under it. A file holds cases of this form:
//
//   === what the case shows
//   event OnInitialize() { ::Trace(1 + 1); }
//   --- calls OnInitialize OnTimer     (optional; OnInitialize by default)
//   --- tags offline                   (optional: tags started offline, or "stopped")
//   --- limits statements=10000 time=20 elements=1000 text=1000   (optional: any of them)
//   --- output
//   2
//
// where the output lists the ::Trace lines and the reported errors ("Runtime Error : ...") in the
// order they came.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "script/exec_test_util.h"

struct ProgramCase {
  std::string where;  // file:line of the "===" line
  std::string title;
  std::string program;
  std::vector<std::string> calls{"OnInitialize"};
  std::vector<std::string> output;
  std::string tags;  // the state of the world's tag suite; empty when it has none
  CScriptLimits limits;
};

inline std::vector<ProgramCase> ReadProgramCases(const std::filesystem::path& file) {
  std::vector<ProgramCase> cases;
  std::ifstream in(file);
  std::string line;
  bool inOutput = false;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.starts_with("=== ")) {
      cases.push_back({file.filename().string() + ":" + std::to_string(number), line.substr(4), {}, {"OnInitialize"}, {}, {}, {}});
      inOutput = false;
    } else if (cases.empty()) {
      continue;  // the file's heading
    } else if (line == "--- output") {
      inOutput = true;
    } else if (line.starts_with("--- calls")) {
      std::istringstream names(line.substr(9));
      cases.back().calls.clear();
      for (std::string name; names >> name;) cases.back().calls.push_back(name);
    } else if (line.starts_with("--- limits ")) {
      std::istringstream words(line.substr(11));
      CScriptLimits& limits = cases.back().limits;
      for (std::string word; words >> word;) {
        const uint64_t n = std::stoull(word.substr(word.find('=') + 1));
        if (word.starts_with("statements=")) limits.statementLimit = n;
        if (word.starts_with("time=")) limits.timeLimitMs = static_cast<uint32_t>(n);
        if (word.starts_with("elements=")) limits.maxElements = static_cast<uint32_t>(n);
        if (word.starts_with("text=")) limits.maxTextLength = static_cast<uint32_t>(n);
      }
    } else if (line.starts_with("--- tags ")) {
      cases.back().tags = line.substr(9);
    } else if (inOutput) {
      cases.back().output.push_back(line);
    } else {
      cases.back().program += line + "\n";
    }
  }
  // Blank lines that end a case's output separate it from the next case.
  for (ProgramCase& c : cases)
    while (!c.output.empty() && c.output.back().empty()) c.output.pop_back();
  return cases;
}

// Runs the cases of every file of folder; how many there were.
inline size_t ExpectProgramsPrintTheirOutput(const std::filesystem::path& folder) {
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".vs") continue;
    for (const ProgramCase& c : ReadProgramCases(entry.path())) {
      SCOPED_TRACE(c.where + " " + c.title);
      TagScriptWorld tagged(c.tags == "offline");
      ScriptWorld& world = tagged.world;
      if (c.tags.empty()) world.engine.SetTagServer(nullptr);
      world.engine.SetLimits(c.limits);
      if (world.Load(Utf8ToUtf16(c.program)))
        for (const std::string& name : c.calls) world.Run(Utf8ToUtf16(name));
      EXPECT_EQ(world.output, c.output);
      ++count;
    }
  }
  return count;
}
