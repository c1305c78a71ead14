#include "support/socket.h"

#include <gtest/gtest.h>

// Time-outs, peer closes, discarding and shutdown are exercised through the TCP client's tests.

namespace {

TEST(Socket, ResolvesAndRefusesBadAddresses) {
  std::string address;
  int error = 0;
  EXPECT_TRUE(CRSocket::Resolve("localhost", address, error));
  EXPECT_EQ(address, "127.0.0.1");
  EXPECT_FALSE(CRSocket::Resolve("", address, error));
  CRSocket socket;
  EXPECT_FALSE(socket.Connect("not an address", 1, 100));
  EXPECT_EQ(socket.GetLastError(), EINVAL);
}

TEST(Socket, PingOfTheLoopbackIsAnsweredOrNotPermitted) {
  EXPECT_NE(PingHost("127.0.0.1", 2000), PingResult::kNoAnswer);
  EXPECT_EQ(PingHost("not an address", 10), PingResult::kNoAnswer);
}

}  // namespace
