#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "controls/edit_box.h"
#include "controls/in_place_edit.h"
#include "pobject_test_util.h"
#include "support/message_box.h"

namespace {

std::string Utf8(std::u16string_view text) { return Utf16ToUtf8(text); }

// The editor's text with "[" and "]" around the selection, or "|" at the caret.
std::string Show(const CNPInPlaceEdit& edit) {
  std::u16string text = edit.GetText();
  if (!edit.HasSelection()) return Utf8(text.insert(edit.GetCaret(), u"|"));
  text.insert(edit.GetSelectionEnd(), u"]");
  return Utf8(text.insert(edit.GetSelectionStart(), u"["));
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
  EXPECT_EQ(edit.KeyDown(kKeyReturn, 0), CNEditKey::Enter);
  EXPECT_EQ(edit.KeyDown(kKeyEscape, 0), CNEditKey::Escape);
  EXPECT_EQ(edit.KeyDown(kKeyTab, 0), CNEditKey::Tab);
  EXPECT_EQ(edit.KeyDown(kKeyTab, kKeyFlagShift), CNEditKey::BackTab);
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

// Records what the box asks of its window.
class HostOwner : public RecordingOwner, public CNEditBoxHost {
 public:
  using RecordingOwner::RecordingOwner;
  void EditorOpened(CNPEditBox&) override { calls.push_back("opened"); }
  void EditorClosed(CNPEditBox&) override { calls.push_back("closed"); }
  void MoveFocus(CNPEditBox&, bool forward) override { calls.push_back(forward ? "next" : "previous"); }
  std::vector<std::string> calls;
};

class EditBoxEditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousBox = CRMessageBox::SetCurrent(&messages);
    box->SetOwner(&owner);
    owner.script.handlers = {u"OnTextChanged", u"OnTextChanging", u"OnTextFormatError"};
  }
  void TearDown() override { CRMessageBox::SetCurrent(previousBox); }
  void Start(std::u16string_view type, std::u16string_view format, std::u16string_view text) {
    box->SetPropertyText(u"TextType", type);
    box->SetPropertyText(u"TextFormat", format);
    box->SetPropertyText(u"Text", text);
    box->Initialize();
    log.clear();
  }
  std::u16string Text() const { return box->GetText(); }
  void Type(std::u16string_view keys) {
    for (char16_t c : keys) box->TextInput(std::u16string_view(&c, 1));
  }

  EventLog log;
  HostOwner owner{log};
  CRRecordingMessageBox messages;
  CRMessageBox* previousBox = nullptr;
  CRPtr<CNPEditBox> box = CRPtr<CNPEditBox>::Make();
};

TEST_F(EditBoxEditingTest, EnterCommitsEscapeDiscards) {
  Start(u"TEXT", u"", u"old");
  box->SetPropertyText(u"StartCursor", u"SELECTALL");
  box->FocusIn();
  ASSERT_NE(box->GetEditor(), nullptr);
  Type(u"new");
  CNValue pending;
  box->GetProperty(u"ValueIncludingEdit", pending);
  EXPECT_EQ(pending.GetTextEmptyNA(0), u"new");
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
  ASSERT_EQ(messages.GetRecords().size(), 1u);
  EXPECT_EQ(messages.GetRecords()[0].text, u"1000 is not in the range.\n\nPlease input between 0 and 255.");
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

TEST_F(EditBoxEditingTest, PasswordAndMultilineEditors) {
  Start(u"PASSWORD", u"", u"pw");
  box->FocusIn();
  EXPECT_EQ(box->GetEditor()->GetDisplayText(), u"**");
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
  const std::u16string file = Utf8ToUtf16((dir / "text.txt").string());
  {
    std::ofstream out(dir / "text.txt", std::ios::binary);
    out << "\xEF\xBB\xBF" << "\xC3\xA9t\xC3\xA9";
  }
  EXPECT_TRUE(box->LoadTextFile(file));
  EXPECT_EQ(Text(), u"été");
  EXPECT_FALSE(box->LoadTextFile(u""));
  EXPECT_FALSE(box->LoadTextFile(Utf8ToUtf16(dir.string())));
  EXPECT_FALSE(box->LoadTextFile(Utf8ToUtf16((dir / "missing.txt").string())));
  {
    std::ofstream out(dir / "long.txt", std::ios::binary);
    out << "too long";
  }
  EXPECT_FALSE(box->LoadTextFile(Utf8ToUtf16((dir / "long.txt").string())));  // refused by the format
  EXPECT_EQ(Text(), u"été");

  const std::u16string saved = Utf8ToUtf16((dir / "saved.txt").string());
  EXPECT_TRUE(box->SaveTextFile(saved));
  std::ifstream in(dir / "saved.txt", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "\xC3\xA9t\xC3\xA9");
  EXPECT_FALSE(box->SaveTextFile(u""));
  EXPECT_FALSE(box->SaveTextFile(Utf8ToUtf16((dir / "no" / "such.txt").string())));
  std::filesystem::remove_all(dir);
}

}  // namespace
