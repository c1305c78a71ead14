#include <gtest/gtest.h>

#include <string>

#include "project/stretch_mode.h"
#include "view_test_util.h"
#include "views/form_history.h"
#include "views/view_browser.h"

namespace {

std::string Names(const std::vector<CNPFormHistoryEntry>& entries) {
  std::string names;
  for (const CNPFormHistoryEntry& entry : entries) names += (names.empty() ? "" : ",") + U8(entry.formName);
  return names;
}

class ViewHistory : public testing::Test {
 protected:
  void SetUp() override {
    for (const char16_t* name : {u"A", u"B", u"C", u"D"}) host.AddForm(name);
  }
  CNPObject* Open(std::u16string_view name) { return view.OpenForm(name, {}, kStretchNone, CNValue()); }

  FakeViewHost host;
  CNPViewBrowser view{host, u"MainView"};
};

TEST_F(ViewHistory, ReopeningTheFormOnShowRecordsNoSecondEntry) {
  Open(u"A");
  Open(u"A");
  EXPECT_EQ(Names(view.GetHistory().GetBackList()), "A");
  // The same definition under another name is another entry.
  view.OpenForm(u"A", u"A2", kStretchNone, CNValue());
  EXPECT_EQ(Names(view.GetHistory().GetBackList()), "A,A2");
}

TEST_F(ViewHistory, TheProjectLimitDropsTheOldestEntries) {
  host.Set(u"MaxFormHistory", Number(3));
  for (const char16_t* name : {u"A", u"B", u"C", u"D"}) Open(name);
  EXPECT_EQ(Names(view.GetHistory().GetBackList()), "B,C,D");
  // The view's own limit wins over the project's.
  view.SetHistoryLimit(2);
  Open(u"A");
  EXPECT_EQ(Names(view.GetHistory().GetBackList()), "D,A");
}

TEST_F(ViewHistory, PreviousAndNextWalkTheListsAndANewOpenDropsTheForwardList) {
  for (const char16_t* name : {u"A", u"B", u"C"}) Open(name);
  EXPECT_FALSE(view.OpenNextForm());
  ASSERT_TRUE(view.OpenPrevForm());
  EXPECT_EQ(U8(view.GetFormName()), "B");
  const CNPFormHistory& history = view.GetHistory();
  EXPECT_TRUE(history.HasNext());
  EXPECT_EQ(std::pair(history.GetPreviousCount(), history.GetNextCount()), std::pair(size_t{1}, size_t{1}));
  EXPECT_EQ(U8(history.GetPrevious(0)->formName + u" " + history.GetNext(0)->formName), "A C");

  ASSERT_TRUE(view.OpenNextForm());
  EXPECT_EQ(U8(view.GetFormName()), "C");
  ASSERT_TRUE(view.OpenPrevForm());
  Open(u"D");
  EXPECT_FALSE(view.GetHistory().HasNext());
  EXPECT_EQ(Names(view.GetHistory().GetBackList()), "A,B,D");

  ASSERT_TRUE(view.OpenPrevForm());
  ASSERT_TRUE(view.OpenPrevForm());
  EXPECT_FALSE(view.OpenPrevForm());  // A is the first
  EXPECT_EQ(U8(view.GetFormName()), "A");
  EXPECT_EQ(Names(view.GetHistory().GetForwardList()), "D,B");

  view.ClearFormHistory();
  EXPECT_FALSE(view.GetHistory().HasPrevious());
  EXPECT_FALSE(view.GetHistory().HasNext());
  EXPECT_EQ(U8(view.GetFormName()), "A");  // still on show
}

TEST_F(ViewHistory, GoingBackReopensWithTheStoredModeAndParameter) {
  view.OpenForm(u"A", {}, kStretchFull, Text(u"first"));
  Open(u"B");
  EXPECT_EQ(view.GetStretch(), kStretchNone);
  ASSERT_TRUE(view.OpenPrevForm());
  EXPECT_EQ(view.GetStretch(), kStretchFull);
  EXPECT_EQ(U8(view.GetOpenParam().GetText(0)), "first");
  EXPECT_EQ(Names(view.GetHistory().GetBackList()), "A");  // navigation records nothing
}

TEST_F(ViewHistory, ACancelledOpenChangesNothing) {
  Open(u"A");
  Open(u"B");
  host.onRootEvent = [](std::u16string_view name, CNValue* args, uint32_t) {
    if (name == u"OnBeforeOpenForm") args[2].SetBool(false);
  };
  EXPECT_EQ(Open(u"C"), nullptr);
  EXPECT_EQ(U8(view.GetFormName()), "B");
  EXPECT_EQ(U8(view.GetLastError()), "");
  EXPECT_EQ(Names(view.GetHistory().GetBackList()), "A,B");
  EXPECT_EQ(host.acquired, (Lines{"A", "B"}));

  // A cancelled step back leaves the lists as they were.
  EXPECT_FALSE(view.OpenPrevForm());
  EXPECT_EQ(Names(view.GetHistory().GetBackList()), "A,B");
  EXPECT_FALSE(view.GetHistory().HasNext());
}

TEST_F(ViewHistory, AMissingOrUnmadeFormFailsAndLeavesTheViewAsItWas) {
  Open(u"A");
  EXPECT_EQ(Open(u"Nowhere"), nullptr);
  EXPECT_EQ(U8(view.GetLastError()), "Can't find form. Name:Nowhere");
  host.refuseAcquire = true;
  EXPECT_EQ(Open(u"B"), nullptr);
  EXPECT_EQ(U8(view.GetLastError()), "Can't create form. Name:B");
  EXPECT_EQ(U8(view.GetFormName()), "A");
  EXPECT_EQ(Names(view.GetHistory().GetBackList()), "A");
  EXPECT_TRUE(host.released.empty());
}

TEST_F(ViewHistory, OpeningAnotherFormReleasesThePreviousOneAndHomeOpensTheDefaultForm) {
  host.Set(u"DefaultForm", Text(u"C"));
  Open(u"A");
  Open(u"B");
  EXPECT_EQ(host.released, (Lines{"A"}));
  ASSERT_NE(view.OpenHomeForm(), nullptr);
  EXPECT_EQ(U8(view.GetFormName()), "C");
  view.CloseForm();
  EXPECT_EQ(view.GetForm(), nullptr);
  EXPECT_EQ(U8(view.GetFormName()), "");
  EXPECT_EQ(host.released, (Lines{"A", "B", "C"}));
}

}  // namespace
