// Images as drawn: the form's background image with its spaces, and the image objects.

#include <gtest/gtest.h>

#include "controls/images.h"
#include "image_source_stub.h"
#include "shape_test_util.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

struct Images {
  Images() {
    stub.Add(u"quad.png", QuadrantImage(8, 8));
    stub.Add(u"red.png", QuadrantImage(2, 2, {0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF}));
    stub.Add(u"green.png", QuadrantImage(2, 2, {0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00}));
    stub.Add(u"blue.png", QuadrantImage(2, 2, {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000}));
  }
  CNImageSourceStub stub;
};

TEST(FormImageDrawing, ImageIsStretchedInsideItsSpacesOverTheFillAndUnderTheChildren) {
  Images images;
  auto form = WhiteForm(40, 30, {});
  SetTexts(*form,
           u"FillColor=#102030; ImageFile=quad.png; ImageSpaceLeft=10; ImageSpaceTop=5; ImageSpaceRight=10; "
           u"ImageSpaceBottom=5");
  EXPECT_TRUE(PixelsAre(*Render(*form, 40, 30, 1.0, 1.0, &images.stub), {{10, 5, kRed},
                                                                         {12, 7, kRed},
                                                                         {27, 7, kGreen},
                                                                         {12, 22, kBlue},
                                                                         {29, 24, kWhite},
                                                                         {9, 5, 0x102030},
                                                                         {30, 24, 0x102030},
                                                                         {10, 25, 0x102030}}));
  // At twice the size the spaces scale too.
  EXPECT_TRUE(
      PixelsAre(*Render(*form, 80, 60, 2.0, 2.0, &images.stub), {{19, 10, 0x102030}, {20, 10, kRed}}));

  // Children come over the image.
  form->AddChild(MakeShapeAt<CNPImageSimple>({10, 5, 4, 4}, u"ImageFile=green.png").Detach());
  EXPECT_TRUE(PixelIs(*Render(*form, 40, 30, 1.0, 1.0, &images.stub), 10, 5, kGreen));
}

TEST(FormImageDrawing, MissingImageOrNoRoomLeavesTheFill) {
  Images images;
  auto form = WhiteForm(40, 30, {});
  for (std::u16string_view texts : {u"FillColor=#102030; ImageFile=nowhere.png",
                                    u"ImageFile=quad.png; ImageSpaceLeft=30; ImageSpaceRight=30",
                                    u"ImageSpaceLeft=-2147483648; ImageSpaceRight=2147483647"}) {
    SetTexts(*form, texts);
    EXPECT_TRUE(PixelIs(*Render(*form, 40, 30, 1.0, 1.0, &images.stub), 20, 15, 0x102030))
        << Utf16ToUtf8(texts);
  }
}

TEST(ImageObjectDrawing, StretchModesPlaceTheImageInTheRectangle) {
  Images images;
  auto image = MakeShapeAt<CNPImageSimple>({5, 5, 40, 20}, u"ImageFile=quad.png; ImageStretch=NONE");
  EXPECT_TRUE(PixelsAre(*Render(*image, 50, 30, 1.0, 1.0, &images.stub),
                        {{5, 5, kRed}, {12, 12, kWhite}, {13, 13, kClear}}));
  SetTexts(*image, u"ImageStretch=STRETCH_KEEPRATE");  // 20x20, centred
  EXPECT_TRUE(PixelsAre(*Render(*image, 50, 30, 1.0, 1.0, &images.stub),
                        {{14, 15, kClear}, {15, 5, kRed}, {34, 24, kWhite}, {35, 15, kClear}}));
  SetTexts(*image, u"ImageStretch=STRETCH_FULL");
  EXPECT_TRUE(PixelsAre(*Render(*image, 50, 30, 1.0, 1.0, &images.stub),
                        {{5, 5, kRed}, {44, 24, kWhite}, {45, 24, kClear}}));
}

TEST(ImageObjectDrawing, AlphaAndTransparentColour) {
  Images images;
  auto image = MakeShape<CNPImageSimple>(
      u"Width=8; Height=8; ImageFile=quad.png; Alpha=0.5; ImageTransparentColor=#FFFFFF");
  EXPECT_TRUE(PixelsAre(*Render(*image, 8, 8, 1.0, 1.0, &images.stub), {{0, 0, kRed, 128}, {7, 7, kClear}}));
}

TEST(ImageObjectDrawing, EachKindShowsTheImageOfItsState) {
  Images images;
  const auto colourAt = [&images](CNPObject& object) { return Render(object, 4, 4, 1.0, 1.0, &images.stub); };

  auto light = MakeShape<CNPImageLight>(u"Width=4; Height=4; ImageFile=red.png; ImageFileOn=green.png");
  EXPECT_TRUE(PixelIs(*colourAt(*light), 1, 1, kRed));
  SetTexts(*light, u"LightValue=T");
  EXPECT_TRUE(PixelIs(*colourAt(*light), 1, 1, kGreen));
  SetTexts(*light, u"ImageFileOn=");  // no "On" image: the plain one
  EXPECT_TRUE(PixelIs(*colourAt(*light), 1, 1, kRed));

  auto toggle = MakeShape<CNPImageSwitch>(
      u"Width=4; Height=4; ImageFile=red.png; ImageFileOn=green.png; ImageFilePush=blue.png; "
      u"SwitchType=ALTERNATE_SWITCH");
  EXPECT_TRUE(PixelIs(*colourAt(*toggle), 1, 1, kRed));
  toggle->ButtonDown(MOUSE_LEFT, {1, 1});
  EXPECT_TRUE(PixelIs(*colourAt(*toggle), 1, 1, kBlue));
  toggle->ButtonUp(MOUSE_LEFT, {1, 1});
  EXPECT_TRUE(PixelIs(*colourAt(*toggle), 1, 1, kGreen));

  auto select = MakeShape<CNPImageSelect>(u"Width=4; Height=4");
  CNValue files;  // ";" separates names here, so not through SetTexts
  files.SetString(u"red.png\r\n green.png ;blue.png");
  ASSERT_EQ(select->SetProperty(u"ImageFiles", files), 1);
  SetTexts(*select, u"ImageIndex=1");
  EXPECT_TRUE(PixelIs(*colourAt(*select), 1, 1, kGreen));
  SetTexts(*select, u"ImageIndex=2");
  EXPECT_TRUE(PixelIs(*colourAt(*select), 1, 1, kBlue));
  SetTexts(*select, u"ImageIndex=3");
  EXPECT_TRUE(IsTransparent(*colourAt(*select), 1, 1));
}

}  // namespace
