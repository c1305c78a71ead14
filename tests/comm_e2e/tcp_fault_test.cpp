// The TCP client against a server that stalls or closes connections.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>

#include "comm/da_client_tcp.h"
#include "comm_e2e/link_commands.h"
#include "comm_e2e/server_process.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

}  // namespace

TEST(TcpEndToEnd, SilentServerTimesOutWithinTheReceiveTimeout) {
  ServerProcess server({.faults = {"stop-answering"}});
  ASSERT_TRUE(server.IsRunning());
  CNDAClientTcp client;
  ASSERT_TRUE(client.Connect(server.TcpConnection(1), 1, 1, 1, true).Succeeded());
  EXPECT_EQ(client.GetReceiveTimeout(), 1);
  for (int i = 0; i < 2; ++i) {
    const auto start = Clock::now();
    EXPECT_EQ(Text(Update(client).result), "Failed to receive packet. Code:" + std::to_string(ETIMEDOUT));
    const auto waited = Clock::now() - start;
    EXPECT_GE(waited, milliseconds(900));
    EXPECT_LT(waited, milliseconds(3000));
  }
  // Both channels are silent; the callback thread waits for data and must not hold Disconnect.
  const auto start = Clock::now();
  EXPECT_TRUE(client.Disconnect().Succeeded());
  EXPECT_LT(Clock::now() - start, milliseconds(1000));
  EXPECT_TRUE(client.IsCallbackThreadExited());
}

TEST(TcpEndToEnd, ServerClosingAfterAnAnswerFailsTheNextCommand) {
  ServerProcess server({.faults = {"close-after=1"}});
  ASSERT_TRUE(server.IsRunning());
  CNDAClientTcp client;
  ASSERT_TRUE(client.Connect(server.TcpConnection(2), 1, 1, 1, false).Succeeded());
  EXPECT_TRUE(Update(client).result.Succeeded());
  const ClientResult lost = Update(client).result;
  EXPECT_TRUE(IsConnectionLost(lost)) << Text(lost);
  client.Disconnect();
  ASSERT_TRUE(client.Connect(server.TcpConnection(2), 1, 1, 1, false).Succeeded());
  EXPECT_TRUE(Update(client).result.Succeeded());
}
