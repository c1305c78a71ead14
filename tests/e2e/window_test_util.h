#pragma once

// The host program's window on a virtual display of its own, driven with xdotool.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "comm_e2e/child_process.h"
#include "draw/image.h"
#include "drawing/golden_image.h"

inline constexpr int64_t kWindowWaitMs = 30000;

// The demo's tags, all constant so that a window's picture is the same every run.
inline constexpr const char* kConstantDemoTags =
    "Tank1.Level       number 50\n"
    "Tank1.SetPoint    number 80\n"
    "Tank2.Level       number 30\n"
    "Tank2.SetPoint    number 60\n"
    "Boiler.Temp       number 72.5\n"
    "Pump1.Running     bool   T\n"
    "Pump2.Running     bool   F\n"
    "Valve1.Open       bool   T\n"
    "Valve2.Open       bool   F\n"
    "Plant.Message     string \"All systems normal\"\n"
    "Demo.Tour         bool   F\n";

// Runs a command to its end; its first line of output.
inline std::string RunCommand(std::vector<std::string> args) {
  ChildProcess process;
  if (!process.Start(std::move(args))) return {};
  std::string line;
  process.ReadLine(line, ChildProcess::NowMs() + kWindowWaitMs);
  process.Stop();
  return line;
}

// A virtual display of its own: Xvfb picks a free display number and tells it.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    if (!m_server.Start(
            {"/usr/bin/Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}))
      return;
    std::string number;
    if (m_server.ReadLine(number, ChildProcess::NowMs() + kWindowWaitMs) && !number.empty())
      m_name = ":" + number;
  }
  const std::string& GetName() const { return m_name; }

 private:
  ChildProcess m_server;
  std::string m_name;
};

// A test on a virtual display of its own (DISPLAY names it for the programs it starts), with a
// folder for its files where the host program also writes its screenshots; skipped without
// Xvfb and xdotool (scripts/setup installs them).
class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists("/usr/bin/Xvfb") || !std::filesystem::exists("/usr/bin/xdotool"))
      GTEST_SKIP() << "Xvfb and xdotool are needed (scripts/setup installs them)";
    m_display = std::make_unique<VirtualDisplay>();
    ASSERT_FALSE(m_display->GetName().empty());
    setenv("DISPLAY", m_display->GetName().c_str(), 1);
    m_folder = std::filesystem::temp_directory_path() /
               ("veltrix_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(m_folder);
    setenv("VELTRIX_SCREENSHOT_DIR", m_folder.c_str(), 1);
  }

  std::unique_ptr<VirtualDisplay> m_display;
  std::filesystem::path m_folder;
};

// Compares a screenshot of the demo (its tags held still) with its golden image.
inline testing::AssertionResult DemoMatchesGoldenImage(const std::string& shot, const std::string& name) {
  const std::unique_ptr<CRSurface> picture = CRImage::LoadFile(shot);
  if (!picture) return testing::AssertionFailure() << "no screenshot " << shot;
  return MatchesGoldenImage(*picture, name, 8, 200);
}
