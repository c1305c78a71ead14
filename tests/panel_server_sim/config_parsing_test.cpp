#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "panel_server_sim/options.h"
#include "panel_server_sim/tag_file.h"
#include "panel_server_sim/user_table.h"
#include "support/file_time.h"
#include "support/utf16_text.h"

using namespace panel_sim;

namespace {

bool Parse(std::vector<const char*> args, ServerOptions& options, std::string& error) {
  args.insert(args.begin(), "panel-server-sim");
  return ParseOptions(static_cast<int>(args.size()), args.data(), options, error);
}

}  // namespace

TEST(ServerOptions, ReadsEveryOptionInBothForms) {
  ServerOptions options;
  std::string error;
  ASSERT_TRUE(Parse({"--port", "0", "--http-port=8080", "--tags=t.txt", "--users", "u.txt", "--fault",
                     "delay=250", "--fault=corrupt-crc", "--fault", "close-after=0"},
                    options, error))
      << error;
  EXPECT_EQ(std::tie(options.port, *options.httpPort, options.tagsFile, options.usersFile),
            std::make_tuple(0, 8080, "t.txt", "u.txt"));
  const FaultSettings& f = options.faults;
  EXPECT_TRUE(f.delay && f.delayMs == 250 && f.corruptCrc && f.closeAfter && f.closeAfterAnswers == 0);
}

TEST(ServerOptions, RefusesBadCommandLinesWithAReason) {
  const struct {
    std::vector<const char*> args;
    const char* error;
  } cases[] = {
      {{"--port"}, "option --port needs a value"},
      {{"--port", "65536"}, "bad port for --port: \"65536\""},
      {{"--http-port=-1"}, "bad port for --http-port: \"-1\""},
      {{"--port", "12ab"}, "bad port for --port: \"12ab\""},
      {{"--tags="}, "option --tags needs a value"},
      {{"--verbose"}, "unknown option \"--verbose\""},
      {{"--fault", "explode"}, "unknown fault \"explode\""},
      {{"--fault", "delay"}, "fault delay needs a number: delay=MS"},
      {{"--fault", "delay=soon"}, "fault delay needs a number: delay=MS"},
      {{"--fault", "corrupt-crc=1"}, "fault corrupt-crc takes no argument"},
  };
  for (const auto& c : cases) {
    ServerOptions options;
    std::string error;
    EXPECT_FALSE(Parse(c.args, options, error)) << c.error;
    EXPECT_EQ(error, c.error);
  }
}

TEST(TagFile, ReadsTypesLiteralsGeneratorsAndComments) {
  const char* text =
      "# plant\n"
      "\n"
      "Level   number 12.5  sine 1000 0 100   # a wave\r\n"
      "Count   number -3    ramp 2 500\n"
      "Run     bool   T     toggle 250\n"
      "Noise   number 1,234.5 random 1 2 100\n"
      "Note    string \"two \\\"quoted\\\" words # not a comment\"\n"
      "Start   time   #2024/03/01 08:00:00#\n"
      "   Idle bool F";
  std::vector<TagDefinition> tags;
  std::string error;
  ASSERT_TRUE(ParseTagFile(text, tags, error)) << error;
  std::vector<std::string> read;  // name, value, generator kind
  for (const TagDefinition& tag : tags)
    read.push_back(Utf16ToUtf8(tag.name + u" " + tag.value.ToLiteral(true)) + " " +
                   std::to_string(static_cast<int>(tag.generator.GetKind())));
  EXPECT_EQ(read, (std::vector<std::string>{"Level 12.5 1", "Count -3 2", "Run T 3", "Noise 1234.5 4",
                                            "Note \"two \\\"quoted\\\" words # not a comment\" 0",
                                            "Start #2024/03/01 08:00:00# 0", "Idle F 0"}));
  EXPECT_EQ(tags[0].generator.GetHigh(), 100.0);
  EXPECT_EQ(tags[2].type, TagType::kBool);
  CRCalendarTime local;
  ASSERT_TRUE(FileTimeToLocalCalendar(tags[5].value.GetTime(0), local));
  EXPECT_EQ(local.hour, 8);
}

TEST(TagFile, ReportsTheFirstBadLineByNumber) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"A number 1\nB numbr 1", "line 2: unknown type \"numbr\" (number, bool, string or time)"},
      {"A", "line 1: expected NAME TYPE VALUE"},
      {"A number", "line 1: missing VALUE"},
      {"A number xyz", "line 1: \"xyz\" is not a number literal"},
      {"A bool 1", "line 1: \"1\" is not a bool literal"},
      {"A string Running", "line 1: \"Running\" is not a string literal"},
      {"A string \"open", "line 1: unclosed literal \"open"},
      {"A time #2024/13/45 99:00#", "line 1: \"#2024/13/45 99:00#\" is not a time literal"},
      {"A time #now", "line 1: unclosed literal #now"},
      {"A number c(1,2)", "line 1: \"c(1,2)\" is not a number literal"},
      {"A number 1 wave 10", "line 1: unknown generator \"wave\" (sine, ramp, toggle or random)"},
      {"A number 1 toggle 10", "line 1: generator toggle needs a bool tag"},
      {"A bool T sine 10 0 1", "line 1: generator sine needs a number tag"},
      {"A number 1 sine 0 0 1",
       "line 1: generator sine: PERIOD_MS must be a whole number above 0, found \"0\""},
      {"A number 1 sine 100 0", "line 1: generator sine: HIGH must be a number, found nothing"},
      {"A number 1 random 5 1 100", "line 1: generator random: LOW is above HIGH"},
      {"A number 1 ramp x 100", "line 1: generator ramp: STEP must be a number, found \"x\""},
      {"A number 1 ramp 1 100 extra", "line 1: unexpected \"extra\""},
      {"\n\nA number 1\n# B\nA bool T", "line 5: tag A is defined twice"},
  };
  for (const auto& c : cases) {
    std::vector<TagDefinition> tags;
    std::string error;
    EXPECT_FALSE(ParseTagFile(c.text, tags, error)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

TEST(UserTable, LoadingReplacesTheUsersOrChangesNothing) {
  // The default users log in, and are added, changed and removed, in the login stub's runs.
  UserTable users;
  EXPECT_FALSE(users.Check(u"admin", u"Admin").has_value());

  std::string error;
  ASSERT_TRUE(users.Load("# operators\nop secret 3\nlead  boss 7  # shift lead\n", error)) << error;
  EXPECT_FALSE(users.Check(u"admin", u"admin").has_value());
  EXPECT_EQ(users.Check(u"lead", u"boss"), 7u);

  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"op secret", "line 1: expected USER PASSWORD LEVEL"},
      {"ok pw 1\nop secret high", "line 2: level \"high\" is not a whole number"},
      {"op secret 99999999999", "line 1: level \"99999999999\" is not a whole number"},
      {"op secret 3 4", "line 1: unexpected \"4\""},
      {"op a 1\nop b 2", "line 2: user op is defined twice"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(users.Load(c.text, error)) << c.text;
    EXPECT_EQ(error, c.error);
  }
  EXPECT_EQ(users.Check(u"op", u"secret"), 3u);  // a failed load changes nothing
}
