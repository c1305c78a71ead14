#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "sim_server.h"

namespace {

const std::vector<uint8_t> kUpdate = WireBytes::Command(0x42, u"Update").Frame();

}  // namespace

TEST(Faults, DamagedAnswersMeetTheReadersErrors) {
  const struct {
    const char* fault;
    const char* error;  // what the frame reader reports; empty when it reads the answer
  } cases[] = {
      {"corrupt-crc", "Fail to receive : CRC check error. ["},
      {"short-frame", "Fail to receive : Packet size is too small."},
      {"garbage-before-frame", ""},
      {"wrong-channel", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    SimServer server({c.fault});
    SimClient client;
    OpenCommandClient(client, server.Port());
    ASSERT_TRUE(client.SendBytes(kUpdate));
    CNPacketHolder answer;
    const ClientResult result = client.Receive(answer);
    if (*c.error) {
      EXPECT_EQ(Utf16ToUtf8(result.message).rfind(c.error, 0), 0u) << Utf16ToUtf8(result.message);
    } else {
      ASSERT_TRUE(result.Succeeded()) << Utf16ToUtf8(result.message);
      EXPECT_EQ(answer.GetData()[0], 0x42);
    }
  }
}

TEST(Faults, WrongChannelSendsADecoyFirst) {
  SimServer server({"wrong-channel", "garbage-before-frame"});
  SimClient client;
  OpenCommandClient(client, server.Port());
  ASSERT_TRUE(client.SendBytes(kUpdate));
  uint8_t garbage[11];
  ASSERT_TRUE(client.Socket().ReceiveExact(garbage, sizeof garbage, SimClient::kTimeoutMs));
  EXPECT_EQ(garbage[0], 'x');
  const std::vector<uint8_t> decoy = client.ReadRawFrame();
  ASSERT_GT(decoy.size(), 12u);
  EXPECT_EQ(decoy[4], 'C');
  EXPECT_NE(decoy[9], 0x42);
  const std::vector<uint8_t> answer = client.ReadRawFrame();
  ASSERT_GT(answer.size(), 12u);
  EXPECT_EQ(answer[4], 'N');
  EXPECT_EQ(answer[9], 0x42);
}

TEST(Faults, HeaderFaultsChangeIdAndStatus) {
  {
    SimServer server({"wrong-id"});
    SimClient client;
    OpenCommandClient(client, server.Port());
    ASSERT_TRUE(client.SendBytes(kUpdate));
    EXPECT_EQ(client.ReadRawFrame()[9], 0x43);
  }
  {
    SimServer server({"error-status=7"});
    SimClient client;
    OpenCommandClient(client, server.Port());
    ASSERT_TRUE(client.SendBytes(kUpdate));
    EXPECT_EQ(client.ReadRawFrame(), WireBytes().U8(0x42).U16(7).U16(12).Text(u"Update").Frame());
  }
}

TEST(Faults, TimingFaults) {
  {
    SimServer server({"close-after=1"});
    SimClient client;
    OpenCommandClient(client, server.Port());
    ASSERT_TRUE(client.SendBytes(kUpdate));
    EXPECT_FALSE(client.ReadRawFrame().empty());
    EXPECT_TRUE(client.WaitClosed());
  }
  {
    SimServer server({"close-after=0"});
    SimClient client;
    OpenCommandClient(client, server.Port());
    EXPECT_TRUE(client.WaitClosed());
  }
  {
    SimServer server({"delay=200"});
    SimClient client;
    OpenCommandClient(client, server.Port());
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(client.SendBytes(kUpdate));
    EXPECT_FALSE(client.ReadRawFrame().empty());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
  }
  {
    SimServer server({"stop-answering"});
    SimClient client;
    OpenCommandClient(client, server.Port());
    ASSERT_TRUE(client.SendBytes(kUpdate));
    EXPECT_FALSE(client.Socket().WaitForData(300));
  }
  {
    SimServer server({"refuse-handshake"});
    SimClient client;
    ASSERT_TRUE(client.Open(server.Port()));
    ASSERT_TRUE(client.SendBytes(HandshakeFrame(1, 1, 1, 0, 0)));
    EXPECT_EQ(client.ReadRawFrame()[9], 'N');
    EXPECT_TRUE(client.WaitClosed());
  }
}
