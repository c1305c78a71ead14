#include "project/translation.h"

#include <gtest/gtest.h>

TEST(TranslationTest, TableLinesWithEscapesCommentsAndBadLines) {
  CNPTranslation translation;
  EXPECT_EQ(translation.Load(u"# comment\r\n; comment\nOpen=Open it\r\na\\=b=c\\nd\n=no original\nbad\\q=x\n"
                             u"no separator\nBack\\\\slash=ok\n"),
            3u);
  EXPECT_EQ(translation.Translate(u"Open"), u"Open it");
  EXPECT_EQ(translation.Translate(u"a=b"), u"c\nd");
  EXPECT_EQ(translation.Translate(u"Back\\slash"), u"ok");
  EXPECT_EQ(translation.Translate(u"unknown"), u"unknown");
  EXPECT_EQ(translation.Translate(u""), u"");
}
