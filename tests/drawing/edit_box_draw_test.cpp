// Edit boxes as drawn: placeholder, text, password mask, and while editing the caret and the
// composition; the selection is in the golden image.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "draw/font.h"
#include "editing/edit_box.h"
#include "golden_image.h"
#include "shape_test_util.h"

namespace {

constexpr uint32_t kText = 0x0000FF;

// An 80x20 white box without a border: its text area starts two pixels in.
CRPtr<CNPEditBox> Box(std::u16string_view more) {
  auto box = MakeShape<CNPEditBox>(
      u"Width=80; Height=20; Border=F; FillColor=#FFFFFF; TextColor=#0000FF; PlaceHolderColor=#FF0000");
  SetTexts(*box, more);
  return box;
}

// Pixels with alpha whose red channel leads the blue one (or the reverse).
int Leading(const CRSurface& surface, bool red) {
  return CountPixels(surface, 0, 0, 80, 20,
                     [red](CRPixel p) { return red ? p.red > p.blue + 40 : p.blue > p.red + 40; });
}

// The rows of the 80x20 drawings that differ, as {first, last, differing pixels}.
std::array<int, 3> Difference(const CRSurface& a, const CRSurface& b) {
  std::array<int, 3> rows{20, -1, 0};
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 80; ++x) {
      const CRPixel p = a.GetPixel(x, y), q = b.GetPixel(x, y);
      if (p.red == q.red && p.green == q.green && p.blue == q.blue && p.alpha == q.alpha) continue;
      rows = {std::min(rows[0], y), std::max(rows[1], y), rows[2] + 1};
    }
  return rows;
}

// The caret's column: the first one with a run of 13 or more pixels of the text colour (taller
// than any letter); -1 when there is none.
int CaretColumn(const CRSurface& surface) {
  for (int x = 0; x < surface.GetWidth(); ++x) {
    int run = 0;
    for (int y = 0; y < surface.GetHeight(); ++y) {
      run = PixelIs(surface, x, y, kText) ? run + 1 : 0;
      if (run >= 13) return x;
    }
  }
  return -1;
}

// The placeholder shown is in the golden image.
TEST(EditBoxDrawing, PlaceholderHidesWhileEditingAndUnderAText) {
  auto box = Box(u"PlaceHolder=Enter value");
  ASSERT_TRUE(box->BeginEdit());
  auto surface = Render(*box, 80, 20);
  EXPECT_EQ(Leading(*surface, true), 0);
  EXPECT_EQ(CaretColumn(*surface), 2);  // at the start of the text area
  box->EndEdit(false);
  SetTexts(*box, u"Text=42");
  surface = Render(*box, 80, 20);
  EXPECT_EQ(Leading(*surface, true), 0);
  EXPECT_GT(Leading(*surface, false), 5);
  EXPECT_EQ(CaretColumn(*surface), -1);
}

TEST(EditBoxDrawing, CaretStandsAfterTheCharactersBeforeIt) {
  auto box = Box(u"Text=MMMM");
  ASSERT_TRUE(box->BeginEdit());
  int previous = -1;
  for (size_t caret = 0; caret <= 4; ++caret) {
    box->GetEditor()->SetCaret(caret);
    const int column = CaretColumn(*Render(*box, 80, 20));
    EXPECT_GT(column, previous) << "caret " << caret;
    previous = column;
  }
  CRSurface scratch(1, 1);
  CRPainter painter(scratch);
  const double width = painter.MeasureText(u"MMMM", CRFont::FromText(control_properties::kDefaultFont)).width;
  EXPECT_NEAR(previous, 2 + width, 1.0);

  // Right-aligned, the caret at the end stands at the area's right edge.
  SetTexts(*box, u"TextAlignX=RIGHT");
  EXPECT_NEAR(CaretColumn(*Render(*box, 80, 20)), 78, 1.0);
}

TEST(EditBoxDrawing, LongTextScrollsSoTheCaretStaysInTheBox) {
  auto box = Box(u"Text=0123456789012345678901234567890123456789");
  ASSERT_TRUE(box->BeginEdit());
  box->GetEditor()->SetCaret(40);
  const int column = CaretColumn(*Render(*box, 80, 20));
  EXPECT_GE(column, 2);
  EXPECT_LE(column, 78);
  box->GetEditor()->SetCaret(0);
  EXPECT_EQ(CaretColumn(*Render(*box, 80, 20)), 2);
}

TEST(EditBoxDrawing, PasswordsAreMaskedCharacterByCharacter) {
  auto password = Box(u"TextType=PASSWORD; Text=a\U0001F600c");
  auto plain = Box(u"Text=***");
  const auto masked = Render(*password, 80, 20);
  EXPECT_GT(Leading(*masked, false), 5);
  EXPECT_EQ(Difference(*masked, *Render(*plain, 80, 20))[2], 0);
  // Editing, the caret after the emoji stands after two stars.
  ASSERT_TRUE(password->BeginEdit());
  password->GetEditor()->SetCaret(3);
  ASSERT_TRUE(plain->BeginEdit());
  plain->GetEditor()->SetCaret(2);
  EXPECT_EQ(CaretColumn(*Render(*password, 80, 20)), CaretColumn(*Render(*plain, 80, 20)));
}

TEST(EditBoxDrawing, CompositionStandsAtTheCaretUnderlinedUntilCommitted) {
  auto composing = Box(u"Text=ab");
  ASSERT_TRUE(composing->BeginEdit());
  composing->GetEditor()->SetCaret(1);
  const auto before = Render(*composing, 80, 20);
  composing->SetComposition(u"MM", 2);
  EXPECT_EQ(composing->GetEditor()->GetText(), u"ab");
  // The same picture as the text typed, but for the underline: a thin band as wide as "MM".
  auto typed = Box(u"Text=aMMb");
  ASSERT_TRUE(typed->BeginEdit());
  typed->GetEditor()->SetCaret(3);
  const auto [top, bottom, differing] = Difference(*Render(*composing, 80, 20), *Render(*typed, 80, 20));
  EXPECT_GT(differing, 10);
  EXPECT_LE(bottom - top, 1);
  // Ending the composition without committing brings back the picture it covered.
  composing->SetComposition(u"", 0);
  EXPECT_EQ(Difference(*before, *Render(*composing, 80, 20))[2], 0);
}

TEST(EditBoxDrawing, GoldenImages) {
  auto placeholder = MakeShapeAt<CNPEditBox>({4, 4, 72, 22}, u"PlaceHolder=Set point");
  auto text = MakeShapeAt<CNPEditBox>({80, 4, 72, 22}, u"Text=80.5; TextAlignX=RIGHT");
  auto editing = MakeShapeAt<CNPEditBox>({4, 30, 72, 22}, u"Text=Tank 12");
  auto password = MakeShapeAt<CNPEditBox>({80, 30, 72, 22}, u"Text=secret; TextType=PASSWORD");
  auto lines =
      MakeShapeAt<CNPMultilineEditBox>({4, 56, 148, 36}, u"Text=first line\r\nsecond; TextAlignY=TOP");
  auto form = WhiteForm(156, 96, {placeholder, text, editing, password, lines});
  SetTexts(*form, u"FillColor=@FormColor");
  ASSERT_TRUE(editing->BeginEdit());
  editing->SetSel(0, 4);
  ASSERT_TRUE(lines->BeginEdit());
  lines->SetSel(6, 17);
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 156, 96), "edit_states", 8, 40));
}

}  // namespace
