// The C example embeds the control in an X11 window of its own on a virtual display, running
// the demo project against the real server program: the control's view shows inside the
// example's window, as the golden screenshot shows it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "comm_e2e/child_process.h"
#include "comm_e2e/server_process.h"
#include "draw/image.h"
#include "drawing/golden_image.h"
#include "e2e/window_test_util.h"

namespace {

// The demo project with the server's port in place of its own.
std::string DemoProjectFor(const ServerProcess& server, const std::filesystem::path& folder) {
  std::ifstream in(VELTRIX_DEMO_PROJECT);
  std::stringstream text;
  text << in.rdbuf();
  std::string project = text.str();
  const std::string port = "PSPanelPort=\"6001\"";
  if (const size_t at = project.find(port); at != std::string::npos)
    project.replace(at, port.size(), "PSPanelPort=\"" + std::to_string(server.Port()) + "\"");
  const std::filesystem::path path = folder / "demo.xml";
  std::ofstream(path, std::ios::binary) << project;
  return path.string();
}

}  // namespace

TEST(EmbedX11, TheControlsViewShowsInsideTheContainersWindow) {
  if (!std::filesystem::exists("/usr/bin/Xvfb")) GTEST_SKIP() << "Xvfb is needed (scripts/setup installs it)";
  VirtualDisplay display;
  ASSERT_FALSE(display.GetName().empty());
  setenv("DISPLAY", display.GetName().c_str(), 1);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "veltrix_embed_x11";
  std::filesystem::create_directories(folder);

  ServerProcess::Options serverOptions;
  serverOptions.tags = kConstantDemoTags;
  ServerProcess server(serverOptions);
  ASSERT_TRUE(server.IsRunning());
  const std::string shot = (folder / "embedded.png").string();
  std::filesystem::remove(shot);
  ChildProcess example;
  ASSERT_TRUE(example.Start({VELTRIX_EMBED_X11, DemoProjectFor(server, folder), "--size", "800x606", "--seconds", "4",
                             "--screenshot", shot}));
  std::vector<std::string> seen;
  example.WaitForLine("^never printed$", seen, 30000);  // reads until the example ends
  EXPECT_EQ(example.Stop(), 0) << ChildProcess::Joined(seen);

  const std::unique_ptr<CRSurface> picture = CRImage::LoadFile(shot);
  ASSERT_TRUE(picture) << ChildProcess::Joined(seen);
  EXPECT_TRUE(MatchesGoldenImage(*picture, "embed_x11_demo", 8, 200));
}
