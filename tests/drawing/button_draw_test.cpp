// Command and toggle buttons as drawn: fill by state and fill types by pixels; 3-D borders, the
// pushed look, tabs, light, image and text in the golden images.

#include <gtest/gtest.h>

#include "controls/buttons.h"
#include "golden_image.h"
#include "image_source_stub.h"
#include "screen/border_3d.h"
#include "shape_test_util.h"

namespace {

// A 40x20 button at the form's origin, blue, with a one-pixel raised border and no text.
CRPtr<CNPCommandButton> PlainButton(std::u16string_view more = {}) {
  auto button = MakeShape<CNPCommandButton>(
      u"Width=40; Height=20; FillColor=#0000FF; FillColorOn=#00FF00; FillColorHover=#FFFF00; "
      u"FillColorPush=#FF00FF; BorderStyle=3D_RAISE1; Border3DLight=#FFFFFF; Border3DShadow=#808080");
  SetTexts(*button, more);
  return button;
}

// A form in the theme's form colour holding the objects.
CRPtr<CNPForm> PanelForm(int width, int height, std::initializer_list<CRPtr<CNPObject>> children) {
  auto form = WhiteForm(width, height, children);
  SetTexts(*form, u"FillColor=@FormColor");
  return form;
}

TEST(ButtonDrawing, FillFollowsOnThenTheMouseState) {
  auto button = PlainButton();
  const struct {
    int32_t state;
    std::u16string_view texts;
    uint32_t fill;
  } steps[] = {
      {0, u"", 0x0000FF},
      {kStateMouseIn | kStateLeftButton, u"SwitchValue=T", 0x00FF00},  // on beats the mouse state
      {0, u"", 0x00FF00},
      {0, u"FillColorOn=", 0x0000FF},  // no on colour: the plain one
  };
  for (const auto& step : steps) {
    button->SetStateWord(step.state);
    SetTexts(*button, step.texts);
    EXPECT_TRUE(PixelIs(*Render(*button, 40, 20), 20, 10, step.fill)) << step.state;
  }
}

TEST(ButtonDrawing, FillTypeFillsAStripOfFillSizeAlongItsSide) {
  auto button = PlainButton(u"Border=F; FillSize=5");
  struct Case {
    std::u16string_view type;
    int insideX, insideY, outsideX, outsideY;
  };
  for (const Case& c : {Case{u"TOP", 20, 4, 20, 5}, Case{u"LEFT", 4, 10, 5, 10},
                        Case{u"RIGHT", 35, 10, 34, 10}, Case{u"FULL", 20, 10, -1, -1}}) {
    SetTexts(*button, u"FillType=" + std::u16string(c.type));
    const auto surface = Render(*button, 40, 20);
    EXPECT_TRUE(PixelIs(*surface, c.insideX, c.insideY, 0x0000FF)) << Utf16ToUtf8(c.type);
    EXPECT_TRUE(c.outsideX < 0 || IsTransparent(*surface, c.outsideX, c.outsideY)) << Utf16ToUtf8(c.type);
  }
  SetTexts(*button, u"FillType=NONE");
  EXPECT_TRUE(IsTransparent(*Render(*button, 40, 20), 20, 10));
  SetTexts(*button, u"FillType=TOP; FillSize=500");  // never beyond the face
  EXPECT_TRUE(PixelIs(*Render(*button, 40, 20), 20, 19, 0x0000FF));
}

// The borders, the pushed look, the image and the text are in the golden images.
TEST(ButtonDrawing, ScaledRingsKeepTheirWidthsAndAMissingImageLeavesTheFace) {
  EXPECT_TRUE(PixelsAre(*Render(*PlainButton(), 80, 40, 2.0, 2.0), {{1, 20, 0xFFFFFF}, {2, 20, 0x0000FF}}));
  CNImageSourceStub images;
  const auto surface = Render(*PlainButton(u"Border=F; ImageFile=missing.png"), 40, 20, 1.0, 1.0, &images);
  EXPECT_TRUE(PixelIs(*surface, 20, 10, 0x0000FF));
}

TEST(ButtonDrawing, BadGeometryAndEmptyColoursDrawNothingWrong) {
  EXPECT_EQ(Render(*PlainButton(u"Width=0; Text=x"), 40, 20)->GetPixel(0, 0).alpha, 0);
  auto button = PlainButton(
      u"FillColor=; Border3DLight=; BorderRound=1000; LightLeft=-5000; Light=T; TextPaddingLeft=100000; "
      u"Text=x");
  // No fill, no bevel; the lamp reaching far beyond the face stays inside it.
  EXPECT_TRUE(PixelsAre(*Render(*button, 40, 20), {{20, 10, 0x3C503C}, {0, 0, kClear}}));
}

TEST(ButtonDrawing, GoldenImages) {
  const auto button = [](int left, int top, std::u16string_view more = {}) {
    auto b = MakeShapeAt<CNPCommandButton>({left, top, 60, 24}, u"Text=Start");
    SetTexts(*b, more);
    return b;
  };
  // Off, on, pressed, hovered.
  auto pressed = button(4, 32);
  auto hovered = button(68, 32);
  pressed->ButtonDown(MOUSE_LEFT, {5, 5});
  hovered->SetStateWord(kStateMouseIn);
  auto states = PanelForm(132, 60, {button(4, 4), button(68, 4, u"SwitchValue=T"), pressed, hovered});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*states, 132, 60), "button_states", 8, 40));

  auto borders =
      PanelForm(132, 88,
                {button(4, 4, u"BorderStyle=FLAT; BorderRound=6"), button(68, 4, u"BorderStyle=3D_FRAME"),
                 button(4, 32, u"BorderStyle=3D_RAISE1"), button(68, 32, u"BorderStyle=3D_RAISE2"),
                 button(4, 60, u"BorderStyle=3D_RAISE2; PushType=VALUE; SwitchValue=T"),
                 button(68, 60, u"FillType=BOTTOM; FillSize=4; FillColor=#2060C0")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*borders, 132, 88), "button_borders", 8, 40));

  const auto tab = [](int left, std::u16string_view style, bool on) {
    return MakeShapeAt<CNPToggleButton>(
        {left, style == u"TABTOP" ? 4 : 32, 44, 22},
        std::u16string(on ? u"Text=On; SwitchValue=T" : u"Text=Off; SwitchValue=F") +
            u"; TextColorOn=#C00000; BorderStyle=" + std::u16string(style));
  };
  auto tabs = PanelForm(96, 60,
                        {tab(4, u"TABTOP", true), tab(48, u"TABTOP", false), tab(4, u"TABBOTTOM", false),
                         tab(48, u"TABBOTTOM", true)});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*tabs, 96, 60), "button_tabs", 8, 40));

  CNImageSourceStub images;
  images.Add(u"quad.png", QuadrantImage(12, 12));
  constexpr std::u16string_view kLamp =
      u"Light=T; LightTop=15; LightLeft=4; LightRight=4; LightBottom=3; TextCenterY=0.35";
  auto lights = PanelForm(
      132, 60,
      {button(4, 4, kLamp), button(68, 4, std::u16string(kLamp) + u"; LightValue=T"),
       button(4, 32,
              u"ImageFile=quad.png; ImageRight=38; ImageColor=#FFFFFF; TextAlignX=LEFT; TextPaddingLeft=22"),
       button(68, 32, u"ImageFile=quad.png; Text=; ImageSizeX=40; ImageSizeY=16")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*lights, 132, 60, 1.0, 1.0, &images), "button_light_image", 8, 40));
}

}  // namespace
