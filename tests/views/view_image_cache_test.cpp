// The images views hand to drawn objects: resolving names, sharing files, failures, memory.
#include <gtest/gtest.h>

#include "draw/surface.h"
#include "project/project_test_util.h"
#include "support/utf16_text.h"
#include "views/image_cache.h"

namespace {

class ImageCache : public testing::Test {
 protected:
  void SetUp() override {
    WriteImage("images/lamp.png", 2, 3);
    WriteImage("system/arrow.png", 5, 5);
    cache.SetLocation(LocateProject(Utf8ToUtf16(folder.Path("project.xml"))));
  }
  void WriteImage(const std::string& name, int width, int height) {
    folder.Write(name, "");  // makes the folders
    CRSurface image(width, height);
    ASSERT_TRUE(image.WritePng(folder.Path(name)));
  }

  TempFolder folder;
  CNPImageCache cache;
};

// Relative and absolute names of a file share one image; "sys:" names need the system folder.
TEST_F(ImageCache, NamesResolveAgainstTheProjectAndShareTheFile) {
  const CRSurface* lamp = cache.GetImage(u"images\\lamp.png");
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(std::pair(lamp->GetWidth(), lamp->GetHeight()), std::pair(2, 3));
  EXPECT_EQ(cache.GetImage(u"images/lamp.png"), lamp);
  EXPECT_EQ(cache.GetImage(Utf8ToUtf16(folder.Path("images/lamp.png"))), lamp);
  EXPECT_EQ(cache.GetCount(), 1u);
  EXPECT_EQ(cache.GetBytes(), 2u * 3u * 4u);
  EXPECT_EQ(cache.GetImage(u""), nullptr);
  EXPECT_EQ(cache.GetImage(u"sys:arrow.png"), nullptr);
  cache.SetSystemFolder(Utf8ToUtf16(folder.Path("system")));
  ASSERT_NE(cache.GetImage(u"sys:arrow.png"), nullptr);
  EXPECT_EQ(cache.GetImage(u"sys:arrow.png")->GetWidth(), 5);
}

TEST_F(ImageCache, AFailureIsRememberedUntilCleared) {
  EXPECT_EQ(cache.GetImage(u"images/later.png"), nullptr);
  folder.Write("images/broken.png", "\x89PNG\r\n\x1a\n but not really");
  EXPECT_EQ(cache.GetImage(u"images/broken.png"), nullptr);
  WriteImage("images/later.png", 1, 1);
  EXPECT_EQ(cache.GetImage(u"images/later.png"), nullptr);
  cache.Clear();
  EXPECT_NE(cache.GetImage(u"images/later.png"), nullptr);
}

TEST_F(ImageCache, TrimDropsTheLeastRecentlyUsedBeyondTheBudget) {
  WriteImage("images/big.png", 10, 10);
  cache.SetBudget(450);
  ASSERT_NE(cache.GetImage(u"images/lamp.png"), nullptr);  // 24 bytes
  ASSERT_NE(cache.GetImage(u"images/big.png"), nullptr);   // 400 bytes
  cache.Trim();
  EXPECT_EQ(cache.GetCount(), 2u);
  WriteImage("images/other.png", 5, 2);  // 40 bytes
  ASSERT_NE(cache.GetImage(u"images/other.png"), nullptr);
  cache.GetImage(u"images/lamp.png");  // used again: newer than big
  cache.Trim();
  EXPECT_EQ(cache.GetCount(), 2u);
  EXPECT_EQ(cache.GetBytes(), 64u);
  cache.SetBudget(0);
  cache.Trim();
  EXPECT_EQ(cache.GetCount(), 0u);
  EXPECT_EQ(cache.GetBytes(), 0u);
}

TEST_F(ImageCache, AKeyedCopyIsMadeOnceAndGoesWithTheImages) {
  const CRSurface* lamp = cache.GetImage(u"images/lamp.png");  // transparent black
  ASSERT_NE(lamp, nullptr);
  const CRSurface* keyed = cache.GetKeyedImage(*lamp, 0x000000);
  ASSERT_NE(keyed, nullptr);
  EXPECT_NE(keyed, lamp);
  EXPECT_EQ(cache.GetKeyedImage(*lamp, 0x000000), keyed);  // not made again for the next paint
  EXPECT_NE(cache.GetKeyedImage(*lamp, 0xFFFFFF), keyed);
  EXPECT_EQ(keyed->GetWidth(), 2);
  cache.Clear();
  lamp = cache.GetImage(u"images/lamp.png");
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(cache.GetKeyedImage(*lamp, 0x000000)->GetHeight(), 3);
}

}  // namespace
