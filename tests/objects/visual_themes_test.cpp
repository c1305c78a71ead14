// The theme set: the current theme, resolution of "@" names, a project's theme file, the change
// count.
#include "controls/visual_themes.h"

#include <gtest/gtest.h>

#include <string>

#include "support/utf16_text.h"

namespace {

std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

// Golden colours of the built-in file: "@TextColor" in several themes as colour numbers.
TEST(VisualThemes, TextColorResolvesPerThemeWithRedInTheLowByte) {
  CNVisualThemes themes;
  const std::pair<std::u16string_view, uint32_t> golden[] = {
      {u"GRAY_3D", 0x000000}, {u"GRAY3_3D", 0xFFFFFF}, {u"BLACK2", 0xF5EEE6}, {u"BLACK3", 0x40C0FF},
      {u"GREEN", 0x143214},   {u"ORANGE", 0x001E3C},   {u"BROWN", 0x0F1E2D}};
  for (const auto& [theme, color] : golden) {
    SCOPED_TRACE(U8(theme));
    uint32_t resolved = 0xDEADBEEF;
    ASSERT_TRUE(themes.ResolveColor(u"@TextColor", resolved, theme));
    EXPECT_EQ(resolved, color);
    ASSERT_TRUE(themes.SetCurrentTheme(theme));
    resolved = 0xDEADBEEF;
    ASSERT_TRUE(themes.ResolveColor(u"@textcolor", resolved));
    EXPECT_EQ(resolved, color);
  }
}

TEST(VisualThemes, ResolutionOfPlainTextsAndMissingNames) {
  CNVisualThemes themes;
  uint32_t color = 0;
  EXPECT_TRUE(themes.ResolveColor(u"#1080F0", color));
  EXPECT_EQ(color, 0xF08010u);
  EXPECT_FALSE(themes.ResolveColor(u"", color));  // no colour
  EXPECT_FALSE(themes.ResolveColor(u"@", color));
  EXPECT_FALSE(themes.ResolveColor(u"@NoSuchColor", color));
  EXPECT_FALSE(themes.ResolveColor(u"@BorderStyle3", color));  // not a colour

  std::u16string item;
  EXPECT_TRUE(themes.ResolveBorderStyle(u"@BorderStyle3", item));
  EXPECT_EQ(item, u"3D_RAISE1");
  EXPECT_TRUE(themes.ResolveBorderStyle(u"@BorderStyle3", item, u"GRAY"));
  EXPECT_EQ(item, u"FLAT");
  EXPECT_TRUE(themes.ResolveBorderStyle(u"3D_FRAME", item));
  EXPECT_EQ(item, u"3D_FRAME");
  EXPECT_FALSE(themes.ResolveBorderStyle(u"", item));
  EXPECT_FALSE(themes.ResolveBorderStyle(u"@NoSuchStyle", item));

  std::u16string font;
  EXPECT_TRUE(themes.GetValue(u"BLACK", u"@TextFont", font));
  EXPECT_EQ(font.substr(0, font.find(u',')), u"Sans");
}

TEST(VisualThemes, UnknownThemeNamesChangeNothing) {
  CNVisualThemes themes;
  const uint32_t count = themes.GetChangeCount();
  EXPECT_FALSE(themes.SetCurrentTheme(u"NO_SUCH_THEME"));
  EXPECT_FALSE(themes.SetCurrentTheme(u""));
  EXPECT_EQ(themes.GetCurrentTheme(), u"GRAY_3D");
  EXPECT_EQ(themes.GetChangeCount(), count);

  std::u16string text;
  EXPECT_FALSE(themes.GetValue(u"NO_SUCH_THEME", u"@TextColor", text));
  EXPECT_FALSE(themes.GetComment(u"NO_SUCH_THEME", text));
  CNVisualTheme copy;
  EXPECT_FALSE(themes.GetTheme(u"NO_SUCH_THEME", copy));

  // A form follows the current theme for "DEFAULT", an empty text and names the set lacks.
  ASSERT_TRUE(themes.SetCurrentTheme(u"BLACK"));
  for (const std::u16string_view formTheme : {u"DEFAULT", u"default", u"", u"NO_SUCH_THEME"}) {
    uint32_t color = 0;
    ASSERT_TRUE(themes.ResolveColor(u"@FormColor", color, formTheme)) << U8(formTheme);
    EXPECT_EQ(color, 0x000000u) << U8(formTheme);
  }
  uint32_t color = 0;
  ASSERT_TRUE(themes.ResolveColor(u"@FormColor", color, u"WHITE"));
  EXPECT_EQ(color, 0xFFFFFFu);
}

TEST(VisualThemes, ChangeCountFollowsRealChangesOnly) {
  CNVisualThemes themes;
  const uint32_t start = themes.GetChangeCount();
  ASSERT_TRUE(themes.SetCurrentTheme(u"black"));
  EXPECT_EQ(themes.GetCurrentTheme(), u"BLACK");
  EXPECT_EQ(themes.GetChangeCount(), start + 1);
  ASSERT_TRUE(themes.SetCurrentTheme(u"BLACK"));  // already current
  EXPECT_EQ(themes.GetChangeCount(), start + 1);
  themes.LoadProjectThemes({});  // a project opens with the default theme
  EXPECT_EQ(themes.GetChangeCount(), start + 2);
  EXPECT_EQ(themes.GetCurrentTheme(), u"GRAY_3D");
}

TEST(VisualThemes, ProjectFileChangesBuiltInThemesAndAddsItsOwn) {
  CNVisualThemes themes;
  std::u16string formColor;
  ASSERT_TRUE(themes.GetValue(u"GRAY_3D", u"@FormColor", formColor));

  const CNVisualThemeFileResult result = themes.LoadProjectThemes(
      u"[GRAY_3D]\r\nComment=Plant gray\r\n@TextColor=#102030\r\n"
      u"[PLANT]\r\nComment=Control room\r\n@FormColor=#000080\r\n@Junk\r\n");
  EXPECT_EQ(result.themes, 2u);
  EXPECT_EQ(result.skipped, 1u);

  std::u16string text;
  ASSERT_TRUE(themes.GetValue(u"GRAY_3D", u"@TextColor", text));
  EXPECT_EQ(text, u"#102030");
  ASSERT_TRUE(themes.GetValue(u"GRAY_3D", u"@FormColor", text));
  EXPECT_EQ(text, formColor);  // not named by the project: kept
  ASSERT_TRUE(themes.GetComment(u"GRAY_3D", text));
  EXPECT_EQ(text, u"Plant gray");

  const std::vector<std::u16string> names = themes.GetThemeNames();
  ASSERT_EQ(names.size(), 16u);
  EXPECT_EQ(names.back(), u"PLANT");
  ASSERT_TRUE(themes.GetComment(u"plant", text));
  EXPECT_EQ(text, u"Control room");
  // The added theme defines one value; the rest comes from the default theme as the project left it.
  CNVisualTheme plant;
  ASSERT_TRUE(themes.GetTheme(u"PLANT", plant));
  EXPECT_EQ(plant.GetValues().size(), 1u);
  ASSERT_TRUE(themes.GetValue(u"PLANT", u"@TextColor", text));
  EXPECT_EQ(text, u"#102030");
  ASSERT_TRUE(themes.SetCurrentTheme(u"PLANT"));
  uint32_t color = 0;
  ASSERT_TRUE(themes.ResolveColor(u"@FormColor", color));
  EXPECT_EQ(color, 0x800000u);

  // The next project starts from the built-in themes again, with the default current.
  themes.LoadProjectThemes({});
  EXPECT_EQ(themes.GetThemeNames().size(), 15u);
  EXPECT_EQ(themes.GetCurrentTheme(), u"GRAY_3D");
  ASSERT_TRUE(themes.GetValue({}, u"@TextColor", text));
  EXPECT_EQ(text, u"#000000");
}

}  // namespace
