#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "sim_client.h"
#include "wire_bytes.h"

extern char** environ;

namespace {

// The real program, started with its output on pipes.
class ServerProcess {
 public:
  explicit ServerProcess(std::vector<std::string> args) {
    args.insert(args.begin(), VELTRIX_PANEL_SERVER_SIM);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    int out[2];
    int err[2];
    EXPECT_EQ(pipe(out), 0);
    EXPECT_EQ(pipe(err), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    EXPECT_EQ(posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    m_out = out[0];
    m_err = err[0];
  }
  ~ServerProcess() {
    if (m_pid > 0) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
    close(m_out);
    close(m_err);
  }

  // The next line of standard output, waiting at most timeoutMs.
  std::string ReadLine(int fd, int timeoutMs = 10000) {
    std::string line;
    char c = 0;
    pollfd waiting{fd, POLLIN, 0};
    while (poll(&waiting, 1, timeoutMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }
  int Out() const { return m_out; }
  int Err() const { return m_err; }
  // Sends the signal and returns the exit status.
  int Stop(int signal) {
    kill(m_pid, signal);
    return Wait();
  }
  int Wait() {
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t m_pid = 0;
  int m_out = -1;
  int m_err = -1;
};

uint16_t PortOf(const std::string& line, const std::string& prefix) {
  EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
  return static_cast<uint16_t>(std::stoi(line.substr(prefix.size())));
}

}  // namespace

TEST(ServerProcess, ServesOnAPickedPortAndStopsOnSignals) {
  for (const int signal : {SIGTERM, SIGINT}) {
    ServerProcess server({"--port", "0", "--http-port", "0"});
    const uint16_t port = PortOf(server.ReadLine(server.Out()), "listening on ");
    PortOf(server.ReadLine(server.Out()), "http on ");

    SimClient client;
    ASSERT_TRUE(client.Open(port));
    ASSERT_TRUE(client.SendBytes(HandshakeFrame(1, 1, 1, 0, 0)));
    EXPECT_EQ(client.ReadRawFrame().size(), 17u);
    ASSERT_TRUE(client.SendBytes(WireBytes::Command(9, u"Link").U32(1).U32(0).U64(1).Text(u"Boiler.SetPoint").U32(0).U32(0).Frame()));
    EXPECT_EQ(client.ReadRawFrame(), WireBytes::Command(9, u"Link").U32(1).U64(1).Frame());
    ASSERT_TRUE(client.SendBytes(WireBytes::Command(10, u"Read").U8(0).U32(1).U64(1).Frame()));
    EXPECT_EQ(client.ReadRawFrame(),
              WireBytes::Command(10, u"Read").U32(1).U8(0).U8(255).U8(1).U8(2).Double(75.0).Frame());

    EXPECT_EQ(server.Stop(signal), 0);
  }
}

TEST(ServerProcess, ReportsBadFilesAndOptions) {
  const std::string path = testing::TempDir() + "panel_sim_bad_tags.txt";
  std::ofstream(path) << "Good number 1\nBad number 1 sine 100\n";
  ServerProcess badTags({"--port", "0", "--tags", path});
  EXPECT_EQ(badTags.ReadLine(badTags.Err()),
            "panel-server-sim: " + path + ": line 2: generator sine: LOW must be a number, found nothing");
  EXPECT_EQ(badTags.Wait(), 1);
  std::remove(path.c_str());

  ServerProcess badOption({"--fault", "melt"});
  EXPECT_EQ(badOption.ReadLine(badOption.Err()), "panel-server-sim: unknown fault \"melt\"");
  EXPECT_EQ(badOption.Wait(), 2);
}
