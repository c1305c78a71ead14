#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "panel_server_sim/link_session.h"
#include "panel_server_sim/tag_file.h"
#include "panel_server_sim/tag_table.h"

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

TEST(TagGenerator, SineFollowsTheClockBetweenLowAndHigh) {
  TagGenerator sine = MakeGenerator("sine 1000 10 30", TagType::kNumber);
  std::mt19937_64 random(1);
  CNValue value;
  value.SetNumber(0);
  ASSERT_TRUE(sine.Step(0, value, random));
  EXPECT_DOUBLE_EQ(value.GetNumber(0), 20.0);  // the middle at phase 0
  EXPECT_FALSE(sine.Step(TagGenerator::kSineSampleMs - 1, value, random));
  ASSERT_TRUE(sine.Step(250, value, random));
  EXPECT_DOUBLE_EQ(value.GetNumber(0), 30.0);  // a quarter period: the top
  ASSERT_TRUE(sine.Step(1750, value, random));
  EXPECT_DOUBLE_EQ(value.GetNumber(0), 10.0);
}

TEST(TagGenerator, PeriodicGeneratorsCatchUpWhenTheClockJumps) {
  std::mt19937_64 random(1);
  CNValue value;
  value.SetNumber(5);
  TagGenerator ramp = MakeGenerator("ramp 2 100", TagType::kNumber);
  EXPECT_FALSE(ramp.Step(99, value, random));
  ASSERT_TRUE(ramp.Step(100, value, random));
  EXPECT_EQ(value.GetNumber(0), 7.0);
  ASSERT_TRUE(ramp.Step(450, value, random));  // periods ending at 200, 300 and 400
  EXPECT_EQ(value.GetNumber(0), 13.0);
  EXPECT_FALSE(ramp.Step(499, value, random));

  value.SetBool(false);
  TagGenerator toggle = MakeGenerator("toggle 10", TagType::kBool);
  ASSERT_TRUE(toggle.Step(10, value, random));
  EXPECT_TRUE(value.GetBool(0));
  ASSERT_TRUE(toggle.Step(39, value, random));  // two flips: 20 and 30
  EXPECT_TRUE(value.GetBool(0));
  ASSERT_TRUE(toggle.Step(40, value, random));
  EXPECT_FALSE(value.GetBool(0));

  TagGenerator noise = MakeGenerator("random -1 1 10", TagType::kNumber);
  for (uint64_t t = 10; t < 1000; t += 10) {
    ASSERT_TRUE(noise.Step(t, value, random));
    EXPECT_GE(value.GetNumber(0), -1.0);
    EXPECT_LE(value.GetNumber(0), 1.0);
  }
}

TEST(TagTable, WritesConvertToTheTagTypeAndBumpTheVersion) {
  TagTable table = MakeTable("N number 1\nB bool F\nS string \"x\"\nT time #2024/01/01 00:00:00#");
  const uint32_t n = *table.Find(u"N");
  CNValue value;
  const uint64_t before = table.Read(n, value);
  EXPECT_EQ(value.GetQuality(), VQ_GOOD);

  CNValue written;
  written.SetString(u"42.5");
  CNValue stored;
  const uint64_t version = table.Write(n, written, stored);
  EXPECT_GT(version, before);
  EXPECT_TRUE(stored.IsNumber(0));
  EXPECT_EQ(stored.GetNumber(0), 42.5);
  EXPECT_EQ(stored.GetQuality(), VQ_GOOD);

  written.SetNumber(7);
  ASSERT_NE(table.Write(*table.Find(u"S"), written, stored), 0u);
  EXPECT_EQ(stored.GetStringView(0), u"7");
  ASSERT_NE(table.Write(*table.Find(u"B"), written, stored), 0u);
  EXPECT_TRUE(stored.GetBool(0));

  CNValue list;
  ASSERT_TRUE(list.FromLiteral(u"c(1,0,2)", true));
  ASSERT_NE(table.Write(*table.Find(u"B"), list, stored), 0u);
  EXPECT_EQ(stored.GetCount(), 3u);
  EXPECT_FALSE(stored.GetBool(1));

  EXPECT_EQ(table.Write(n, CNValue(), stored), 0u);  // the empty value is refused
  EXPECT_FALSE(table.Find(u"n").has_value());       // names are case-sensitive
}

TEST(LinkSession, ReportsEachAdvisedChangeOnceAndQualityAlone) {
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

  table.SetQuality(VQ_BAD);
  changes = session.CollectChanges(table);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_TRUE(changes[0].qualityOnly);
  EXPECT_EQ(changes[0].value.GetQuality(), VQ_BAD);

  value.SetNumber(9);
  const uint64_t version = table.Write(*table.Find(u"C"), value, stored);
  session.MarkSeen(*table.Find(u"C"), stored, version);  // the writer saw its own write
  EXPECT_TRUE(session.CollectChanges(table).empty());

  session.SetAdvise(a, 0);
  session.Release(c);
  value.SetNumber(10);
  table.Write(*table.Find(u"A"), value, stored);
  EXPECT_TRUE(session.CollectChanges(table).empty());
  EXPECT_FALSE(session.FindTag(c).has_value());
}
