#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "objects/property_read.h"
#include "project/stretch_geometry.h"
#include "project/stretch_mode.h"
#include "view_test_util.h"
#include "views/view_browser.h"

namespace {

TEST(StretchMode, NamesReadWithoutRegardToCaseAndUnknownTextIsNone) {
  const struct {
    const char16_t* text;
    int32_t code;
  } cases[] = {
      {u"NONE", 0},          {u"stretch_full", 1}, {u"Stretch_KeepRate", 2}, {u"RESIZE_FULL", 3},
      {u"resize_keeprate", 4}, {u"DEFAULT", 5},    {u"root", 5},             {u"FORM", 6},
      {u"current", 8},       {u"T", 1},            {u"true", 1},             {u"F", 0},
      {u"FALSE", 0},         {u"", 0},             {u"STRETCH", 0},          {u"7", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(StretchModeFromText(c.text), c.code) << U8(c.text);
  EXPECT_EQ(U8(StretchModeName(2)) + " " + U8(StretchModeName(5)) + " " + U8(StretchModeName(7)) + " " +
                U8(StretchModeName(-1)),
            "STRETCH_KEEPRATE DEFAULT NONE NONE");
  EXPECT_EQ((std::vector<int32_t>{StretchModeFromValue(Number(4)), StretchModeFromValue(Number(7)),
                                  StretchModeFromValue(Number(2.5)), StretchModeFromValue(Text(u"Form"))}),
            (std::vector<int32_t>{4, 0, 0, 6}));
}

struct GeometryCase {
  int32_t mode;
  CNSize form, view;
  double zoom;
  double scaleX, scaleY;
  CNSize formSize, content;
  int32_t offsetX, offsetY;
};

TEST(StretchGeometry, EachModeScalesOrResizesAndCentresWhatIsSmaller) {
  const GeometryCase cases[] = {
      // NONE: kept, centred; larger than the view it starts at the corner.
      {kStretchNone, {400, 300}, {801, 600}, 1.0, 1, 1, {400, 300}, {400, 300}, 200, 150},
      {kStretchNone, {400, 300}, {200, 600}, 2.0, 2, 2, {400, 300}, {800, 600}, 0, 0},
      // STRETCH_FULL fills the view in both directions, times the zoom.
      {kStretchFull, {400, 300}, {800, 600}, 1.0, 2, 2, {400, 300}, {800, 600}, 0, 0},
      {kStretchFull, {400, 200}, {800, 600}, 0.5, 1, 1.5, {400, 200}, {400, 300}, 200, 150},
      // STRETCH_KEEPRATE: the smaller factor, centred on the other axis.
      {kStretchKeepRate, {400, 200}, {800, 600}, 1.0, 2, 2, {400, 200}, {800, 400}, 0, 100},
      // RESIZE_FULL: the form takes the view's size (divided by the zoom).
      {kStretchResizeFull, {400, 300}, {800, 600}, 1.0, 1, 1, {800, 600}, {800, 600}, 0, 0},
      {kStretchResizeFull, {400, 300}, {801, 600}, 2.0, 2, 2, {401, 300}, {802, 600}, 0, 0},
      // RESIZE_KEEPRATE: resized by the smaller factor.
      {kStretchResizeKeepRate, {400, 200}, {800, 600}, 1.0, 1, 1, {800, 400}, {800, 400}, 0, 100},
      // Modes that must be resolved first lay out as NONE.
      {kStretchForm, {400, 300}, {400, 300}, 1.0, 1, 1, {400, 300}, {400, 300}, 0, 0},
  };
  for (const GeometryCase& c : cases) {
    const CNStretchLayout layout = ComputeStretchLayout(c.mode, c.form, c.view, c.zoom);
    SCOPED_TRACE(testing::Message() << "mode " << c.mode << " zoom " << c.zoom);
    EXPECT_DOUBLE_EQ(layout.scaleX, c.scaleX);
    EXPECT_DOUBLE_EQ(layout.scaleY, c.scaleY);
    EXPECT_EQ(layout.formSize, c.formSize);
    EXPECT_EQ(layout.contentSize, c.content);
    EXPECT_EQ(layout.offsetX, c.offsetX);
    EXPECT_EQ(layout.offsetY, c.offsetY);
  }
}

TEST(StretchGeometry, AlignmentAndRoundingPlaceTheLeftOverPixels) {
  // 2/3 of 100 rounds to 67; 1/3 * 50 = 16.67 rounds to 17.
  CNStretchLayout layout = ComputeStretchLayout(kStretchNone, {100, 50}, {300, 300}, 2.0 / 3.0);
  EXPECT_EQ(layout.contentSize, (CNSize{67, 33}));
  EXPECT_EQ(layout.offsetX, 116);  // (300 - 67) / 2 rounded down
  layout = ComputeStretchLayout(kStretchNone, {100, 50}, {300, 300}, 1.0, CNAlign::kNear, CNAlign::kFar);
  EXPECT_EQ(layout.offsetX, 0);
  EXPECT_EQ(layout.offsetY, 250);
}

TEST(StretchGeometry, ZeroAndNegativeSizesNeverDivideByZero) {
  for (const int32_t mode : {0, 1, 2, 3, 4}) {
    for (const CNSize form : {CNSize{0, 0}, CNSize{-5, 10}, CNSize{100, 100}}) {
      for (const CNSize view : {CNSize{0, 0}, CNSize{-10, -10}, CNSize{100, 0}}) {
        for (const double zoom : {1.0, 0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
          const CNStretchLayout layout = ComputeStretchLayout(mode, form, view, zoom);
          EXPECT_TRUE(std::isfinite(layout.scaleX) && std::isfinite(layout.scaleY));
          EXPECT_GE(layout.scaleX, 0);
          EXPECT_GE(layout.formSize.width, 1);
          EXPECT_GE(layout.formSize.height, 1);
          EXPECT_GE(layout.contentSize.width, 0);
          EXPECT_GE(layout.offsetX, 0);
        }
      }
    }
  }
}

class ViewStretch : public testing::Test {
 protected:
  FakeViewHost host;
  CNPViewBrowser view{host, u"MainView"};
};

TEST_F(ViewStretch, FormDefaultAndCurrentResolveToAConcreteMode) {
  CNPForm& form = host.AddForm(u"A", 400, 300);
  host.AddForm(u"B", 400, 300).SetProperty(u"Stretch", Text(u"CURRENT"));
  view.SetViewSize({800, 600});

  form.SetProperty(u"Stretch", Text(u"STRETCH_KEEPRATE"));
  view.OpenForm(u"A", {}, kStretchForm, CNValue());
  EXPECT_EQ(view.GetStretch(), kStretchKeepRate);
  view.OpenForm(u"B", {}, kStretchForm, CNValue());  // CURRENT keeps the view's mode
  EXPECT_EQ(view.GetStretch(), kStretchKeepRate);

  host.Set(u"Stretch", Text(u"RESIZE_FULL"));
  view.OpenForm(u"A", {}, kStretchDefault, CNValue());
  EXPECT_EQ(view.GetStretch(), kStretchResizeFull);

  // A form that defers to the project, which defers to the form, ends as NONE.
  form.SetProperty(u"Stretch", Text(u"ROOT"));
  host.Set(u"Stretch", Text(u"FORM"));
  view.OpenForm(u"A", {}, kStretchForm, CNValue());
  EXPECT_EQ(view.GetStretch(), kStretchNone);
}

TEST_F(ViewStretch, ResizeModesResizeTheFormAndItsObjectsFollow) {
  CNPForm& form = host.AddForm(u"A", 400, 300);
  CNPLabel& label = host.AddObject(form, u"Right", 300, 10, 50, 20, "AutoResizeX=RIGHT");
  view.SetViewSize({800, 600});
  view.OpenForm(u"A", {}, kStretchResizeFull, CNValue());
  EXPECT_EQ(label.GetRect(), (CNRect{700, 10, 750, 30}));
  EXPECT_EQ(PropertyNumber(form, u"Width"), 800);

  // Leaving the resizing mode gives the form its own size back.
  view.SetStretch(kStretchKeepRate);
  EXPECT_EQ(PropertyNumber(form, u"Width"), 400);
  EXPECT_EQ(label.GetRect(), (CNRect{300, 10, 350, 30}));
  EXPECT_DOUBLE_EQ(view.GetLayout().scaleX, 2.0);
}

}  // namespace
