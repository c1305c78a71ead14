// Labels and hyperlinks as drawn, in one golden image: background and frame only when asked,
// text placed by its alignment inside the frame, one line cut at the frame or broken at word
// boundaries, and the hyperlink's colour by mouse state and its underline.

#include <gtest/gtest.h>

#include "controls/label_controls.h"
#include "golden_image.h"
#include "shape_test_util.h"

TEST(LabelDrawing, GoldenImage) {
  constexpr std::u16string_view kColours = u"TextColor=#0000FF; FillColor=#FFC0C0; BorderColor=#008000; ";
  const auto label = [&](int left, int top, std::u16string_view texts) {
    return MakeShapeAt<CNPLabel>({left, top, 96, 40}, std::u16string(kColours) + std::u16string(texts));
  };
  const auto link = [](int left, std::u16string_view texts) {
    return MakeShapeAt<CNPHyperLink>({left, 136, 60, 20}, texts);
  };
  auto hovered = link(68, u"Text=Home");
  auto form = WhiteForm(
      204, 160,
      {label(4, 4, u"Text=Tank"),
       label(104, 4, u"Fill=T; Border=T; Text=Tank; TextAlignX=RIGHT; TextAlignY=BOTTOM"),
       label(4, 48, u"Text=pump one running at full speed"),
       label(104, 48, u"Text=pump one running at full speed; Border=T"),
       label(4, 92, u"Fill=T; Text=Centre; TextAlignX=CENTER; TextAlignY=TOP"), link(4, u"Text=Home"),
       hovered, link(132, u"Text=Home"), label(104, 92, u"Fill=T; Border=T")});
  Render(*form, 204, 160);  // laid out once; what changes next is laid out again
  SetTexts(*form->GetChild(3), u"TextWordBreak=T");
  SetTexts(*form->GetChild(7), u"LinkUnderline=F");
  hovered->MouseIn({70, 140});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 204, 160), "label_link", 8, 40));
}
