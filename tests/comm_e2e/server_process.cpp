#include "comm_e2e/server_process.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "support/utf16_text.h"

namespace {

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
  if (!m_process.Start(std::move(args))) return false;

  const int64_t deadline = ChildProcess::NowMs() + kStartLimitMs;
  std::string line;
  m_usPort = m_process.ReadLine(line, deadline) ? PortAfter(line, "listening on ") : 0;
  m_usHttpPort = options.http && m_usPort && m_process.ReadLine(line, deadline) ? PortAfter(line, "http on ") : 0;
  if (m_usPort == 0 || (options.http && m_usHttpPort == 0)) {
    Stop();
    return false;
  }
  return true;
}

int ServerProcess::Stop() { return m_process.Stop(); }

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
