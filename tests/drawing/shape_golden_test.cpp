// The plain shapes compared with their golden images: one image per family of looks.

#include <gtest/gtest.h>

#include <string>

#include "controls/shapes.h"
#include "golden_image.h"
#include "shape_test_util.h"

TEST(ShapeGolden, EachShape) {
  auto form = WhiteForm(
      160, 48,
      {MakeShapeAt<CNPRect>({4, 4, 36, 18}, {{u"FillColor", u"#80C0FF"}, {u"BorderColor", u"#000080"}}),
       MakeShapeAt<CNPEllipse>(
           {4, 26, 36, 18},
           {{u"FillColor", u"#FFC080"}, {u"BorderColor", u"#804000"}, {u"BorderWidth", u"2"}}),
       MakeShapeAt<CNPPie>({44, 4, 40, 40}, {{u"StartAngle", u"30"},
                                             {u"EndAngle", u"300"},
                                             {u"FillColor", u"#C0FFC0"},
                                             {u"BorderColor", u"#008000"}}),
       MakeShapeAt<CNPArc>(
           {88, 4, 30, 40},
           {{u"StartAngle", u"-90"}, {u"EndAngle", u"90"}, {u"LineColor", u"#800080"}, {u"LineWidth", u"3"}}),
       MakeShape<CNPLine>({{u"X1", u"122"},
                           {u"Y1", u"4"},
                           {u"X2", u"156"},
                           {u"Y2", u"20"},
                           {u"LineColor", u"#000000"},
                           {u"LineWidth", u"2"}}),
       MakeShape<CNPPolygon>({{u"Points", u"122,44,130,26,140,36,150,24,156,44"},
                              {u"FillColor", u"#FFFF80"},
                              {u"BorderColor", u"#808000"},
                              {u"BorderJoin", u"ROUND"}}),
       MakeShape<CNPPolyline>(
           {{u"Points", u"[PATH]122,30,122,30,122,30,156,30,140,10,156,30"}, {u"LineColor", u"#C00000"}})});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 160, 48), "shape_each"));
}

TEST(ShapeGolden, HatchFamilyOnTheBackColour) {
  static const char16_t* kStyles[] = {u"HORIZONTAL",        u"VERTICAL", u"FORWARD DIAGONAL",
                                      u"BACKWARD DIAGONAL", u"CROSS",    u"DIAGONAL CROSS"};
  auto form = WhiteForm(124, 28, {});
  for (int i = 0; i < 6; ++i) {
    auto rect = MakeShapeAt<CNPRect>({4 + i * 20, 4, 16, 16});
    SetTexts(*rect, {{u"FillStyle", kStyles[i]},
                     {u"FillColor", u"#000080"},
                     {u"FillColorBack", u"#FFFF00"},
                     {u"Border", u"F"}});
    form->AddChild(CRPtr<CNPRect>(rect).Detach());
  }
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 124, 24), "shape_hatches"));
}

TEST(ShapeGolden, GradientFamily) {
  auto form = WhiteForm(160, 72, {});
  for (int i = 0; i < 18; ++i) {
    const std::u16string style = i < 16 ? std::u16string(i < 4    ? u"GD_HORIZONTAL"
                                                         : i < 8  ? u"GD_VERTICAL"
                                                         : i < 12 ? u"GD_FORWARDDIAGONAL"
                                                                  : u"GD_BACKWARDDIAGONAL") +
                                              Number(i % 4 + 1)
                                        : u"GD_CENTER" + Number(i - 15);
    auto rect =
        MakeShapeAt<CNPRect>({4 + (i % 6) * 26, 4 + (i / 6) * 22, 22, 18}, {{u"FillStyle", style},
                                                                            {u"FillColor", u"#FF0000"},
                                                                            {u"FillColorBack", u"#0000FF"},
                                                                            {u"Border", u"F"}});
    form->AddChild(CRPtr<CNPRect>(rect).Detach());
  }
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 160, 72), "shape_gradients", 8, 4));
}

TEST(ShapeGolden, DashStylesOfBordersAndLines) {
  static const char16_t* kStyles[] = {u"SOLID", u"DASH", u"DOT", u"DASHDOT", u"DASHDOTDOT"};
  auto form = WhiteForm(112, 64, {});
  for (int i = 0; i < 5; ++i) {
    auto line = MakeShape<CNPLine>({{u"X1", u"4"},
                                    {u"Y1", Number(6 + i * 6)},
                                    {u"X2", u"104"},
                                    {u"Y2", Number(6 + i * 6)},
                                    {u"LineStyle", kStyles[i]},
                                    {u"LineColor", u"#000000"},
                                    {u"LineWidth", Number(i % 2 + 1)}});
    form->AddChild(CRPtr<CNPLine>(line).Detach());
  }
  for (int i = 0; i < 3; ++i) {
    auto rect = MakeShapeAt<CNPRect>({4 + i * 36, 36, 32, 24}, {{u"BorderLine", kStyles[i + 1]},
                                                                {u"BorderWidth", u"2"},
                                                                {u"BorderColor", u"#0000C0"},
                                                                {u"Fill", u"F"}});
    form->AddChild(CRPtr<CNPRect>(rect).Detach());
  }
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 112, 64), "shape_dashes"));
}

TEST(ShapeGolden, RoundedCornersAndTurnedShapesAreSmoothed) {
  auto form = WhiteForm(
      120, 48,
      {MakeShapeAt<CNPRect>({4, 4, 48, 40}, {{u"BorderRound", u"10"},
                                             {u"BorderWidth", u"3"},
                                             {u"FillColor", u"#80C0FF"},
                                             {u"BorderColor", u"#000080"}}),
       MakeShapeAt<CNPRect>({64, 18, 48, 12},
                            {{u"Angle", u"30"}, {u"FillColor", u"#FFC080"}, {u"BorderColor", u"#804000"}})});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 120, 48), "shape_rounded_turned", 8, 4));
}

TEST(ShapeGolden, LineEndCaps) {
  static const char16_t* kCaps[] = {u"FLAT",          u"ROUND",        u"SQUARE",         u"TRIANGLE",
                                    u"SQUARE_ANCHOR", u"ROUND_ANCHOR", u"DIAMOND_ANCHOR", u"ARROW_ANCHOR"};
  auto form = WhiteForm(96, 100, {});
  for (int i = 0; i < 8; ++i) {
    // The second end keeps the first's cap ("DEFAULT") on the left column, the flat one on the right.
    auto line = MakeShape<CNPLine>({{u"X1", Number(16 + (i % 2) * 48)},
                                    {u"Y1", Number(12 + (i / 2) * 24)},
                                    {u"X2", Number(40 + (i % 2) * 48)},
                                    {u"Y2", Number(12 + (i / 2) * 24)},
                                    {u"LineWidth", u"4"},
                                    {u"LineColor", u"#000000"},
                                    {u"LineEndcap", kCaps[i]}});
    if (i % 2) SetTexts(*line, {{u"LineEndcap2", u"FLAT"}});
    form->AddChild(CRPtr<CNPLine>(line).Detach());
  }
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 96, 100), "shape_end_caps"));
}

TEST(ShapeGolden, TextCentringLineSpaceAndClip) {
  auto form = WhiteForm(160, 64,
                        {MakeShapeAt<CNPRect>({4, 4, 72, 56}, {{u"FillColor", u"#E0E0E0"},
                                                               {u"BorderColor", u"#000000"},
                                                               {u"Text", u"AB\nC"},
                                                               {u"TextFont", u"Sans,-12,0,700,0,0,0,0,0"},
                                                               {u"TextColor", u"#000080"},
                                                               {u"TextLineSpace", u"6"}}),
                         MakeShapeAt<CNPEllipse>({84, 4, 72, 56}, {{u"FillColor", u"#E0E0E0"},
                                                                   {u"BorderColor", u"#000000"},
                                                                   {u"Text", u"WWWWWWWWWW"},
                                                                   {u"TextFont", u"Sans,-12,0,400,0,0,0,0,0"},
                                                                   {u"TextColor", u"#800000"},
                                                                   {u"TextCenterX", u"0.2"},
                                                                   {u"TextCenterY", u"0.25"},
                                                                   {u"TextClip", u"T"}})});
  EXPECT_TRUE(MatchesGoldenImage(*Render(*form, 160, 64), "shape_text", 8, 40));
}
