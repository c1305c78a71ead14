// Images as drawn: the form's background image with its spaces, and the image objects.

#include <gtest/gtest.h>

#include "controls/images.h"
#include "image_source_stub.h"
#include "shape_test_util.h"

namespace {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

std::unique_ptr<CRSurface> SolidImage(uint32_t colorRef) {
  auto image = std::make_unique<CRSurface>(2, 2);
  CRPainter painter(*image);
  CRBrush brush;
  brush.color = colorRef;
  painter.FillPath(CRPath::Rectangle({0, 0, 2, 2}), brush);
  return image;
}

struct Images {
  Images() {
    stub.Add(u"quad.png", QuadrantImage(8, 8));
    stub.Add(u"red.png", SolidImage(0x0000FF));
    stub.Add(u"green.png", SolidImage(0x00FF00));
    stub.Add(u"blue.png", SolidImage(0xFF0000));
  }
  CNImageSourceStub stub;
};

TEST(FormImageDrawing, ImageIsStretchedInsideItsSpacesOverTheFillAndUnderTheChildren) {
  Images images;
  auto form = WhiteForm(40, 30, {});
  SetTexts(*form, {{u"FillColor", u"#102030"},
                   {u"ImageFile", u"quad.png"},
                   {u"ImageSpaceLeft", u"10"},
                   {u"ImageSpaceTop", u"5"},
                   {u"ImageSpaceRight", u"10"},
                   {u"ImageSpaceBottom", u"5"}});
  auto surface = Render(*form, 40, 30, 1.0, 1.0, &images.stub);
  EXPECT_TRUE(PixelIs(*surface, 10, 5, kRed));
  EXPECT_TRUE(PixelIs(*surface, 12, 7, kRed));
  EXPECT_TRUE(PixelIs(*surface, 27, 7, kGreen));
  EXPECT_TRUE(PixelIs(*surface, 12, 22, kBlue));
  EXPECT_TRUE(PixelIs(*surface, 29, 24, kWhite));
  EXPECT_TRUE(PixelIs(*surface, 9, 5, 0x102030));
  EXPECT_TRUE(PixelIs(*surface, 30, 24, 0x102030));
  EXPECT_TRUE(PixelIs(*surface, 10, 25, 0x102030));

  // At twice the size the spaces scale too.
  surface = Render(*form, 80, 60, 2.0, 2.0, &images.stub);
  EXPECT_TRUE(PixelIs(*surface, 19, 10, 0x102030));
  EXPECT_TRUE(PixelIs(*surface, 20, 10, kRed));

  // Children come over the image.
  auto child = MakeShapeAt<CNPImageSimple>({10, 5, 4, 4}, {{u"ImageFile", u"green.png"}});
  form->AddChild(CRPtr<CNPImageSimple>(child).Detach());
  EXPECT_TRUE(PixelIs(*Render(*form, 40, 30, 1.0, 1.0, &images.stub), 10, 5, kGreen));
}

TEST(FormImageDrawing, MissingImageOrNoRoomLeavesTheFill) {
  Images images;
  auto form = WhiteForm(40, 30, {});
  SetTexts(*form, {{u"FillColor", u"#102030"}, {u"ImageFile", u"nowhere.png"}});
  EXPECT_TRUE(PixelIs(*Render(*form, 40, 30, 1.0, 1.0, &images.stub), 20, 15, 0x102030));
  SetTexts(*form, {{u"ImageFile", u"quad.png"}, {u"ImageSpaceLeft", u"30"}, {u"ImageSpaceRight", u"30"}});
  EXPECT_TRUE(PixelIs(*Render(*form, 40, 30, 1.0, 1.0, &images.stub), 20, 15, 0x102030));
  SetTexts(*form, {{u"ImageSpaceLeft", u"-2147483648"}, {u"ImageSpaceRight", u"2147483647"}});
  EXPECT_TRUE(PixelIs(*Render(*form, 40, 30, 1.0, 1.0, &images.stub), 20, 15, 0x102030));
}

TEST(ImageObjectDrawing, StretchModesPlaceTheImageInTheRectangle) {
  Images images;
  auto image =
      MakeShapeAt<CNPImageSimple>({5, 5, 40, 20}, {{u"ImageFile", u"quad.png"}, {u"ImageStretch", u"NONE"}});
  auto surface = Render(*image, 50, 30, 1.0, 1.0, &images.stub);
  EXPECT_TRUE(PixelIs(*surface, 5, 5, kRed));
  EXPECT_TRUE(PixelIs(*surface, 12, 12, kWhite));
  EXPECT_TRUE(IsTransparent(*surface, 13, 13));

  SetTexts(*image, {{u"ImageStretch", u"STRETCH_KEEPRATE"}});  // 20x20, centred
  surface = Render(*image, 50, 30, 1.0, 1.0, &images.stub);
  EXPECT_TRUE(IsTransparent(*surface, 14, 15));
  EXPECT_TRUE(PixelIs(*surface, 15, 5, kRed));
  EXPECT_TRUE(PixelIs(*surface, 34, 24, kWhite));
  EXPECT_TRUE(IsTransparent(*surface, 35, 15));

  SetTexts(*image, {{u"ImageStretch", u"STRETCH_FULL"}});
  surface = Render(*image, 50, 30, 1.0, 1.0, &images.stub);
  EXPECT_TRUE(PixelIs(*surface, 5, 5, kRed));
  EXPECT_TRUE(PixelIs(*surface, 44, 24, kWhite));
  EXPECT_TRUE(IsTransparent(*surface, 45, 24));
}

TEST(ImageObjectDrawing, AlphaAndTransparentColour) {
  Images images;
  auto image = MakeShape<CNPImageSimple>({{u"Width", u"8"},
                                          {u"Height", u"8"},
                                          {u"ImageFile", u"quad.png"},
                                          {u"Alpha", u"0.5"},
                                          {u"ImageTransparentColor", u"#FFFFFF"}});
  const auto surface = Render(*image, 8, 8, 1.0, 1.0, &images.stub);
  EXPECT_TRUE(PixelIs(*surface, 0, 0, kRed, 128));
  EXPECT_TRUE(IsTransparent(*surface, 7, 7));
}

TEST(ImageObjectDrawing, EachKindShowsTheImageOfItsState) {
  Images images;
  const auto colourAt = [&images](CNPObject& object) {
    return Render(*&object, 4, 4, 1.0, 1.0, &images.stub);
  };
  const std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> place = {
      {u"Width", u"4"}, {u"Height", u"4"}};

  auto light = MakeShape<CNPImageLight>(place);
  SetTexts(*light, {{u"ImageFile", u"red.png"}, {u"ImageFileOn", u"green.png"}});
  EXPECT_TRUE(PixelIs(*colourAt(*light), 1, 1, kRed));
  SetTexts(*light, {{u"LightValue", u"T"}});
  EXPECT_TRUE(PixelIs(*colourAt(*light), 1, 1, kGreen));
  SetTexts(*light, {{u"ImageFileOn", u""}});  // no "On" image: the plain one
  EXPECT_TRUE(PixelIs(*colourAt(*light), 1, 1, kRed));

  auto toggle = MakeShape<CNPImageSwitch>(place);
  SetTexts(*toggle, {{u"ImageFile", u"red.png"},
                     {u"ImageFileOn", u"green.png"},
                     {u"ImageFilePush", u"blue.png"},
                     {u"SwitchType", u"ALTERNATE_SWITCH"}});
  EXPECT_TRUE(PixelIs(*colourAt(*toggle), 1, 1, kRed));
  toggle->ButtonDown(MOUSE_LEFT, {1, 1});
  EXPECT_TRUE(PixelIs(*colourAt(*toggle), 1, 1, kBlue));
  toggle->ButtonUp(MOUSE_LEFT, {1, 1});
  EXPECT_TRUE(PixelIs(*colourAt(*toggle), 1, 1, kGreen));

  auto select = MakeShape<CNPImageSelect>(place);
  SetTexts(*select, {{u"ImageFiles", u"red.png\r\n green.png ;blue.png"}, {u"ImageIndex", u"1"}});
  EXPECT_TRUE(PixelIs(*colourAt(*select), 1, 1, kGreen));
  SetTexts(*select, {{u"ImageIndex", u"2"}});
  EXPECT_TRUE(PixelIs(*colourAt(*select), 1, 1, kBlue));
  SetTexts(*select, {{u"ImageIndex", u"3"}});
  EXPECT_TRUE(IsTransparent(*colourAt(*select), 1, 1));
}

}  // namespace
