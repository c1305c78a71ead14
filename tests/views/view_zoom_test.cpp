#include <gtest/gtest.h>

#include <limits>

#include "project/stretch_mode.h"
#include "view_test_util.h"
#include "views/view_browser.h"

namespace {

class ViewZoom : public testing::Test {
 protected:
  void SetUp() override {
    form = &host.AddForm(u"A", 400, 300);
    view.SetViewSize({800, 600});
    view.OpenForm(u"A", {}, kStretchNone, CNValue());
  }

  FakeViewHost host;
  CNPViewBrowser view{host, u"MainView"};
  CNPForm* form = nullptr;
};

TEST_F(ViewZoom, FactorsAreClampedAndAnEqualFactorChangesNothing) {
  for (auto [factor, zoom] : {std::pair{50.0, 20.0}, {0.001, 0.002}, {-3.0, 0.002}}) {
    EXPECT_TRUE(view.SetZoom(factor));
    EXPECT_DOUBLE_EQ(view.GetZoom(), zoom) << factor;
  }
  EXPECT_FALSE(view.SetZoom(std::numeric_limits<double>::quiet_NaN()));

  EXPECT_TRUE(view.SetZoom(2));
  EXPECT_EQ(view.GetLayout().contentSize, (CNSize{800, 600}));
  const int repaints = host.invalidations;
  EXPECT_TRUE(view.SetZoom(2));
  EXPECT_EQ(host.invalidations, repaints);

  view.ResetZoom();
  EXPECT_DOUBLE_EQ(view.GetZoom(), 1.0);
  EXPECT_EQ(host.invalidations, repaints + 1);

  // Zooming in multiplies by the ratio.
  EXPECT_TRUE(view.SetZoomInRatio(2));
  EXPECT_FALSE(view.SetZoomInRatio(0));
  EXPECT_FALSE(view.SetZoomInRatio(std::numeric_limits<double>::infinity()));
  EXPECT_TRUE(view.ZoomIn());
  EXPECT_DOUBLE_EQ(view.GetZoom(), 2.0);
}

TEST_F(ViewZoom, TheFormsSwitchDecidesBeforeTheProjects) {
  host.Set(u"AllowZoom", Text(u"F"));
  EXPECT_FALSE(view.SetZoom(2));
  EXPECT_FALSE(view.ZoomIn());
  EXPECT_DOUBLE_EQ(view.GetZoom(), 1.0);
  form->SetProperty(u"AllowZoom", Text(u"TRUE"));
  EXPECT_TRUE(view.SetZoom(2));
  host.Set(u"AllowZoom", Text(u"T"));
  form->SetProperty(u"AllowZoom", Text(u"FALSE"));
  EXPECT_FALSE(view.SetZoom(3));
  EXPECT_DOUBLE_EQ(view.GetZoom(), 2.0);
}

TEST_F(ViewZoom, ARepaintIsAskedForOnlyWhenSomethingChanged) {
  CNPLabel& label = host.AddObject(*form, u"L", 10, 10, 20, 20);
  view.Refresh(1);
  const int repaints = host.invalidations;
  view.Refresh(1);
  EXPECT_EQ(host.invalidations, repaints);
  label.RequestRedraw();
  view.Refresh(1);
  EXPECT_EQ(host.invalidations, repaints + 1);
  CRRectF area;
  EXPECT_TRUE(view.TakeDirtyArea(area));  // left for the paint
  view.RequestPaint(label);
  view.Tick(1);
  EXPECT_EQ(host.invalidations, repaints + 2);
  view.Tick(1);
  EXPECT_EQ(host.invalidations, repaints + 2);
}

TEST_F(ViewZoom, ScrollingStaysWithinTheForm) {
  view.SetZoom(4);  // 1600 x 1200 in 800 x 600
  view.SetScrollPos({1000, -5});
  EXPECT_EQ(view.GetScrollPos(), (CNPoint{800, 0}));
  view.ResetZoom();
  EXPECT_EQ(view.GetScrollPos(), (CNPoint{0, 0}));
}

}  // namespace
