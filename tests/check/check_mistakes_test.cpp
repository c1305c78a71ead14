// The mistakes a project author makes most, each once in one project: every one is found with
// its place, its code and its severity; and the things that cannot be told without running the
// project are not reported.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "check/check_run.h"
#include "comm_e2e/server_process.h"

namespace {

// One object per line, so that a problem's file line tells which mistake it is.
constexpr const char* kMistakes =
    "<OBJ clid=\"Form\" Name=\"Main\" Event=\"event OnInitialize()&#13;&#10;{&#13;&#10;"
    "  var n = ::Len(&quot;abc&quot;);&#13;&#10;"
    "  ::OpenForm(&quot;Nowhere&quot;);&#13;&#10;"
    "  SetValue(&quot;Tank1.Levle&quot;, 1);&#13;&#10;"
    "  ::SetSeparetorProperty(&quot;Nowhere&quot;, &quot;Cols&quot;, 1);&#13;&#10;}\">\r\n"
    "<OBJ clid=\"RectangleMeter\" Name=\"mtr\" Maxx=\"100\" "
    "Bind=\"[Valeu]Tank1.Level[Value]Tank1.Levle\"/>\r\n"
    "<OBJ clid=\"EditBox\" Name=\"edt\" TextType=\"NUMBR\" Width=\"wide\" "
    "Bind=\"[Text]::CStrr(Tank1.Level)\"/>\r\n"
    "<OBJ clid=\"Button\" Name=\"btn\" Event=\"event OnMouseUpp(button)&#13;&#10;{&#13;&#10;}\"/>\r\n"
    "<OBJ clid=\"RectangelMeter\" Name=\"bad\"/>\r\n"
    "<OBJ clid=\"Label\" Name=\"edt\" Bind=\"[Text]Boiler.Tmep\"/>\r\n"
    "</OBJ>\r\n";

struct Expected {
  const char* code;
  const char* severity;
  const char* line;  // as the text output prints it
};

const Expected kExpected[] = {
    {"unknown-attribute", "warning",
     "Main/mtr: Maxx: line 5, column 39: no property of RectangleMeter; the value is ignored (did you mean "
     "Max?)"},
    {"bad-enum-value", "error",
     "Main/edt: TextType: line 6, column 32: \"NUMBR\" is none of TEXT,NUMBER,PASSWORD (did you mean "
     "NUMBER?)"},
    {"bad-value", "error", "Main/edt: Width: line 6, column 49: \"wide\" is no number"},
    {"unknown-class", "error",
     "Main/bad: clid: line 8, column 1: Can't create control. RectangelMeter (did you mean RectangleMeter?)"},
    {"unknown-function", "error", "Main: OnInitialize: line 3, column 11: no function ::Len"},
    {"missing-form", "error", "Main: OnInitialize: line 4, column 14: the project has no form \"Nowhere\""},
    {"missing-frameset", "error",
     "Main: OnInitialize: line 6, column 26: the project has no frame set \"Nowhere\""},
    {"unknown-bind-property", "error",
     "Main/mtr: Valeu: no property of RectangleMeter; the bind is ignored (did you mean Value?)"},
    {"unknown-function", "error", "Main/edt: Text: line 1, column 0: no function ::CStrr"},
    {"unknown-event", "error",
     "Main/btn: OnMouseUpp: line 1, column 6: no event of Button; the handler never runs (did you mean "
     "OnMouseUp?)"},
    {"duplicate-name", "warning",
     "Main/edt: Name: an earlier object of the same parent has this name; names reach that one"},
};

// The tag mistakes, found only against the server's tags: each misspelt name once, where it is
// used first.
const Expected kTagMistakes[] = {
    {"unknown-tag", "error", "Main: OnInitialize: line 5, column 12: the server has no tag Tank1.Levle"},
    {"unknown-tag", "error", "Main/edt: Text: line 1, column 0: the server has no tag Boiler.Tmep"},
};

constexpr const char* kServerTags =
    "Tank1.Level number 5\n"
    "Boiler.Temp number 80\n";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Json(const Expected& expected) {
  return std::string("{\"code\":\"") + expected.code + "\",\"severity\":\"" + expected.severity + "\"";
}

// Checks the text and the JSON output against the expected problems, in order.
void ExpectProblems(const std::string& project, const std::string& options, std::vector<Expected> expected) {
  const CheckOutcome text = RunCheck(Quoted(project) + options);
  EXPECT_EQ(text.exitCode, 1);
  std::vector<std::string> lines = Lines(text.out);
  ASSERT_FALSE(lines.empty());
  lines.pop_back();  // the counts
  std::vector<std::string> wanted;
  for (const Expected& problem : expected) wanted.push_back(problem.line);
  EXPECT_EQ(lines, wanted);

  const CheckOutcome json = RunCheck(Quoted(project) + options + " --format json");
  EXPECT_EQ(json.exitCode, 1);
  const std::vector<std::string> objects = Lines(json.out);
  ASSERT_EQ(objects.size(), expected.size()) << json.out;
  for (size_t i = 0; i < objects.size(); ++i)
    EXPECT_EQ(objects[i].substr(0, Json(expected[i]).size()), Json(expected[i]));
}

TEST(CheckMistakes, EachMistakeIsFoundWithItsPlaceAndCode) {
  TempFolder folder;
  const std::string project = folder.Write("mistakes.xml", ProjectText("DefaultForm=\"Main\"", kMistakes));
  ExpectProblems(project, "", {std::begin(kExpected), std::end(kExpected)});

  const std::string tags = folder.Write("tags.txt", kServerTags);
  std::vector<Expected> withTags(std::begin(kExpected), std::end(kExpected));
  withTags.insert(withTags.end(), std::begin(kTagMistakes), std::end(kTagMistakes));
  ExpectProblems(project, " --tags " + Quoted(tags), withTags);

  ServerProcess server({.tags = kServerTags});
  ASSERT_TRUE(server.IsRunning());
  ExpectProblems(project, " --server 127.0.0.1:" + std::to_string(server.Port()), withTags);
}

// Calls resolved only at run time (inside a with block, on an object a variable holds, on a
// form's parent), calls of the script's own functions, of the root script's functions and of
// other objects' functions by their path, frame sets the project has (nested ones too), and
// warnings alone: nothing to report, exit 0.
TEST(CheckMistakes, WhatCannotBeToldStaticallyOrOnlyWarnsPasses) {
  TempFolder folder;
  const std::string project = folder.Write(
      "calls.xml",
      ProjectText(
          "DefaultForm=\"Main\" DefaultFrame=\"&lt;FRAMESET Name=&quot;Top&quot; Rows=&quot;*,*&quot; "
          "Cols=&quot;*&quot;&gt;&lt;FRAME Name=&quot;Body&quot;/&gt;&lt;FRAMESET Name=&quot;Inner&quot; "
          "Rows=&quot;*&quot; Cols=&quot;*&quot;&gt;&lt;FRAME Name=&quot;Low&quot;/&gt;&lt;/FRAMESET&gt;"
          "&lt;/FRAMESET&gt;\" Event=\"function Helper() { ::SetSeparetorProperty(&quot;Inner&quot;, "
          "&quot;Rows&quot;, &quot;*&quot;); return ::GetSeparetorProperty(&quot;Top&quot;, "
          "&quot;Cols&quot;); }\"",
          "<OBJ clid=\"Form\" Name=\"Main\" Event=\"event OnInitialize() {&#10;"
          "  var x = ::Helper() + root.Helper() + Grp.Lamp.Blink() + parent.Anything();&#10;"
          "  var o = GetParent(); o.Whatever();&#10;"
          "  with (Grp) { Blink(); }&#10;"
          "  ::OpenDialog(&quot;Main&quot;); ::Trace(Math.Sin(1));&#10;}\">"
          "<OBJ clid=\"Group\" Name=\"Grp\"><OBJ clid=\"Rectangle\" Name=\"Lamp\" "
          "Event=\"function Blink() { this.Blink2(); parent.Lamp.Blink2(); }&#10;function Blink2() {}\" "
          "Bind=\"[Visible]Math.Sin(1) &gt; ::CStr(-1)\"/></OBJ>"
          "<OBJ clid=\"Label\" Name=\"L\" Visble=\"F\"/></OBJ>\r\n"));
  const CheckOutcome outcome = RunCheck(Quoted(project));
  EXPECT_EQ(outcome.out,
            "Main/L: Visble: line 4, column 511: no property of Label; the value is ignored (did you mean "
            "Visible?)\n"
            "folders: 0, forms: 1, objects: 3, problems: 1\n");
  EXPECT_EQ(outcome.exitCode, 0);
}

}  // namespace
