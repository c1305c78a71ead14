// Painting a view and finding what needs repainting.
#include <gtest/gtest.h>

#include <cstdio>

#include "controls/collection.h"
#include "draw/painter.h"
#include "draw/surface.h"
#include "project/stretch_mode.h"
#include "view_test_util.h"
#include "views/view_browser.h"

namespace {

// The colours at points written "x,y x,y": "view" (#00FF00), "form" (#102030), "red", or the
// colour's #RRGGBB text.
std::string Colors(const CRSurface& surface, const std::string& points) {
  std::string colors;
  for (CNPoint at : Points(points)) {
    const CRPixel p = surface.GetPixel(at.x, at.y);
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", p.red, p.green, p.blue);
    const std::string color = hex;
    colors += (colors.empty() ? "" : " ") + (color == "#00FF00"   ? "view"
                                             : color == "#102030" ? "form"
                                             : color == "#FF0000" ? "red"
                                                                  : color);
  }
  return colors;
}

std::string Describe(const CRRectF& r) {
  return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) + "x" +
         std::to_string(r.height);
}

// Form F 40 x 30 filled #102030 around a view of #00FF00, holding a group at (10,10) 20x10 with
// a 2-unit red inner frame, and the labels A at (2,2) 4x4 and B at (30,20) 4x4.
class ViewPaint : public testing::Test {
 protected:
  void SetUp() override {
    form = &host.AddForm(u"F", 40, 30);
    SetProperties(*form, "FillColor=#102030 ViewFillColor=#00FF00");
    group = &host.AddObject<CNPCollection>(*form, u"G", 10, 10, 20, 10,
                                           "InnerFrame=T InnerFrameColor=#FF0000 InnerFrameWidth=2");
    a = &host.AddObject(*form, u"A", 2, 2, 4, 4);
    b = &host.AddObject(*form, u"B", 30, 20, 4, 4);
    view.SetViewSize({40, 30});
    ASSERT_NE(view.OpenForm(u"F", {}, kStretchNone, CNValue()), nullptr);
    CRRectF ignored;
    view.TakeDirtyArea(ignored);
  }
  std::unique_ptr<CRSurface> PaintAll(int width, int height) {
    auto surface = std::make_unique<CRSurface>(width, height);
    CRPainter painter(*surface);
    view.Paint(painter, {0, 0, double(width), double(height)}, nullptr);
    return surface;
  }
  // The dirty area, as text; "none" when nothing needs repainting.
  std::string Dirty() {
    CRRectF area;
    return view.TakeDirtyArea(area) ? Describe(area) : "none";
  }

  FakeViewHost host;
  CNPViewBrowser view{host, u"MainView"};
  CNPForm* form = nullptr;
  CNPCollection* group = nullptr;
  CNPLabel* a = nullptr;
  CNPLabel* b = nullptr;
};

TEST_F(ViewPaint, AtZoomTwoTheFormIsCentredAndEveryEdgeScaled) {
  view.SetViewSize({100, 80});
  view.SetZoom(2);  // the form is 80 x 60, 10 pixels in from each side
  // The form from (10,10) to (90,70); the group from (30,30) to (70,50), its frame 4 pixels wide
  // inside that.
  EXPECT_EQ(Colors(*PaintAll(100, 80), "0,0 9,9 10,10 89,69 90,70 29,30 30,30 33,33 34,34 69,49 70,50"),
            "view view form form view form red red form red form");
}

TEST_F(ViewPaint, OnlyThePaintedAreaIsTouched) {
  view.SetViewSize({100, 80});
  view.SetZoom(2);
  view.SetScrollPos({5, 5});  // nothing to scroll: the form fits
  CRSurface surface(100, 80);
  CRPainter painter(surface);
  view.Paint(painter, {28, 28, 4, 4}, nullptr);
  EXPECT_EQ(surface.GetPixel(27, 28).alpha, 0);
  EXPECT_EQ(surface.GetPixel(32, 31).alpha, 0);
  EXPECT_EQ(Colors(surface, "29,29 31,31"), "form red");
  view.Paint(painter, {0, 0, 0, 5}, nullptr);  // an empty area paints nothing
  EXPECT_EQ(surface.GetPixel(0, 0).alpha, 0);
}

TEST_F(ViewPaint, TheViewColourComesFromTheFormThenTheProjectThenNeutralGrey) {
  view.SetViewSize({50, 30});  // 5 pixels of view on each side
  std::string colors = Colors(*PaintAll(50, 30), "1,1");
  form->SetProperty(u"ViewFillColor", Text(u""));
  host.Set(u"ViewFillColor", Text(u"#0000FF"));
  colors += " " + Colors(*PaintAll(50, 30), "1,1");
  host.Set(u"ViewFillColor", Text(u""));
  colors += " " + Colors(*PaintAll(50, 30), "1,1");
  view.CloseForm();
  EXPECT_EQ(colors + " " + Colors(*PaintAll(50, 30), "25,15"), "view #0000FF #808080 #808080");
}

TEST_F(ViewPaint, TheFocusFrameIsDrawnWhereTheHoldingGroupAsksForIt) {
  view.SetViewSize({40, 30});
  Place(*a, 2, 2, 8, 8);
  view.SetFocusObject(a);
  EXPECT_EQ(Colors(*PaintAll(40, 30), "2,2 9,5 3,3 4,4"), "#000000 #000000 #FFFFFF form");  // DOUBLE1
  SetProperties(host.Root(), "FocusHoverType=SINGLE2 FocusHoverColor1=#FF00FF");
  EXPECT_EQ(Colors(*PaintAll(40, 30), "3,3 4,4"), "#FF00FF form");
  form->SetProperty(u"FocusRect", Text(u"F"));
  EXPECT_EQ(Colors(*PaintAll(40, 30), "2,2"), "form");
}

TEST_F(ViewPaint, AChangedObjectDirtiesItsOldAndNewPlacesOnly) {
  EXPECT_EQ(Dirty(), "none");
  a->SetProperty(u"Left", Number(20));  // from (2,2)-(6,6) to (20,2)-(24,6), a pixel more around
  EXPECT_EQ(Dirty(), Describe({1, 1, 24, 6}));
  EXPECT_EQ(Dirty(), "none");
  b->SetProperty(u"Visible", Text(u"F"));  // its old place only
  EXPECT_EQ(Dirty(), Describe({29, 19, 6, 6}));
  b->SetProperty(u"Visible", Text(u"T"));
  EXPECT_EQ(Dirty(), Describe({29, 19, 6, 6}));
  // A look that changes in place.
  b->SetProperty(u"FillColor", Text(u"#123456"));
  EXPECT_EQ(Dirty(), Describe({29, 19, 6, 6}));
  // Clipped to the view.
  b->SetProperty(u"Top", Number(28));
  EXPECT_EQ(Dirty(), Describe({29, 19, 6, 11}));
}

TEST_F(ViewPaint, AHiddenGroupDirtiesWhatItsChildrenPaintedBeyondIt) {
  host.AddObject(*group, u"Far", 0, 25, 4, 4);  // outside the group's rectangle
  EXPECT_EQ(Dirty(), Describe({0, 24, 5, 6}));  // it came; clipped to the view
  group->SetProperty(u"Visible", Text(u"F"));
  EXPECT_EQ(Dirty(), Describe({0, 9, 31, 21}));
}

TEST_F(ViewPaint, ObjectsThatComeOrGoAreRepaintedWhereTheyAre) {
  host.AddObject(*form, u"New", 12, 22, 4, 4);  // not running: it asks for nothing itself
  EXPECT_EQ(Dirty(), Describe({11, 21, 6, 6}));
  const CRPtr<CNObject> keep = CRPtr<CNObject>::Retain(a);
  form->RemoveChild(a);
  EXPECT_EQ(Dirty(), Describe({1, 1, 6, 6}));
  EXPECT_EQ(Dirty(), "none");
}

TEST_F(ViewPaint, ZoomScrollAndAnotherFormDirtyTheWholeView) {
  view.SetViewSize({20, 20});
  EXPECT_EQ(Dirty(), Describe({0, 0, 20, 20}));
  view.SetScrollPos({5, 5});
  EXPECT_EQ(Dirty(), Describe({0, 0, 20, 20}));
  EXPECT_TRUE(view.SetZoom(2));
  EXPECT_EQ(Dirty(), Describe({0, 0, 20, 20}));
  host.AddForm(u"Other", 10, 10);
  view.OpenForm(u"Other", {}, kStretchNone, CNValue());
  EXPECT_EQ(Dirty(), Describe({0, 0, 20, 20}));
  EXPECT_EQ(Dirty(), "none");
}

}  // namespace
