// Check boxes and radio buttons as drawn: the box at its side, the marks, background and frame.

#include <gtest/gtest.h>

#include "controls/buttons.h"
#include "draw/pixels.h"
#include "golden_image.h"
#include "shape_test_util.h"

namespace {

constexpr uint32_t kEdge = 0x000000;
constexpr uint32_t kInside = 0xFFFFFF;  // the theme's "@FillColor"
constexpr uint32_t kMark = 0xFF0000;

// A 60x20 box with a 12-pixel box, black edges and a red mark, no text.
template <class T>
CRPtr<T> Box(std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> more = {}) {
  auto box = MakeShape<T>({{u"Width", u"60"},
                           {u"Height", u"20"},
                           {u"MarkSize", u"12"},
                           {u"BorderColor", u"#000000"},
                           {u"MarkColor", u"#FF0000"}});
  SetTexts(*box, more);
  return box;
}

// Pixels inside [x0,x1) x [y0,y1) whose red leads: the mark's, smoothed or not.
int MarkPixels(const CRSurface& surface, int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const CRPixel p = surface.GetPixel(x, y);
      if (p.alpha != 0 && p.red > p.green + 40) ++n;
    }
  return n;
}

TEST(CheckBoxDrawing, BoxStandsVerticallyCentredOnTheTextAlignSide) {
  auto box = Box<CNPCheckBox>();
  auto surface = Render(*box, 60, 20);
  EXPECT_TRUE(PixelIs(*surface, 0, 4, kEdge));  // rows 4 to 15
  EXPECT_TRUE(PixelIs(*surface, 11, 15, kEdge));
  EXPECT_TRUE(PixelIs(*surface, 5, 9, kInside));
  EXPECT_TRUE(IsTransparent(*surface, 0, 3));
  EXPECT_TRUE(IsTransparent(*surface, 12, 9));
  SetTexts(*box, {{u"TextAlign", u"RIGHT"}});
  surface = Render(*box, 60, 20);
  EXPECT_TRUE(PixelIs(*surface, 48, 4, kEdge));
  EXPECT_TRUE(PixelIs(*surface, 59, 15, kEdge));
  EXPECT_TRUE(IsTransparent(*surface, 47, 9));
  // At twice the size the box is 24 pixels.
  surface = Render(*box, 120, 40, 2.0, 2.0);
  EXPECT_TRUE(PixelIs(*surface, 96, 8, kEdge));
  EXPECT_TRUE(PixelIs(*surface, 97, 9, kEdge));  // a two-pixel edge
}

TEST(CheckBoxDrawing, MarkShowsOnlyWhileOnInItsStyle) {
  auto box = Box<CNPCheckBox>();
  EXPECT_EQ(MarkPixels(*Render(*box, 60, 20), 0, 0, 60, 20), 0);
  SetTexts(*box, {{u"SwitchValue", u"T"}});
  auto surface = Render(*box, 60, 20);
  EXPECT_GT(MarkPixels(*surface, 1, 5, 11, 15), 10);
  EXPECT_EQ(MarkPixels(*surface, 12, 0, 60, 20), 0);
  // The tick leaves the box's top-left quarter empty; the cross runs through it.
  EXPECT_EQ(MarkPixels(*surface, 2, 6, 4, 8), 0);
  SetTexts(*box, {{u"MarkStyle", u"CROSS"}});
  EXPECT_GT(MarkPixels(*Render(*box, 60, 20), 2, 6, 5, 9), 0);
  SetTexts(*box, {{u"MarkColor", u""}});
  EXPECT_EQ(MarkPixels(*Render(*box, 60, 20), 0, 0, 60, 20), 0);
}

TEST(CheckBoxDrawing, FillAndBorderPaintTheWholeObject) {
  auto box = Box<CNPCheckBox>({{u"Fill", u"T"},
                               {u"FillColor", u"#0000FF"},
                               {u"Border", u"T"},
                               {u"BorderStyle", u"3D_SUNK2"},
                               {u"Border3DLight", u"#FFFFFF"},
                               {u"Border3DShadow", u"#808080"}});
  const auto surface = Render(*box, 60, 20);
  EXPECT_TRUE(PixelIs(*surface, 0, 0, 0x808080));
  EXPECT_TRUE(PixelIs(*surface, 1, 1, 0x808080));
  EXPECT_TRUE(PixelIs(*surface, 59, 19, 0xFFFFFF));
  EXPECT_TRUE(PixelIs(*surface, 40, 10, 0x0000FF));
  EXPECT_TRUE(PixelIs(*surface, 2, 4, kEdge));  // the box keeps inside the two rings
  SetTexts(*box, {{u"BorderStyle", u"FLAT"}, {u"BorderWidth", u"3"}});
  EXPECT_TRUE(PixelIs(*Render(*box, 60, 20), 2, 2, kEdge));
}

TEST(CheckBoxDrawing, TinyObjectsKeepTheBoxInside) {
  auto box = Box<CNPCheckBox>({{u"Width", u"6"},
                               {u"Height", u"4"},
                               {u"MarkSize", u"100"},
                               {u"SwitchValue", u"T"},
                               {u"Text", u"cut"}});
  const auto surface = Render(*box, 20, 20);
  EXPECT_EQ(CountPainted(*surface, 0, 0, 6, 4, true), 0);
}

TEST(CheckBoxDrawing, GoldenImages) {
  const auto at = [](auto box, int left, int top) {
    SetPlace(*box, {left, top, 72, 20});
    return CRPtr<CNPObject>(box);
  };
  auto checks = WhiteForm(
      152, 72,
      {at(MakeShape<CNPCheckBox>({{u"Text", u"Pump"}}), 4, 4),
       at(MakeShape<CNPCheckBox>({{u"Text", u"Pump"}, {u"SwitchValue", u"T"}}), 76, 4),
       at(MakeShape<CNPCheckBox>({{u"Text", u"Valve"},
                                  {u"SwitchValue", u"T"},
                                  {u"MarkStyle", u"CROSS"},
                                  {u"TextAlign", u"RIGHT"}}),
          4, 26),
       at(MakeShape<CNPCheckBox>({{u"Text", u"Fan"}, {u"TextAlign", u"RIGHT"}}), 76, 26),
       at(MakeShape<CNPCheckBox>({{u"Text", u"Heat"},
                                  {u"SwitchValue", u"T"},
                                  {u"Border", u"T"},
                                  {u"BorderStyle", u"3D_SUNK2"},
                                  {u"Fill", u"T"},
                                  {u"FillColor", u"#E0E8F0"}}),
          4, 48),
       at(MakeShape<CNPCheckBox>({{u"Text", u"Cool"}, {u"Border", u"T"}, {u"BorderStyle", u"3D_RAISE1"}}), 76,
          48)});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*checks, 152, 72), "check_marks", 8, 40));

  auto radios = WhiteForm(
      152, 50,
      {at(MakeShape<CNPRadioButton>({{u"Text", u"Auto"}}), 4, 4),
       at(MakeShape<CNPRadioButton>({{u"Text", u"Manual"}, {u"SwitchValue", u"T"}}), 76, 4),
       at(MakeShape<CNPRadioButton>({{u"Text", u"Local"},
                                     {u"SwitchValue", u"T"},
                                     {u"TextAlign", u"RIGHT"},
                                     {u"MarkColor", u"#008000"}}),
          4, 26),
       at(MakeShape<CNPRadioButton>({{u"Text", u"Off"}, {u"Border", u"T"}, {u"BorderStyle", u"3D_FRAME"}}),
          76, 26)});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*radios, 152, 50), "radio_states", 8, 40));
}

}  // namespace
