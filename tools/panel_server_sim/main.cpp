// panel-server-sim: a panel server for tests, benchmarks and demonstrations.
#include <csignal>
#include <cstdio>
#include <string>

#include "panel_server_sim/options.h"
#include "panel_server_sim/panel_server.h"

int main(int argc, char** argv) {
  panel_sim::ServerOptions options;
  std::string error;
  if (!panel_sim::ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "panel-server-sim: %s\n%s", error.c_str(), panel_sim::UsageText().c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(panel_sim::UsageText().c_str(), stdout);
    return 0;
  }

  // Every thread inherits the mask; the signals are taken below with sigwait.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  panel_sim::PanelServer server;
  if (!server.Start(options, error)) {
    std::fprintf(stderr, "panel-server-sim: %s\n", error.c_str());
    return 1;
  }
  std::printf("listening on %u\n", static_cast<unsigned>(server.GetPort()));
  if (const std::optional<uint16_t> httpPort = server.GetHttpPort())
    std::printf("http on %u\n", static_cast<unsigned>(*httpPort));
  std::fflush(stdout);

  int signal = 0;
  sigwait(&stopSignals, &signal);
  server.Stop();
  return 0;
}
