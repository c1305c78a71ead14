// The host program run headless on the demo project against the real server program: live
// values reach bound properties and traces, a script's write reaches the server, and a server
// that goes away and comes back is followed without restarting the runtime.
#include <gtest/gtest.h>

#include <string>

#include "comm_e2e/child_process.h"
#include "comm_e2e/server_process.h"
#include "tags/link_test_util.h"
#include "tags/tag_server_link.h"

namespace {

// The demo project's tags: the level is generated, everything else is constant.
constexpr const char* kDemoTags =
    "Tank1.Level       number 50     sine 4000 5 95\n"
    "Boiler.Temp       number 72.5\n"
    "Boiler.SetPoint   number 75\n"
    "Pump1.Running     bool   T\n"
    "Plant.Message     string \"All systems normal\"\n";

constexpr int64_t kWaitMs = 20000;

}  // namespace

TEST(HeadlessDemo, LiveValuesWritesAndServerLossAreFollowed) {
  ServerProcess::Options serverOptions;
  serverOptions.tags = kDemoTags;
  ServerProcess server(serverOptions);
  ASSERT_TRUE(server.IsRunning());

  ChildProcess app;
  ASSERT_TRUE(app.Start({VELTRIX_BROWSER_APP, "--headless", VELTRIX_DEMO_PROJECT, "--seconds", "60", "--port",
                         std::to_string(server.Port())}));
  std::vector<std::string> seen;
  // The label bound to the generated level shows a number read from the server.
  const std::string good(R"(^Tank1\.Level (\d+(\.\d+)?) GOOD)");
  ASSERT_FALSE(app.WaitForLine(good, seen, kWaitMs).empty()) << ChildProcess::Joined(seen);
  ASSERT_FALSE(app.WaitForLine("^wrote Boiler.SetPoint 80$", seen, kWaitMs).empty()) << ChildProcess::Joined(seen);

  // The write is in the server's tag table.
  CNPTagServerLink reader;
  reader.Start(StartInfo(SettingsFor(server)));
  CNPTag* setPoint = reader.GetTag(u"Boiler.SetPoint", 1, nullptr);
  ASSERT_NE(setPoint, nullptr);
  EXPECT_TRUE(DispatchUntil(reader, [&] { return ValueText(reader, setPoint) == "80 GOOD"; }))
      << ValueText(reader, setPoint);
  reader.ReleaseTag(setPoint, nullptr);
  reader.Stop();

  // The server goes away: the values turn BAD; it comes back on its port: GOOD again.
  const uint16_t port = server.Port();
  server.Stop();
  ASSERT_FALSE(app.WaitForLine(R"(^Tank1\.Level .* BAD)", seen, kWaitMs).empty()) << ChildProcess::Joined(seen);
  serverOptions.port = port;
  ASSERT_TRUE(server.Start(serverOptions));
  ASSERT_FALSE(app.WaitForLine(good, seen, kWaitMs).empty()) << ChildProcess::Joined(seen);

  // SIGTERM ends the run cleanly.
  EXPECT_EQ(app.Stop(), 0);
}
