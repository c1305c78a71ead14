// veltrix-check --render: a form of a project painted into a PNG file without a window.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "check/check_run.h"
#include "draw/surface.h"
#include "drawing/golden_image.h"

namespace {

// Panel, 80 x 60, stretched to its view: a red-framed group holding a blue-framed one, a hidden
// group, and a group whose frame colour a bind takes from a memory tag the form's script writes
// when it opens (magenta once the value arrived, cyan before).
constexpr const char* kPanel =
    "<OBJ clid=\"Form\" Name=\"Panel\" Width=\"80\" Height=\"60\" FillColor=\"#E0E0E0\" "
    "ViewFillColor=\"#00FF00\" Stretch=\"STRETCH_FULL\" "
    "Event=\"event OnInitialize() { this.WriteVal(&quot;$D0&quot;, 7); }\">\r\n"
    "<OBJ clid=\"Group\" Name=\"Outer\" Left=\"10\" Top=\"10\" Width=\"40\" Height=\"30\" InnerFrame=\"T\" "
    "InnerFrameColor=\"#FF0000\" InnerFrameWidth=\"2\">\r\n"
    "<OBJ clid=\"Group\" Name=\"Inner\" Left=\"20\" Top=\"20\" Width=\"20\" Height=\"10\" InnerFrame=\"T\" "
    "InnerFrameColor=\"#0000FF\"/>\r\n"
    "</OBJ>\r\n"
    "<OBJ clid=\"Group\" Name=\"Hidden\" Left=\"0\" Top=\"0\" Width=\"80\" Height=\"60\" Visible=\"F\" "
    "InnerFrame=\"T\" InnerFrameColor=\"#000000\"/>\r\n"
    "<OBJ clid=\"Group\" Name=\"Bound\" Left=\"60\" Top=\"40\" Width=\"15\" Height=\"15\" InnerFrame=\"T\" "
    "InnerFrameColor=\"#000000\" "
    "Bind=\"[InnerFrameColor]{$D0 == 7}{&quot;#FF00FF&quot;},{default}{&quot;#00FFFF&quot;};\"/>\r\n"
    "</OBJ>\r\n";

class Render : public testing::Test {
 protected:
  // Renders Panel with the options given; the image read back, or a 1 x 1 one when none was
  // written.
  std::unique_ptr<CRSurface> RenderPanel(const std::string& options) {
    const CheckOutcome run =
        RunCheck(Quoted(project) + " --render Panel --out " + Quoted(out) + options, true);
    EXPECT_EQ(run.exitCode, 0) << run.out;
    auto image = std::make_unique<CRSurface>(1, 1);
    EXPECT_TRUE(image->ReadPng(out));
    return image;
  }
  TempFolder folder;
  std::string project = folder.Write(
      "render.xml", ProjectText("Name=\"Render\" DefaultForm=\"Panel\" Stretch=\"FORM\"", kPanel));
  std::string out = folder.Path("panel.png");
};

// At its own size the bind's value arrived before the painting; at a given size everything is
// twice as large: the red frame from (20,20), 4 pixels wide.
TEST_F(Render, TheFormAtItsOwnSizeAndAtAGivenSize) {
  const auto own = RenderPanel("");
  EXPECT_TRUE(MatchesGoldenImage(*own, "render_panel"));
  const CRPixel bound = own->GetPixel(60, 40);
  EXPECT_EQ((std::vector<int>{bound.red, bound.green, bound.blue}), (std::vector<int>{255, 0, 255}));

  const auto large = RenderPanel(" --size 160x120");
  ASSERT_EQ(large->GetWidth(), 160);
  ASSERT_EQ(large->GetHeight(), 120);
  EXPECT_EQ(
      (std::vector<int>{large->GetPixel(19, 20).red, large->GetPixel(20, 20).green, large->GetPixel(23, 23).red,
                        large->GetPixel(24, 24).red, large->GetPixel(159, 119).red}),
      (std::vector<int>{0xE0, 0, 255, 0xE0, 0xE0}));
}

// Opening the project changes the working folder; a relative output is still the caller's.
TEST_F(Render, ARelativeOutputIsWrittenWhereTheCallerStands) {
  const CheckOutcome run = RunCheck("render.xml --render Panel --out here.png", true, folder.Path(""));
  ASSERT_EQ(run.exitCode, 0) << run.out;
  EXPECT_TRUE(std::filesystem::exists(folder.Path("here.png")));
}

TEST_F(Render, MistakesAreToldAndNothingIsWritten) {
  const std::pair<std::string, std::string> failures[] = {
      {Quoted(project) + " --render Nope --out " + Quoted(out), "no form named Nope"},
      {Quoted(project) + " --render Panel --out " + Quoted(folder.Path("missing/folder/x.png")),
       "cannot write"},
      {Quoted(folder.Path("absent.xml")) + " --render Panel --out " + Quoted(out), "veltrix-check: "},
  };
  for (const auto& [arguments, text] : failures) {
    const CheckOutcome run = RunCheck(arguments, true);
    EXPECT_EQ(run.exitCode, 1) << arguments;
    EXPECT_NE(run.out.find(text), std::string::npos) << run.out;
  }
  for (const char* bad : {"--size 0x5", "--size 20", "--size 20x99999", "--size 2x3x4"})
    EXPECT_EQ(RunCheck(Quoted(project) + " --render Panel --out " + Quoted(out) + " " + bad).exitCode, 2)
        << bad;
  EXPECT_EQ(RunCheck(Quoted(project) + " --render Panel").exitCode, 2);
  EXPECT_EQ(RunCheck(Quoted(project) + " --out " + Quoted(out)).exitCode, 2);
  const CheckOutcome run = RunCheck(Quoted(project) + " --render", true);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.out.find("--render FORM --out FILE.png [--size WxH]"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(out));
}

// A form that shows itself in a view control nests a bounded number of times, each level drawn
// inside the one around it.
TEST(RenderViewControl, AFormShowingItselfNestsABoundedNumberOfTimes) {
  constexpr const char* kForms =
      "<OBJ clid=\"Form\" Name=\"Shell\" Width=\"80\" Height=\"60\" FillColor=\"#FFFFFF\">\r\n"
      "<OBJ clid=\"ViewControl\" Name=\"Outer\" Left=\"10\" Top=\"10\" Width=\"60\" Height=\"40\" "
      "FormName=\"Mirror\" Stretch=\"STRETCH_FULL\"/>\r\n"
      "</OBJ>\r\n"
      "<OBJ clid=\"Form\" Name=\"Mirror\" Width=\"60\" Height=\"40\" FillColor=\"#0000FF\">\r\n"
      "<OBJ clid=\"ViewControl\" Name=\"Again\" Left=\"10\" Top=\"10\" Width=\"40\" Height=\"20\" "
      "FormName=\"Mirror\" Stretch=\"STRETCH_FULL\" Border=\"T\" BorderColor=\"#FF0000\"/>\r\n"
      "</OBJ>\r\n";
  TempFolder folder;
  const std::string project =
      folder.Write("mirror.xml", ProjectText("Name=\"Mirror\" DefaultForm=\"Shell\"", kForms));
  const std::string out = folder.Path("shell.png");
  const CheckOutcome run = RunCheck(Quoted(project) + " --render Shell --out " + Quoted(out), true);
  ASSERT_EQ(run.exitCode, 0) << run.out;
  CRSurface image(1, 1);
  ASSERT_TRUE(image.ReadPng(out));
  // The shell, the first mirror, the border of the second, and inside it the next mirror.
  EXPECT_EQ((std::vector<int>{image.GetPixel(5, 5).red, image.GetPixel(12, 12).blue,
                              image.GetPixel(20, 20).red, image.GetPixel(25, 25).blue}),
            (std::vector<int>{255, 255, 255, 255}));
}

}  // namespace
