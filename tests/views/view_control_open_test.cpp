// A view control's own view: when its form opens, the events around it, its history, its
// stretch, and view controls inside forms shown in view controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "view_control_test_util.h"

namespace {

constexpr std::u16string_view kRootScript =
    u"event OnBeforeOpenForm(viewName, basedFormName, &isOpen, &stretchMode, &openParam, formName) {\n"
    u"  ::Trace(\"root before \" & viewName & \" \" & basedFormName & \" \" & formName);\n"
    u"  if (basedFormName == \"Refused\") isOpen = F;\n"
    u"}\n"
    u"event OnAfterOpenForm(viewName, basedFormName, objForm, formName) {\n"
    u"  ::Trace(\"root after \" & viewName & \" \" & formName);\n"
    u"}\n";

constexpr std::u16string_view kControlScript =
    u"event OnBeforeOpenForm(basedFormName, &isOpen, &stretchMode, &openParam, formName) {\n"
    u"  ::Trace(\"control before \" & basedFormName & \" \" & formName);\n"
    u"}\n"
    u"event OnAfterOpenForm(basedFormName, objForm, formName) {\n"
    u"  ::Trace(\"control after \" & formName & \" \" & objForm.Name);\n"
    u"}\n"
    u"event OnInitialize() { ::Trace(\"control initialize \" & FormName); }\n";

class ViewControlOpen : public testing::Test {
 protected:
  void SetUp() override {
    outer = &host.AddForm(u"Outer", 400, 300);
    host.AddForm(u"Detail", 100, 100);
    host.AddForm(u"Trend", 100, 50);
    host.AddForm(u"Refused");
    host.SetScript(host.Root(), kRootScript);
    control = &host.AddControl(*outer, u"Box", u"Pane", u"Detail", {10, 10, 210, 110});
    host.SetScript(*control, kControlScript);
  }
  CNPViewBrowserControl& Pane() { return *control->GetView(); }
  // The control's "BasedFormName/FormName", then what its view shows.
  std::string Names() {
    return U8(PropertyText(*control, u"BasedFormName")) + "/" + U8(PropertyText(*control, u"FormName")) +
           " " + Shows(control->GetView());
  }
  Lines TakeTrace() { return std::exchange(host.trace, {}); }

  ViewControlHost host;
  CNPForm* outer = nullptr;
  CNPViewControl* control = nullptr;
};

TEST_F(ViewControlOpen, StartingOpensTheNamedFormWithTheRootsEventsThenTheObjects) {
  host.ShowMain(u"Outer", 400, 300);
  EXPECT_EQ(TakeTrace(),
            (Lines{"root before MainView Outer Outer", "root after MainView Outer",
                   "root before Pane Detail Detail", "control before Detail Detail", "root after Pane Detail",
                   "control after Detail Detail", "control initialize Detail"}));
  ASSERT_NE(control->GetView(), nullptr);
  EXPECT_EQ(host.views.FindView(u"Pane"), control->GetView());
  EXPECT_EQ(Names(), "Detail/Detail Detail 200x100");

  // "OpenForm" by the view's name: the properties follow what is on show.
  ASSERT_NE(host.views.OpenForm(u"Pane", u"Trend", u"Trend2", kStretchNone, CNValue()), nullptr);
  EXPECT_EQ(Names(), "Trend/Trend2 Trend2 200x100");
  // The object's history limit holds for its view.
  control->SetProperty(u"MaxFormHistory", Number(1));
  host.views.OpenForm(u"Pane", u"Detail", {}, kStretchNone, CNValue());
  EXPECT_EQ(Pane().GetHistory().GetBackList().size(), 1u);

  // The outer form goes: its view control's view goes with it and lets its form go.
  host.released.clear();
  host.views.CloseForm({});
  EXPECT_EQ(host.views.FindView(u"Pane"), nullptr);
  EXPECT_EQ(control->GetView(), nullptr);
  EXPECT_EQ(host.released, (Lines{"Outer", "Detail"}));
}

TEST_F(ViewControlOpen, WritesOfTheFormNamesOpenOnlyWhatIsNotOnShow) {
  host.ShowMain(u"Outer", 400, 300);
  TakeTrace();
  const auto acquiredCount = [&] { return host.acquired.size(); };
  const size_t before = acquiredCount();

  control->SetProperty(u"FormName", Text(u"Detail"));  // on show: nothing
  EXPECT_EQ(acquiredCount(), before);

  control->SetProperty(u"FormName", Text(u"Detail7"));  // another instance of the same definition
  EXPECT_EQ(U8(Pane().GetBasedFormName()) + " " + Names(), "Detail Detail/Detail7 Detail7 200x100");
  control->SetProperty(u"BasedFormName", Text(u"Trend"));  // shown under its own name
  EXPECT_EQ(Names(), "Trend/Trend Trend 200x100");
  EXPECT_EQ(acquiredCount(), before + 2);

  // A refused open keeps the form on show and the names as written.
  TakeTrace();
  control->SetProperty(u"BasedFormName", Text(u"Refused"));
  EXPECT_EQ(TakeTrace(), (Lines{"root before Pane Refused Refused", "control before Refused Refused"}));
  EXPECT_EQ(Names(), "Refused/Refused Trend 200x100");

  // An unknown form changes nothing either; an empty pair closes the form.
  control->SetProperty(u"FormName", Text(u"Missing"));
  EXPECT_EQ(Names(), "Refused/Missing Trend 200x100");
  control->SetProperty(u"BasedFormName", Text(u""));
  EXPECT_EQ(Pane().GetForm(), nullptr);
}

TEST_F(ViewControlOpen, StretchModesAndTheRatiosOfTheInnerForm) {
  struct Row {
    std::u16string_view stretch;
    std::u16string_view formStretch;  // the inner form's own, for "FORM"
    double widthRatio, heightRatio;
  };
  // The view is 200 x 100, the form 100 x 100.
  const Row rows[] = {{u"NONE", u"NONE", 1.0, 1.0},         {u"STRETCH_FULL", u"NONE", 2.0, 1.0},
                      {u"STRETCH_KEEPRATE", u"NONE", 1.0, 1.0}, {u"RESIZE_FULL", u"NONE", 1.0, 1.0},
                      {u"FORM", u"STRETCH_FULL", 2.0, 1.0}};
  CNObject* detail = host.FindBasedForm(u"Detail", false);
  host.ShowMain(u"Outer", 400, 300);
  for (const Row& row : rows) {
    SCOPED_TRACE(U8(row.stretch));
    detail->SetProperty(u"Stretch", Text(row.formStretch));
    control->SetProperty(u"Stretch", Text(row.stretch));
    EXPECT_DOUBLE_EQ(PropertyNumber(*control, u"WidthRatio"), row.widthRatio);
    EXPECT_DOUBLE_EQ(PropertyNumber(*control, u"HeightRatio"), row.heightRatio);
  }
  EXPECT_EQ(PropertyInt(*detail, u"Width"), 100);  // RESIZE_FULL gave its size back

  // A larger object gives the inner view more room; a title bar and border take theirs.
  SetProperties(*control, "Stretch=STRETCH_FULL TitleBar=TOP TitleHeight=20 Border=T BorderWidth=5");
  EXPECT_EQ(Pane().GetViewSize(), (CNSize{190, 70}));
  EXPECT_DOUBLE_EQ(PropertyNumber(*control, u"HeightRatio"), 0.7);
}

TEST_F(ViewControlOpen, ScrollPositionsReachTheInnerViewAndAreKeptInRange) {
  host.AddForm(u"Large", 500, 400);
  SetProperties(*control, "BasedFormName=Large Stretch=NONE");
  host.ShowMain(u"Outer", 400, 300);
  control->SetProperty(u"ScrollPosX", Number(120));
  control->SetProperty(u"ScrollPosY", Number(9999));
  EXPECT_EQ(Pane().GetScrollPos(), (CNPoint{120, 300}));
  EXPECT_EQ(PropertyInt(*control, u"ScrollPosY"), 300);
}

TEST_F(ViewControlOpen, ViewControlsNestAndTheirNamesStayApart) {
  CNPForm& middle = host.AddForm(u"Middle", 200, 100);
  control->SetProperty(u"BasedFormName", Text(u"Middle"));
  CNPViewControl& inner = host.AddControl(middle, u"InnerBox", u"Leaf", u"Trend", {0, 0, 200, 100});
  inner.SetProperty(u"Stretch", Text(u"STRETCH_KEEPRATE"));
  // A second object claiming a taken view name still shows its form, unseen by name.
  host.AddForm(u"Spare", 100, 50);
  CNPViewControl& twin = host.AddControl(*outer, u"Twin", u"Pane", u"Spare", {250, 10, 350, 60});
  host.ShowMain(u"Outer", 400, 300);

  ASSERT_NE(inner.GetView(), nullptr);
  EXPECT_EQ(host.views.FindView(u"Leaf"), inner.GetView());
  EXPECT_EQ(host.views.FindViewOfForm(middle), control->GetView());
  EXPECT_EQ(U8(inner.GetView()->GetFormName()), "Trend");
  // Each level has its own stretch: Middle fills the outer pane, Trend (100 x 50) doubles.
  EXPECT_DOUBLE_EQ(PropertyNumber(*control, u"WidthRatio"), 1.0);
  EXPECT_DOUBLE_EQ(PropertyNumber(inner, u"WidthRatio"), 2.0);
  EXPECT_EQ(host.views.FindView(u"Pane"), control->GetView());
  ASSERT_NE(twin.GetView(), nullptr);
  EXPECT_NE(twin.GetView()->GetForm(), nullptr);

  // The middle form goes from the outer view control: the leaf's view goes with it.
  control->SetProperty(u"BasedFormName", Text(u"Detail"));
  EXPECT_EQ(host.views.FindView(u"Leaf"), nullptr);
  EXPECT_EQ(inner.GetView(), nullptr);
}

}  // namespace
