#include "draw/painter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "draw/color.h"
#include "pixels.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(Painter, AlphaBecomesTheAlphaByte) {
  EXPECT_EQ(AlphaByte(0.5), 128);
  EXPECT_EQ(AlphaByte(1.0), 255);
  EXPECT_EQ(AlphaByte(0.0), 0);
  EXPECT_EQ(AlphaByte(1.5), 127);  // 383 wraps
  EXPECT_EQ(AlphaByte(-0.5), 128);
  EXPECT_EQ(AlphaByte(kNaN), 255);
}

TEST(Painter, RotationAboutAPointMovesPixelsClockwise) {
  CRSurface surface(40, 20);
  CRPainter painter(surface);
  painter.Rotate(90, {10, 10});
  Fill(painter, {15, 10, 1, 1}, kRed);  // (15,10) is right of the centre, so it lands below it
  EXPECT_TRUE(IsPainted(surface, 9, 15));
  EXPECT_EQ(CountPainted(surface, 9, 15, 10, 16, true), 0);
}

TEST(Painter, TranslationScaleClipAndRestore) {
  CRSurface surface(40, 20);
  CRPainter painter(surface);
  {
    CRPainterStateSaver saver(painter);
    painter.Translate(10, 5);
    painter.Scale(2, 2);
    painter.ClipRect({0, 0, 3, 10});  // x 10..16 on the surface
    Fill(painter, {0, 0, 5, 2}, kRed);
  }
  EXPECT_EQ(CountPainted(surface, 10, 5, 16, 9), 24);
  EXPECT_EQ(CountPainted(surface, 10, 5, 16, 9, true), 0);
  // Restored: no clip, no transformation.
  Fill(painter, {0, 0, 1, 1}, kRed);
  EXPECT_TRUE(IsPainted(surface, 0, 0));
}

TEST(Painter, RejectedRequestsLeaveThePainterWorking) {
  CRSurface surface(40, 20);
  CRPainter painter(surface);
  painter.Restore();  // no matching Save
  painter.Scale(0, 1);
  painter.Scale(kNaN, 1);
  painter.Translate(kNaN, 0);
  painter.Rotate(std::numeric_limits<double>::infinity(), {0, 0});
  painter.ClipRect({kNaN, 0, 1, 1});
  Fill(painter, {kNaN, 0, 5, 5}, kRed);
  painter.StrokePath(CRPath::Polyline({{0, 0}, {kNaN, 3}}), CRPen{});
  EXPECT_EQ(CountPainted(surface, 0, 0, 40, 20), 0);
  Fill(painter, {1, 1, 2, 2}, kRed);
  EXPECT_EQ(CountPainted(surface, 1, 1, 3, 3), 4);
  EXPECT_EQ(cairo_status(painter.GetCairo()), CAIRO_STATUS_SUCCESS);
}

TEST(Surface, PngRoundTripKeepsPixels) {
  CRSurface surface(40, 20);
  {
    CRPainter painter(surface);
    Fill(painter, {0, 0, 20, 20}, 0x336699);
    Fill(painter, {20, 0, 20, 20}, kBlue, 0.5);
  }
  const std::string path = (std::filesystem::temp_directory_path() / "veltrix_draw_round_trip.png").string();
  ASSERT_TRUE(surface.WritePng(path));
  CRSurface loaded(1, 1);
  ASSERT_TRUE(loaded.ReadPng(path));
  std::filesystem::remove(path);
  ASSERT_EQ(loaded.GetWidth(), 40);
  ASSERT_EQ(loaded.GetHeight(), 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_TRUE(PixelNear(loaded.GetPixel(x, y), surface.GetPixel(x, y), 1));
}

TEST(Surface, BadFilesAndSizesFailWithoutLosingTheImage) {
  CRSurface surface(4, 4);
  {
    CRPainter painter(surface);
    Fill(painter, {0, 0, 4, 4}, kRed);
  }
  const std::string path = (std::filesystem::temp_directory_path() / "veltrix_draw_not_a.png").string();
  std::ofstream(path) << "not an image";
  EXPECT_FALSE(surface.ReadPng(path));
  EXPECT_FALSE(surface.ReadPng(path + ".missing"));
  std::filesystem::remove(path);
  EXPECT_EQ(surface.GetWidth(), 4);
  EXPECT_TRUE(IsPainted(surface, 3, 3));
  EXPECT_FALSE(IsPainted(surface, 4, 0));  // outside reads as transparent

  CRSurface bad(-5, 100000);
  EXPECT_FALSE(bad.IsValid());
  EXPECT_EQ(bad.GetWidth(), 0);
  CRPainter painter(bad);
  Fill(painter, {0, 0, 5, 5}, kRed);
  EXPECT_FALSE(bad.WritePng(path));
}

}  // namespace
