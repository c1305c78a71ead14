// The plain shapes compared with their golden images: one image per family of looks.

#include <gtest/gtest.h>

#include <string>

#include "golden_image.h"
#include "shape_test_util.h"
#include "shapes/shapes.h"

TEST(ShapeGolden, EachShape) {
  auto form = WhiteForm(
      160, 48,
      {MakeShapeAt<CNPRect>({4, 4, 36, 18}, u"FillColor=#80C0FF; BorderColor=#000080"),
       MakeShapeAt<CNPEllipse>({4, 26, 36, 18}, u"FillColor=#FFC080; BorderColor=#804000; BorderWidth=2"),
       MakeShapeAt<CNPPie>({44, 4, 40, 40},
                           u"StartAngle=30; EndAngle=300; FillColor=#C0FFC0; BorderColor=#008000"),
       MakeShapeAt<CNPArc>({88, 4, 30, 40}, u"StartAngle=-90; EndAngle=90; LineColor=#800080; LineWidth=3"),
       MakeShape<CNPLine>(u"X1=122; Y1=4; X2=156; Y2=20; LineColor=#000000; LineWidth=2"),
       MakeShape<CNPPolygon>(u"Points=122,44,130,26,140,36,150,24,156,44; FillColor=#FFFF80; "
                             u"BorderColor=#808000; BorderJoin=ROUND"),
       MakeShape<CNPPolyline>(u"Points=[PATH]122,30,122,30,122,30,156,30,140,10,156,30; LineColor=#C00000")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 160, 48), "shape_each"));
}

TEST(ShapeGolden, HatchFamilyOnTheBackColour) {
  static const char16_t* kStyles[] = {u"HORIZONTAL",        u"VERTICAL", u"FORWARD DIAGONAL",
                                      u"BACKWARD DIAGONAL", u"CROSS",    u"DIAGONAL CROSS"};
  auto form = WhiteForm(124, 28, {});
  for (int i = 0; i < 6; ++i)
    form->AddChild(MakeShapeAt<CNPRect>({4 + i * 20, 4, 16, 16},
                                        u"FillColor=#000080; FillColorBack=#FFFF00; Border=F; FillStyle=" +
                                            std::u16string(kStyles[i]))
                       .Detach());
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 124, 24), "shape_hatches"));
}

TEST(ShapeGolden, GradientFamily) {
  static const char16_t* kDirections[] = {u"HORIZONTAL", u"VERTICAL", u"FORWARDDIAGONAL",
                                          u"BACKWARDDIAGONAL"};
  auto form = WhiteForm(160, 72, {});
  for (int i = 0; i < 18; ++i) {
    const std::u16string style = i < 16 ? kDirections[i / 4] + Number(i % 4 + 1) : u"CENTER" + Number(i - 15);
    form->AddChild(
        MakeShapeAt<CNPRect>({4 + (i % 6) * 26, 4 + (i / 6) * 22, 22, 18},
                             u"FillColor=#FF0000; FillColorBack=#0000FF; Border=F; FillStyle=GD_" + style)
            .Detach());
  }
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 160, 72), "shape_gradients", 8, 4));
}

TEST(ShapeGolden, DashStylesOfBordersAndLines) {
  static const char16_t* kStyles[] = {u"SOLID", u"DASH", u"DOT", u"DASHDOT", u"DASHDOTDOT"};
  auto form = WhiteForm(112, 64, {});
  for (int i = 0; i < 5; ++i)
    form->AddChild(MakeShape<CNPLine>(u"X1=4; Y1=" + Number(6 + i * 6) + u"; X2=104; Y2=" +
                                      Number(6 + i * 6) + u"; LineStyle=" + kStyles[i] +
                                      u"; LineColor=#000000; LineWidth=" + Number(i % 2 + 1))
                       .Detach());
  for (int i = 0; i < 3; ++i)
    form->AddChild(MakeShapeAt<CNPRect>({4 + i * 36, 36, 32, 24},
                                        u"BorderWidth=2; BorderColor=#0000C0; Fill=F; BorderLine=" +
                                            std::u16string(kStyles[i + 1]))
                       .Detach());
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 112, 64), "shape_dashes"));
}

TEST(ShapeGolden, RoundedCornersAndTurnedShapesAreSmoothed) {
  auto form = WhiteForm(
      120, 48,
      {MakeShapeAt<CNPRect>({4, 4, 48, 40},
                            u"BorderRound=10; BorderWidth=3; FillColor=#80C0FF; BorderColor=#000080"),
       MakeShapeAt<CNPRect>({64, 18, 48, 12}, u"Angle=30; FillColor=#FFC080; BorderColor=#804000")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 120, 48), "shape_rounded_turned", 8, 4));
}

TEST(ShapeGolden, LineEndCaps) {
  static const char16_t* kCaps[] = {u"FLAT",          u"ROUND",        u"SQUARE",         u"TRIANGLE",
                                    u"SQUARE_ANCHOR", u"ROUND_ANCHOR", u"DIAMOND_ANCHOR", u"ARROW_ANCHOR"};
  auto form = WhiteForm(96, 100, {});
  for (int i = 0; i < 8; ++i) {
    // The second end keeps the first's cap ("DEFAULT") on the left column, the flat one on the right.
    auto line =
        MakeShape<CNPLine>(u"X1=" + Number(16 + (i % 2) * 48) + u"; Y1=" + Number(12 + (i / 2) * 24) +
                           u"; X2=" + Number(40 + (i % 2) * 48) + u"; Y2=" + Number(12 + (i / 2) * 24) +
                           u"; LineWidth=4; LineColor=#000000; LineEndcap=" + kCaps[i]);
    if (i % 2) SetTexts(*line, u"LineEndcap2=FLAT");
    form->AddChild(line.Detach());
  }
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 96, 100), "shape_end_caps"));
}

TEST(ShapeGolden, TextCentringLineSpaceAndClip) {
  auto form = WhiteForm(
      160, 64,
      {MakeShapeAt<CNPRect>({4, 4, 72, 56},
                            u"FillColor=#E0E0E0; BorderColor=#000000; Text=AB\nC; "
                            u"TextFont=Sans,-12,0,700,0,0,0,0,0; TextColor=#000080; TextLineSpace=6"),
       MakeShapeAt<CNPEllipse>(
           {84, 4, 72, 56},
           u"FillColor=#E0E0E0; BorderColor=#000000; Text=WWWWWWWWWW; TextFont=Sans,-12,0,400,0,0,0,0,0; "
           u"TextColor=#800000; TextCenterX=0.2; TextCenterY=0.25; TextClip=T")});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 160, 64), "shape_text", 8, 40));
}
