// veltrix-script as users run it: what it prints where, and its exit codes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/temp_folder.h"

namespace {

struct ToolRun {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs the tool on a script file holding text, with further arguments.
ToolRun RunTool(const std::string& text, const std::string& arguments = {}) {
  TempFolder folder;
  folder.Write("script.vs", text);
  const std::string command = std::string("'") + VELTRIX_SCRIPT_TOOL + "' '" + folder.File("script.vs") +
                              "' " + arguments + " >'" + folder.File("out.txt") + "' 2>'" +
                              folder.File("err.txt") + "'";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, folder.Read("out.txt"), folder.Read("err.txt")};
}

}  // namespace

TEST(VeltrixScriptTool, PrintsEveryTraceArgumentOnALineAndExitsZero) {
  const ToolRun run = RunTool(
      "var greeting = \"hello\";\n"
      "event OnInitialize() { ::Trace(greeting, 1 / 3, c(1, 2), c(\"a\", \"b\"), #NOTHING#, "
      "::Math.Abs(-2.5)); }");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "hello\n0.33333333\nc(1,2)\nc(\"a\",\"b\")\n#NOTHING#\n2.5\n");
  EXPECT_EQ(run.err, "");
}

TEST(VeltrixScriptTool, CallsTheNamedFunctionWithLiteralArguments) {
  const std::string script = "function Join(a, b) { ::Trace(a & b, b); }";
  ToolRun run = RunTool(script, "--call Join --arg '\"x\"' --arg '\"y\\tz\"'");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "xy\tz\ny\tz\n#NOTHING#\n");  // the traces, then the result
  run = RunTool("function Twice(x) { return x * 2; }", "--call Twice --arg 21");
  EXPECT_EQ(run.out, "42\n");
  run = RunTool(script, "--call Join --arg 1");
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.err, "Runtime Error : Invalid number of arguments Join\n");
  run = RunTool(script, "--call Missing");
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.err, "Runtime Error : Unable to Resolve Identifier Missing\n");
  EXPECT_EQ(RunTool(script).code, 0);  // no OnInitialize: nothing to run
}

TEST(VeltrixScriptTool, CompileErrorsExitOneAndRunTimeErrorsTwo) {
  ToolRun run = RunTool("event OnInitialize()\n{\n  var 1x;\n}");
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Compilation Error : Invalid Identifier 1 (line 3, column 7)\n");
  run = RunTool("event OnInitialize() { ::Trace(\"first\"); ::Trace(nowhere); }");
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.out, "first\n");
  EXPECT_EQ(run.err,
            "Runtime Error : Unable to Resolve Identifier nowhere (at Script.OnInitialize, line 1)\n");
  // The place is where the run stopped, in the function called, not where the call began.
  run = RunTool(
      "function Inner()\n{\n  var a = 1;\n  return a + nowhere;\n}\nfunction Outer() { return Inner(); }",
      "--call Outer");
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "Runtime Error : Unable to Resolve Identifier nowhere (at Script.Inner, line 4)\n");
  run = RunTool("var broken = 1 / nowhere;");
  EXPECT_EQ(run.code, 2);
  EXPECT_EQ(run.err, "Runtime Error : Unable to Resolve Identifier nowhere (at Script, line 1)\n");
  EXPECT_EQ(RunTool("", "--arg 'c(1,'").code, 2);  // a bad command line
}

TEST(VeltrixScriptTool, ScriptsReachMemoryAndOfflineTagsNewObjectsAndFormatObjects) {
  const ToolRun run = RunTool(
      "event OnInitialize() {\n"
      "  ::Trace(this.WriteVal(\"$D0\", 1.5), this.GetVal(\"$D0\"), this.GetValue(\"$M3\"));\n"
      "  this.SetValue(\"$#count\", c(1, 2));\n"
      "  ::Trace(this.GetVal(\"$#count\"), this.GetVal(\"$#other\"));\n"
      "  this.WriteVal(\"$S1\", \"ab\");\n"
      "  ::Trace(this.GetVal(c(\"$D0\", \"$S1\", \"$D10000\")));\n"
      "  ::Trace(this.WriteVal(\"$D10000\", 1), this.WriteVal(\"Plant.Temp\", 21), "
      "this.GetVal(\"Plant.Temp\"));\n"
      "  var r = new Rectangle();\n"
      "  ::Trace(::Math.Abs(-1), r.GetProperty(\"Name\"));\n"
      "  var s = \"xy\";\n"
      "  this.WriteVal(\"$S2\", s);\n"
      "  this.SetValue(\"$#text\", s);\n"
      "  s &= \"c\";\n"
      "  s = s & \"d\";\n"
      "  ::Trace(this.GetVal(\"$S2\"), this.GetVal(\"$#text\"), s);\n"
      "  var f = new NumberFormatParser();\n"
      "  f.SetFormatName(\"@NUMBER.2S3\");\n"
      "  ::Trace(f.GetType(), f.GetFormatName());\n"
      "}");
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out,
            "T\n1.5\nF\n"
            "c(1,2)\n#NOTHING#\n"
            "c(1.5,\"ab\",#N/A#)\n"
            "F\nT\n21\n"
            "1\n\n"
            "xy\nxy\nxycd\n"          // appending to a text leaves the tags it was written to alone
            "number\n@NUMBER.2S\n");  // grouping by 3 is the default
}
