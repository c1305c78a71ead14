#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "project/project_test_util.h"

struct CheckOutcome {
  int exitCode = -1;
  std::string out;
};

inline std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}

// Runs veltrix-check with its arguments (quoted for the shell) and takes its standard output,
// and its error output too when asked; in the working folder given, else in the test's own.
inline CheckOutcome RunCheck(const std::string& arguments, bool withErrors = false,
                             const std::string& workingFolder = {}) {
  CheckOutcome outcome;
  const std::string command = (workingFolder.empty() ? "" : "cd " + Quoted(workingFolder) + " && ") +
                              VELTRIX_CHECK + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null");
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return outcome;
  char chunk[4096];
  while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) outcome.out.append(chunk, n);
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}
