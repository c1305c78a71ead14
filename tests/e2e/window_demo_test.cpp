// The host program with its window, on a virtual display, running the demo project against the
// real server program: the operator's click on the pump, a shape switch, reaches the server, and
// the window shows what the golden screenshot shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm_e2e/child_process.h"
#include "comm_e2e/server_process.h"
#include "e2e/window_test_util.h"
#include "tags/link_test_util.h"
#include "tags/tag_server_link.h"

namespace {

constexpr int64_t kWaitMs = kWindowWaitMs;

// The main window holds the header frame (64 pixels), the frame spacing (2) and the body frame
// with the overview form (800 x 540) at its own size.
constexpr const char* kWindowSize = "800x606";
// The middle of pump 1: the form's (288, 282) in the body frame.
constexpr int kPumpX = 288;
constexpr int kPumpY = 66 + 282;

}  // namespace

class WindowDemo : public WindowTest {};

TEST_F(WindowDemo, ClickOnThePumpReachesTheServerAndTheWindowShowsIt) {
  ServerProcess::Options serverOptions;
  serverOptions.tags = kConstantDemoTags;
  ServerProcess server(serverOptions);
  ASSERT_TRUE(server.IsRunning());
  ChildProcess app;
  ASSERT_TRUE(app.Start({VELTRIX_BROWSER_APP, VELTRIX_DEMO_PROJECT, "--size", kWindowSize, "--seconds", "60",
                         "--port", std::to_string(server.Port())}));
  std::vector<std::string> seen;
  // Logged in, the overview is on show with its values from the server.
  ASSERT_FALSE(app.WaitForLine(R"(^changed Pump1\.Running = T)", seen, kWaitMs).empty()) << ChildProcess::Joined(seen);

  const std::string window = RunCommand({"/usr/bin/xdotool", "search", "--sync", "--name", "VeltrixBrowser6|Demo"});
  ASSERT_FALSE(window.empty());
  RunCommand({"/usr/bin/xdotool", "mousemove", "--window", window, std::to_string(kPumpX),
              std::to_string(kPumpY), "click", "1"});

  // The switch's output bind turned the pump off on the server.
  CNPTagServerLink reader;
  reader.Start(StartInfo(SettingsFor(server)));
  CNPTag* running = reader.GetTag(u"Pump1.Running", 1, nullptr);
  ASSERT_NE(running, nullptr);
  EXPECT_TRUE(DispatchUntil(reader, [&] { return ValueText(reader, running) == "F GOOD"; }))
      << ValueText(reader, running);
  reader.ReleaseTag(running, nullptr);
  reader.Stop();
  // The value came back to the window: the pump went grey, the pipe stopped flowing.
  ASSERT_FALSE(app.WaitForLine(R"(^changed Pump1\.Running = F)", seen, kWaitMs).empty()) << ChildProcess::Joined(seen);

  RunCommand({"/usr/bin/xdotool", "key", "--window", window, "F12"});
  const std::string shot = app.WaitForLine(R"(^\[screenshot\] )", seen, kWaitMs);
  ASSERT_FALSE(shot.empty()) << ChildProcess::Joined(seen);
  EXPECT_TRUE(DemoMatchesGoldenImage(shot.substr(std::string("[screenshot] ").size()), "window_demo_after_click"));
  EXPECT_EQ(app.Stop(), 0);
}
