// veltrix-check --render: a form of a project painted into a PNG file without a window.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "draw/surface.h"
#include "drawing/golden_image.h"
#include "project_test_util.h"

namespace {

struct Outcome {
  int exitCode = -1;
  std::string output;  // standard output and error
};

// Runs the program in the working folder given (the test's own when empty).
Outcome RunCheck(const std::string& arguments, const std::string& workingFolder = {}) {
  Outcome run;
  const std::string command = (workingFolder.empty() ? "" : "cd '" + workingFolder + "' && ") +
                              VELTRIX_CHECK + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char chunk[4096];
  while (size_t n = std::fread(chunk, 1, sizeof chunk, pipe)) run.output.append(chunk, n);
  const int status = pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

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
  void SetUp() override {
    project = folder.Write("render.xml", ProjectText("Name=\"Render\" DefaultForm=\"Panel\" Stretch=\"FORM\"", kPanel));
    out = folder.Path("panel.png");
  }
  std::string Arguments(const std::string& rest) const { return "'" + project + "' " + rest; }

  TempFolder folder;
  std::string project;
  std::string out;
};

TEST_F(Render, TheFormAtItsOwnSize) {
  const Outcome run = RunCheck(Arguments("--render Panel --out '" + out + "'"));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  CRSurface image(1, 1);
  ASSERT_TRUE(image.ReadPng(out));
  EXPECT_TRUE(MatchesGoldenImage(image, "render_panel"));
  // The bind's value arrived before the painting.
  const CRPixel bound = image.GetPixel(60, 40);
  EXPECT_EQ(bound.red, 255);
  EXPECT_EQ(bound.green, 0);
  EXPECT_EQ(bound.blue, 255);
}

TEST_F(Render, AGivenSizeFollowsTheStretchRules) {
  ASSERT_EQ(RunCheck(Arguments("--render Panel --out '" + out + "' --size 160x120")).exitCode, 0);
  CRSurface image(1, 1);
  ASSERT_TRUE(image.ReadPng(out));
  ASSERT_EQ(image.GetWidth(), 160);
  ASSERT_EQ(image.GetHeight(), 120);
  // Everything twice as large: the red frame from (20,20), 4 pixels wide.
  EXPECT_EQ(image.GetPixel(19, 20).red, 0xE0);
  EXPECT_EQ(image.GetPixel(20, 20).green, 0);
  EXPECT_EQ(image.GetPixel(23, 23).red, 255);
  EXPECT_EQ(image.GetPixel(24, 24).red, 0xE0);
  EXPECT_EQ(image.GetPixel(159, 119).red, 0xE0);
}

// Opening the project changes the working folder; a relative output is still the caller's.
TEST_F(Render, ARelativeOutputIsWrittenWhereTheCallerStands) {
  const Outcome run = RunCheck("render.xml --render Panel --out here.png", folder.Path(""));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  CRSurface image(1, 1);
  EXPECT_TRUE(image.ReadPng(folder.Path("here.png")));
}

TEST_F(Render, MistakesAreToldAndNothingIsWritten) {
  Outcome run = RunCheck(Arguments("--render Nope --out '" + out + "'"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("no form named Nope"), std::string::npos) << run.output;
  run = RunCheck(Arguments("--render Panel --out '" + folder.Path("missing/folder/x.png") + "'"));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("cannot write"), std::string::npos) << run.output;
  run = RunCheck("'" + folder.Path("absent.xml") + "' --render Panel --out '" + out + "'");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("veltrix-check: "), std::string::npos) << run.output;
  for (const char* bad : {"--size 0x5", "--size 20", "--size 20x99999", "--size 2x3x4"}) {
    run = RunCheck(Arguments("--render Panel --out '" + out + "' " + bad));
    EXPECT_EQ(run.exitCode, 2) << bad;
  }
  EXPECT_EQ(RunCheck(Arguments("--render Panel")).exitCode, 2);
  EXPECT_EQ(RunCheck(Arguments("--out '" + out + "'")).exitCode, 2);
  run = RunCheck(Arguments("--render"));
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.output.find("--render FORM --out FILE.png [--size WxH]"), std::string::npos);
  std::FILE* written = std::fopen(out.c_str(), "rb");
  EXPECT_EQ(written, nullptr);
  if (written) std::fclose(written);
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
  const std::string project = folder.Write("mirror.xml", ProjectText("Name=\"Mirror\" DefaultForm=\"Shell\"", kForms));
  const std::string out = folder.Path("shell.png");
  const Outcome run = RunCheck("'" + project + "' --render Shell --out '" + out + "'");
  ASSERT_EQ(run.exitCode, 0) << run.output;
  CRSurface image(1, 1);
  ASSERT_TRUE(image.ReadPng(out));
  EXPECT_EQ(image.GetPixel(5, 5).red, 255);    // the shell
  EXPECT_EQ(image.GetPixel(12, 12).blue, 255);  // the first mirror
  EXPECT_EQ(image.GetPixel(20, 20).red, 255);   // the border of the second
  EXPECT_EQ(image.GetPixel(25, 25).blue, 255);  // inside it, the next mirror
}

}  // namespace
