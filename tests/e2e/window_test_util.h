#pragma once

// The host program's window on a virtual display of its own, driven with xdotool.

#include <string>
#include <vector>

#include "comm_e2e/child_process.h"

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
