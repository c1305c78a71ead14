#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/stretch_mode.h"
#include "view_test_util.h"
#include "views/views.h"

namespace {

constexpr std::u16string_view kFrames =
    u"<FRAMESET Cols=\"200,*\" DefaultFrame=\"Body\">"
    u"<FRAME Name=\"Menu\" FormName=\"MenuForm\" Stretch=\"RESIZE_FULL\"/>"
    u"<FRAME Name=\"Body\"/>"
    u"</FRAMESET>";

class Views : public testing::Test {
 protected:
  void SetUp() override {
    host.EnableScripts();
    for (const char16_t* name : {u"MenuForm", u"A", u"B"}) host.AddForm(name, 400, 300);
    views.SetArea({0, 0, 1000, 700});
  }

  FakeViewHost host;
  CNPViews views{host};
};

TEST_F(Views, WithoutAFrameSetThereIsOneMainView) {
  EXPECT_TRUE(views.CreateMainView({}));
  ASSERT_NE(views.FindView(u"MainView"), nullptr);
  EXPECT_EQ(views.FindView({}), views.FindView(u"MainView"));
  EXPECT_EQ(Shows(views.FindView({})) + " " + Shows(views.FindView(u"Body")), "- 1000x700 (none)");
  EXPECT_EQ(U8(views.GetActiveViewName()), "MainView");
  EXPECT_EQ(views.OpenForm(u"Body", u"A", {}, kStretchNone, CNValue()), nullptr);
  EXPECT_EQ(U8(views.GetLastError()), "Can't find view. Name:Body");
}

TEST_F(Views, AFrameSetGivesOneViewPerFrameAndTheDefaultFrameTakesUnnamedOpens) {
  ASSERT_TRUE(views.CreateMainView(kFrames));
  EXPECT_TRUE(views.OpenFrameForms());
  EXPECT_EQ(Shows(views.FindView(u"Menu")), "MenuForm 200x700");
  EXPECT_EQ(views.FindView(u"Menu")->GetStretch(), kStretchResizeFull);
  EXPECT_EQ(views.FindView(u"MainView"), views.FindView(u"Body"));
  EXPECT_EQ(U8(views.GetActiveViewName()), "Body");

  ASSERT_NE(views.OpenForm({}, u"A", {}, kStretchNone, CNValue()), nullptr);
  views.OpenForm(u"Menu", u"B", {}, kStretchNone, CNValue());
  views.OpenForm(u"Menu", u"MenuForm", {}, kStretchNone, CNValue());
  EXPECT_EQ(host.RootEventsOf("OnActiveView"), (Lines{"OnActiveViewChanged(Menu)"}));
  views.SetArea({0, 0, 600, 400});
  EXPECT_EQ(Shows(views.FindView(u"Body")), "A 400x400");
}

TEST_F(Views, BadFrameTextFallsBackToTheMainView) {
  for (const char16_t* text : {u"<FRAMESET>", u"<FRAMESET></FRAMESET>", u"<FRAMESET><FRAME/></FRAMESET>"}) {
    EXPECT_FALSE(views.CreateMainView(text)) << U8(text);
    EXPECT_FALSE(views.GetLastError().empty());
    EXPECT_EQ(views.GetFrameset(), nullptr);
    ASSERT_NE(views.FindView(u"MainView"), nullptr);
  }
  // A frame whose form is missing is left empty and reported.
  ASSERT_TRUE(views.CreateMainView(u"<FRAMESET><FRAME Name=\"F\" FormName=\"Nowhere\"/></FRAMESET>"));
  EXPECT_FALSE(views.OpenFrameForms());
  EXPECT_EQ(U8(views.GetLastError()), "Can't find form. Name:Nowhere");
}

TEST_F(Views, ReplacingTheAreaClosesTheFormsShownThere) {
  views.CreateMainView({});
  views.OpenForm({}, u"A", {}, kStretchNone, CNValue());
  views.CreateMainView(kFrames);
  EXPECT_EQ(host.released, (Lines{"A"}));
  EXPECT_EQ(views.FindView({})->GetForm(), nullptr);
}

TEST_F(Views, TicksReachEveryKindOfViewAndCloseAllEmptiesThem) {
  CNPForm& hidden = host.AddForm(u"Hidden");
  host.SetScript(hidden, u"event OnHeartBeat() { ::Trace(\"hidden beat\"); }");
  for (const char16_t* name : {u"A", u"B"})
    host.SetScript(*static_cast<CNPForm*>(host.FindBasedForm(name, false)),
                   u"event OnHeartBeat() { ::Trace(\"" + std::u16string(name) + u" beat\"); }");
  views.CreateMainView({});
  views.OpenForm({}, u"A", {}, kStretchNone, CNValue());
  CNPViewBrowser* named = views.AddView(u"Inner");
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(views.AddView(u"Inner"), nullptr);
  EXPECT_EQ(views.AddView(u"MainView"), nullptr);
  views.OpenForm(u"Inner", u"B", {}, kStretchNone, CNValue());
  ASSERT_NE(views.OpenHiddenForm(u"Hidden", {}, CNValue()), nullptr);
  EXPECT_EQ(views.FindViewOfForm(hidden), views.GetHiddenViews().Find(u"Hidden"));
  EXPECT_EQ(views.FindView(u"Hidden"), nullptr);

  views.Tick(1);
  EXPECT_EQ(host.trace, (Lines{"B beat", "A beat", "hidden beat"}));

  views.CloseAll();
  EXPECT_EQ(views.GetHiddenViews().GetCount(), 0u);
  EXPECT_EQ(views.FindView(u"Inner"), named);  // a view control's view stays, empty
  EXPECT_EQ(named->GetForm(), nullptr);
  EXPECT_EQ(U8(views.GetActiveViewName()), "");
  host.trace.clear();
  views.Tick(1);
  EXPECT_TRUE(host.trace.empty());
  views.RemoveView(u"Inner");
  EXPECT_EQ(views.FindView(u"Inner"), nullptr);
}

}  // namespace
