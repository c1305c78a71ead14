// The Python module over the C library, run by a real Python interpreter.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "comm_e2e/child_process.h"

namespace {

// A sanitized library needs its runtime loaded first into a program that was built without
// it; the interpreter's own leaks are not ours.
void PrepareSanitizedLoad() {
#if defined(__SANITIZE_ADDRESS__)
  setenv("LD_PRELOAD", VELTRIX_ASAN_RUNTIME, 1);
  setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
#endif
}

TEST(EmbedPython, TheModuleDrivesTheControl) {
  if (!std::filesystem::exists("/usr/bin/python3")) GTEST_SKIP() << "python3 is needed";
  setenv("VELTRIX_BROWSER_LIBRARY", VELTRIX_BROWSER_LIBRARY, 1);
  setenv("VELTRIX_EMBED_DIR", VELTRIX_EMBED_DIR, 1);
  const char* preload = getenv("LD_PRELOAD");
  const std::string previousPreload = preload ? preload : "";
  PrepareSanitizedLoad();
  ChildProcess python;
  const bool started = python.Start({"/usr/bin/python3", VELTRIX_PYTHON_CHECK});
  if (preload) setenv("LD_PRELOAD", previousPreload.c_str(), 1);
  else unsetenv("LD_PRELOAD");
  ASSERT_TRUE(started);
  std::vector<std::string> seen;
  const std::string last = python.WaitForLine("^python checks", seen, 60000);
  EXPECT_EQ(last, "python checks passed") << ChildProcess::Joined(seen);
}

}  // namespace
