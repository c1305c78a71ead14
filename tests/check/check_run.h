#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "browser/project_test_util.h"

struct CheckOutcome {
  int exitCode = -1;
  std::string out;
};

// Runs veltrix-check with its arguments (quoted for the shell) and takes its standard output.
inline CheckOutcome RunCheck(const std::string& arguments) {
  CheckOutcome outcome;
  FILE* pipe = popen((std::string(VELTRIX_CHECK) + " " + arguments + " 2>/dev/null").c_str(), "r");
  if (!pipe) return outcome;
  char chunk[4096];
  while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) outcome.out.append(chunk, n);
  const int status = pclose(pipe);
  outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return outcome;
}

inline std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}
