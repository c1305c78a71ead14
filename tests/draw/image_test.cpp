#include "draw/image.h"

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "draw/painter.h"
#include "pixels.h"

namespace {

using Bytes = std::vector<uint8_t>;

// An image file written by the image library from straight RGBA pixels, row by row.
Bytes Encode(const char* kind, int width, int height, const std::vector<CRPixel>& pixels, bool alpha = true) {
  GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, alpha, 8, width, height);
  uint8_t* data = gdk_pixbuf_get_pixels(pixbuf);
  for (size_t i = 0; i < pixels.size(); ++i) {
    uint8_t* at = data + (i / width) * gdk_pixbuf_get_rowstride(pixbuf) + (i % width) * (alpha ? 4 : 3);
    const CRPixel& p = pixels[i];
    at[0] = p.red;
    at[1] = p.green;
    at[2] = p.blue;
    if (alpha) at[3] = p.alpha;
  }
  gchar* buffer = nullptr;
  gsize size = 0;
  const char* quality = std::string_view(kind) == "jpeg" ? "quality" : nullptr;
  const bool saved =
      gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, kind, nullptr, quality, "100", nullptr);
  g_object_unref(pixbuf);
  Bytes bytes;
  if (saved) bytes.assign(buffer, buffer + size);
  g_free(buffer);
  return bytes;
}

// A GIF of 2x2-pixel frames over a four-colour palette. Each frame's codes are 3 bits wide and a
// clear code follows every two pixels, so the code table never grows past that width.
Bytes Gif(const std::vector<std::array<uint8_t, 4>>& frames) {
  Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x81, 0, 0};
  for (uint8_t c : {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF}) gif.push_back(c);
  for (const auto& frame : frames) {
    for (uint8_t c : {0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00}) gif.push_back(c);  // 100 ms each
    for (uint8_t c : {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x00, 0x02}) gif.push_back(c);
    const uint32_t kClear = 4, kEnd = 5;
    uint32_t bits = 0;
    int count = 0;
    Bytes data;
    for (uint32_t code : {kClear, uint32_t{frame[0]}, uint32_t{frame[1]}, kClear, uint32_t{frame[2]},
                          uint32_t{frame[3]}, kEnd}) {
      bits |= code << count;
      count += 3;
      for (; count >= 8; count -= 8, bits >>= 8) data.push_back(static_cast<uint8_t>(bits));
    }
    if (count > 0) data.push_back(static_cast<uint8_t>(bits));
    gif.push_back(static_cast<uint8_t>(data.size()));
    gif.insert(gif.end(), data.begin(), data.end());
    gif.push_back(0);
  }
  gif.push_back(0x3B);
  return gif;
}

// A BMP of one colour, width x height, all rows present.
Bytes Bmp(int width, int height, CRPixel c) {
  return Encode("bmp", width, height, std::vector<CRPixel>(static_cast<size_t>(width) * height, c), false);
}

std::unique_ptr<CRSurface> Load(const Bytes& bytes) {
  return CRImage::LoadBytes(bytes.data(), bytes.size());
}

constexpr CRPixel kOpaqueRed{255, 0, 0, 255};
constexpr CRPixel kOpaqueGreen{0, 255, 0, 255};
constexpr CRPixel kOpaqueBlue{0, 0, 255, 255};

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("veltrix_image_test_" + name)).string();
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(Image, PngKeepsChannelOrderAndTransparency) {
  const Bytes png =
      Encode("png", 3, 2,
             {kOpaqueRed, kOpaqueGreen, kOpaqueBlue, {10, 200, 30, 255}, {255, 0, 0, 128}, {0, 0, 0, 0}});
  ASSERT_FALSE(png.empty());
  const auto image = Load(png);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->GetWidth(), 3);
  EXPECT_EQ(image->GetHeight(), 2);
  EXPECT_TRUE(PixelNear(image->GetPixel(0, 0), kOpaqueRed, 0));
  EXPECT_TRUE(PixelNear(image->GetPixel(1, 0), kOpaqueGreen, 0));
  EXPECT_TRUE(PixelNear(image->GetPixel(2, 0), kOpaqueBlue, 0));
  EXPECT_TRUE(PixelNear(image->GetPixel(0, 1), {10, 200, 30, 255}, 0));
  EXPECT_TRUE(PixelNear(image->GetPixel(1, 1), {255, 0, 0, 128}, 1));  // stored premultiplied
  EXPECT_EQ(image->GetPixel(2, 1).alpha, 0);
}

TEST(Image, JpegAndBmpDecodeTheirPixels) {
  const auto jpeg = Load(Encode("jpeg", 16, 8, std::vector<CRPixel>(128, {40, 120, 200, 255}), false));
  ASSERT_TRUE(jpeg);
  EXPECT_EQ(jpeg->GetWidth(), 16);
  EXPECT_EQ(jpeg->GetHeight(), 8);
  EXPECT_TRUE(PixelNear(jpeg->GetPixel(7, 3), {40, 120, 200, 255}, 4));  // lossy

  // BMP rows are stored bottom-up and blue first.
  const auto bmp = Load(Encode("bmp", 2, 2, {kOpaqueRed, kOpaqueGreen, kOpaqueBlue, {1, 2, 3, 255}}, false));
  ASSERT_TRUE(bmp);
  EXPECT_TRUE(PixelNear(bmp->GetPixel(0, 0), kOpaqueRed, 0));
  EXPECT_TRUE(PixelNear(bmp->GetPixel(1, 0), kOpaqueGreen, 0));
  EXPECT_TRUE(PixelNear(bmp->GetPixel(0, 1), kOpaqueBlue, 0));
  EXPECT_TRUE(PixelNear(bmp->GetPixel(1, 1), {1, 2, 3, 255}, 0));
}

TEST(Image, GifGivesItsFirstFrame) {
  // Palette: 0 black, 1 red, 2 green, 3 blue.
  const auto still = Load(Gif({{1, 2, 3, 0}}));
  ASSERT_TRUE(still);
  EXPECT_TRUE(PixelNear(still->GetPixel(0, 0), kOpaqueRed, 0));
  EXPECT_TRUE(PixelNear(still->GetPixel(1, 0), kOpaqueGreen, 0));
  EXPECT_TRUE(PixelNear(still->GetPixel(0, 1), kOpaqueBlue, 0));
  EXPECT_TRUE(PixelNear(still->GetPixel(1, 1), {0, 0, 0, 255}, 0));

  const auto animation = Load(Gif({{1, 1, 1, 1}, {3, 3, 3, 3}}));
  ASSERT_TRUE(animation);
  EXPECT_TRUE(PixelNear(animation->GetPixel(1, 1), kOpaqueRed, 0));
}

TEST(Image, FilesLoadByContentAndMissingEmptyOrForeignOnesGiveNothing) {
  const std::string png = TempPath("really_a_png.bmp");
  WriteFile(png, Encode("png", 1, 1, {kOpaqueBlue}));
  const auto image = CRImage::LoadFile(png);
  ASSERT_TRUE(image);
  EXPECT_TRUE(PixelNear(image->GetPixel(0, 0), kOpaqueBlue, 0));
  std::filesystem::remove(png);

  EXPECT_FALSE(CRImage::LoadFile(TempPath("does_not_exist.png")));
  EXPECT_FALSE(CRImage::LoadFile(std::filesystem::temp_directory_path().string()));  // a folder
  const std::string path = TempPath("empty.png");
  WriteFile(path, {});
  EXPECT_FALSE(CRImage::LoadFile(path));
  std::filesystem::remove(path);
  EXPECT_FALSE(CRImage::LoadBytes(nullptr, 10));
  // Kinds the image library knows but the panel does not show: PNM, XPM, and a TIFF header.
  for (const std::string& text : std::vector<std::string>{
           "P3\n1 1\n255\n255 0 0\n", "/* XPM */\nstatic char * x[] = {\"1 1 1 1\", \". c #FF0000\", \".\"};",
           std::string("II*\0", 4)})
    EXPECT_FALSE(CRImage::LoadBytes(text.data(), text.size())) << text;
}

TEST(Image, TruncatedAndDamagedFilesFailCleanly) {
  const std::vector<Bytes> files = {
      Encode("png", 8, 8, {kOpaqueRed, kOpaqueGreen}),
      Encode("jpeg", 16, 16, std::vector<CRPixel>(256, {40, 120, 200, 255}), false),
      Encode("bmp", 8, 8, {kOpaqueRed, kOpaqueGreen}, false),
      Gif({{1, 2, 3, 0}}),
  };
  for (const Bytes& file : files) {
    ASSERT_TRUE(Load(file));
    for (size_t keep : {size_t{1}, size_t{2}, size_t{8}, size_t{20}, file.size() / 2, file.size() * 3 / 4}) {
      const Bytes cut(file.begin(), file.begin() + static_cast<ptrdiff_t>(std::min(keep, file.size())));
      EXPECT_FALSE(Load(cut)) << "kept " << keep << " of " << file.size() << " bytes";
    }
    Bytes damaged = file;
    for (size_t i = 12; i < damaged.size(); i += 3) damaged[i] ^= 0x5A;
    const auto image = Load(damaged);  // may decode to noise, but never beyond the limits
    if (image) {
      EXPECT_LE(image->GetWidth(), CRImage::kMaxSide);
    }
  }
}

TEST(Image, AbsurdSizesAreRefused) {
  EXPECT_TRUE(Load(Bmp(CRImage::kMaxSide, 1, kOpaqueRed)));
  EXPECT_FALSE(Load(Bmp(CRImage::kMaxSide + 1, 1, kOpaqueRed)));
  EXPECT_FALSE(Load(Bmp(1, CRImage::kMaxSide + 1, kOpaqueRed)));
  // Header only: a square that fits each side but not the pixel budget.
  Bytes huge = Bmp(1, 1, kOpaqueRed);
  for (int i = 0; i < 4; ++i) {
    huge[18 + i] = static_cast<uint8_t>(CRImage::kMaxSide >> (8 * i));
    huge[22 + i] = static_cast<uint8_t>(CRImage::kMaxSide >> (8 * i));
  }
  EXPECT_FALSE(Load(huge));
  Bytes gif = Gif({{1, 2, 3, 0}});
  gif[6] = gif[7] = gif[8] = gif[9] = 0xFF;  // a 65535 x 65535 screen
  EXPECT_FALSE(Load(gif));
  // BMP headers that would make the decoder allocate gigabytes before it reads on: an info
  // header of 0xF6000028 bytes, pixels 4 GiB into the file.
  Bytes hugeInfo = Bmp(2, 2, kOpaqueRed);
  hugeInfo[17] = 0xF6;
  EXPECT_FALSE(Load(hugeInfo));
  Bytes farPixels = Bmp(2, 2, kOpaqueRed);
  for (int i = 10; i < 14; ++i) farPixels[i] = 0xFF;
  EXPECT_FALSE(Load(farPixels));
}

TEST(Image, TransparentColourClearsOnlyExactOpaqueMatches) {
  const auto image = Load(Encode("png", 3, 1, {kOpaqueRed, {255, 0, 1, 255}, {255, 0, 0, 128}}));
  ASSERT_TRUE(image);
  const auto keyed = CRImage::WithTransparentColor(*image, kRed);
  EXPECT_EQ(keyed->GetPixel(0, 0).alpha, 0);
  EXPECT_TRUE(PixelNear(keyed->GetPixel(1, 0), {255, 0, 1, 255}, 0));
  EXPECT_TRUE(PixelNear(keyed->GetPixel(2, 0), {255, 0, 0, 128}, 1));
  EXPECT_TRUE(PixelNear(image->GetPixel(0, 0), kOpaqueRed, 0));  // the original is untouched
}

// Images drawn at their size, stretched and faded are in the golden images of the image objects.
TEST(Image, DrawImageOnNoAreaDrawsNothingAndFarEdgesDrawWhatShows) {
  const auto image = Load(Encode("png", 2, 2, {kOpaqueRed, kOpaqueGreen, kOpaqueBlue, {255, 255, 255, 255}}));
  ASSERT_TRUE(image);
  CRSurface none(4, 4);
  CRPainter nonePainter(none);
  nonePainter.DrawImage(*image, {0, 0, 0, 2});
  nonePainter.DrawImage(*image, {0, 0, std::nan(""), 2});
  EXPECT_EQ(CountPainted(none, 0, 0, 4, 4), 0);

  // Edges far beyond the drawing library's coordinate range: what shows is drawn, the rest of
  // the surface stays as it was.
  CRSurface far(4, 4);
  CRPainter farPainter(far);
  Fill(farPainter, {0, 0, 4, 4}, kBlue);
  farPainter.DrawImage(*image, {-2147483648.0, 0, 41, 2});
  EXPECT_TRUE(PixelNear(far.GetPixel(0, 0), kOpaqueBlue, 0));
  farPainter.DrawImage(*image,
                       {-1e9, -1e9, 2e9, 2e9});  // the middle of a huge image: its four quadrants meet
  EXPECT_EQ(far.GetPixel(0, 0).alpha, 255);
  EXPECT_EQ(far.GetPixel(3, 3).alpha, 255);
  EXPECT_FALSE(PixelNear(far.GetPixel(0, 0), kOpaqueBlue, 0));
}

}  // namespace
