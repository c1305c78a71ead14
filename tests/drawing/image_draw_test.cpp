// Images as drawn, in golden images: the form's background image with its spaces, and the image
// objects; the form's fill where its image cannot be drawn.

#include <gtest/gtest.h>

#include "controls/images.h"
#include "golden_image.h"
#include "image_source_stub.h"
#include "shape_test_util.h"

namespace {

struct Images {
  Images() {
    stub.Add(u"quad.png", QuadrantImage(8, 8));
    stub.Add(u"red.png", QuadrantImage(2, 2, {0x0000FF, 0x0000FF, 0x0000FF, 0x0000FF}));
    stub.Add(u"green.png", QuadrantImage(2, 2, {0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00}));
    stub.Add(u"blue.png", QuadrantImage(2, 2, {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000}));
  }
  CNImageSourceStub stub;
};

// At twice the size: the image stretched inside the scaled spaces over the fill, a child over it.
TEST(FormImageDrawing, GoldenImage) {
  Images images;
  auto form = WhiteForm(40, 30, {MakeShapeAt<CNPImageSimple>({10, 5, 4, 4}, u"ImageFile=green.png")});
  SetTexts(*form,
           u"FillColor=#102030; ImageFile=quad.png; ImageSpaceLeft=10; ImageSpaceTop=5; ImageSpaceRight=10; "
           u"ImageSpaceBottom=5");
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 80, 60, 2.0, 2.0, &images.stub), "image_form"));
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

// On grey: the three stretch modes; half alpha with white left out; a light off, on, and on
// without an "On" image; a switch off, pushed and on; a selection of images 1, 2 and 3 (none).
TEST(ImageObjectDrawing, GoldenImage) {
  Images images;
  const auto light = [](int left, std::u16string_view texts) {
    return MakeShapeAt<CNPImageLight>({left, 32, 8, 8},
                                      u"ImageFile=red.png; ImageFileOn=green.png; " + std::u16string(texts));
  };
  const auto toggle = [](int left) {
    return MakeShapeAt<CNPImageSwitch>({left, 32, 8, 8},
                                       u"ImageFile=red.png; ImageFileOn=green.png; "
                                       u"ImageFilePush=blue.png; SwitchType=ALTERNATE_SWITCH");
  };
  const auto select = [](int left, std::u16string_view index) {
    auto object = MakeShapeAt<CNPImageSelect>({left, 32, 8, 8}, u"ImageIndex=" + std::u16string(index));
    CNValue files;  // ";" separates names here, so not through SetTexts
    files.SetString(u"red.png\r\n green.png ;blue.png");
    EXPECT_EQ(object->SetProperty(u"ImageFiles", files), 1);
    return object;
  };
  auto pushed = toggle(80);
  auto on = toggle(92);
  auto form = WhiteForm(
      160, 44,
      {MakeShapeAt<CNPImageSimple>({4, 4, 40, 20}, u"ImageFile=quad.png; ImageStretch=NONE"),
       MakeShapeAt<CNPImageSimple>({48, 4, 40, 20}, u"ImageFile=quad.png; ImageStretch=STRETCH_KEEPRATE"),
       MakeShapeAt<CNPImageSimple>({92, 4, 40, 20}, u"ImageFile=quad.png; ImageStretch=STRETCH_FULL"),
       MakeShapeAt<CNPImageSimple>({136, 4, 8, 8},
                                   u"ImageFile=quad.png; Alpha=0.5; ImageTransparentColor=#FFFFFF"),
       light(4, u"LightValue=F"), light(16, u"LightValue=T"), light(28, u"LightValue=T; ImageFileOn="),
       toggle(68), pushed, on, select(108, u"1"), select(120, u"2"), select(132, u"3")});
  SetTexts(*form, u"FillColor=#808080");
  pushed->ButtonDown(MOUSE_LEFT, {81, 33});
  on->ButtonDown(MOUSE_LEFT, {93, 33});
  on->ButtonUp(MOUSE_LEFT, {93, 33});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 160, 44, 1.0, 1.0, &images.stub), "image_objects"));
}

}  // namespace
