#include <gtest/gtest.h>

#include <algorithm>

#include "draw/painter.h"
#include "draw/text_layout.h"
#include "pixels.h"
#include "support/utf16_text.h"

namespace {

// Pixels of text strokes, not of their smoothed edges.
constexpr int kDark = 65;

TEST(Text, WrappedLinesAreCentredOnTheirFirstDrawing) {
  CRSurface surface(120, 40);
  CRPainter painter(surface);
  const CRFont font = CRFont::FromText(u"DejaVu Sans,-10,0,400,0,0,0,0,0");
  // Broken at 100 pixels, the widest line is much narrower than that: centring the block must
  // not also centre the lines within the break width.
  CRTextLayout layout(painter.GetCairo(), u"WW WW", font, 0.0);
  layout.SetWrapWidth(100);
  layout.Draw(painter.GetCairo(), {0, 0, 120, 40}, {CRTextAlign::kCenter, CRTextAlign::kCenter}, CRColor{});
  int left = 120, right = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x)
      if (surface.GetPixel(x, y).alpha > 64) left = std::min(left, x), right = std::max(right, x + 1);
  ASSERT_LT(left, right);
  EXPECT_NEAR(left, 120 - right, 2);
}

TEST(Text, MeasuresHeightWidthLinesAndSpacing) {
  CRSurface surface(1, 1);
  CRPainter painter(surface);
  const CRFont small = CRFont::FromText(u"DejaVu Sans,-10,0,400,0,0,0,0,0");
  const CRFont large = CRFont::FromText(u"DejaVu Sans,-20,0,400,0,0,0,0,0");
  const CRSizeF one = painter.MeasureText(u"Hello", small);
  EXPECT_GT(one.width, 10);
  EXPECT_NEAR(painter.MeasureText(u"Hello", large).width, one.width * 2, 2);
  EXPECT_NEAR(painter.MeasureText(u"Hello\nHello", small).height, one.height * 2, 1);
  EXPECT_NEAR(painter.MeasureText(u"Hello\nHello", small, 5).height, one.height * 2 + 5, 1);
  // A positive height is the cell height.
  EXPECT_NEAR(painter.MeasureText(u"Hello", CRFont::FromText(u"DejaVu Sans,30,0,400,0,0,0,0,0")).height, 30,
              2);
  // A character width stretches the text.
  const CRFont wide = CRFont::FromText(u"DejaVu Sans,-10,20,400,0,0,0,0,0");
  EXPECT_GT(painter.MeasureText(u"Hello", wide).width, one.width * 2);
}

TEST(Text, EscapementTurnsTheTextUpright) {
  // Turned by 90 degrees counter-clockwise, a long line stands up about the rectangle centre.
  CRSurface surface(80, 80);
  CRPainter painter(surface);
  const CRFont font = CRFont::FromText(u"DejaVu Sans,-10,0,400,0,0,0,900,900");
  painter.DrawText(u"IIIIIIII", font, kBlack, 1.0, {0, 0, 80, 80},
                   {CRTextAlign::kCenter, CRTextAlign::kCenter});
  EXPECT_GT(CountPainted(surface, 30, 0, 50, 80, false, kDark), 0);
  EXPECT_EQ(CountPainted(surface, 30, 0, 50, 80, true), 0);
}

TEST(Text, BadFontTextsStillDraw) {
  for (const char16_t* text :
       {u"", u"NoSuchFace,-12,0,400,0,0,0,0,0", u"x,garbage,#,?,1,2,3,4,5", u"Sans,,,-1,0,0,0,0,0"}) {
    CRSurface surface(80, 40);
    CRPainter painter(surface);
    painter.DrawText(u"Ab", CRFont::FromText(text), kBlack, 1.0, {0, 0, 80, 40});
    EXPECT_GT(CountPainted(surface, 0, 0, 80, 40, false, kDark), 0) << Utf16ToUtf8(text);
  }
}

}  // namespace
