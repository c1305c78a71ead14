#include <gtest/gtest.h>

#include <string>

#include "check/check_run.h"

namespace {

const std::string kDemo = std::string(VELTRIX_EXAMPLES) + "/demo/demo.xml";
const std::string kDemoCounts = "folders: 1, forms: 6, objects: 69, problems: 0\n";

// The demo is clean, and its scripts call nothing a site policy refuses; saved plain or
// enciphered it checks the same; saving a saved file changes nothing.
TEST(VeltrixCheck, TheDemoIsCleanAndSavedProjectsCheckTheSame) {
  TempFolder folder;
  const std::string plain = folder.Path("demo.xml");
  const std::string again = folder.Path("again.xml");
  const std::string encrypted = folder.Path("demo.brw");
  const CheckOutcome outcome = RunCheck(Quoted(kDemo) + " --save " + Quoted(plain));
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.out, kDemoCounts);
  EXPECT_EQ(RunCheck(Quoted(plain) + " --save " + Quoted(again)).out, kDemoCounts);
  EXPECT_EQ(ReadText(again), ReadText(plain));
  EXPECT_EQ(ReadText(plain).substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(RunCheck(Quoted(plain) + " --save " + Quoted(encrypted)).exitCode, 0);
  EXPECT_NE(ReadText(encrypted).find("FORMROOT"), 0u);
  EXPECT_EQ(RunCheck(Quoted(encrypted)).out, kDemoCounts);
  EXPECT_EQ(RunCheck("--capabilities " + Quoted(kDemo)).out,
            "processes:\n  none\nfiles:\n  none\nnetwork:\n  none\nsettings:\n  none\nclipboard:\n  none\n"
            "os:\n  none\ndynamic:\n  none\n");
}

TEST(VeltrixCheck, EveryProblemHasItsLine) {
  TempFolder folder;
  const std::string path = folder.Write(
      "broken.xml",
      ProjectText("FileRev=\"4\" DefaultForm=\"Start\" HiddenForm=\"Main, Ghost\" "
                  "NumberFormatConf=\"config\\number.cnf\" BlinkConf=\"sys:blink.cnf\"",
                  "<OBJ clid=\"Form\" Name=\"Main\"><OBJ clid=\"Sprocket\" Name=\"S1\"/></OBJ>\r\n"));
  const CheckOutcome outcome = RunCheck(Quoted(path));
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.out,
            "Main/S1: clid: line 4, column 30: Can't create control. Sprocket\n"
            "project: FileRev: the file's revision 4 is newer than this program's (3)\n"
            "project: HiddenForm (Ghost): Can't find hidden form.\n"
            "project: DefaultForm (Start): Can't find default form.\n"
            "project: NumberFormatConf: can't read config\\number.cnf: " +
                folder.Path("config/number.cnf") +
                ": No such file or directory\n"
                "folders: 0, forms: 1, objects: 0, problems: 5\n");
}

TEST(VeltrixCheck, ScriptsThatDoNotCompileAreNamedByPlaceLineAndColumn) {
  TempFolder folder;
  const std::string path = folder.Write(
      "scripts.xml",
      ProjectText(
          "DefaultForm=\"Main\"",
          "<OBJ clid=\"Form\" Name=\"Main\" Event=\"event OnInitialize() {&#13;&#10;  var x = ;&#13;&#10;}\">"
          "<OBJ clid=\"Group\" Name=\"Grp\"><OBJ clid=\"Rectangle\" Name=\"Lamp\" "
          "Bind=\"[Visible]$SYS0 == 2[Left]$D0 +&#10;&#9;(;\"/></OBJ>"
          "<OBJ clid=\"Label\" Name=\"L\" Bind=\"[Text]&quot;abc\"/></OBJ>\r\n"));
  const CheckOutcome outcome = RunCheck(Quoted(path));
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.out,
            "Main: Event: line 2, column 11: Unexpected Semicolon ;\n"
            "Main/Grp.Lamp: Left: line 2, column 7: Invalid token }\n"
            "Main/L: Text: line 1, column 0: End Quotes missing\n"
            "folders: 0, forms: 1, objects: 3, problems: 3\n");
}

TEST(VeltrixCheck, UnreadableProjectsFail) {
  TempFolder folder;
  const std::string path = folder.Write("broken.xml", "<ROOT><FORMROOT></ROOT>");
  const CheckOutcome outcome = RunCheck(Quoted(path));
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.out.substr(0, outcome.out.find(" Directory:")), "project: Can't open file. File:" + path);
  EXPECT_NE(outcome.out.find("(line 1, column 19: Start-end tags mismatch)\n"
                             "folders: 0, forms: 0, objects: 0, problems: 1\n"),
            std::string::npos)
      << outcome.out;
  EXPECT_EQ(RunCheck(Quoted(kDemo) + " --save " + Quoted(folder.Path("no/such/folder/out.xml"))).exitCode, 1);
  EXPECT_EQ(RunCheck("").exitCode, 2);
  EXPECT_EQ(RunCheck(Quoted(kDemo) + " --frobnicate").exitCode, 2);
}

}  // namespace

TEST(VeltrixCheck, CapabilitiesListEveryCallSiteByFamilyWithPlaceAndLine) {
  TempFolder folder;
  const std::string path = folder.Write(
      "calls.xml",
      ProjectText("DefaultForm=\"Main\" Event=\"event OnInitialize() {&#13;&#10;"
                  "  ::Trace(::GetClipboardData());&#13;&#10;}&#13;&#10;"
                  "function Go(name) { return ::CallMethod(name); }\"",
                  "<OBJ clid=\"Form\" Name=\"Main\"><OBJ clid=\"Label\" Name=\"btnSave\" Event=\""
                  "var path = &quot;/tmp/x&quot;; // ::DeleteFile(path) is a comment&#13;&#10;"
                  "event OnMouseUp(button) {&#13;&#10;"
                  "  if (::SaveTextFile(path, &quot;DeleteFile(&quot;)) { this.CopyFile(path, path &amp; "
                  "&quot;.bak&quot;); }"
                  "&#13;&#10;  ::OpenApplication(&quot;report&quot;);&#13;&#10;}&#13;&#10;"
                  "function Send() { return ::HTTPGet(path) &amp; ::SetRegistoryValue(&quot;a&quot;, "
                  "&quot;b&quot;, 1); }"
                  "\" Bind=\"[Text]::CStr(::HTTPGet(&quot;http://plant/::Fake(&quot;)) &amp; ::StrLen(&quot;a&quot;)\"/></OBJ>\r\n"));
  const CheckOutcome outcome = RunCheck("--capabilities " + Quoted(path));
  EXPECT_EQ(outcome.exitCode, 0);
  EXPECT_EQ(outcome.out,
            "processes:\n"
            "  Main.btnSave, event OnMouseUp, line 4: OpenApplication\n"
            "files:\n"
            "  Main.btnSave, event OnMouseUp, line 3: SaveTextFile\n"
            "  Main.btnSave, event OnMouseUp, line 3: CopyFile\n"
            "network:\n"
            "  Main.btnSave, function Send, line 6: HTTPGet\n"
            "  Main.btnSave, bind Text, line 1: HTTPGet\n"
            "settings:\n"
            "  Main.btnSave, function Send, line 6: SetRegistoryValue\n"
            "clipboard:\n"
            "  root, event OnInitialize, line 2: GetClipboardData\n"
            "os:\n"
            "  none\n"
            "dynamic:\n"
            "  root, function Go, line 4: CallMethod\n");
}
