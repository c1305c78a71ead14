#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "edit_box_test_util.h"
#include "editing/in_place_edit.h"

namespace {

// The editor's text with "[" and "]" around the selection, or "|" at the caret.
std::string Show(const CNPInPlaceEdit& edit) {
  std::u16string text = edit.GetText();
  if (!edit.HasSelection()) return Utf16ToUtf8(text.insert(edit.GetCaret(), u"|"));
  text.insert(edit.GetSelectionEnd(), u"]");
  return Utf16ToUtf8(text.insert(edit.GetSelectionStart(), u"["));
}

TEST(InPlaceEdit, TypingMovingAndDeleting) {
  CNPInPlaceEdit edit(u"hello", {});
  EXPECT_EQ(Show(edit), "hello|");
  edit.KeyDown(kKeyLeft, 0);
  edit.KeyDown(kKeyLeft, kKeyFlagShift);
  EXPECT_EQ(Show(edit), "hel[l]o");
  EXPECT_TRUE(edit.InsertText(u"LL"));
  EXPECT_EQ(Show(edit), "helLL|o");
  edit.KeyDown(kKeyHome, kKeyFlagShift);
  EXPECT_EQ(Show(edit), "[helLL]o");
  edit.KeyDown(kKeyRight, 0);  // collapses to the selection's end
  EXPECT_EQ(Show(edit), "helLL|o");
  edit.KeyDown(kKeyBack, 0);
  edit.KeyDown(kKeyDelete, 0);
  EXPECT_EQ(Show(edit), "helL|");
  EXPECT_FALSE(edit.DeleteForward());
  edit.KeyDown(kKeyA, kKeyFlagControl);
  EXPECT_EQ(Show(edit), "[helL]");
  EXPECT_EQ(edit.KeyDown(kKeyA, 0), CNEditKey::Ignored);
  edit.KeyDown(kKeyDelete, 0);
  EXPECT_EQ(Show(edit), "|");
  EXPECT_FALSE(edit.DeleteBackward());
  EXPECT_EQ(edit.KeyDown(kKeyTab, 0), CNEditKey::Tab);  // Enter, Escape, back tab: the edit box tests
}

TEST(InPlaceEdit, StartCursorModesAndSelections) {
  const struct {
    int32_t mode;
    std::string shown;
  } cases[] = {{START_NONE, "abc|"}, {START_MOUSE, "a|bc"}, {START_LEFT, "|abc"},
               {START_RIGHT, "abc|"}, {START_SELECTALL, "[abc]"}};
  for (const auto& c : cases) {
    CNPInPlaceEdit edit(u"abc", {});
    edit.Start(c.mode, 1);
    EXPECT_EQ(Show(edit), c.shown) << c.mode;
  }
  CNPInPlaceEdit edit(u"abcdef", {});
  edit.Start(START_MOUSE);  // the host could not tell where
  EXPECT_EQ(Show(edit), "abcdef|");
  edit.SetSel(4, 1);
  EXPECT_EQ(Show(edit), "a[bcd]ef");
  EXPECT_EQ(edit.GetCaret(), 1u);
  edit.SetSel(2, -1);
  EXPECT_EQ(Show(edit), "ab[cdef]");
  edit.SetSel(-1, 3);
  EXPECT_EQ(Show(edit), "abcdef|");
  edit.SetSel(99, 100);
  EXPECT_EQ(Show(edit), "abcdef|");
  edit.MoveCaret(-100);
  EXPECT_EQ(Show(edit), "|abcdef");
}

TEST(InPlaceEdit, MaxLengthPasswordAndLineBreaks) {
  CNPInPlaceEdit edit(u"ab", {.maxLength = 4, .password = true});
  EXPECT_TRUE(edit.InsertText(u"c\r\nde"));  // line breaks dropped, cut at 4
  EXPECT_EQ(edit.GetText(), u"abcd");
  EXPECT_FALSE(edit.InsertText(u"x"));
  EXPECT_EQ(edit.GetDisplayText(), u"****");
  edit.SetSel(0, 2);
  EXPECT_TRUE(edit.InsertText(u"\U0001F600\U0001F600"));  // a pair never splits at the limit
  EXPECT_EQ(edit.GetText(), u"\U0001F600cd");
  EXPECT_EQ(edit.GetDisplayText(), u"***");
  edit.SetCaret(1);  // inside the pair: snaps before it
  EXPECT_EQ(edit.GetCaret(), 0u);
  edit.KeyDown(kKeyRight, 0);
  EXPECT_EQ(edit.GetCaret(), 2u);
  edit.KeyDown(kKeyBack, 0);
  EXPECT_EQ(edit.GetText(), u"cd");

  CNPInPlaceEdit lines(u"a", {.multiline = true});
  EXPECT_EQ(lines.KeyDown(kKeyReturn, 0), CNEditKey::Handled);
  EXPECT_EQ(lines.GetText(), u"a\r\n");
  lines.KeyDown(kKeyLeft, 0);
  EXPECT_EQ(lines.GetCaret(), 1u);
  lines.KeyDown(kKeyDelete, 0);
  EXPECT_EQ(lines.GetText(), u"a");
  EXPECT_EQ(lines.KeyDown(kKeyReturn, kKeyFlagControl), CNEditKey::Enter);
}

class EditBoxEditingTest : public EditBoxTest {
 protected:
  std::u16string Text() const { return box->GetText(); }
  void Type(std::u16string_view keys) {
    for (char16_t c : keys) box->TextInput(std::u16string_view(&c, 1));
  }
};

TEST_F(EditBoxEditingTest, EnterCommitsEscapeDiscards) {
  Start(u"TEXT", u"", u"old");
  box->SetPropertyText(u"StartCursor", u"SELECTALL");
  box->FocusIn();
  ASSERT_NE(box->GetEditor(), nullptr);
  Type(u"new");
  EXPECT_EQ(Read(u"ValueIncludingEdit"), "\"new\"");
  box->KeyDown(kKeyReturn, 0);
  EXPECT_EQ(box->GetEditor(), nullptr);
  EXPECT_EQ(Text(), u"new");

  box->ButtonDown(MOUSE_LEFT, {});
  Type(u"!");  // replaces the whole text selected at the start
  box->KeyDown(kKeyEscape, 0);
  EXPECT_EQ(box->GetEditor(), nullptr);
  EXPECT_EQ(Text(), u"new");
  EXPECT_EQ(owner.calls, (std::vector<std::string>{"opened", "closed", "opened", "closed"}));
  std::erase_if(log, [](const std::string& line) { return line.starts_with("dispatch"); });
  EXPECT_EQ(log, (EventLog{"event OnTextChanging \"n\"", "event OnTextChanging \"ne\"",
                           "event OnTextChanging \"new\"", "event OnTextChanged \"new\"",
                           "event OnTextChanging \"!\""}));
}

TEST_F(EditBoxEditingTest, RefusedEnterKeepsTheEditorWithTheTextSelected) {
  Start(u"NUMBER", u"#,0,255,10,F,ENTER,EN", u"1");
  box->FocusIn();
  Type(u"000");
  EXPECT_FALSE(box->Enter());
  ASSERT_NE(box->GetEditor(), nullptr);
  EXPECT_EQ(box->GetEditor()->GetSelectedText(), u"1000");
  box->KeyDown(kKeyBack, 0);
  Type(u"7");
  EXPECT_TRUE(box->Enter());
  EXPECT_EQ(Text(), u"7");
  EXPECT_FALSE(box->Enter());  // no editor any more
}

TEST_F(EditBoxEditingTest, TabAndTabAfterEnterMoveTheFocus) {
  Start(u"TEXT", u"", u"");
  box->FocusIn();
  Type(u"a");
  box->KeyDown(kKeyTab, kKeyFlagShift);
  box->SetPropertyText(u"TabAfterEnter", u"T");
  box->FocusIn();
  box->KeyDown(kKeyReturn, 0);
  EXPECT_EQ(owner.calls, (std::vector<std::string>{"opened", "closed", "previous", "opened", "closed", "next"}));
}

TEST_F(EditBoxEditingTest, LosingTheFocusCommitsOnlyAChange) {
  Start(u"TEXT", u"3", u"abc");
  box->FocusIn();
  box->FocusOut();
  EXPECT_TRUE(log.empty() || log.back() != "event OnTextChanged \"abc\"");
  box->FocusIn();
  Type(u"d");  // cut at the format's length
  box->GetEditor()->SetSel(0, 1);
  Type(u"x");
  box->FocusOut();
  EXPECT_EQ(box->GetEditor(), nullptr);
  EXPECT_EQ(Text(), u"xbc");
}

TEST_F(EditBoxEditingTest, TypingChecksAndTheChangingHandler) {
  Start(u"NUMBER", u"#.1,0,,10,F,TYPING", u"");
  box->FocusIn();
  Type(u"-1a2.34");
  EXPECT_EQ(box->GetEditor()->GetText(), u"12.3");
  owner.script.hooks[u"OnTextChanging"] = [](CNValue* args) {
    if (args[0].GetTextEmptyNA(0) == u"12.") args[0].SetString(u"0");
  };
  box->KeyDown(kKeyBack, 0);
  EXPECT_EQ(box->GetEditor()->GetText(), u"0");
  EXPECT_EQ(box->GetEditor()->GetCaret(), 1u);
}

TEST_F(EditBoxEditingTest, ScriptMethodsOnTheEditor) {
  Start(u"TEXT", u"", u"abcdef");
  EXPECT_FALSE(box->MoveCursor(u"left", 1));
  box->SetSel(1, 3);  // kept for the next opening
  box->FocusIn();
  EXPECT_EQ(Show(*box->GetEditor()), "a[bc]def");
  EXPECT_TRUE(box->MoveCursor(u"RIGHT", 2));  // the first step leaves the selection at its end
  EXPECT_EQ(Show(*box->GetEditor()), "abcd|ef");
  EXPECT_TRUE(box->MoveCursor(u"left", 0));
  EXPECT_EQ(Show(*box->GetEditor()), "|abcdef");
  EXPECT_FALSE(box->MoveCursor(u"up", 1));
  box->SetSel(0, -1);
  EXPECT_EQ(Show(*box->GetEditor()), "[abcdef]");
  box->EndEdit(false);
  box->FocusIn();  // the selection was used up
  EXPECT_EQ(Show(*box->GetEditor()), "abcdef|");
}

TEST_F(EditBoxEditingTest, DisabledInputOpensNoEditor) {
  Start(u"TEXT", u"", u"x");
  box->SetPropertyText(u"EnabledInput", u"F");
  box->FocusIn();
  Type(u"y");
  EXPECT_EQ(box->GetEditor(), nullptr);
  EXPECT_EQ(Text(), u"x");
}

// A password box's mask is in its drawing.
TEST_F(EditBoxEditingTest, MultilineEditorsTakeReturnAsALineBreak) {
  auto lines = CRPtr<CNPMultilineEditBox>::Make();
  lines->FocusIn();
  lines->TextInput(u"a");
  lines->KeyDown(kKeyReturn, 0);
  lines->TextInput(u"b");
  lines->KeyDown(kKeyReturn, kKeyFlagControl);
  EXPECT_EQ(lines->GetText(), u"a\r\nb");
}

TEST_F(EditBoxEditingTest, TextFiles) {
  Start(u"TEXT", u"4", u"");
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "edit_box_files_test";
  std::filesystem::create_directories(dir);
  const auto path = [&dir](const char* name) { return Utf8ToUtf16((dir / name).string()); };
  std::ofstream(dir / "text.txt", std::ios::binary) << "\xEF\xBB\xBF" << "\xC3\xA9t\xC3\xA9";
  std::ofstream(dir / "long.txt", std::ios::binary) << "too long";
  EXPECT_TRUE(box->LoadTextFile(path("text.txt")));
  EXPECT_EQ(Text(), u"été");
  for (const std::u16string& refused : {std::u16string(), path(""), path("missing.txt"), path("long.txt")})
    EXPECT_FALSE(box->LoadTextFile(refused)) << Utf16ToUtf8(refused);  // the last by the format
  EXPECT_EQ(Text(), u"été");

  EXPECT_TRUE(box->SaveTextFile(path("saved.txt")));
  std::ifstream in(dir / "saved.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "\xC3\xA9t\xC3\xA9");
  EXPECT_FALSE(box->SaveTextFile(u""));
  EXPECT_FALSE(box->SaveTextFile(path("no/such.txt")));
  std::filesystem::remove_all(dir);
}

}  // namespace
