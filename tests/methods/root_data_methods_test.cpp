// The root's file functions (text, CSV, configuration) against real files in a temporary
// folder, the CSV reader on its own, and the limits of the named maps.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "methods/root_csv.h"
#include "root_test_util.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// A script line with the file name put in for "FILE".
std::u16string WithFile(std::string line, const std::string& file) {
  for (size_t at; (at = line.find("FILE")) != std::string::npos;) line.replace(at, 4, file);
  return Utf8ToUtf16(line);
}

}  // namespace

TEST(RootTextFiles, TextsRoundTripAndByteOrderMarksAreTolerated) {
  TempFolder temp;
  RootWorld world;
  temp.Write("bom8.txt", "\xEF\xBB\xBFsetpoint");
  temp.Write("bom16.txt", std::string("\xFF\xFEo\0k\0", 6));
  temp.Write("bom16be.txt", std::string("\xFE\xFF\0o\0k", 6));
  EXPECT_EQ(
      world.Run(WithFile("var t = \"Grüße\" & Chr(13) & Chr(10) & \"日本 \"\"q\"\"\";\n"
                         "::Trace(::SaveTextFile(\"FILE/a.txt\", t), ::LoadTextFile(\"FILE/a.txt\") == t);\n"
                         "::Trace(::SaveTextFile(\"FILE/a.txt\", c(\"one\", \"two\")), "
                         "::SaveTextFile(\"FILE/a.txt\", \"+\", T));\n"
                         "::Trace(::LoadTextFile(\"FILE/a.txt\") == (\"one\" & Chr(10) & \"two+\"));\n"
                         "::Trace(::LoadTextFile(\"FILE/bom8.txt\"), ::LoadTextFile(\"FILE\\bom16.txt\"), "
                         "::LoadTextFile(\"FILE/bom16be.txt\"));\n"
                         "::Trace(::SaveTextFile(\"FILE/empty.txt\", \"\"), "
                         "::LoadTextFile(\"FILE/empty.txt\") == \"\", ::GetLastError() == \"\");",
                         temp.path.string())),
      (Lines{"T", "T", "T", "T", "T", "setpoint", "ok", "ok", "T", "T", "T"}));
  EXPECT_EQ(temp.Read("a.txt"), "one\ntwo+");
}

TEST(RootTextFiles, HostileFilesAreRefusedWithAReasonAndNothingStoredIsLost) {
  TempFolder temp;
  RootWorld world;
  temp.Write("nul.txt", std::string("ab\0cd", 5));
  temp.Write("odd16.txt", std::string("\xFF\xFEo\0k", 5));
  temp.Write("keep.txt", "precious");
  { std::ofstream huge(temp.path / "huge.txt"); }
  fs::resize_file(temp.path / "huge.txt", (uintmax_t{16} << 20) + 1);  // sparse, but too large all the same
  ASSERT_EQ(::mkfifo((temp.path / "pipe").c_str(), 0600), 0);
  fs::create_directory(temp.path / "folder");
  const std::string dir = temp.path.string();
  const Lines output = world.Run(
      WithFile("::Trace(::LoadTextFile(\"FILE/missing.txt\"), ::GetLastError());\n"
               "::Trace(::LoadTextFile(\"FILE/folder\"), ::GetLastError());\n"
               "::Trace(::LoadTextFile(\"FILE/pipe\"), ::GetLastError());\n"
               "::Trace(::LoadTextFile(\"/dev/zero\"), ::GetLastError());\n"
               "::Trace(::LoadTextFile(\"FILE/huge.txt\"), ::GetLastError());\n"
               "::Trace(::LoadTextFile(\"FILE/nul.txt\"), ::GetLastError());\n"
               "::Trace(::LoadTextFile(\"FILE/odd16.txt\"), ::GetLastError());\n"
               "::Trace(::SaveTextFile(\"FILE/no/such/folder/x.txt\", \"x\"), ::GetLastError());\n"
               "::Trace(::SaveTextFile(\"FILE/folder\", \"x\"), ::SaveTextFile(\"FILE/folder\", \"x\", T));\n"
               "::LoadTextFile();",
               dir));
  EXPECT_EQ(
      output,
      (Lines{"#NOTHING#", "Cannot open the file: " + dir + "/missing.txt", "#NOTHING#",
             "Not a regular file: " + dir + "/folder", "#NOTHING#", "Not a regular file: " + dir + "/pipe",
             "#NOTHING#", "Not a regular file: /dev/zero", "#NOTHING#",
             "The file is too large: " + dir + "/huge.txt", "#NOTHING#",
             "Not a text file: " + dir + "/nul.txt", "#NOTHING#", "Not a text file: " + dir + "/odd16.txt",
             "F", "Cannot write the file: " + dir + "/no/such/folder/x.txt", "F", "F",
             "Runtime Error : Function execution stops for LoadTextFile"}));
  EXPECT_TRUE(fs::is_directory(temp.path / "folder"));
  EXPECT_EQ(temp.Read("keep.txt"), "precious");
  // No temporary file is left behind by the failed writes.
  size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(temp.path)) ++entries;
  EXPECT_EQ(entries, 6u);
}

TEST(RootCsvFiles, QuotesCommasAndLineBreaksRoundTripThroughTheGoldenBytes) {
  TempFolder temp;
  RootWorld world;
  EXPECT_EQ(
      world.Run(WithFile("var crlf = Chr(13) & Chr(10);\n"
                         "var t = c(c(\"id\", \"name\", \"note\"), c(1, \"Pump, main\", \"say \"\"hi\"\"\"), "
                         "c(2.5, \" lead\", \"two\" & crlf & \"lines\"));\n"
                         "::Trace(::SaveCsvFile(\"FILE/t.csv\", t));\n"
                         "var back = ::LoadCsvFile(\"FILE/t.csv\");\n"
                         "::Trace(GetValueElement(back, 0), GetValueElement(back, 1), back[1][1], back[2][2] "
                         "== (\"two\" & crlf & \"lines\"), back[2][0]);\n"
                         "::Trace(::SaveCsvFile(\"FILE/s.csv\", c(\"a;b\", #N/A#, 3), \";\"), "
                         "::LoadCsvFile(\"FILE/s.csv\", \";\"));\n"
                         "::Trace(::SaveCsvFile(\"FILE/e.csv\", #NOTHING#), ::LoadCsvFile(\"FILE/e.csv\"));",
                         temp.path.string())),
      (Lines{"T", "3", "3", "Pump, main", "T", "2.5", "T", "c(c(\"a;b\",\"\",\"3\"))", "T", "#NOTHING#"}));
  EXPECT_EQ(temp.Read("t.csv"),
            "id,name,note\r\n1,\"Pump, main\",\"say \"\"hi\"\"\"\r\n2.5,\" lead\",\"two\r\nlines\"\r\n");
  EXPECT_EQ(temp.Read("s.csv"), "\"a;b\";;3\r\n");
}

TEST(RootCsvFiles, BrokenFilesAndUnusableArgumentsAreRefused) {
  TempFolder temp;
  RootWorld world;
  temp.Write("open.csv", "a,\"never closed\r\nb,c\r\n");
  temp.Write("keep.csv", "x\r\n");
  const std::string dir = temp.path.string();
  EXPECT_EQ(world.Run(WithFile("::Trace(::LoadCsvFile(\"FILE/open.csv\"), ::GetLastError());\n"
                               "::Trace(::LoadCsvFile(\"FILE/keep.csv\", \"\"\"\"), ::GetLastError());\n"
                               "::Trace(::SaveCsvFile(\"FILE/keep.csv\", c(c(c(1, 2), c(3, 4)), c(c(5, 6), "
                               "c(7, 8)))), ::GetLastError(), ::LoadCsvFile(\"FILE/keep.csv\"));\n"
                               "::SaveCsvFile(\"FILE/keep.csv\");",
                               dir)),
            (Lines{"#NOTHING#", "A quoted CSV field is never closed: " + dir + "/open.csv", "#NOTHING#",
                   "A CSV delimiter cannot be a quote or a line break", "F",
                   "Only values of one or two dimensions can be saved as CSV", "x",
                   "Runtime Error : Function execution stops for SaveCsvFile"}));
}

TEST(RootCsvText, RecordsFieldsAndQuotesAreReadAsWritten) {
  using Rows = std::vector<std::vector<std::u16string>>;
  const struct {
    std::u16string_view text;
    CsvStatus status;
    Rows rows;
  } cases[] = {
      {u"", CsvStatus::kOk, {}},
      {u"a,b\nc,d", CsvStatus::kOk, {{u"a", u"b"}, {u"c", u"d"}}},
      {u"a,b\r\nc,d\r\n", CsvStatus::kOk, {{u"a", u"b"}, {u"c", u"d"}}},
      {u"a\rb\r", CsvStatus::kOk, {{u"a"}, {u"b"}}},
      {u"\n", CsvStatus::kOk, {{u""}}},
      {u"a,,\n\nb", CsvStatus::kOk, {{u"a", u"", u""}, {u""}, {u"b"}}},
      {u"\"x\"\"y\",z", CsvStatus::kOk, {{u"x\"y", u"z"}}},
      {u"\"multi\r\nline\",2\r\n", CsvStatus::kOk, {{u"multi\r\nline", u"2"}}},
      {u"ab\"c,d", CsvStatus::kOk, {{u"ab\"c", u"d"}}},
      {u"\"ab\"cd,e", CsvStatus::kOk, {{u"abcd", u"e"}}},
      {u"\"\"", CsvStatus::kOk, {{u""}}},
      {u"\"open", CsvStatus::kOpenQuote, {}},
      {u"a,\"b\nc", CsvStatus::kOpenQuote, {}},
      {u"a,\"b\"\"", CsvStatus::kOpenQuote, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    Rows rows{{u"stale"}};
    EXPECT_EQ(ParseCsv(c.text, u',', 100, rows), c.status);
    EXPECT_EQ(rows, c.rows);
  }
  Rows rows;
  EXPECT_EQ(ParseCsv(u"a,b\nc", u',', 2, rows), CsvStatus::kTooManyFields);  // more fields than allowed
  EXPECT_EQ(ParseCsv(u"a;\"b;c\"", u';', 2, rows), CsvStatus::kOk);
  EXPECT_EQ(rows, (Rows{{u"a", u"b;c"}}));
}

TEST(RootCsvText, RaggedRowsArePaddedAndTheElementLimitHolds) {
  CNValue value;
  ASSERT_TRUE(CsvRowsToValue({{u"a"}, {u"b", u"c", u"d"}}, 6, value));
  EXPECT_EQ(Shown(value), "c(c(\"a\",\"\",\"\"),c(\"b\",\"c\",\"d\"))");
  EXPECT_FALSE(CsvRowsToValue({{u"a"}, {u"b", u"c", u"d"}}, 5, value));
  // One long row and many short ones must not make a huge padded value.
  std::vector<std::vector<std::u16string>> rows(1000, std::vector<std::u16string>{u"x"});
  rows[0].resize(100000);
  EXPECT_FALSE(CsvRowsToValue(rows, 1u << 24, value));
  std::u16string text;
  CNValue scalar;
  scalar.SetString(u"quote \" inside");
  ASSERT_TRUE(ValueToCsv(scalar, u',', text));
  EXPECT_EQ(text, u"\"quote \"\" inside\"\r\n");
}

TEST(RootConfig, ValuesSurviveSaveAndLoadExactlyInTheGoldenFile) {
  TempFolder temp;
  RootWorld world;
  const std::string file = (temp.path / "sub" / "plant.cnf").string();
  EXPECT_EQ(world.Run(WithFile(
                "var names = c(\"pump\", \"valve \"\"B\"\"\");\n"
                "var note = \"x\" & Chr(10) & \"y = z\";\n"
                "var t = #2024/05/01 08:00:00.250#;\n"
                "::Trace(::SetConfig(\"\", \"Top\", \"outside\"), ::SetConfig(\"Plant\", \"Setpoint\", 0.1), "
                "::SetConfig(\"Plant\", \"Names\", names));\n"
                "::Trace(::SetConfig(\"Plant\", \"Enabled\", T), ::SetConfig(\"A\", \"note\", note), "
                "::SetConfig(\"A\", \"when\", t));\n"
                "::Trace(::SaveConfig(\"FILE\"), ::ClearConfig(), ::GetConfig(\"Plant\", \"Setpoint\", "
                "\"gone\"), ::LoadConfig(\"FILE\"));\n"
                "::Trace(::GetConfig(\"\", \"Top\"), ::GetConfig(\"Plant\", \"Setpoint\") == 0.1, "
                "::GetConfig(\"Plant\", \"Names\"));\n"
                "::Trace(::GetConfig(\"Plant\", \"Enabled\"), ::GetConfig(\"A\", \"note\") == note, "
                "::GetConfig(\"A\", \"when\") == t);\n"
                "::Trace(::ClearConfig(\"A\", \"note\"), ::ClearConfig(\"A\", \"note\"), "
                "::ClearConfig(\"Plant\"), ::ClearConfig(\"Plant\"), ::GetConfig(\"Plant\", \"Enabled\"));",
                file)),
            // clang-format off
            (Lines{"T", "T", "T",
                   "T", "T", "T",
                   "T", "T", "gone", "T",
                   "outside", "T", "c(\"pump\",\"valve \\\"B\\\"\")",
                   "T", "T", "T",
                   "T", "F", "T", "F", "#NOTHING#"}));
  // clang-format on
  EXPECT_EQ(temp.Read("sub/plant.cnf"),
            "Top=\"outside\"\n"
            "[A]\n"
            "note=\"x\\ny = z\"\n"
            "when=#2024/05/01 08:00:00.250#\n"
            "[Plant]\n"
            "Enabled=T\n"
            "Names=c(\"pump\",\"valve \\\"B\\\"\")\n"
            "Setpoint=0.1\n");
}

TEST(RootConfig, HandEditedFilesReadAndBadInputChangesNothing) {
  TempFolder temp;
  RootWorld world;
  temp.Write("hand.cnf",
             "\xEF\xBB\xBF; written by hand\r\n"
             "[ Panel ]\r\n"
             "  Title = Main panel \r\n"
             "Count=12\r\n"
             "no equals sign\r\n"
             "=no key\r\n"
             "#Hidden=1\r\n"
             "List=c(1,2\r\n"
             "[Broken\r\n"
             "After=1\r\n");
  temp.Write("nul.cnf", std::string("a=1\0", 4));
  { std::ofstream big(temp.path / "big.cnf"); }
  fs::resize_file(temp.path / "big.cnf", (uintmax_t{4} << 20) + 1);
  const std::string dir = temp.path.string();
  EXPECT_EQ(
      world.Run(WithFile("::Trace(::LoadConfig(\"FILE/hand.cnf\"), ::GetConfig(\"Panel\", \"Title\"), "
                         "::GetConfig(\"Panel\", \"Count\") + 1);\n"
                         "::Trace(::GetConfig(\"Panel\", \"List\"), ::GetConfig(\"Panel\", \"After\"), "
                         "::GetConfig(\"Panel\", \"#Hidden\"));\n"
                         "::Trace(::LoadConfig(\"FILE/big.cnf\"), ::GetLastError(), "
                         "::LoadConfig(\"FILE/nul.cnf\"), ::GetLastError());\n"
                         "::Trace(::LoadConfig(\"FILE/missing.cnf\"), ::GetConfig(\"Panel\", \"Title\"));\n"
                         "::Trace(::SetConfig(\"Panel\", \"a=b\", 1), ::SetConfig(\"Panel\", \"\", 1), "
                         "::SetConfig(\"Pa]nel\", \"k\", 1));\n"
                         "::Trace(::SetConfig(\"Panel\", \"k\" & Chr(10), 1), ::SetConfig(\"Panel\", \" k\", "
                         "1), ::SetConfig(\"Panel\", \"[k\", 1), ::GetLastError());\n"
                         "::SetConfig(\"Panel\", \"k\");",
                         dir)),
      // clang-format off
      (Lines{"T", "Main panel", "13",
             "c(1,2", "1", "#NOTHING#",
             "F", "The file is too large: " + dir + "/big.cnf", "F", "Not a configuration file: " + dir + "/nul.cnf",
             "F", "Main panel",
             "F", "F", "F",
             "F", "F", "F", "The configuration cannot store that section and key",
             "Runtime Error : Function execution stops for SetConfig"}));
  // clang-format on
}

TEST(RootConfig, TheProjectsConfigurationFileIsTheDefaultAndIsReadOnFirstUse) {
  TempFolder temp;
  FakeRuntime runtime;
  runtime.projectFolder = temp.path.string();
  {
    RootWorld world(&runtime);
    EXPECT_EQ(
        world.Run(
            u"::Trace(::GetConfig(\"Plant\", \"Speed\", \"none\"), ::SetConfig(\"Plant\", \"Speed\", 7), "
            u"::SaveConfig());"),
        (Lines{"none", "T", "T"}));
  }
  EXPECT_EQ(temp.Read("config/system.cnf"), "[Plant]\nSpeed=7\n");
  RootWorld next(&runtime);  // another project run: it reads the file on its first call
  EXPECT_EQ(next.Run(u"::Trace(::GetConfig(\"Plant\", \"Speed\"));"), (Lines{"7"}));
}
