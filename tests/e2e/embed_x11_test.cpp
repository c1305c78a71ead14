// The C example embeds the control in an X11 window of its own on a virtual display, running
// the demo project against the real server program: the control's view shows inside the
// example's window, as the golden screenshot shows it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "comm_e2e/child_process.h"
#include "comm_e2e/server_process.h"
#include "e2e/window_test_util.h"
#include "project/project_test_util.h"

namespace {

class EmbedX11 : public WindowTest {};

TEST_F(EmbedX11, TheControlsViewShowsInsideTheContainersWindow) {
  ServerProcess::Options serverOptions;
  serverOptions.tags = kConstantDemoTags;
  ServerProcess server(serverOptions);
  ASSERT_TRUE(server.IsRunning());
  const std::string project = (m_folder / "demo.xml").string();
  std::ofstream(project, std::ios::binary) << WithPanelPort(ReadText(VELTRIX_DEMO_PROJECT), server.Port());
  const std::string shot = (m_folder / "embedded.png").string();
  std::filesystem::remove(shot);
  ChildProcess example;
  ASSERT_TRUE(example.Start(
      {VELTRIX_EMBED_X11, project, "--size", "800x606", "--seconds", "4", "--screenshot", shot}));
  std::vector<std::string> seen;
  example.WaitForLine("^never printed$", seen, 30000);  // reads until the example ends
  EXPECT_EQ(example.Stop(), 0) << ChildProcess::Joined(seen);
  EXPECT_TRUE(DemoMatchesGoldenImage(shot, "embed_x11_demo")) << ChildProcess::Joined(seen);
}

}  // namespace
