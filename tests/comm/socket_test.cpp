#include "support/socket.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <future>
#include <thread>

#include "test_peer.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

TEST(Socket, ResolvesNamesAndDottedAddresses) {
  std::string address;
  int error = 0;
  EXPECT_TRUE(CRSocket::Resolve("127.0.0.1", address, error));
  EXPECT_EQ(address, "127.0.0.1");
  EXPECT_TRUE(CRSocket::Resolve("localhost", address, error));
  EXPECT_EQ(address, "127.0.0.1");
  EXPECT_FALSE(CRSocket::Resolve("", address, error));
}

TEST(Socket, ConnectFailuresCarryTheErrno) {
  uint16_t closedPort;
  {
    TestPeer peer({});
    closedPort = peer.GetPort();
  }
  CRSocket socket;
  EXPECT_FALSE(socket.Connect("127.0.0.1", closedPort, 1000));
  EXPECT_EQ(socket.GetLastError(), ECONNREFUSED);
  EXPECT_FALSE(socket.IsOpen());
  EXPECT_FALSE(socket.Connect("not an address", closedPort, 1000));
  EXPECT_EQ(socket.GetLastError(), EINVAL);
  uint8_t byte;
  EXPECT_FALSE(socket.ReceiveExact(&byte, 1, 10));
  EXPECT_EQ(socket.GetLastError(), ENOTCONN);
  EXPECT_FALSE(socket.SendAll(&byte, 1, 10));
  EXPECT_EQ(socket.GetLastError(), ENOTCONN);
}

TEST(Socket, ReceiveTimesOutThenSeesThePeerClose) {
  std::promise<void> release;
  TestPeer peer({[&](PeerConnection& c) {
    c.Send({1, 2, 3});
    release.get_future().wait_for(std::chrono::seconds(5));
  }});
  CRSocket socket;
  ASSERT_TRUE(socket.Connect("127.0.0.1", peer.GetPort(), 1000));
  uint8_t bytes[4] = {};
  const auto start = Clock::now();
  EXPECT_FALSE(socket.ReceiveExact(bytes, 4, 100));
  EXPECT_EQ(socket.GetLastError(), ETIMEDOUT);
  EXPECT_GE(Clock::now() - start, milliseconds(90));
  EXPECT_EQ(bytes[2], 3);
  release.set_value();
  EXPECT_FALSE(socket.ReceiveExact(bytes, 1, 2000));
  EXPECT_EQ(socket.GetLastError(), 0);
  EXPECT_TRUE(socket.IsPeerClosed());
}

TEST(Socket, DiscardDropsWhatIsWaiting) {
  std::promise<void> sent, release;
  TestPeer peer({[&](PeerConnection& c) {
    c.Send(Bytes(10000, 7));
    sent.set_value();
    c.Read(1);  // the client's go-ahead
    c.Send({9});
    release.get_future().wait_for(std::chrono::seconds(5));
  }});
  CRSocket socket;
  ASSERT_TRUE(socket.Connect("127.0.0.1", peer.GetPort(), 1000));
  auto sentFuture = sent.get_future();
  ASSERT_TRUE(Ready(sentFuture));
  ASSERT_TRUE(socket.WaitForData(1000));
  for (int i = 0; i < 100 && socket.GetBytesWaiting() < 10000; ++i) std::this_thread::sleep_for(milliseconds(5));
  EXPECT_EQ(socket.GetBytesWaiting(), 10000u);
  socket.DiscardWaiting();
  EXPECT_EQ(socket.GetBytesWaiting(), 0u);
  const uint8_t go = 1;
  ASSERT_TRUE(socket.SendAll(&go, 1, 1000));
  uint8_t byte = 0;
  EXPECT_TRUE(socket.ReceiveExact(&byte, 1, 2000));
  EXPECT_EQ(byte, 9);
  release.set_value();
}

TEST(Socket, ShutdownFromAnotherThreadEndsAWait) {
  TestPeer peer({[](PeerConnection& c) { c.HoldUntilClosed(); }});
  CRSocket socket;
  ASSERT_TRUE(socket.Connect("127.0.0.1", peer.GetPort(), 1000));
  const auto start = Clock::now();
  std::thread waiter([&] {
    uint8_t byte;
    EXPECT_FALSE(socket.ReceiveExact(&byte, 1, 10000));
  });
  std::this_thread::sleep_for(milliseconds(50));
  socket.Shutdown();
  waiter.join();
  EXPECT_LT(Clock::now() - start, milliseconds(5000));
  EXPECT_TRUE(socket.IsPeerClosed());
  socket.Close();
  EXPECT_FALSE(socket.IsOpen());
}

TEST(Socket, PingOfTheLoopbackIsAnsweredOrNotPermitted) {
  EXPECT_NE(PingHost("127.0.0.1", 2000), PingResult::kNoAnswer);
  EXPECT_EQ(PingHost("not an address", 10), PingResult::kNoAnswer);
}

}  // namespace
