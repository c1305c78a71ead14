#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "panel_server_sim/link_session.h"
#include "panel_server_sim/tag_file.h"
#include "panel_server_sim/tag_table.h"
#include "support/utf16_text.h"

using namespace panel_sim;

namespace {

TagGenerator MakeGenerator(const char* line, TagType type) {
  ConfigTokenizer tokens(line);
  const std::string_view kind = tokens.Next();
  TagGenerator generator;
  std::string error;
  EXPECT_TRUE(generator.Parse(kind, tokens, type, error)) << error;
  return generator;
}

TagTable MakeTable(const char* text) {
  std::vector<TagDefinition> tags;
  std::string error;
  EXPECT_TRUE(ParseTagFile(text, tags, error)) << error;
  return TagTable(std::move(tags), 7);
}

}  // namespace

TEST(TagGenerator, StepsFollowTheClockAndCatchUpWhenItJumps) {
  const struct {
    const char* generator;
    const char16_t* start;
    std::vector<std::pair<uint64_t, const char*>> steps;  // the clock, then the new value ("": none)
  } cases[] = {
      // The middle at phase 0, nothing within a sample, the top a quarter period on, the bottom.
      {"sine 1000 10 30",
       u"0",
       {{0, "20"}, {TagGenerator::kSineSampleMs - 1, ""}, {250, "30"}, {1750, "10"}}},
      {"ramp 2 100",
       u"5",
       {{99, ""}, {100, "7"}, {450, "13"}, {499, ""}}},        // periods ending at 200, 300, 400
      {"toggle 10", u"F", {{10, "T"}, {39, "T"}, {40, "F"}}},  // two flips: 20 and 30
  };
  std::mt19937_64 random(1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.generator);
    CNValue value;
    value.FromLiteral(c.start, true);
    TagGenerator generator = MakeGenerator(c.generator, value.IsBool(0) ? TagType::kBool : TagType::kNumber);
    for (const auto& [clock, expected] : c.steps) {
      const bool stepped = generator.Step(clock, value, random);
      EXPECT_EQ(stepped ? Utf16ToUtf8(value.ToLiteral(true)) : "", expected) << clock;
    }
  }

  CNValue value;
  TagGenerator noise = MakeGenerator("random -1 1 10", TagType::kNumber);
  for (uint64_t t = 10; t < 1000; t += 10) {
    ASSERT_TRUE(noise.Step(t, value, random));
    EXPECT_GE(value.GetNumber(0), -1.0);
    EXPECT_LE(value.GetNumber(0), 1.0);
  }
}

TEST(TagTable, WritesConvertToTheTagTypeAndBumpTheVersion) {
  TagTable table = MakeTable("N number 1\nB bool F\nS string \"x\"\nT time #2024/01/01 00:00:00#");
  CNValue value;
  const uint64_t read = table.Read(*table.Find(u"N"), value);
  EXPECT_EQ(value.GetQuality(), VQ_GOOD);
  uint64_t version = 0;
  // What a write of the literal leaves in the tag.
  const auto write = [&](const char16_t* name, std::u16string_view literal) {
    CNValue written;
    CNValue stored;
    if (!literal.empty()) written.FromLiteral(literal, true);
    version = table.Write(*table.Find(name), written, stored);
    if (version == 0) return std::string("refused");
    return Utf16ToUtf8(stored.ToLiteral(true)) + (stored.GetQuality() == VQ_GOOD ? "" : " not GOOD");
  };
  EXPECT_EQ(write(u"N", u"\"42.5\""), "42.5");
  EXPECT_GT(version, read);
  EXPECT_EQ(write(u"S", u"7"), "\"7\"");
  EXPECT_EQ(write(u"B", u"7"), "T");
  EXPECT_EQ(write(u"B", u"c(1,0,2)"), "c(T,F,T)");
  EXPECT_EQ(write(u"N", u""), "refused");      // the empty value
  EXPECT_FALSE(table.Find(u"n").has_value());  // names are case-sensitive
}

// Quality alone and the writer's own writes are met in the protocol's runs.
TEST(LinkSession, ReportsEachAdvisedChangeOnce) {
  TagTable table = MakeTable("A number 1\nB number 2\nC number 3");
  LinkSession session;
  const uint64_t a = session.Link(*table.Find(u"A"), 100, 1);
  session.Link(*table.Find(u"B"), 200, 0);  // not advised
  const uint64_t c = session.Link(*table.Find(u"C"), 300, 1);
  ASSERT_NE(a, 0u);
  ASSERT_NE(a, c);

  std::vector<LinkSession::Change> changes = session.CollectChanges(table);
  ASSERT_EQ(changes.size(), 2u);  // every advised link reports its first value in full
  EXPECT_EQ(changes[0].clientHandle, 100u);
  EXPECT_FALSE(changes[0].qualityOnly);
  EXPECT_EQ(changes[1].value.GetNumber(0), 3.0);
  EXPECT_TRUE(session.CollectChanges(table).empty());

  CNValue value;
  CNValue stored;
  value.SetNumber(1);  // the same contents again: only the timestamp moves
  table.Write(*table.Find(u"A"), value, stored);
  EXPECT_TRUE(session.CollectChanges(table).empty());

  session.SetAdvise(a, 0);
  session.Release(c);
  value.SetNumber(10);
  table.Write(*table.Find(u"A"), value, stored);
  EXPECT_TRUE(session.CollectChanges(table).empty());
  EXPECT_FALSE(session.FindTag(c).has_value());
}
