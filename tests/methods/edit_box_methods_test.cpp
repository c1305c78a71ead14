// The edit box's own methods driven through scripts, and the format store's view for the
// numeric check.
#include <string>
#include <vector>

#include "editing/edit_box.h"
#include "editing/text_format_check.h"
#include "methods/edit_box_formats.h"
#include "root_test_util.h"
#include "script/exec_test_util.h"

namespace {

using Lines = std::vector<std::string>;

TEST(EditBoxMethods, EditorMethodsCommitAndFiles) {
  ScriptWorld world;
  RegisterObjectClass<CNPEditBox>(world.registry, u"EditBox", {});
  TempFolder dir;
  const std::u16string file = Utf8ToUtf16(dir.File("box.txt"));
  const Lines output = world.Output(
      u"event OnInitialize() {\n"
      u"  var box = parent.AddObj(\"EditBox\", \"Edit1\");\n"
      u"  ::Trace(box.Enter(0), box.MoveCursor(\"left\"), box.SetSel(0, 1));\n"
      u"  box.Text = \"abc\";\n"
      u"  ::Trace(box.SaveTextFile(\"" +
      file +
      u"\"), box.SaveTextFile(\"\"));\n"
      u"  box.Text = \"\";\n"
      u"  ::Trace(box.LoadTextFile(\"" +
      file +
      u"\"), box.Text, box.LoadTextFile(\"\"));\n"
      u"  ::Trace(box.GetChildObjCount(), box.Value2);\n"
      u"  box.Enter();\n"
      u"}");
  EXPECT_EQ(output, (Lines{"F", "F", "T", "T", "F", "T", "abc", "F", "0", "abc",
                           "Runtime Error : Function execution stops for Enter"}));
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
