#pragma once

#include <sys/types.h>

#include <csignal>
#include <cstdint>
#include <string>
#include <vector>

// A program started as a child process with its standard output on a pipe, read line by line.
// The destructor always stops and reaps it.
class ChildProcess {
 public:
  static constexpr int kStopLimitMs = 5000;

  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess() { Stop(); }

  // args[0] is the program's path; withErrors puts its standard error on the same pipe. False
  // when it cannot be started.
  bool Start(std::vector<std::string> args, bool withErrors = false);
  // The next line of its standard output, waiting until deadlineMs (NowMs) at most.
  bool ReadLine(std::string& line, int64_t deadlineMs);
  // Reads lines, adding each to seen, until one contains a match of pattern (ECMAScript); that
  // line, or "" when waitMs passed first.
  std::string WaitForLine(const std::string& pattern, std::vector<std::string>& seen, int64_t waitMs);
  // The lines seen, one per line: what a failed wait shows.
  static std::string Joined(const std::vector<std::string>& lines);
  // The signal (0: none, for a program that ends by itself), a wait of at most kStopLimitMs,
  // then SIGKILL. The exit status, or -1 when the program had to be killed or ended by a signal
  // (or was not running).
  int Stop(int signal = SIGTERM);
  bool IsRunning() const { return m_pid > 0; }

  // The monotonic clock in milliseconds, for deadlines.
  static int64_t NowMs();

 private:
  pid_t m_pid = 0;
  int m_out = -1;
};
