// The host program's window with a view control: the operator drags it by its title bar and
// presses a button of the form shown inside it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "comm_e2e/child_process.h"
#include "comm_e2e/server_process.h"
#include "draw/image.h"
#include "e2e/window_test_util.h"

namespace {

// "Desk" (400 x 300, white) holds the window at 40,40, 200 x 150 with a blue 24-unit title bar;
// inside it "Inner" (green) shows a button at 20,20, 100 x 40 that hides itself when released.
constexpr const char* kProject =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ROOT>\n"
    "<FORMROOT clid=\"Client\" Name=\"Windows\" DefaultForm=\"Desk\" Stretch=\"NONE\" PSNode=\"127.0.0.1\" "
    "Event=\"event OnAfterOpenForm(viewName, basedFormName, objForm, formName) { ::Trace(&quot;opened &quot; "
    "&amp; formName &amp; &quot; in &quot; &amp; viewName); }\">\n"
    "<OBJ clid=\"Folder\" Name=\"Screens\">\n"
    "<OBJ clid=\"Form\" Name=\"Desk\" Width=\"400\" Height=\"300\" FillColor=\"#FFFFFF\">\n"
    "<OBJ clid=\"ViewControl\" Name=\"Window\" Left=\"40\" Top=\"40\" Width=\"200\" Height=\"150\" "
    "ViewName=\"Pane\" BasedFormName=\"Inner\" FormName=\"Inner\" Stretch=\"NONE\" TitleBar=\"TOP\" "
    "TitleHeight=\"24\" TitleBarColor=\"#0000C0\" AllowMove=\"T\" "
    "Event=\"event OnClickTitleBar(state, msg) { ::Trace(&quot;title &quot; &amp; state &amp; &quot; &quot; "
    "&amp; msg &amp; &quot; at &quot; &amp; ::CStr(Left) &amp; &quot;,&quot; &amp; ::CStr(Top)); }\"/>\n"
    "</OBJ>\n"
    "<OBJ clid=\"Form\" Name=\"Inner\" Width=\"200\" Height=\"126\" FillColor=\"#E0FFE0\">\n"
    "<OBJ clid=\"Button\" Name=\"Hide\" Left=\"20\" Top=\"20\" Width=\"100\" Height=\"40\" Text=\"Hide\" "
    "FillColor=\"#FF8000\" Event=\"event OnMouseUp(button) { ::Trace(&quot;inner button released&quot;); "
    "Visible = F; }\"/>\n"
    "</OBJ>\n"
    "</OBJ>\n"
    "</FORMROOT>\n</ROOT>\n";

struct Rgb {
  int red, green, blue;
};

::testing::AssertionResult PixelIs(const CRSurface& picture, int x, int y, Rgb expected) {
  const CRPixel pixel = picture.GetPixel(x, y);
  if (std::abs(pixel.red - expected.red) <= 8 && std::abs(pixel.green - expected.green) <= 8 &&
      std::abs(pixel.blue - expected.blue) <= 8)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << int(pixel.red) << ","
                                       << int(pixel.green) << "," << int(pixel.blue);
}

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kTitleBlue{0, 0, 192};
constexpr Rgb kInnerGreen{224, 255, 224};
constexpr Rgb kButtonOrange{255, 128, 0};

// Asks the window for a screenshot and loads it; asks again while the window has not shown a
// picture yet.
std::unique_ptr<CRSurface> Screenshot(ChildProcess& app, const std::string& window,
                                      std::vector<std::string>& seen) {
  for (int attempt = 0; attempt < 20; ++attempt) {
    RunCommand({"/usr/bin/xdotool", "key", "--window", window, "F12"});
    const std::string shot = app.WaitForLine(R"(^\[screenshot\] )", seen, kWindowWaitMs);
    if (shot.empty()) return nullptr;
    if (!shot.ends_with("(failed)"))
      return CRImage::LoadFile(shot.substr(std::string("[screenshot] ").size()));
    RunCommand({"/usr/bin/sleep", "0.25"});
  }
  return nullptr;
}

}  // namespace

class WindowViewControl : public WindowTest {};

TEST_F(WindowViewControl, DraggedByItsTitleBarAndItsInnerButtonWorks) {
  const std::string project = (m_folder / "windows.xml").string();
  std::ofstream(project) << kProject;

  ServerProcess server(ServerProcess::Options{});
  ASSERT_TRUE(server.IsRunning());
  ChildProcess app;
  ASSERT_TRUE(app.Start({VELTRIX_BROWSER_APP, project, "--size", "400x300", "--seconds", "60", "--port",
                         std::to_string(server.Port())}));
  const std::string window =
      RunCommand({"/usr/bin/xdotool", "search", "--sync", "--name", "VeltrixBrowser6|Windows"});
  ASSERT_FALSE(window.empty());
  std::vector<std::string> seen;
  ASSERT_FALSE(app.WaitForLine(R"(^opened Inner in Pane$)", seen, kWindowWaitMs).empty())
      << ChildProcess::Joined(seen);
  std::unique_ptr<CRSurface> before = Screenshot(app, window, seen);
  ASSERT_TRUE(before) << ChildProcess::Joined(seen);
  ASSERT_TRUE(PixelIs(*before, 140, 50, kTitleBlue));

  // Press on the bar at 140,50, drag by 100,60 in steps, release.
  RunCommand({"/usr/bin/xdotool", "mousemove", "--window", window, "140", "50", "sleep", "0.2", "mousedown", "1",
              "sleep", "0.2", "mousemove", "--window", window, "190", "80", "sleep", "0.2", "mousemove",
              "--window", window, "240", "110", "sleep", "0.2", "mouseup", "1"});
  ASSERT_FALSE(app.WaitForLine(R"(^title UP MOVE at 140,100$)", seen, kWindowWaitMs).empty())
      << ChildProcess::Joined(seen);
  std::unique_ptr<CRSurface> moved = Screenshot(app, window, seen);
  ASSERT_TRUE(moved) << ChildProcess::Joined(seen);
  EXPECT_TRUE(PixelIs(*moved, 60, 50, kWhite));           // where the bar was
  EXPECT_TRUE(PixelIs(*moved, 240, 110, kTitleBlue));     // where it is now
  EXPECT_TRUE(PixelIs(*moved, 170, 150, kButtonOrange));  // the button came along: 160..260 x 144..184

  // The button inside: its release hides it, and the inner form shows where it was.
  RunCommand(
      {"/usr/bin/xdotool", "mousemove", "--window", window, "200", "160", "sleep", "0.2", "click", "1"});
  ASSERT_FALSE(app.WaitForLine(R"(^inner button released$)", seen, kWindowWaitMs).empty())
      << ChildProcess::Joined(seen);
  std::unique_ptr<CRSurface> clicked = Screenshot(app, window, seen);
  ASSERT_TRUE(clicked) << ChildProcess::Joined(seen);
  EXPECT_TRUE(PixelIs(*clicked, 170, 150, kInnerGreen));
  EXPECT_EQ(app.Stop(), 0);
}
