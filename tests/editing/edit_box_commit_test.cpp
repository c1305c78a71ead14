#include <gtest/gtest.h>

#include <string>

#include "edit_box_test_util.h"

namespace {

using EditBoxCommitTest = EditBoxTest;

TEST_F(EditBoxCommitTest, OutOfRangeNumberIsRefusedWithItsMessage) {
  Start(u"NUMBER", u"#,0,255,10,F,ENTER,EN", u"12");
  EXPECT_FALSE(box->CommitText(u"300"));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"300 is not in the range.\n\nPlease input between 0 and 255."});
  EXPECT_EQ(log, EventLog{"event OnTextFormatError \"300\""});
  EXPECT_EQ(Read(u"Text"), "\"12\"");
  EXPECT_EQ(Read(u"Value"), "\"12\"");
  EXPECT_TRUE(box->GetChangedProperties().empty());

  EXPECT_TRUE(box->CommitText(u"1,0"));
  EXPECT_EQ(log, (EventLog{"event OnTextFormatError \"300\"", "event OnTextChanged \"1,0\"",
                           "event OnEditBoxValueChanged 10"}));
  EXPECT_EQ(Read(u"Text"), "\"1,0\"");
  EXPECT_EQ(Read(u"Value"), "\"10\"");
  EXPECT_TRUE(box->IsPropertyChanged(u"Text"));
  EXPECT_TRUE(box->IsPropertyChanged(u"Value"));
}

TEST_F(EditBoxCommitTest, VersionTwoRangeWithoutMessagesAndWithDecimalPlaces) {
  Start(u"NUMBER", u"v2:1,0,100,@NUMBER");
  EXPECT_TRUE(box->CommitText(u"50"));
  EXPECT_EQ(Read(u"Text"), "\"50.0\"");
  EXPECT_FALSE(box->CommitText(u"150"));
  EXPECT_FALSE(box->CommitText(u""));
  EXPECT_TRUE(messages.GetRecords().empty());
  EXPECT_EQ(log, (EventLog{"event OnTextChanged \"50.0\"", "event OnEditBoxValueChanged 50",
                           "event OnTextFormatError \"150\"", "event OnTextFormatError \"\""}));
  EXPECT_EQ(Read(u"Text"), "\"50.0\"");
}

TEST_F(EditBoxCommitTest, EmptyTextOnlyWhereTheFormatAllowsIt) {
  Start(u"NUMBER", u"#,0,9,10,T,ENTER,EN", u"5");
  EXPECT_TRUE(box->CommitText(u""));
  // An empty text reads as no number: no value event, an empty "Value" and "Value2".
  EXPECT_EQ(log, EventLog{"event OnTextChanged \"\""});
  EXPECT_EQ(Read(u"Value"), "\"\"");
  EXPECT_EQ(Read(u"Value2"), "#NOTHING#");

  box->SetPropertyText(u"TextFormat", u"#,0,9,10,F,ENTER,EN");
  EXPECT_FALSE(box->CommitText(u""));
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{"Please input some number."});
}

TEST_F(EditBoxCommitTest, TextBoxLimitsTheLength) {
  Start(u"TEXT", u"5");
  EXPECT_FALSE(box->CommitText(u"abcdef"));
  EXPECT_TRUE(box->CommitText(u"abcde"));
  EXPECT_EQ(log, (EventLog{"event OnTextFormatError \"abcdef\"", "event OnTextChanged \"abcde\""}));
  EXPECT_EQ(Read(u"Value"), "\"abcde\"");
  EXPECT_EQ(Read(u"Value2"), "\"abcde\"");
}

TEST_F(EditBoxCommitTest, HandlersMayChangeTheTextAndTheNumber) {
  Start(u"NUMBER", u"#,,,16,F,ENTER,EN", u"1");
  owner.script.hooks[u"OnTextChanged"] = [](CNValue* args) { args[0].SetString(u"20"); };
  owner.script.hooks[u"OnEditBoxValueChanged"] = [](CNValue* args) { args[0].SetNumber(args[0].GetNumber(0) + 1); };
  EXPECT_TRUE(box->CommitText(u"7"));
  EXPECT_EQ(log, (EventLog{"event OnTextChanged \"7\"", "event OnEditBoxValueChanged 32"}));
  EXPECT_EQ(Read(u"Text"), "\"21\"");  // 33 written back in base 16
  EXPECT_EQ(Read(u"Value"), "\"33\"");
}

TEST_F(EditBoxCommitTest, SameNumberFiresNoValueEvent) {
  Start(u"NUMBER", u"#,,,10,F,TYPING,EN", u"5");
  EXPECT_TRUE(box->CommitText(u"5.0"));
  EXPECT_TRUE(box->CommitText(u"abc"));  // checked while typing only: taken as it is
  EXPECT_EQ(log, (EventLog{"event OnTextChanged \"5.0\"", "event OnTextChanged \"abc\"",
                           "event OnEditBoxValueChanged 0"}));
}

TEST_F(EditBoxCommitTest, ScriptWritesCommitWhileRunningOnly) {
  box->SetPropertyText(u"TextType", u"NUMBER");
  box->SetPropertyText(u"TextFormat", u"#,0,10,10,F,ENTER,F");
  // Loading stores whatever it is given and "Value" follows.
  EXPECT_EQ(box->SetPropertyText(u"Text", u"99"), 1);
  EXPECT_EQ(Read(u"Value"), "\"99\"");
  EXPECT_TRUE(log.empty());

  box->Initialize();
  log.clear();
  EXPECT_EQ(box->SetProperty(u"Text", Str(u"11")), 0);
  EXPECT_EQ(box->SetProperty(u"Text", Num(3)), 1);
  EXPECT_EQ(log, (EventLog{"event OnTextFormatError \"11\"", "event OnTextChanged \"3\"",
                           "event OnEditBoxValueChanged 3"}));
  EXPECT_EQ(Read(u"Text"), "\"3\"");
}

// An input bind on "Value" (as "[Value]INOUT:tag" has) brings the server's value: the box shows
// it at once, as it shows a "Text" bind's, without checking it or firing the commit events.
// "ValueIncludingEdit" and "Value2" read the value (the latter as a number in a number box);
// neither can be written.
TEST_F(EditBoxCommitTest, ValueWrittenFromOutsideIsShown) {
  for (const std::u16string_view type : {u"TEXT", u"NUMBER"}) {
    Start(type, u"", u"5");
    EXPECT_EQ(box->SetProperty(u"Value", Num(42.5)), 1);
    EXPECT_EQ(Read(u"Text"), "\"42.5\"");
    EXPECT_EQ(Read(u"Value"), "\"42.5\"");
    EXPECT_EQ(Read(u"ValueIncludingEdit"), "\"42.5\"");
    EXPECT_TRUE(log.empty());
    // The operator's next commit works from what is shown.
    EXPECT_TRUE(box->CommitText(u"7"));
    EXPECT_EQ(Read(u"Value"), "\"7\"");
  }
  EXPECT_EQ(Read(u"Value2"), "7");
  EXPECT_EQ(box->SetProperty(u"Value2", Num(1)), 0);
  EXPECT_EQ(box->FindPropertyInfo(u"ValueIncludingEdit"), nullptr);
}

TEST_F(EditBoxCommitTest, HandlerWritingTextDuringItsCommitIsRefused) {
  Start(u"TEXT", u"");
  bool nested = true;
  owner.script.hooks[u"OnTextChanged"] = [&](CNValue*) {
    nested = box->SetProperty(u"Text", Str(u"other")) != 0;
  };
  EXPECT_TRUE(box->CommitText(u"mine"));
  EXPECT_FALSE(nested);
  EXPECT_EQ(Read(u"Text"), "\"mine\"");
}

}  // namespace
