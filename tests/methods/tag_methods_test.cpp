// Refreshes requested by scripts reach the tags' listeners at once (the tag methods themselves
// are in programs/tag_methods.vs).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/exec_test_util.h"

namespace {

using Lines = std::vector<std::string>;

}  // namespace

TEST(ScriptTagMethods, ARefreshDeliversTheChangesToListenersAtOnce) {
  struct Listener : CNPTagServerConnectionPoint {
    uint32_t IsListening() override { return 1; }
    void TagChanged(CNPTag*, std::u16string_view name, const CNValue& value, uint32_t) override {
      heard.push_back(Utf16ToUtf8(name) + "=" + Utf16ToUtf8(value.GetText(0)));
    }
    Lines heard;
  } listener;
  TagScriptWorld tags;
  CNPTag* tag = tags.tags.GetTag(u"$D5", 1, &listener);
  ASSERT_NE(tag, nullptr);
  tags.world.Load(
      u"function Write(v) { WriteRequest(\"$D5\", v); }\n"
      u"function WriteNow(v) { WriteRequestRefresh(\"$D5\", v); }");
  tags.world.Run(u"Write", {Number(2)});
  EXPECT_EQ(listener.heard, Lines{});  // until the next refresh tick
  tags.world.Run(u"WriteNow", {Number(3)});
  EXPECT_EQ(listener.heard, (Lines{"$D5=3"}));
  tags.world.Run(u"WriteNow", {Number(4)});
  EXPECT_EQ(listener.heard, (Lines{"$D5=3", "$D5=4"}));
  tags.tags.ReleaseTag(tag, &listener);
}

TEST(ScriptTagMethods, ARefreshCalledFromAListenerOfARefreshWaitsForTheNextOne) {
  TagScriptWorld tags;
  // Answers every change by writing the next number and refreshing again.
  struct Echo : CNPTagServerConnectionPoint {
    explicit Echo(ScriptWorld& world) : world(world) {}
    uint32_t IsListening() override { return 1; }
    void TagChanged(CNPTag*, std::u16string_view, const CNValue& value, uint32_t) override {
      ++heard;
      world.Run(u"WriteNow", {Number(value.GetNumber(0) + 1)});
    }
    ScriptWorld& world;
    int heard = 0;
  } echo(tags.world);
  CNPTag* tag = tags.tags.GetTag(u"$D6", 1, &echo);
  ASSERT_NE(tag, nullptr);
  tags.world.Load(u"function WriteNow(v) { WriteRequestRefresh(\"$D6\", v); }");
  tags.world.Run(u"WriteNow", {Number(1)});
  EXPECT_EQ(echo.heard, 1);
  tags.world.Run(u"WriteNow", {Number(10)});
  EXPECT_EQ(echo.heard, 2);
  EXPECT_EQ(tags.tags.GetValue(tag, 0, nullptr)->GetNumber(0), 11.0);
  tags.tags.ReleaseTag(tag, &echo);
}
