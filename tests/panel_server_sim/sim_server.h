#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "comm/frame_bytes.h"
#include "panel_server_sim/faults.h"
#include "panel_server_sim/panel_server.h"
#include "sim_client.h"
#include "support/utf16_text.h"

// The tags the protocol tests use: constants with known wire forms and one tag whose high
// limit (90 of 0..100) raises an alarm.
inline constexpr const char* kTestTags =
    "SetPoint number 75\n"
    "Running  bool   T\n"
    "Label    string \"ab\"\n"
    "Level    number 50  sine 3600000 0 100\n";

// The server under test, in this process, on free ports.
class SimServer {
 public:
  explicit SimServer(std::vector<std::string> faults = {}) {
    char path[] = "/tmp/panel_sim_tagsXXXXXX";
    const int fd = mkstemp(path);
    EXPECT_GE(fd, 0);
    close(fd);
    m_tagsPath = path;
    std::ofstream(m_tagsPath) << kTestTags;
    panel_sim::ServerOptions options;
    options.port = 0;
    options.tagsFile = m_tagsPath;
    std::string error;
    for (const std::string& fault : faults)
      EXPECT_TRUE(panel_sim::ParseFault(fault, options.faults, error)) << error;
    EXPECT_TRUE(m_server.Start(options, error)) << error;
  }
  ~SimServer() {
    m_server.Stop();
    std::remove(m_tagsPath.c_str());
  }

  uint16_t Port() const { return m_server.GetPort(); }

 private:
  std::string m_tagsPath;
  panel_sim::PanelServer m_server;
};

// A client past the handshake (flag 0), ready for commands.
inline void OpenCommandClient(SimClient& client, uint16_t port) {
  ASSERT_TRUE(client.Open(port));
  ASSERT_TRUE(client.SendBytes(HandshakeFrame(1, 100, 1, 0, 0)));
  ASSERT_FALSE(client.ReadRawFrame().empty());
}

// A command channel (flag 1) and the callback channel (flag 2) that joins it with the identifier
// the command channel's "OK" brought.
inline void OpenWithCallback(uint16_t port, SimClient& command, SimClient& callback) {
  const uint8_t kind = 20;
  ASSERT_TRUE(command.Open(port));
  ASSERT_TRUE(command.SendBytes(HandshakeFrame(kind, 1, 1, 1, 0)));
  const std::vector<uint8_t> ok = command.ReadRawFrame();
  ASSERT_EQ(ok.size(), 9u + 2 + 8 + 6);
  ASSERT_EQ(ok[9], 'O');
  uint64_t id = 0;
  for (int i = 7; i >= 0; --i) id = id << 8 | ok[11 + i];
  EXPECT_NE(id, 0u);
  ASSERT_TRUE(callback.Open(port));
  ASSERT_TRUE(callback.SendBytes(HandshakeFrame(kind, 1, 1, 2, id)));
  ASSERT_EQ(callback.ReadRawFrame(), WireBytes().Raw("OK").Frame());
}

// Sends a command and returns the answer's payload, positioned after the command header.
inline CNPacketHolder Transact(SimClient& client, const WireBytes& command) {
  CNPacketHolder answer;
  EXPECT_TRUE(client.SendBytes(command.Frame()));
  EXPECT_TRUE(client.Receive(answer).Succeeded());
  uint16_t status = 0;
  uint16_t nameBytes = 0;
  answer.Seek(1, CNPacketHolder::kSeekBegin);
  answer.ReadU16(status);
  answer.ReadU16(nameBytes);
  EXPECT_EQ(status, 0);
  answer.Seek(5 + nameBytes + 2, CNPacketHolder::kSeekBegin);
  return answer;
}
