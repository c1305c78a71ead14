// The edit box's own methods driven through scripts, and the format store's view for the
// numeric check.
#include <filesystem>
#include <string>
#include <vector>

#include "controls/edit_box.h"
#include "controls/text_format_check.h"
#include "exec_test_util.h"
#include "methods/edit_box_formats.h"

namespace {

using Lines = std::vector<std::string>;

TEST(EditBoxMethods, EditorMethodsCommitAndFiles) {
  ScriptWorld world;
  RegisterObjectClass<CNPEditBox>(world.registry, u"EditBox", {});
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "edit_box_methods_test.txt";
  const std::string path = file.string();
  const Lines output = world.Output(
      u"event OnInitialize() {\n"
      u"  var box = parent.AddObj(\"EditBox\", \"Edit1\");\n"
      u"  ::Trace(box.Enter(0), box.MoveCursor(\"left\"), box.SetSel(0, 1));\n"
      u"  box.Text = \"abc\";\n"
      u"  ::Trace(box.SaveTextFile(\"" + Utf8ToUtf16(path) + u"\"), box.SaveTextFile(\"\"));\n"
      u"  box.Text = \"\";\n"
      u"  ::Trace(box.LoadTextFile(\"" + Utf8ToUtf16(path) + u"\"), box.Text, box.LoadTextFile(\"\"));\n"
      u"  ::Trace(box.GetChildObjCount(), box.Value2);\n"
      u"}");
  EXPECT_EQ(output, (Lines{"F", "F", "T", "T", "F", "T", "abc", "F", "0", "abc"}));
  std::filesystem::remove(file);
}

TEST(EditBoxMethods, WrongArgumentCountsStopTheScript) {
  ScriptWorld world;
  RegisterObjectClass<CNPEditBox>(world.registry, u"EditBox", {});
  world.Output(u"event OnInitialize() { var box = parent.AddObj(\"EditBox\", \"Edit1\"); box.Enter(); }");
  ASSERT_EQ(world.errors.size(), 1u);
  EXPECT_NE(world.errors[0].find("Enter"), std::string::npos);
}

TEST(EditBoxMethods, FormatStoreGivesBasesAndTheLocale) {
  CNFormatStore store(u"ja_JP");
  store.LoadNumberFormats(u"");
  CNFormatStoreTextFormats formats(store);
  CNTextFormatEnvironment* previous = CNTextFormatEnvironment::SetCurrent(&formats);
  EXPECT_EQ(NumberFormatBase(u"@HEX"), 16);
  EXPECT_EQ(NumberFormatBase(u"NoSuchFormat"), 10);
  EXPECT_EQ(CurrentLocaleName(), u"ja-JP");
  EXPECT_TRUE(UsesJapaneseMessages(MESSAGE_AUTO));
  EXPECT_TRUE(CheckNumberText(ParseTextFormat(TEXT_TYPE_NUMBER, u"v2:,0,255,@HEX").number, u"ff").passed);
  CNTextFormatEnvironment::SetCurrent(previous);
}

}  // namespace
