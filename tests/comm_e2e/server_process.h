#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

#include "comm_e2e/child_process.h"

// The tags every end-to-end test serves: constants only, so that every answer is known.
inline constexpr const char* kE2eTags =
    "SetPoint number 75\n"
    "Running  bool   T\n"
    "Label    string \"ab\"\n"
    "Counter  number 0\n";

struct ServerProcessOptions {
  std::string tags = kE2eTags;           // the tag file's text
  std::vector<std::string> faults = {};  // each given as --fault NAME[=ARG]
  bool http = false;                     // also serve the SOAP gateway
  uint16_t port = 0;                     // 0: any free port
  uint16_t httpPort = 0;
};

// panel-server-sim started as a child process on 127.0.0.1, by default on free ports. It is
// started on construction and may be stopped and started again; Start returns once the program
// has printed its ports, and the destructor always stops and reaps it.
class ServerProcess {
 public:
  using Options = ServerProcessOptions;

  static constexpr int kStartLimitMs = 15000;

  explicit ServerProcess(const Options& options = {}) { Start(options); }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;
  ~ServerProcess();

  // Starts the program and reads "listening on PORT" (and "http on PORT"); false, with the
  // process stopped, when it does not get that far within kStartLimitMs.
  bool Start(const Options& options);
  // SIGTERM, a wait of at most ChildProcess::kStopLimitMs, then SIGKILL. Returns the exit
  // status, or -1 when the program had to be killed or ended by a signal (or was not running).
  int Stop();
  bool IsRunning() const { return m_process.IsRunning(); }

  uint16_t Port() const { return m_usPort; }
  uint16_t HttpPort() const { return m_usHttpPort; }

  // "127.0.0.1,PORT,CONNECT,RECEIVE,3,N": the TCP client's connection string, time-outs in
  // seconds.
  std::u16string TcpConnection(int receiveTimeout = 4, int connectTimeout = 2) const;
  // The HTTP client's connection string for the gateway of this server.
  std::u16string SoapConnection(int receiveTimeout = 4, int connectTimeout = 2) const;

 private:
  ChildProcess m_process;
  std::string m_tagsPath;
  uint16_t m_usPort = 0;
  uint16_t m_usHttpPort = 0;
};
