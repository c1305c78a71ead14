// The host program run headless on the demo project against the real server program: the
// demo's tour shows every screen, the screenshots taken meanwhile show what the golden images
// show (live values masked), the set point typed by the tour and refused beyond its range
// reaches the server as the accepted value, the alarms raised are acknowledged, and a server
// that goes away and comes back is followed without restarting the runtime.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "comm_e2e/child_process.h"
#include "comm_e2e/server_process.h"
#include "draw/image.h"
#include "draw/painter.h"
#include "drawing/golden_image.h"
#include "tags/link_test_util.h"
#include "tags/tag_server_link.h"

namespace {

// The demo's tags held still, but for tank 2, whose level crosses its alarm limit every 4 s.
constexpr const char* kDemoTags =
    "Tank1.Level       number 50\n"
    "Tank1.SetPoint    number 80\n"
    "Tank2.Level       number 30     sine 4000 20 70\n"
    "Tank2.SetPoint    number 60\n"
    "Boiler.Temp       number 72.5\n"
    "Pump1.Running     bool   T\n"
    "Pump2.Running     bool   F\n"
    "Valve1.Open       bool   T\n"
    "Valve2.Open       bool   F\n"
    "Pump1.Hours       number 1200\n"
    "Batch.Name        string \"Batch A-17\"\n"
    "Plant.Message     string \"All systems normal\"\n"
    "Demo.Tour         bool   T\n";

constexpr int64_t kWaitMs = 20000;

// The header frame is 64 pixels high, then 2 of spacing: the body's forms start at y = 66.
constexpr double kBody = 66;
constexpr CRRectF kAlarmBanner{520, 6, 266, 22};

struct Screen {
  const char* golden;
  std::vector<CRRectF> live;  // areas whose pixels follow the moving tag or the clock
};

// In the tour's order, one every 4 s.
const Screen kScreens[] = {
    {"demo_overview", {kAlarmBanner, {560, kBody + 80, 120, 220}, {560, kBody + 306, 120, 24}}},
    {"demo_trend", {kAlarmBanner, {20, kBody + 16, 760, 300}, {20, kBody + 326, 360, 150}}},
    {"demo_alarms", {kAlarmBanner, {21, kBody + 40, 758, 428}}},
    {"demo_details", {kAlarmBanner}},
    {"demo_login", {kAlarmBanner, {560, kBody + 80, 120, 220}, {560, kBody + 306, 120, 24}, {330, 190, 250, 24}}},
    {"demo_overview_dark", {kAlarmBanner, {560, kBody + 80, 120, 220}, {560, kBody + 306, 120, 24}}},
};

::testing::AssertionResult ShowsScreen(const std::filesystem::path& shot, const Screen& screen) {
  const std::unique_ptr<CRSurface> picture = CRImage::LoadFile(shot.string());
  if (!picture) return ::testing::AssertionFailure() << "no screenshot " << shot;
  {
    CRPainter painter(*picture);
    for (const CRRectF& area : screen.live) painter.FillPath(CRPath::Rectangle(area), CRBrush{});
  }
  return MatchesGoldenImage(*picture, screen.golden, 8, 300);
}

}  // namespace

TEST(HeadlessDemo, TourScreensWritesAlarmsAndServerLoss) {
  ServerProcess::Options serverOptions;
  serverOptions.tags = kDemoTags;
  ServerProcess server(serverOptions);
  ASSERT_TRUE(server.IsRunning());
  // Given relative: the host keeps it relative to where it was started, not to the project.
  const std::filesystem::path shots = "veltrix_headless_demo_shots";
  std::filesystem::remove_all(shots);

  ChildProcess app;
  ASSERT_TRUE(app.Start({VELTRIX_BROWSER_APP, "--headless", VELTRIX_DEMO_PROJECT, "--size", "800x606", "--seconds",
                         "60", "--screenshot-every", "4", shots.string(), "--port", std::to_string(server.Port())}));
  std::vector<std::string> seen;
  ASSERT_FALSE(app.WaitForLine(R"(^\[screenshot\] .*screenshot-0006\.png$)", seen, 40000).empty())
      << ChildProcess::Joined(seen);
  const std::string log = ChildProcess::Joined(seen);
  EXPECT_NE(log.find("refused set point 150"), std::string::npos) << log;
  EXPECT_NE(log.find("alarm raised Tank2.Level.HI"), std::string::npos) << log;
  EXPECT_NE(log.find("alarm acknowledged Tank2.Level.HI"), std::string::npos) << log;
  for (size_t i = 0; i < std::size(kScreens); ++i) {
    const std::string number = std::to_string(i + 1);
    EXPECT_TRUE(ShowsScreen(shots / ("screenshot-" + std::string(4 - number.size(), '0') + number + ".png"), kScreens[i]));
  }

  // The set point the tour typed, and the pump it started, are in the server's tag table.
  CNPTagServerLink reader;
  reader.Start(StartInfo(SettingsFor(server)));
  CNPTag* setPoint = reader.GetTag(u"Tank1.SetPoint", 1, nullptr);
  ASSERT_NE(setPoint, nullptr);
  EXPECT_TRUE(DispatchUntil(reader, [&] { return ValueText(reader, setPoint) == "85 GOOD"; }))
      << ValueText(reader, setPoint);
  reader.ReleaseTag(setPoint, nullptr);
  reader.Stop();

  // The server goes away: the runtime says so; it comes back on its port: logged in again.
  const uint16_t port = server.Port();
  server.Stop();
  ASSERT_FALSE(app.WaitForLine(R"(^login 1 \(server lost)", seen, kWaitMs).empty()) << ChildProcess::Joined(seen);
  serverOptions.port = port;
  ASSERT_TRUE(server.Start(serverOptions));
  ASSERT_FALSE(app.WaitForLine(R"(^login 2 \(logged in as user\))", seen, kWaitMs).empty())
      << ChildProcess::Joined(seen);

  // SIGTERM ends the run cleanly.
  EXPECT_EQ(app.Stop(), 0);
}
