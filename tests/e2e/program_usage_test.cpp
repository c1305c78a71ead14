// The programs' command lines as users meet them: help, bad options, and a host started where
// no window can be shown.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "project/project_test_util.h"

namespace {

struct ProgramRun {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs "environment program arguments" through the shell, with its output in files.
ProgramRun RunProgram(const std::string& environment, const std::string& program, const std::string& arguments) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("veltrix_usage_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path out = folder / "out.txt";
  const std::filesystem::path err = folder / "err.txt";
  const std::string command = environment + " '" + program + "' " + arguments + " </dev/null >'" + out.string() +
                              "' 2>'" + err.string() + "'";
  ProgramRun run;
  const int status = std::system(command.c_str());
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = ReadText(out.string());
  run.err = ReadText(err.string());
  std::filesystem::remove_all(folder);
  return run;
}

const struct Program {
  const char* path;
  const char* usage;  // how its usage text begins
} kPrograms[] = {
    {VELTRIX_BROWSER_APP, "usage: VeltrixBrowser6 [--headless] PROJECT"},
    {VELTRIX_CHECK_TOOL, "usage: veltrix-check PROJECT"},
    {VELTRIX_SCRIPT_TOOL, "usage: veltrix-script FILE"},
    {VELTRIX_PANEL_SERVER_SIM, "usage: panel-server-sim [--port 6001]"},
};

}  // namespace

TEST(ProgramUsage, HelpGoesToStdoutAndAnUnknownOptionToStderrWithExitTwo) {
  for (const Program& program : kPrograms) {
    for (const char* help : {"--help", "-h"}) {
      SCOPED_TRACE(std::string(program.path) + " " + help);
      const ProgramRun run = RunProgram("", program.path, help);
      EXPECT_EQ(run.code, 0);
      EXPECT_TRUE(run.out.starts_with(program.usage)) << run.out;
      EXPECT_EQ(run.err, "");
    }
    for (const char* bad : {"--no-such-option", "PROJECT --no-such-option 1", "-x"}) {
      SCOPED_TRACE(std::string(program.path) + " " + bad);
      const ProgramRun run = RunProgram("", program.path, bad);
      EXPECT_EQ(run.code, 2);
      EXPECT_NE(run.err.find(program.usage), std::string::npos) << run.err;
      EXPECT_EQ(run.out, "");
    }
  }
}

TEST(ProgramUsage, HostWithoutADisplaySaysSoAndExitsTwo) {
  // No display at all, and a display that names no server. (The sanitizers' summary of the
  // leaks they were told to ignore is kept out of the way.)
  for (const char* environment :
       {"env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER LSAN_OPTIONS=print_suppressions=0",
        "env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:9417 LSAN_OPTIONS=print_suppressions=0"}) {
    SCOPED_TRACE(environment);
    const ProgramRun run = RunProgram(environment, VELTRIX_BROWSER_APP, std::string(VELTRIX_DEMO_PROJECT) + " --seconds 1");
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.starts_with("VeltrixBrowser6: no display")) << run.err;
    EXPECT_NE(run.err.find("--headless"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("XDG_RUNTIME_DIR"), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}
