// What each fault does on the wire, where the clients cannot tell; what the clients make of the
// damaged answers (a wrong id or status, a refused handshake, silence) is tested with the clients
// themselves.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "sim_server.h"

TEST(Faults, EachFaultShowsOnTheWire) {
  using Clock = std::chrono::steady_clock;
  Clock::time_point sent;
  const struct {
    std::vector<std::string> faults;
    std::function<void(SimClient&)> check;  // after the handshake and a sent "Update" of id 0x42
  } cases[] = {
      {{"wrong-channel", "garbage-before-frame"},
       [](SimClient& c) {
         uint8_t garbage[11];
         ASSERT_TRUE(c.Socket().ReceiveExact(garbage, sizeof garbage, SimClient::kTimeoutMs));
         EXPECT_EQ(garbage[0], 'x');
         const std::vector<uint8_t> decoy = c.ReadRawFrame();
         ASSERT_GT(decoy.size(), 12u);
         EXPECT_EQ(decoy[4], 'C');
         EXPECT_NE(decoy[9], 0x42);
         const std::vector<uint8_t> answer = c.ReadRawFrame();
         ASSERT_GT(answer.size(), 12u);
         EXPECT_EQ(answer[4], 'N');
         EXPECT_EQ(answer[9], 0x42);
       }},
      {{"close-after=1"},
       [](SimClient& c) {
         EXPECT_FALSE(c.ReadRawFrame().empty());
         EXPECT_TRUE(c.WaitClosed());
       }},
      {{"close-after=0"}, [](SimClient& c) { EXPECT_TRUE(c.WaitClosed()); }},
      {{"delay=200"},
       [&sent](SimClient& c) {
         EXPECT_FALSE(c.ReadRawFrame().empty());
         EXPECT_GE(Clock::now() - sent, std::chrono::milliseconds(200));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.faults[0]);
    SimServer server(c.faults);
    SimClient client;
    OpenCommandClient(client, server.Port());
    sent = Clock::now();
    client.SendBytes(WireBytes::Command(0x42, u"Update").Frame());  // refused when the server closed first
    c.check(client);
  }
}
