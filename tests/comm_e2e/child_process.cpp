#include "comm_e2e/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <regex>
#include <thread>

extern char** environ;

int64_t ChildProcess::NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

bool ChildProcess::Start(std::vector<std::string> args, bool withErrors) {
  Stop();
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  if (withErrors) posix_spawn_file_actions_adddup2(&actions, out[1], STDERR_FILENO);
  const int spawned = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    m_pid = 0;
    close(out[0]);
    return false;
  }
  m_out = out[0];
  return true;
}

bool ChildProcess::ReadLine(std::string& line, int64_t deadlineMs) {
  line.clear();
  for (;;) {
    const int64_t left = deadlineMs - NowMs();
    pollfd entry{m_out, POLLIN, 0};
    if (left <= 0 || poll(&entry, 1, static_cast<int>(left)) != 1) return false;
    char c = 0;
    if (read(m_out, &c, 1) != 1) return false;
    if (c == '\n') return true;
    line += c;
  }
}

int ChildProcess::Stop(int signal) {
  int exitStatus = -1;
  if (m_pid > 0) {
    if (signal != 0) kill(m_pid, signal);
    int status = 0;
    bool killed = false;
    const int64_t deadline = NowMs() + kStopLimitMs;
    pid_t reaped = 0;
    while ((reaped = waitpid(m_pid, &status, WNOHANG)) == 0 || (reaped < 0 && errno == EINTR)) {
      if (NowMs() >= deadline) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, 0);
        killed = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!killed && reaped == m_pid && WIFEXITED(status)) exitStatus = WEXITSTATUS(status);
    m_pid = 0;
  }
  if (m_out >= 0) close(m_out);
  m_out = -1;
  return exitStatus;
}

std::string ChildProcess::WaitForLine(const std::string& pattern, std::vector<std::string>& seen, int64_t waitMs) {
  const std::regex wanted(pattern);
  const int64_t deadline = NowMs() + waitMs;
  std::string line;
  while (ReadLine(line, deadline)) {
    seen.push_back(line);
    if (std::regex_search(line, wanted)) return line;
  }
  return {};
}

std::string ChildProcess::Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}
