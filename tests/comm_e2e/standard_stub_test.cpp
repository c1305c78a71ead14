// The service stubs' common base against real server processes: the service handshake, its
// failures and which of them move to the next node, and the retry after a lost connection.
#include "comm/standard_stub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/frame_bytes.h"
#include "comm_e2e/link_commands.h"
#include "comm_e2e/server_process.h"
#include "comm_e2e/stub_settings.h"
#include "support/utf16_text.h"

namespace {

// A service stub whose one command is the service handshake again, which the server confirms
// like any other command.
class TestStub : public CNStandardStub {
 public:
  uint8_t GetClientKind() const override { return 5; }

  bool Hello() {
    return BuildRequest(u"Connect2",
                        [this](CNDAPacketCreatorSimple& args) { return args.AddText(GetServiceName()); }) &&
           Transact();
  }

  // The handshake command's payload, its packet id set to 0.
  Bytes HandshakeBytes() {
    CNPacketHolder packet;
    CNDAPacketCreatorSimple creator(packet);
    EXPECT_TRUE(AddConnectCommand(creator));
    Bytes bytes = PacketBytes(packet);
    bytes.at(0) = 0;
    return bytes;
  }

  std::string Error() const { return Utf16ToUtf8(GetLastError()); }
};

// The handshake as it must be: the command, status 0, and the service name as its argument.
Bytes Handshake(std::u16string_view name, std::u16string_view service) {
  return WireBytes::Command(0, name).Text(service).Get();
}

}  // namespace

TEST(StandardStub, StartsWithTheServiceHandshake) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const auto settings = NodeSettings({server.Port()});
  TestStub stub;
  EXPECT_FALSE(stub.Hello());
  EXPECT_EQ(stub.Error(), "Not connected.");

  ASSERT_TRUE(stub.Start(7, u"DayReport", *settings)) << stub.Error();
  EXPECT_EQ(stub.GetState(), CNStandardStub::kStarted);
  EXPECT_TRUE(stub.IsConnected());
  EXPECT_EQ(stub.HandshakeBytes(), Handshake(u"Connect2", u"DayReport"));
  EXPECT_TRUE(stub.Start(7, u"Other", *settings));  // already started
  EXPECT_TRUE(stub.Hello()) << stub.Error();
  EXPECT_EQ(stub.HandshakeBytes(), Handshake(u"Connect2", u"DayReport"));

  stub.Stop();
  EXPECT_EQ(stub.GetState(), CNStandardStub::kNotStarted);
  EXPECT_FALSE(stub.IsConnected());
  ASSERT_TRUE(stub.Start(7, u"Again", *settings)) << stub.Error();
  EXPECT_TRUE(stub.Hello()) << stub.Error();

  // Bound to one server: "Connect".
  const auto fixed = NodeSettings({server.Port()}, false, true);
  TestStub bound;
  ASSERT_TRUE(bound.Start(7, u"DayReport", *fixed)) << bound.Error();
  EXPECT_EQ(bound.HandshakeBytes(), Handshake(u"Connect", u"DayReport"));
  EXPECT_TRUE(bound.Hello()) << bound.Error();
}

TEST(StandardStub, HandshakeFailuresAndWhichOfThemMoveOn) {
  ServerProcess healthy;
  ServerProcess refusing({.faults = {"refuse-service"}});
  ServerProcess failing({.faults = {"error-status=3"}});
  ASSERT_TRUE(healthy.IsRunning());
  ASSERT_TRUE(refusing.IsRunning());
  ASSERT_TRUE(failing.IsRunning());
  const uint16_t dead = DeadPort();

  struct Case {
    const char* name;
    uint16_t first;
    bool fixedServer;
    bool started;  // the second attempt, on the next node when the first moved on, succeeds
    std::string error;
    uint32_t node;  // the current node afterwards
  };
  const Case cases[] = {
      {"refused", refusing.Port(), false, true, "Error from server. : Service refused.", 1},
      {"unreachable", dead, false, true, "Fail to connect.", 1},
      {"status error", failing.Port(), false, false, "Error from server. Code:3", 0},
      {"fixed server", dead, true, false, "Fail to connect.", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Alone, and without redundancy, the failure is the stub's last error.
    TestStub alone;
    EXPECT_FALSE(alone.Start(7, u"Svc", *NodeSettings({c.first}, false, c.fixedServer)));
    EXPECT_EQ(alone.Error(), c.error);
    EXPECT_EQ(alone.GetState(), CNStandardStub::kStarted);
    EXPECT_FALSE(alone.IsConnected());

    const auto settings = NodeSettings({c.first, healthy.Port()}, true, c.fixedServer);
    TestStub stub;
    EXPECT_EQ(stub.Start(7, u"Svc", *settings), c.started);
    EXPECT_EQ(settings->GetCurrentNode(), c.node);
    if (c.started) {
      EXPECT_TRUE(stub.Hello()) << stub.Error();
    } else {
      EXPECT_EQ(stub.Error(), c.error);
    }
  }
}

TEST(StandardStub, RetriesOnceAfterTheServerRestarts) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const uint16_t port = server.Port();
  const auto redundant = NodeSettings({port}, true);
  const auto plain = NodeSettings({port});
  TestStub retrying;
  TestStub once;
  ASSERT_TRUE(retrying.Start(7, u"Svc", *redundant)) << retrying.Error();
  ASSERT_TRUE(once.Start(7, u"Svc", *plain)) << once.Error();

  server.Stop();
  ASSERT_TRUE(server.Start({.port = port}));
  // The old connections are gone: with redundancy the stub reconnects and sends again.
  EXPECT_TRUE(retrying.Hello()) << retrying.Error();
  EXPECT_TRUE(retrying.IsConnected());
  // Without, the failure is reported and the connection dropped.
  EXPECT_FALSE(once.Hello());
  EXPECT_TRUE(once.GetLastFailure().IsConnectionLost()) << once.Error();
  EXPECT_FALSE(once.IsConnected());
  ASSERT_TRUE(once.Connect()) << once.Error();
  EXPECT_TRUE(once.Hello()) << once.Error();
}
