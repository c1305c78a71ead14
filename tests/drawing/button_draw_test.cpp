// Command and toggle buttons as drawn: fill by state, fill types, 3-D borders and the pushed
// look, tabs, light, image and text.

#include <gtest/gtest.h>

#include "controls/border_3d.h"
#include "controls/buttons.h"
#include "golden_image.h"
#include "image_source_stub.h"
#include "shape_test_util.h"

namespace {

constexpr uint32_t kLight = 0xFFFFFF;
constexpr uint32_t kShadow = 0x808080;

// A 40x20 button at the form's origin, blue, with a one-pixel raised border and no text.
CRPtr<CNPCommandButton> PlainButton(
    std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> more = {}) {
  auto button = MakeShape<CNPCommandButton>({{u"Width", u"40"},
                                             {u"Height", u"20"},
                                             {u"FillColor", u"#0000FF"},
                                             {u"FillColorOn", u"#00FF00"},
                                             {u"FillColorHover", u"#FFFF00"},
                                             {u"FillColorPush", u"#FF00FF"},
                                             {u"BorderStyle", u"3D_RAISE1"},
                                             {u"Border3DLight", u"#FFFFFF"},
                                             {u"Border3DShadow", u"#808080"}});
  SetTexts(*button, more);
  return button;
}

void Press(CNPSwitchControl& button) {
  button.ButtonDown(MOUSE_LEFT, {5, 5});
}

// A form in the theme's form colour holding the objects.
CRPtr<CNPForm> PanelForm(int width, int height, std::initializer_list<CRPtr<CNPObject>> children) {
  auto form = WhiteForm(width, height, children);
  SetTexts(*form, {{u"FillColor", u"@FormColor"}});
  return form;
}

TEST(ButtonDrawing, FillFollowsOnThenTheMouseState) {
  auto button = PlainButton();
  EXPECT_TRUE(PixelIs(*Render(*button, 40, 20), 20, 10, 0x0000FF));
  button->SetStateWord(kStateMouseIn);
  EXPECT_TRUE(PixelIs(*Render(*button, 40, 20), 20, 10, 0xFFFF00));
  button->SetStateWord(kStateMouseIn | kStateLeftButton);
  EXPECT_TRUE(PixelIs(*Render(*button, 40, 20), 20, 10, 0xFF00FF));
  SetTexts(*button, {{u"SwitchValue", u"T"}});
  EXPECT_TRUE(PixelIs(*Render(*button, 40, 20), 20, 10, 0x00FF00));  // on beats the mouse state
  button->SetStateWord(0);
  EXPECT_TRUE(PixelIs(*Render(*button, 40, 20), 20, 10, 0x00FF00));
  SetTexts(*button, {{u"FillColorOn", u""}});
  EXPECT_TRUE(PixelIs(*Render(*button, 40, 20), 20, 10, 0x0000FF));  // no on colour: the plain one
}

TEST(ButtonDrawing, FillTypeFillsAStripOfFillSizeAlongItsSide) {
  auto button = PlainButton({{u"Border", u"F"}, {u"FillSize", u"5"}});
  struct Case {
    std::u16string_view type;
    int insideX, insideY, outsideX, outsideY;
  };
  for (const Case& c :
       {Case{u"TOP", 20, 4, 20, 5}, Case{u"BOTTOM", 20, 15, 20, 14}, Case{u"LEFT", 4, 10, 5, 10},
        Case{u"RIGHT", 35, 10, 34, 10}, Case{u"FULL", 20, 10, -1, -1}}) {
    SetTexts(*button, {{u"FillType", c.type}});
    const auto surface = Render(*button, 40, 20);
    EXPECT_TRUE(PixelIs(*surface, c.insideX, c.insideY, 0x0000FF)) << Utf16ToUtf8(c.type);
    if (c.outsideX >= 0) {
      EXPECT_TRUE(IsTransparent(*surface, c.outsideX, c.outsideY)) << Utf16ToUtf8(c.type);
    }
  }
  SetTexts(*button, {{u"FillType", u"NONE"}});
  EXPECT_TRUE(IsTransparent(*Render(*button, 40, 20), 20, 10));
  SetTexts(*button, {{u"FillType", u"TOP"}, {u"FillSize", u"500"}});  // never beyond the face
  EXPECT_TRUE(PixelIs(*Render(*button, 40, 20), 20, 19, 0x0000FF));
}

TEST(ButtonDrawing, PushedLookSwapsTheBevelAndShiftsTheFaceByOnePixel) {
  // A red lamp 6x6 at (5,5) on the face marks where the face's content lies.
  auto button = PlainButton({{u"Light", u"T"},
                             {u"LightValue", u"T"},
                             {u"LightColorOn", u"#FF0000"},
                             {u"LightLeft", u"4"},
                             {u"LightTop", u"4"},
                             {u"LightRight", u"28"},
                             {u"LightBottom", u"8"}});
  auto surface = Render(*button, 40, 20);
  EXPECT_TRUE(PixelIs(*surface, 0, 0, kLight));
  EXPECT_TRUE(PixelIs(*surface, 39, 0, kShadow));  // the corner the sides share goes to the shadow
  EXPECT_TRUE(PixelIs(*surface, 39, 19, kShadow));
  EXPECT_TRUE(PixelIs(*surface, 5, 5, 0xFF0000));
  EXPECT_TRUE(PixelIs(*surface, 10, 10, 0xFF0000));
  EXPECT_FALSE(PixelIs(*surface, 11, 11, 0xFF0000));

  Press(*button);
  surface = Render(*button, 40, 20);
  EXPECT_TRUE(PixelIs(*surface, 0, 0, kShadow));
  EXPECT_TRUE(PixelIs(*surface, 39, 19, kLight));
  EXPECT_FALSE(PixelIs(*surface, 5, 5, 0xFF0000));
  EXPECT_TRUE(PixelIs(*surface, 6, 6, 0xFF0000));
  EXPECT_TRUE(PixelIs(*surface, 11, 11, 0xFF0000));

  // "PushType": never, or while on rather than while pressed.
  SetTexts(*button, {{u"PushType", u"NONE"}});
  EXPECT_TRUE(PixelIs(*Render(*button, 40, 20), 0, 0, kLight));
  auto onButton = PlainButton({{u"PushType", u"VALUE"}, {u"SwitchValue", u"T"}});
  EXPECT_TRUE(PixelIs(*Render(*onButton, 40, 20), 0, 0, kShadow));
}

// The 3-D styles are in the golden images; the flat border and the scaled rings are not.
TEST(ButtonDrawing, FlatBorderAndScaledRingsKeepTheirWidths) {
  // Flat: a "BorderColor" line of "BorderWidth", the face inside it.
  auto flat = PlainButton({{u"BorderStyle", u"FLAT"}, {u"BorderColor", u"#000000"}, {u"BorderWidth", u"2"}});
  const auto surface = Render(*flat, 40, 20);
  EXPECT_TRUE(PixelIs(*surface, 1, 1, 0x000000));
  EXPECT_TRUE(PixelIs(*surface, 2, 2, 0x0000FF));
  // At twice the size the rings are two pixels wide.
  const auto scaled = Render(*PlainButton(), 80, 40, 2.0, 2.0);
  EXPECT_TRUE(PixelIs(*scaled, 1, 20, kLight));
  EXPECT_TRUE(PixelIs(*scaled, 2, 20, 0x0000FF));
}

TEST(ButtonDrawing, ImageIsCentredInItsAreaAtItsSizeWithTheImageColourLeftOut) {
  CNImageSourceStub images;
  images.Add(u"quad.png", QuadrantImage(8, 8));
  auto button = PlainButton({{u"Border", u"F"}, {u"ImageFile", u"quad.png"}});
  auto surface = Render(*button, 40, 20, 1.0, 1.0, &images);
  EXPECT_TRUE(PixelIs(*surface, 16, 6, 0xFF0000));   // image's top-left at (16,6)
  EXPECT_TRUE(PixelIs(*surface, 23, 13, 0xFFFFFF));  // its bottom-right at (23,13)
  EXPECT_TRUE(PixelIs(*surface, 15, 6, 0x0000FF));
  SetTexts(*button, {{u"ImageLeft", u"2"},
                     {u"ImageRight", u"20"},
                     {u"ImageSizeX", u"4"},
                     {u"ImageSizeY", u"4"},
                     {u"ImageColor", u"#FFFFFF"}});
  surface = Render(*button, 40, 20, 1.0, 1.0, &images);
  EXPECT_TRUE(PixelIs(*surface, 9, 8, 0xFF0000));    // area x 2..20: a 4x4 image from (9,8)
  EXPECT_TRUE(PixelIs(*surface, 12, 11, 0x0000FF));  // white left out: the face shows
  EXPECT_TRUE(PixelIs(*surface, 13, 11, 0x0000FF));
  SetTexts(*button, {{u"ImageFile", u"missing.png"}});
  EXPECT_TRUE(PixelIs(*Render(*button, 40, 20, 1.0, 1.0, &images), 10, 9, 0x0000FF));
}

TEST(ButtonDrawing, TextTakesTheOnColourWhileOnAndKeepsToItsPadding) {
  auto toggle = MakeShape<CNPToggleButton>({{u"Width", u"60"},
                                            {u"Height", u"20"},
                                            {u"Border", u"F"},
                                            {u"FillType", u"NONE"},
                                            {u"Text", u"MMMM"},
                                            {u"TextColor", u"#FF0000"},
                                            {u"TextColorOn", u"#0000FF"},
                                            {u"TextAlignX", u"LEFT"},
                                            {u"TextPaddingLeft", u"30"}});
  // Text pixels are smoothed: count painted ones, and which colour leads in them.
  auto count = [](const CRSurface& surface, int x0, int x1, bool redLeads) {
    int n = 0;
    for (int y = 0; y < surface.GetHeight(); ++y)
      for (int x = x0; x < x1; ++x) {
        const CRPixel p = surface.GetPixel(x, y);
        if (p.alpha != 0 && (p.red > p.blue) == redLeads) ++n;
      }
    return n;
  };
  auto surface = Render(*toggle, 60, 20);
  EXPECT_GT(count(*surface, 30, 60, true), 0);
  EXPECT_EQ(count(*surface, 0, 30, true) + count(*surface, 0, 60, false), 0);  // nothing left of the padding
  SetTexts(*toggle, {{u"SwitchValue", u"T"}});
  surface = Render(*toggle, 60, 20);
  EXPECT_GT(count(*surface, 30, 60, false), 0);
  EXPECT_EQ(count(*surface, 0, 60, true), 0);
}

TEST(ButtonDrawing, BadGeometryAndEmptyColoursDrawNothingWrong) {
  auto button = PlainButton({{u"Width", u"0"}, {u"Text", u"x"}});
  EXPECT_EQ(Render(*button, 40, 20)->GetPixel(0, 0).alpha, 0);
  button = PlainButton({{u"FillColor", u""},
                        {u"Border3DLight", u""},
                        {u"BorderRound", u"1000"},
                        {u"LightLeft", u"-5000"},
                        {u"Light", u"T"},
                        {u"TextPaddingLeft", u"100000"},
                        {u"Text", u"x"}});
  // No fill, no bevel; the lamp reaching far beyond the face stays inside it.
  const auto surface = Render(*button, 40, 20);
  EXPECT_TRUE(PixelIs(*surface, 20, 10, 0x3C503C));
  EXPECT_TRUE(IsTransparent(*surface, 0, 0));
}

TEST(ButtonDrawing, GoldenImages) {
  const auto button = [](int left, int top,
                         std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> more) {
    auto b = MakeShapeAt<CNPCommandButton>({left, top, 60, 24}, {{u"Text", u"Start"}});
    SetTexts(*b, more);
    return b;
  };
  // Off, on, pressed, hovered.
  auto pressed = button(4, 32, {});
  auto hovered = button(68, 32, {});
  Press(*pressed);
  hovered->SetStateWord(kStateMouseIn);
  auto states =
      PanelForm(132, 60, {button(4, 4, {}), button(68, 4, {{u"SwitchValue", u"T"}}), pressed, hovered});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*states, 132, 60), "button_states", 8, 40));

  auto borders = PanelForm(
      132, 88,
      {button(4, 4, {{u"BorderStyle", u"FLAT"}, {u"BorderRound", u"6"}}),
       button(68, 4, {{u"BorderStyle", u"3D_FRAME"}}), button(4, 32, {{u"BorderStyle", u"3D_RAISE1"}}),
       button(68, 32, {{u"BorderStyle", u"3D_RAISE2"}}),
       button(4, 60, {{u"BorderStyle", u"3D_RAISE2"}, {u"PushType", u"VALUE"}, {u"SwitchValue", u"T"}}),
       button(68, 60, {{u"FillType", u"BOTTOM"}, {u"FillSize", u"4"}, {u"FillColor", u"#2060C0"}})});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*borders, 132, 88), "button_borders", 8, 40));

  const auto tab = [](int left, std::u16string_view style, std::u16string_view on) {
    return MakeShapeAt<CNPToggleButton>({left, style == u"TABTOP" ? 4 : 32, 44, 22},
                                        {{u"Text", on == u"T" ? u"On" : u"Off"},
                                         {u"BorderStyle", style},
                                         {u"SwitchValue", on},
                                         {u"TextColorOn", u"#C00000"}});
  };
  auto tabs = PanelForm(96, 60,
                        {tab(4, u"TABTOP", u"T"), tab(48, u"TABTOP", u"F"), tab(4, u"TABBOTTOM", u"F"),
                         tab(48, u"TABBOTTOM", u"T")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*tabs, 96, 60), "button_tabs", 8, 40));

  CNImageSourceStub images;
  images.Add(u"quad.png", QuadrantImage(12, 12));
  auto lights = PanelForm(
      132, 60,
      {button(4, 4,
              {{u"Light", u"T"},
               {u"LightTop", u"15"},
               {u"LightLeft", u"4"},
               {u"LightRight", u"4"},
               {u"LightBottom", u"3"},
               {u"TextCenterY", u"0.35"}}),
       button(68, 4,
              {{u"Light", u"T"},
               {u"LightValue", u"T"},
               {u"LightTop", u"15"},
               {u"LightLeft", u"4"},
               {u"LightRight", u"4"},
               {u"LightBottom", u"3"},
               {u"TextCenterY", u"0.35"}}),
       button(4, 32,
              {{u"ImageFile", u"quad.png"},
               {u"ImageRight", u"38"},
               {u"ImageColor", u"#FFFFFF"},
               {u"TextAlignX", u"LEFT"},
               {u"TextPaddingLeft", u"22"}}),
       button(
           68, 32,
           {{u"ImageFile", u"quad.png"}, {u"Text", u""}, {u"ImageSizeX", u"40"}, {u"ImageSizeY", u"16"}})});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*lights, 132, 60, 1.0, 1.0, &images), "button_light_image", 8, 40));
}

}  // namespace
