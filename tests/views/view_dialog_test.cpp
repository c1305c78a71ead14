#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "methods/runtime_host.h"
#include "view_test_util.h"
#include "views/views.h"

namespace {

CKVDialogParams Request(std::u16string_view form) {
  CKVDialogParams params;
  params.baseFormName = form;
  return params;
}

class Dialogs : public testing::Test {
 protected:
  void SetUp() override {
    host.EnableScripts();
    host.AddForm(u"Keypad", 400, 300).SetProperty(u"Title", Text(u"Enter a value"));
    host.AddForm(u"Other", 200, 100);
    views.CreateMainView({});
    views.SetDesktop({0, 0, 1920, 1080});
    views.SetArea({100, 50, 1100, 850});
  }

  FakeViewHost host;
  CNPViews views{host};
};

TEST_F(Dialogs, PlacementCountsFromTheChosenAreaAndCentresWhatIsLeftOut) {
  CKVDialogParams params = Request(u"Keypad");
  params.left = 10;
  params.top = 20;
  ASSERT_NE(views.OpenDialog(params), nullptr);
  CNPBasisDialog& keypad = *views.FindDialog(u"Keypad");  // named after its form
  EXPECT_EQ(keypad.GetRect(), (CNRect{110, 70, 510, 370}));
  EXPECT_EQ(keypad.GetType(), CNDialogType::kSimple);  // the project's "CommonDialogType"
  EXPECT_EQ(U8(keypad.GetTitle()) + " " + Shows(&keypad.GetView()), "Enter a value Keypad 400x300");
  EXPECT_FALSE(keypad.IsModal());

  params = Request(u"Other");
  params.viewName = u"Centred";
  params.basePosX = u"DESKTOP";
  params.width = 300;
  params.title = u"Mine";
  params.dialogType = u"noframe";
  ASSERT_NE(views.OpenDialog(params), nullptr);
  const CNPBasisDialog& centred = *views.FindDialog(u"Centred");
  EXPECT_EQ(centred.GetRect(), (CNRect{810, 400, 1110, 500}));
  EXPECT_EQ(centred.GetType(), CNDialogType::kNoFrame);
  EXPECT_EQ(U8(centred.GetTitle()), "Mine");

  params.viewName = u"Full";
  params.dialogType = u"FULL";
  ASSERT_NE(views.OpenDialog(params), nullptr);
  EXPECT_EQ(views.FindDialog(u"Full")->GetRect(), (CNRect{0, 50, 1920, 850}));
}

TEST_F(Dialogs, ClosingAsksTheFormWhichMayRefuse) {
  CNPForm& keypad = *static_cast<CNPForm*>(host.FindBasedForm(u"Keypad", false));
  host.SetScript(keypad, u"event OnDialogClose(&bClose) { bClose = F; }");
  ASSERT_NE(views.OpenDialog(Request(u"Keypad")), nullptr);
  EXPECT_FALSE(views.CloseDialog(u"Keypad"));
  EXPECT_NE(views.FindDialog(u"Keypad"), nullptr);
  EXPECT_TRUE(host.released.empty());
  EXPECT_FALSE(views.CloseAllDialogs());

  EXPECT_TRUE(views.CloseDialog(u"Keypad", true));
  EXPECT_EQ(views.FindDialog(u"Keypad"), nullptr);
  EXPECT_EQ(host.released, (Lines{"Keypad"}));
  EXPECT_FALSE(views.CloseDialog(u"Keypad"));
}

TEST_F(Dialogs, AMissingFormFailsAndAnOpenDialogOfTheSameNameFailsShowsOrReopens) {
  EXPECT_EQ(views.OpenDialog(Request(u"Nowhere")), nullptr);
  EXPECT_EQ(U8(views.GetLastError()), "Can't find form. Name:Nowhere");
  CKVDialogParams params = Request(u"Keypad");
  CNPObject* form = views.OpenDialog(params);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(views.FindViewOfForm(*form), views.FindView(u"Keypad"));
  EXPECT_EQ(views.OpenDialog(params), nullptr);
  EXPECT_EQ(U8(views.GetLastError()), "The dialog is already open. Name:Keypad");

  views.ShowDialog(u"Keypad", false);
  params.alreadyOpened = u"Show";
  EXPECT_EQ(views.OpenDialog(params), form);
  EXPECT_TRUE(views.FindDialog(u"Keypad")->IsVisible());
  EXPECT_TRUE(host.released.empty());

  params.alreadyOpened = u"reopen";
  params.modal = true;
  EXPECT_EQ(views.OpenDialog(params), form);
  EXPECT_EQ(host.released, (Lines{"Keypad"}));
  EXPECT_EQ(views.GetModalDialog(), views.FindDialog(u"Keypad"));
  EXPECT_TRUE(views.SetModalDialog(u"Keypad", false));
  EXPECT_EQ(views.GetModalDialog(), nullptr);
  EXPECT_FALSE(views.SetModalDialog(u"Nowhere", true));

  // Reopening a dialog whose form refuses to close fails and keeps it.
  host.SetScript(*form, u"event OnDialogClose(&bClose) { bClose = F; }");
  EXPECT_EQ(views.OpenDialog(params), nullptr);
  EXPECT_EQ(views.GetDialogs().size(), 1u);
}

TEST_F(Dialogs, TheActiveDialogFollowsOpeningAndClosing) {
  CKVDialogParams params = Request(u"Keypad");
  views.OpenDialog(params);
  params.viewName = u"Second";
  views.OpenDialog(params);
  EXPECT_EQ(U8(views.GetActiveDialogName()), "Second");
  EXPECT_TRUE(views.CloseDialog({}));  // the active one
  EXPECT_EQ(U8(views.GetActiveDialogName()), "Keypad");
  EXPECT_TRUE(views.CloseAllDialogs());
  EXPECT_EQ(host.RootEventsOf("OnActiveDialog"),
            (Lines{"OnActiveDialogChanged(Keypad)", "OnActiveDialogChanged(Second)",
                   "OnActiveDialogChanged(Keypad)", "OnActiveDialogChanged()"}));
}

TEST_F(Dialogs, ClosingEverythingClosesDialogsWithoutAsking) {
  CNPObject* form = views.OpenDialog(Request(u"Keypad"));
  host.SetScript(*form, u"event OnDialogClose(&bClose) { bClose = F; }");
  views.CloseAll();
  EXPECT_TRUE(views.GetDialogs().empty());
  EXPECT_EQ(U8(views.GetActiveDialogName()), "");
  EXPECT_EQ(host.released, (Lines{"Keypad"}));
}

}  // namespace
