// Forms and groups: background, children in order, inner frame, invisible subtrees.

#include <gtest/gtest.h>

#include "controls/collection.h"
#include "shape_test_util.h"

namespace {

constexpr uint32_t kBack = 0x102030;

// A form 40x30 filled #102030 holding a group at (10,10) 20x10 with a 2-pixel red inner frame.
struct FormWithGroup {
  CRPtr<CNPCollection> group = MakeShapeAt<CNPCollection>(
      {10, 10, 20, 10}, u"InnerFrame=T; InnerFrameColor=#FF0000; InnerFrameWidth=2");
  CRPtr<CNPForm> form = WhiteForm(40, 30, {group});
  FormWithGroup() { SetTexts(*form, u"FillColor=#102030"); }
};

}  // namespace

TEST(FormDrawing, BackgroundThenGroupFrameInsideTheGroupRectangle) {
  FormWithGroup f;
  // The frame's outer edge on the group's, 2 pixels wide.
  EXPECT_TRUE(PixelsAre(*Render(*f.form, 40, 30), {{0, 0, kBack},
                                                   {10, 10, 0xFF0000},
                                                   {11, 19, 0xFF0000},
                                                   {9, 10, kBack},
                                                   {12, 12, kBack},
                                                   {30, 15, kBack}}));
}

TEST(FormDrawing, ScaleMovesEdgesToWholePixelsAndWidensTheFrameByTheSmallerScale) {
  FormWithGroup f;
  // The frame 4 pixels wide (2 x 2).
  EXPECT_TRUE(PixelsAre(*Render(*f.form, 80, 90, 2.0, 3.0),
                        {{79, 89, kBack}, {20, 30, 0xFF0000}, {23, 33, 0xFF0000}, {24, 34, kBack}}));
}

TEST(FormDrawing, InvisibleGroupHidesItsWholeSubtree) {
  FormWithGroup f;
  f.group->AddChild(
      MakeShapeAt<CNPCollection>({0, 0, 40, 30}, u"InnerFrame=T; InnerFrameColor=#00FF00").Detach());
  EXPECT_TRUE(PixelIs(*Render(*f.form, 40, 30), 0, 0, 0x00FF00));  // drawn although outside
  SetTexts(*f.group, u"Visible=F");
  EXPECT_TRUE(PixelsAre(*Render(*f.form, 40, 30), {{0, 0, kBack}, {10, 10, kBack}}));
}

// A theme's form colour is in the golden images of the buttons.
TEST(FormDrawing, EmptyFillColourPaintsNothing) {
  EXPECT_TRUE(IsTransparent(*Render(*MakeShape<CNPForm>(u"Width=4; Height=4; FillColor="), 4, 4), 1, 1));
}

TEST(FormDrawing, PaintAreaSkipsObjectsOutsideIt) {
  FormWithGroup f;
  CRSurface surface(40, 30);
  CRPainter painter(surface);
  CNDrawContext context(painter);
  context.SetPaintArea({0, 0, 5, 5});
  f.group->Draw(context);  // the group lies wholly outside the area
  EXPECT_TRUE(IsTransparent(surface, 10, 10));
  context.SetPaintArea({12, 12, 2, 2});
  f.group->Draw(context);
  EXPECT_EQ(surface.GetPixel(10, 10).red, 255);
}
