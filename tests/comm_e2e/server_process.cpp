#include "comm_e2e/server_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "support/utf16_text.h"

extern char** environ;

namespace {

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The port after prefix at the start of line, or 0.
uint16_t PortAfter(const std::string& line, const std::string& prefix) {
  if (line.rfind(prefix, 0) != 0) return 0;
  const long port = std::strtol(line.c_str() + prefix.size(), nullptr, 10);
  return port > 0 && port <= 65535 ? static_cast<uint16_t>(port) : 0;
}

std::string MakeTagsFile() {
  std::string path = "/tmp/comm_e2e_tagsXXXXXX";
  const int fd = mkstemp(path.data());
  if (fd < 0) return {};
  close(fd);
  return path;
}

}  // namespace

ServerProcess::~ServerProcess() {
  Stop();
  if (!m_tagsPath.empty()) std::remove(m_tagsPath.c_str());
}

bool ServerProcess::Start(const Options& options) {
  Stop();
  if (m_tagsPath.empty()) m_tagsPath = MakeTagsFile();
  std::ofstream(m_tagsPath, std::ios::trunc) << options.tags;
  std::vector<std::string> args = {VELTRIX_PANEL_SERVER_SIM, "--port", std::to_string(options.port), "--tags",
                                   m_tagsPath};
  if (options.http) {
    args.push_back("--http-port");
    args.push_back(std::to_string(options.httpPort));
  }
  for (const std::string& fault : options.faults) {
    args.push_back("--fault");
    args.push_back(fault);
  }
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  int out[2];
  if (pipe2(out, O_CLOEXEC) != 0) return false;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  const int spawned = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    m_pid = 0;
    close(out[0]);
    return false;
  }
  m_out = out[0];

  const int64_t deadline = NowMs() + kStartLimitMs;
  std::string line;
  m_usPort = ReadLine(line, deadline) ? PortAfter(line, "listening on ") : 0;
  m_usHttpPort = options.http && m_usPort && ReadLine(line, deadline) ? PortAfter(line, "http on ") : 0;
  if (m_usPort == 0 || (options.http && m_usHttpPort == 0)) {
    Stop();
    return false;
  }
  return true;
}

bool ServerProcess::ReadLine(std::string& line, int64_t deadlineMs) {
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

int ServerProcess::Stop() {
  int exitStatus = -1;
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
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

std::u16string ServerProcess::TcpConnection(int receiveTimeout, int connectTimeout) const {
  return AsciiToUtf16("127.0.0.1," + std::to_string(m_usPort) + "," + std::to_string(connectTimeout) + "," +
                      std::to_string(receiveTimeout) + ",3,N");
}

std::u16string ServerProcess::SoapConnection(int receiveTimeout, int connectTimeout) const {
  // pass-through, gateway URL, user, password, node, port, time-outs, count, ping
  return AsciiToUtf16("e2e,http://127.0.0.1:" + std::to_string(m_usHttpPort) + "/hgateway/,,,127.0.0.1," +
                      std::to_string(m_usPort) + "," + std::to_string(connectTimeout) + "," +
                      std::to_string(receiveTimeout) + ",3,N");
}
