#include "golden_image.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace {

std::string GoldenPath(const std::string& name) {
  return std::string(VELTRIX_GOLDEN_DIR) + "/" + name + ".png";
}

bool UpdateRequested() {
  const char* update = std::getenv("VELTRIX_UPDATE_GOLDEN");
  return update && std::string_view(update) == "1";
}

bool ChannelsNear(const CRPixel& a, const CRPixel& b, int tolerance) {
  return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
         std::abs(a.blue - b.blue) <= tolerance && std::abs(a.alpha - b.alpha) <= tolerance;
}

}  // namespace

::testing::AssertionResult MatchesGoldenImage(const CRSurface& drawing, const std::string& name, int tolerance,
                                              int maxDifferentPixels) {
  const std::string golden = GoldenPath(name);
  if (UpdateRequested()) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(golden).parent_path(), ignored);
    if (!drawing.WritePng(golden)) return ::testing::AssertionFailure() << "cannot write " << golden;
    return ::testing::AssertionSuccess();
  }
  CRSurface expected(1, 1);
  if (!expected.ReadPng(golden))
    return ::testing::AssertionFailure() << "no golden image " << golden
                                         << " (run with VELTRIX_UPDATE_GOLDEN=1 to make it)";
  const std::string actualPath = (std::filesystem::temp_directory_path() / (name + ".actual.png")).string();
  if (expected.GetWidth() != drawing.GetWidth() || expected.GetHeight() != drawing.GetHeight()) {
    drawing.WritePng(actualPath);
    return ::testing::AssertionFailure() << name << ": size " << drawing.GetWidth() << "x" << drawing.GetHeight()
                                         << ", golden " << expected.GetWidth() << "x" << expected.GetHeight();
  }
  int different = 0;
  int firstX = -1, firstY = -1;
  for (int y = 0; y < drawing.GetHeight(); ++y)
    for (int x = 0; x < drawing.GetWidth(); ++x)
      if (!ChannelsNear(drawing.GetPixel(x, y), expected.GetPixel(x, y), tolerance) && different++ == 0) {
        firstX = x;
        firstY = y;
      }
  if (different <= maxDifferentPixels) return ::testing::AssertionSuccess();
  drawing.WritePng(actualPath);
  return ::testing::AssertionFailure() << name << ": " << different << " pixels differ (first at " << firstX << ","
                                       << firstY << "); drawing written to " << actualPath;
}
