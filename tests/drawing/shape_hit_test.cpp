// Hit tests and paint bounds of the shapes and meters.

#include <gtest/gtest.h>

#include "shape_test_util.h"
#include "shapes/meters.h"
#include "shapes/shapes.h"

TEST(ShapeHitTest, LinesAreHitWithinHalfTheirWidthAndALittle) {
  auto line = MakeShape<CNPLine>(u"X1=10; Y1=10; X2=110; Y2=10; LineWidth=6");
  EXPECT_TRUE(line->HitTest({60, 10}));
  EXPECT_TRUE(line->HitTest({60, 15}));  // 3 + 2
  EXPECT_FALSE(line->HitTest({60, 16}));
  EXPECT_TRUE(line->HitTest({108, 8}));
  EXPECT_FALSE(line->HitTest({120, 10}));
  // A diagonal line is missed beside it although its rectangle holds the point.
  auto diagonal = MakeShape<CNPLine>(u"X1=0; Y1=0; X2=100; Y2=100");
  EXPECT_TRUE(diagonal->HitTest({50, 51}));
  EXPECT_FALSE(diagonal->HitTest({80, 20}));
}

TEST(ShapeHitTest, PolygonsHitEvenOddAndPolylinesNearTheirSegments) {
  auto polygon = MakeShape<CNPPolygon>(u"Points=0,0,30,0,30,30,0,30,0,0,10,10,20,10,20,20,10,20,10,10");
  EXPECT_TRUE(polygon->HitTest({5, 5}));
  EXPECT_FALSE(polygon->HitTest({15, 15}));  // the hole
  EXPECT_FALSE(polygon->HitTest({40, 5}));
  auto triangle = MakeShape<CNPPolygon>(u"Points=0,0,40,0,0,40; Border=F");
  EXPECT_TRUE(triangle->HitTest({5, 5}));
  EXPECT_FALSE(triangle->HitTest({30, 30}));
  auto polyline = MakeShape<CNPPolyline>(u"Points=0,0,40,0,40,40");
  EXPECT_TRUE(polyline->HitTest({20, 1}));
  EXPECT_TRUE(polyline->HitTest({41, 20}));
  EXPECT_FALSE(polyline->HitTest({20, 20}));  // inside the corner, not on the line
}

TEST(ShapeHitTest, EllipsesPiesAndArcs) {
  auto ellipse = MakeShapeAt<CNPEllipse>({0, 0, 40, 20});
  EXPECT_TRUE(ellipse->HitTest({20, 10}));
  EXPECT_TRUE(ellipse->HitTest({2, 10}));
  EXPECT_FALSE(ellipse->HitTest({2, 2}));  // the rectangle's corner
  // The pie's sector from twelve to three o'clock: the upper right quarter.
  auto pie = MakeShapeAt<CNPPie>({0, 0, 40, 40});
  EXPECT_TRUE(pie->HitTest({30, 10}));
  EXPECT_FALSE(pie->HitTest({10, 10}));
  EXPECT_FALSE(pie->HitTest({30, 30}));
  // An arc is hit near its curve only.
  auto arc = MakeShapeAt<CNPArc>({0, 0, 40, 40});
  EXPECT_TRUE(arc->HitTest({34, 6}));
  EXPECT_FALSE(arc->HitTest({25, 15}));
  auto pieMeter = MakeShape<CNPPieMeter>(u"Width=40; Height=40; StartAngle=90; EndAngle=270");
  EXPECT_TRUE(pieMeter->HitTest({20, 35}));
  EXPECT_FALSE(pieMeter->HitTest({20, 5}));
}

TEST(ShapeHitTest, TurnedShapesAreHitWhereTheyAreDrawn) {
  auto bar = MakeShapeAt<CNPRect>({0, 18, 40, 4}, u"Angle=90");
  EXPECT_TRUE(bar->HitTest({20, 2}));
  EXPECT_FALSE(bar->HitTest({2, 20}));
  EXPECT_EQ(bar->GetPaintBounds(), (CNRect{17, -1, 23, 41}));
}

TEST(ShapePaintBounds, HoldEverythingTheShapeDraws) {
  // A rectangle keeps its border inside: its bounds are its rectangle.
  auto rect = MakeShapeAt<CNPRect>({10, 10, 20, 10}, u"BorderWidth=8");
  EXPECT_EQ(rect->GetPaintBounds(), rect->GetRect());
  // A line's bounds follow its end points and reach out for its width and end caps.
  auto line = MakeShape<CNPLine>(u"X1=50; Y1=50; X2=10; Y2=40; LineWidth=4; LineEndcap=ARROW_ANCHOR");
  EXPECT_EQ(line->GetPaintBounds(), (CNRect{-1, 29, 61, 61}));
  // Everything drawn lies inside the bounds (checked on a surface with margin).
  auto polyline = MakeShape<CNPPolyline>(
      u"Points=20,20,60,24,22,28; LineWidth=4; LineColor=#000000; LineEndcap=ROUND_ANCHOR");
  const CNRect b = polyline->GetPaintBounds();
  const auto surface = Render(*polyline, 100, 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x)
      if (!IsTransparent(*surface, x, y)) {
        EXPECT_TRUE(x >= b.left && x < b.right && y >= b.top && y < b.bottom) << x << "," << y;
      }
}
