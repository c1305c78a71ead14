// Both clients against a server that damages its answers, refuses, stalls, closes or restarts:
// each fault gives the same text, or is skipped over, over TCP and through the HTTP gateway.
#include <gtest/gtest.h>

#include <chrono>

#include "comm_e2e/link_commands.h"
#include "comm_e2e/transports.h"

namespace {

using std::chrono::milliseconds;
using Clock = std::chrono::steady_clock;

}  // namespace

TEST(ServerFaults, DamagedAnswersGiveTheReadersTextsOrAreSkippedOver) {
  const struct {
    const char* fault;
    const char* text;  // nullptr: the answer is read as if nothing had happened
  } cases[] = {
      {"garbage-before-frame", nullptr},
      {"wrong-channel", nullptr},
      {"corrupt-crc", "Fail to receive : CRC check error."},
      {"short-frame", "Fail to receive : Packet size is too small."},
      {"wrong-id", "Packet id is not collect."},
      {"error-status=7", "Error from server. Code:7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    ServerProcess server({.faults = {c.fault}, .http = true});
    ASSERT_TRUE(server.IsRunning());
    for (const Transport& transport : kTransports) {
      SCOPED_TRACE(transport.name);
      CallbackRecorder sink;
      const std::unique_ptr<CNDAClient> client = transport.make();
      client->SetSink(&sink);
      const ClientResult connected = client->Connect(transport.connection(server, 2), 1, 1, 1, true);
      ASSERT_TRUE(connected.Succeeded()) << Text(connected);
      for (int i = 0; i < 3; ++i) {  // every answer is damaged alike; the stream stays usable
        const TagAnswer update = Update(*client);
        if (c.text == nullptr) {
          EXPECT_TRUE(update.parsed && update.items.empty()) << Text(update.result);
        } else {
          // A CRC error is followed by the frame's bytes, whose dump is tested with the reader.
          const std::string reported = Text(update.result);
          EXPECT_EQ(reported.substr(0, reported.find(" [")), c.text);
        }
      }
      // A callback-channel frame that comes with the answers is dropped by the command reader,
      // never handed to the sink.
      EXPECT_TRUE(client->Disconnect().Succeeded());
      EXPECT_TRUE(sink.Get().empty());
    }
  }
}

TEST(ServerFaults, RefusedAndSilentServers) {
  ServerProcess refusing({.faults = {"refuse-handshake"}, .http = true});
  ServerProcess silent({.faults = {"stop-answering"}, .http = true});
  ASSERT_TRUE(refusing.IsRunning() && silent.IsRunning());
  for (const Transport& transport : kTransports) {
    SCOPED_TRACE(transport.name);
    for (const bool callback : {false, true})
      EXPECT_EQ(Text(transport.make()->Connect(transport.connection(refusing, 2), 1, 1, 1, callback)),
                transport.refusedHandshake);

    const auto client = transport.make();
    ASSERT_TRUE(client->Connect(transport.connection(silent, 1), 1, 1, 1, true).Succeeded());
    for (int i = 0; i < 2; ++i) {  // the callback channel stays quiet all the while
      const auto start = Clock::now();
      EXPECT_EQ(Text(Update(*client).result), transport.silentServer);
      const auto waited = Clock::now() - start;
      EXPECT_GE(waited, milliseconds(900));  // over HTTP the gateway waited the receive time-out
      EXPECT_LT(waited, milliseconds(4000));
    }
  }
}

TEST(ServerFaults, ARestartedServerIsReachedAgain) {
  for (const Transport& transport : kTransports) {
    SCOPED_TRACE(transport.name);
    ServerProcess server({.http = true});
    ASSERT_TRUE(server.IsRunning());
    const ServerProcess::Options again = {.http = true, .port = server.Port(), .httpPort = server.HttpPort()};
    const std::u16string connection = transport.connection(server, 4);
    const auto client = transport.make();
    ASSERT_TRUE(client->Connect(connection, 1, 1, 1, true).Succeeded());
    EXPECT_TRUE(Update(*client).result.Succeeded());

    EXPECT_EQ(server.Stop(), 0);
    const ClientResult lost = Update(*client).result;
    EXPECT_TRUE(transport.lostServer(lost)) << Text(lost);
    const auto start = Clock::now();
    EXPECT_TRUE(client->Disconnect().Succeeded());
    EXPECT_LT(Clock::now() - start, milliseconds(2000));
    EXPECT_EQ(Text(client->Connect(connection, 1, 1, 1, true)), "Fail to connect.");

    ASSERT_TRUE(server.Start(again));
    const ClientResult reconnected = client->Connect(connection, 1, 1, 1, true);
    ASSERT_TRUE(reconnected.Succeeded()) << Text(reconnected);
    const auto* tcp = dynamic_cast<const CNDAClientTcp*>(client.get());
    EXPECT_FALSE(tcp && tcp->IsCallbackThreadExited());  // a new callback thread
    EXPECT_TRUE(Update(*client).parsed);
  }
}
