// Labels and hyperlinks as drawn: background and frame only when asked, text placement,
// word breaks, and the hyperlink's colour by mouse state and its underline.

#include <gtest/gtest.h>

#include "controls/label_controls.h"
#include "shape_test_util.h"

namespace {

constexpr uint32_t kInk = 0x0000FF;

// A pixel of blue text, faint edges included (transparent elsewhere).
bool IsInk(const CRPixel& p) {
  return p.alpha > 40 && p.blue > p.red + 30 && p.blue > p.green + 30;
}

// The box holding every pixel of blue text.
struct InkBox {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};

InkBox FindInk(const CRSurface& surface) {
  InkBox box;
  for (int y = 0; y < surface.GetHeight(); ++y)
    for (int x = 0; x < surface.GetWidth(); ++x) {
      if (IsInk(surface.GetPixel(x, y))) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x);
        box.bottom = std::max(box.bottom, y);
      }
    }
  return box;
}

CRPtr<CNPLabel> Label(std::u16string_view more) {
  auto label = MakeShape<CNPLabel>(u"Width=120; Height=60; TextColor=#0000FF");
  SetTexts(*label, more);
  return label;
}

}  // namespace

TEST(LabelDrawing, BackgroundAndFrameOnlyWhenAsked) {
  auto label = Label(u"FillColor=#FF0000; BorderColor=#00FF00");
  EXPECT_TRUE(PixelsAre(*Render(*label, 120, 60), {{60, 30, kClear}, {0, 0, kClear}}));
  SetTexts(*label, u"Fill=T; Border=T");
  EXPECT_TRUE(
      PixelsAre(*Render(*label, 120, 60), {{60, 30, 0xFF0000}, {0, 0, 0x00FF00}, {119, 59, 0x00FF00}}));
}

TEST(LabelDrawing, TextIsPlacedByItsAlignment) {
  auto label = Label(u"Text=Tank");
  const InkBox leftMiddle = FindInk(*Render(*label, 120, 60));
  ASSERT_FALSE(leftMiddle.Empty());
  EXPECT_GE(leftMiddle.left, 2);
  EXPECT_LE(leftMiddle.left, 4);
  EXPECT_NEAR((leftMiddle.top + leftMiddle.bottom) / 2.0, 30, 4);

  SetTexts(*label, u"TextAlignX=RIGHT; TextAlignY=BOTTOM");
  const InkBox rightBottom = FindInk(*Render(*label, 120, 60));
  EXPECT_GE(rightBottom.right, 113);
  EXPECT_LE(rightBottom.right, 117);
  EXPECT_GT(rightBottom.bottom, 50);
  EXPECT_EQ(rightBottom.right - rightBottom.left, leftMiddle.right - leftMiddle.left);
}

TEST(LabelDrawing, WordBreakKeepsLongTextInsideTheWidth) {
  auto label = Label(u"Text=pump one running at full speed");
  const InkBox oneLine = FindInk(*Render(*label, 120, 60));
  EXPECT_GT(oneLine.right, 100);  // one line, cut at the frame
  SetTexts(*label, u"TextWordBreak=T");
  const InkBox broken = FindInk(*Render(*label, 120, 60));
  EXPECT_LE(broken.right, 117);
  EXPECT_GT(broken.bottom - broken.top, 2 * (oneLine.bottom - oneLine.top));
}

TEST(LabelDrawing, HyperlinkTakesTheColourOfTheMouseStateAndIsUnderlined) {
  auto link =
      MakeShape<CNPHyperLink>(u"Width=120; Height=30; Text=Home; LinkColor=#0000FF; LinkColorHover=#FF0000");
  // The underline: a row of ink as wide as the word.
  auto longestRow = [&link] {
    const auto surface = Render(*link, 120, 30);
    const InkBox ink = FindInk(*surface);
    int longest = 0;
    for (int y = ink.top; y <= ink.bottom; ++y) {
      int run = 0;
      for (int x = ink.left; x <= ink.right; ++x) {
        run = IsInk(surface->GetPixel(x, y)) ? run + 1 : 0;
        longest = std::max(longest, run);
      }
    }
    return std::pair{longest, ink.right - ink.left + 1};
  };
  const auto [underline, width] = longestRow();
  EXPECT_GE(underline, width - 2);
  SetTexts(*link, u"LinkUnderline=F");
  EXPECT_LT(longestRow().first, width / 2);

  link->MouseIn({10, 10});
  EXPECT_TRUE(FindInk(*Render(*link, 120, 30)).Empty());  // red now
  link->MouseOut({200, 10});
  EXPECT_FALSE(FindInk(*Render(*link, 120, 30)).Empty());
}
