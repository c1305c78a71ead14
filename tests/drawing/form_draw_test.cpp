// Forms and groups: background, children in order, inner frame, invisible subtrees.

#include <gtest/gtest.h>

#include "controls/collection.h"
#include "controls/form.h"
#include "controls/visual_themes.h"
#include "draw_test_util.h"
#include "golden_image.h"

namespace {

CRPixel Opaque(uint8_t r, uint8_t g, uint8_t b) { return {r, g, b, 255}; }

bool Same(const CRPixel& a, const CRPixel& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

// A form 40x30 filled #102030 holding a group at (10,10) 20x10 with a 2-pixel red inner frame.
struct FormWithGroup {
  FormWithGroup() {
    SetTexts(*form, {{u"Width", u"40"}, {u"Height", u"30"}, {u"FillColor", u"#102030"}});
    SetTexts(*group, {{u"Left", u"10"}, {u"Top", u"10"}, {u"Width", u"20"}, {u"Height", u"10"},
                      {u"InnerFrame", u"T"}, {u"InnerFrameColor", u"#FF0000"}, {u"InnerFrameWidth", u"2"}});
    form->AddChild(CRPtr<CNPCollection>(group).Detach());
  }
  CRPtr<CNPForm> form = CRPtr<CNPForm>::Make();
  CRPtr<CNPCollection> group = CRPtr<CNPCollection>::Make();
};

}  // namespace

TEST(FormDrawing, BackgroundThenGroupFrameInsideTheGroupRectangle) {
  FormWithGroup f;
  const auto surface = Render(*f.form, 40, 30);
  EXPECT_TRUE(Same(surface->GetPixel(0, 0), Opaque(0x10, 0x20, 0x30)));
  EXPECT_TRUE(Same(surface->GetPixel(10, 10), Opaque(255, 0, 0)));  // frame's outer edge on the group's
  EXPECT_TRUE(Same(surface->GetPixel(11, 19), Opaque(255, 0, 0)));
  EXPECT_TRUE(Same(surface->GetPixel(9, 10), Opaque(0x10, 0x20, 0x30)));
  EXPECT_TRUE(Same(surface->GetPixel(12, 12), Opaque(0x10, 0x20, 0x30)));  // inside the 2-pixel frame
  EXPECT_TRUE(Same(surface->GetPixel(30, 15), Opaque(0x10, 0x20, 0x30)));
}

TEST(FormDrawing, ScaleMovesEdgesToWholePixelsAndWidensTheFrameByTheSmallerScale) {
  FormWithGroup f;
  const auto surface = Render(*f.form, 80, 90, 2.0, 3.0);
  EXPECT_TRUE(Same(surface->GetPixel(79, 89), Opaque(0x10, 0x20, 0x30)));
  EXPECT_TRUE(Same(surface->GetPixel(20, 30), Opaque(255, 0, 0)));
  EXPECT_TRUE(Same(surface->GetPixel(23, 33), Opaque(255, 0, 0)));   // 4 pixels wide (2 x 2)
  EXPECT_TRUE(Same(surface->GetPixel(24, 34), Opaque(0x10, 0x20, 0x30)));
}

TEST(FormDrawing, InvisibleGroupHidesItsWholeSubtree) {
  FormWithGroup f;
  auto inner = CRPtr<CNPCollection>::Make();
  SetTexts(*inner, {{u"Left", u"0"}, {u"Top", u"0"}, {u"Width", u"40"}, {u"Height", u"30"}, {u"InnerFrame", u"T"},
                    {u"InnerFrameColor", u"#00FF00"}});
  f.group->AddChild(CRPtr<CNPCollection>(inner).Detach());
  EXPECT_TRUE(Same(Render(*f.form, 40, 30)->GetPixel(0, 0), Opaque(0, 255, 0)));  // drawn although outside
  SetTexts(*f.group, {{u"Visible", u"F"}});
  const auto surface = Render(*f.form, 40, 30);
  EXPECT_TRUE(Same(surface->GetPixel(0, 0), Opaque(0x10, 0x20, 0x30)));
  EXPECT_TRUE(Same(surface->GetPixel(10, 10), Opaque(0x10, 0x20, 0x30)));
}

TEST(FormDrawing, EmptyFillColourPaintsNothingAndThemeColourFollowsTheTheme) {
  auto form = CRPtr<CNPForm>::Make();
  SetTexts(*form, {{u"Width", u"4"}, {u"Height", u"4"}, {u"FillColor", u""}});
  EXPECT_EQ(Render(*form, 4, 4)->GetPixel(1, 1).alpha, 0);
  SetTexts(*form, {{u"FillColor", u"@FormColor"}});
  uint32_t expected = 0;
  ASSERT_TRUE(CNVisualThemes::Global().ResolveColor(u"@FormColor", expected));
  const CRPixel pixel = Render(*form, 4, 4)->GetPixel(1, 1);
  EXPECT_EQ(pixel.red, expected & 0xFF);
  EXPECT_EQ(pixel.blue, (expected >> 16) & 0xFF);
}

TEST(FormDrawing, PaintAreaSkipsObjectsOutsideIt) {
  FormWithGroup f;
  CRSurface surface(40, 30);
  CRPainter painter(surface);
  CNDrawContext context(painter);
  context.SetPaintArea({0, 0, 5, 5});
  f.group->Draw(context);  // the group lies wholly outside the area
  EXPECT_EQ(surface.GetPixel(10, 10).alpha, 0);
  context.SetPaintArea({12, 12, 2, 2});
  f.group->Draw(context);
  EXPECT_EQ(surface.GetPixel(10, 10).red, 255);
}
