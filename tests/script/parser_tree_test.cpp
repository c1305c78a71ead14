#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script_parse_util.h"

TEST(ParserTree, EmptyTextsCompileToEmptyScripts) {
  for (const char16_t* text : {u"", u"  \r\n\t", u"// nothing\n/* at all */", u";;"}) {
    const CompiledScript compiled = Compile(text);
    EXPECT_TRUE(compiled.ok) << Utf8(text);
    EXPECT_TRUE(compiled.scope->IsEmpty());
    EXPECT_EQ(compiled.error.GetCode(), CE_NONE);
  }
}

TEST(ParserTree, NameBasesAndParts) {
  struct Case {
    const char16_t* written;
    NameBase base;
    const char* text;
    std::vector<std::string> parts;
  } cases[] = {
      {u"a", NB_PLAIN, "a", {"a"}},
      {u"a.b.c", NB_PLAIN, "a.b.c", {"a", "b", "c"}},
      {u"::OpenMsg", NB_ROOT, "root.OpenMsg", {"OpenMsg"}},
      {u"::a.b", NB_ROOT, "root.a.b", {"a", "b"}},
      {u"root", NB_ROOT, "root", {}},
      {u"root.x", NB_ROOT, "root.x", {"x"}},
      {u"parent.Calendar1.IncPage", NB_PARENT, "parent.Calendar1.IncPage", {"Calendar1", "IncPage"}},
      {u"this.Value", NB_THIS, "this.Value", {"Value"}},
      {u".Name", NB_WITH, ".Name", {"Name"}},
      {u".Panel.parent", NB_WITH, ".Panel.parent", {"Panel", "parent"}},
  };
  for (const Case& c : cases) {
    const CSCName name(c.written);
    EXPECT_EQ(name.GetBase(), c.base) << Utf8(c.written);
    EXPECT_EQ(Utf8(name.GetText()), c.text);
    std::vector<std::string> parts;
    for (const std::u16string& part : name.GetParts()) parts.push_back(Utf8(part));
    EXPECT_EQ(parts, c.parts) << Utf8(c.written);
  }
}

TEST(ParserTree, CompilingAgainReplacesTheScript) {
  CSCObject scope(nullptr, u"Form1");
  CKVParser parser;
  ASSERT_TRUE(parser.Parse(u"var a, b; function f() {}", scope));
  EXPECT_EQ(scope.GetVariables().size(), 2u);
  scope.GetVariableValue(1).SetNumber(5);
  ASSERT_TRUE(parser.Parse(u"var e;", scope));
  ASSERT_EQ(scope.GetVariables().size(), 1u);
  EXPECT_EQ(scope.FindFunction(u"f"), nullptr);
  EXPECT_EQ(scope.FindVariable(u"a"), nullptr);
  EXPECT_TRUE(scope.GetVariableValue(0).IsEmpty());
  EXPECT_FALSE(parser.Parse(u"var d; x", scope));
  EXPECT_TRUE(scope.IsEmpty());
  EXPECT_EQ(parser.GetError().GetCode(), CE_INVALID_TOKEN);
  ASSERT_TRUE(parser.Parse(u"", scope));
  EXPECT_EQ(parser.GetError().GetCode(), CE_NONE);
}

// Strings are heard once each, although the parser reads some tokens twice to look ahead.
TEST(ParserTree, TheStringListenerHearsStringsOnce) {
  struct Recorder : IKVStringListener {
    void OnString(uint32_t start, uint32_t end, std::u16string_view text) override {
      heard.push_back(std::to_string(start) + "-" + std::to_string(end) + " " + Utf8(text));
    }
    std::vector<std::string> heard;
  } recorder;
  CSCObject scope(nullptr, u"Form1");
  CKVParser parser;
  parser.SetStringListener(&recorder);
  ASSERT_TRUE(parser.Parse(u"function f() { x = \"a\"\"b\" + +\"\" + #now#; i++; }", scope));
  EXPECT_EQ(recorder.heard, (std::vector<std::string>{"19-25 \"a\"b\"", "29-31 \"\""}));
}
