// The tag methods of objects and the root's alias functions, run by scripts against the memory,
// alias and (offline or stopped) panel-server tags.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exec_test_util.h"
#include "tags/tag_server_suite.h"

namespace {

// A script world whose engine reads and writes the tags of suite.
struct TagWorld {
  explicit TagWorld(bool start) {
    if (start) {
      CNTagServerStartInfo offline;
      offline.offline = true;
      tags.Start(offline);
    }
    world.engine.SetTagServer(&tags);
  }
  CNPTagServerSuite tags;
  ScriptWorld world;  // after tags: goes first
};

using Lines = std::vector<std::string>;

}  // namespace

TEST(ScriptTagMethods, AnAliasReadsAndWritesItsTargetAndFollowsANewOne) {
  TagWorld tags(true);
  EXPECT_EQ(tags.world.Output(
                u"event OnInitialize() {\n"
                u"  ::Trace(::GetAliasTag(\"@A\"), ::SetAliasTag(\"@A\", \"$D1\"), ::GetAliasTag(\"@A\"));\n"
                u"  ::Trace(WriteVal(\"@A\", 7), GetVal(\"$D1\"), GetVal(\"@A\"));\n"
                u"  ::Trace(::SetAliasTag(\"@A\", \"$D2\"), GetVal(\"@A\"), WriteVal(\"@A\", 8), "
                u"GetVal(\"$D2\"), GetVal(\"$D1\"));\n"
                u"  ::Trace(::SetAliasTag(\"\", \"$D3\"), ::GetAliasTag(\"@B\"), GetVal(\"@B\"));\n"
                u"  ::SetAliasTag(\"@A\");\n"
                u"}"),
            (Lines{"", "T", "$D1", "T", "7", "7", "T", "0", "T", "8", "7", "F", "", "",
                   "Runtime Error : Function execution stops for SetAliasTag"}));
}

TEST(ScriptTagMethods, RequestsWriteAndReadListsOfTagsAndReportMissingOnes) {
  TagWorld tags(true);
  EXPECT_EQ(
      tags.world.Output(u"event OnInitialize() {\n"
                        u"  ::SetAliasTag(\"@A\", \"$D2\");\n"
                        u"  ::Trace(WriteRequest(c(\"@A\", \"$D3\", \"$S1\"), c(5, 6)), GetVal(c(\"$D2\", "
                        u"\"$D3\", \"$S1\")));\n"
                        u"  ::Trace(WriteRequest(\"$#list\", c(1, 2)), GetVal(\"$#list\"), "
                        u"WriteRequest(c(\"$D4\", \"$D10000\"), 1), GetVal(\"$D4\"));\n"
                        u"  ::Trace(WriteRequest(\"Plant.Temp\", 21), ReadVal(c(\"Plant.Temp\", \"@A\"), 1), "
                        u"ReadVal(\"$D3\", 0, \"more\"));\n"
                        u"  ::Trace(ReadRequest(c(\"$D1\", \"Plant.Temp\")), ReadRequest(\"$D10000\"), "
                        u"ReadRequestRefresh(\"@A\", 2));\n"
                        u"  ::Trace(ReadRefresh(), WriteRefresh(\"$D1\", 1), WriteRequestRefresh(\"$D1\", "
                        u"1), ::RefreshTag(), ::RefreshTag(\"$D1\"), ::GetTagLastError());\n"
                        u"  ReadVal(\"$D1\");\n"
                        u"}"),
      (Lines{"T", "c(5,6,\"5\")", "T", "c(1,2)", "F", "1", "T", "c(21,5)", "6", "T", "F", "T", "T", "T", "T",
             "T", "T", "", "Runtime Error : Function execution stops for ReadVal"}));
}

TEST(ScriptTagMethods, ARefreshDeliversTheChangesToListenersAtOnce) {
  struct Listener : CNPTagServerConnectionPoint {
    uint32_t IsListening() override { return 1; }
    void TagChanged(CNPTag*, std::u16string_view name, const CNValue& value, uint32_t) override {
      heard.push_back(Utf16ToUtf8(name) + "=" + Utf16ToUtf8(value.GetText(0)));
    }
    Lines heard;
  } listener;
  TagWorld tags(true);
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
  TagWorld tags(true);
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

TEST(ScriptTagMethods, ReadsOfAStoppedServerFailWithItsErrorText) {
  TagWorld tags(false);
  EXPECT_EQ(tags.world.Output(u"event OnInitialize() {\n"
                              u"  ::Trace(ReadRequest(\"Plant.Temp\"), ::GetTagLastError());\n"
                              u"  ::Trace(WriteRequest(\"Plant.Temp\", 1), ::GetTagLastError());\n"
                              u"}"),
            (Lines{"F", "Not connected.", "F", "Fail to write. Not connected."}));
}

TEST(ScriptTagMethods, WithoutATagServerTheTagMethodsStopTheScript) {
  for (const char16_t* call : {u"GetVal(\"$D1\")", u"ReadRequest(\"$D1\")", u"ReadRefresh()",
                               u"::GetAliasTag(\"@A\")", u"::GetTagLastError()"}) {
    ScriptWorld world;
    const Lines output = world.Output(u"event OnInitialize() { " + std::u16string(call) + u"; ::Trace(1); }");
    ASSERT_EQ(output.size(), 1u);
    EXPECT_TRUE(output[0].starts_with("Runtime Error : Function execution stops for ")) << output[0];
  }
}
