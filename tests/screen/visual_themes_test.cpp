// The theme set: the current theme, resolution of "@" names, a project's theme file, the change
// count.
#include "screen/visual_themes.h"

#include <gtest/gtest.h>

#include <string>

#include "support/utf16_text.h"

namespace {

std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

// A value of a theme, "(none)" when there is none; the comment for the name "Comment".
std::string Value(const CNVisualThemes& themes, std::u16string_view theme, std::u16string_view name) {
  std::u16string text;
  const bool found = name == u"Comment" ? themes.GetComment(theme, text) : themes.GetValue(theme, name, text);
  return found ? U8(text) : "(none)";
}

// A colour text resolved, in the form's theme when one is named; -1 when it does not resolve.
int64_t Color(const CNVisualThemes& themes, std::u16string_view text, std::u16string_view formTheme = {}) {
  uint32_t color = 0xDEADBEEF;
  return themes.ResolveColor(text, color, formTheme) ? int64_t{color} : -1;
}

// Golden colours of the built-in file: "@TextColor" in several themes as colour numbers, red in
// the low byte; the name in any case.
TEST(VisualThemes, TextColorResolvesPerThemeWithRedInTheLowByte) {
  CNVisualThemes themes;
  const std::pair<std::u16string_view, uint32_t> golden[] = {
      {u"GRAY_3D", 0x000000}, {u"GRAY3_3D", 0xFFFFFF}, {u"BLACK2", 0xF5EEE6}, {u"BLACK3", 0x40C0FF},
      {u"GREEN", 0x143214},   {u"ORANGE", 0x001E3C},   {u"BROWN", 0x0F1E2D}};
  for (const auto& [theme, color] : golden) {
    SCOPED_TRACE(U8(theme));
    EXPECT_EQ(Color(themes, u"@TextColor", theme), color);
    ASSERT_TRUE(themes.SetCurrentTheme(theme));
    EXPECT_EQ(Color(themes, u"@textcolor"), color);
  }
}

TEST(VisualThemes, ResolutionOfPlainTextsAndMissingNames) {
  CNVisualThemes themes;
  EXPECT_EQ(Color(themes, u"#1080F0"), 0xF08010);
  for (std::u16string_view text : {u"", u"@", u"@NoSuchColor", u"@BorderStyle3"})  // the last is no colour
    EXPECT_EQ(Color(themes, text), -1) << U8(text);

  std::u16string item;
  EXPECT_TRUE(themes.ResolveBorderStyle(u"@BorderStyle3", item));
  EXPECT_EQ(item, u"3D_RAISE1");
  EXPECT_TRUE(themes.ResolveBorderStyle(u"@BorderStyle3", item, u"GRAY"));
  EXPECT_EQ(item, u"FLAT");
  EXPECT_TRUE(themes.ResolveBorderStyle(u"3D_FRAME", item));
  EXPECT_EQ(item, u"3D_FRAME");
  EXPECT_FALSE(themes.ResolveBorderStyle(u"", item));
  EXPECT_FALSE(themes.ResolveBorderStyle(u"@NoSuchStyle", item));
  EXPECT_EQ(Value(themes, u"BLACK", u"@TextFont").substr(0, 5), "Sans,");
}

TEST(VisualThemes, OnlyRealChangesCountAndUnknownThemeNamesChangeNothing) {
  CNVisualThemes themes;
  const uint32_t start = themes.GetChangeCount();
  EXPECT_FALSE(themes.SetCurrentTheme(u"NO_SUCH_THEME"));
  EXPECT_FALSE(themes.SetCurrentTheme(u""));
  EXPECT_EQ(themes.GetCurrentTheme(), u"GRAY_3D");
  EXPECT_EQ(themes.GetChangeCount(), start);
  EXPECT_EQ(Value(themes, u"NO_SUCH_THEME", u"@TextColor"), "(none)");
  EXPECT_EQ(Value(themes, u"NO_SUCH_THEME", u"Comment"), "(none)");
  CNVisualTheme copy;
  EXPECT_FALSE(themes.GetTheme(u"NO_SUCH_THEME", copy));

  ASSERT_TRUE(themes.SetCurrentTheme(u"black"));
  EXPECT_EQ(themes.GetCurrentTheme(), u"BLACK");
  EXPECT_EQ(themes.GetChangeCount(), start + 1);
  ASSERT_TRUE(themes.SetCurrentTheme(u"BLACK"));  // already current
  EXPECT_EQ(themes.GetChangeCount(), start + 1);
  // A form follows the current theme for "DEFAULT", an empty text and names the set lacks.
  for (const std::u16string_view formTheme : {u"DEFAULT", u"default", u"", u"NO_SUCH_THEME"})
    EXPECT_EQ(Color(themes, u"@FormColor", formTheme), 0x000000) << U8(formTheme);
  EXPECT_EQ(Color(themes, u"@FormColor", u"WHITE"), 0xFFFFFF);
  themes.LoadProjectThemes({});  // a project opens with the default theme
  EXPECT_EQ(themes.GetChangeCount(), start + 2);
  EXPECT_EQ(themes.GetCurrentTheme(), u"GRAY_3D");
}

// A section of a built-in theme, named in any case, changes the values it names and adds new
// ones; the rest and the built-in spelling stay.
TEST(VisualThemes, ProjectFileChangesBuiltInThemesAndAddsItsOwn) {
  CNVisualThemes themes;
  const std::string formColor = Value(themes, u"GRAY_3D", u"@FormColor");
  const CNVisualThemeFileResult result = themes.LoadProjectThemes(
      u"[gray_3d]\r\nComment=Plant gray\r\n@TextColor=#102030\r\n@Extra=x\r\n"
      u"[PLANT]\r\nComment=Control room\r\n@FormColor=#000080\r\n@Junk\r\n");
  EXPECT_EQ(result.themes, 2u);
  EXPECT_EQ(result.values, 5u);
  EXPECT_EQ(result.skipped, 1u);
  EXPECT_EQ(Value(themes, u"GRAY_3D", u"@TextColor"), "#102030");
  EXPECT_EQ(Value(themes, u"GRAY_3D", u"@Extra"), "x");
  EXPECT_EQ(Value(themes, u"GRAY_3D", u"@FormColor"), formColor);  // not named by the project: kept
  EXPECT_EQ(Value(themes, u"GRAY_3D", u"Comment"), "Plant gray");

  const std::vector<std::u16string> names = themes.GetThemeNames();
  ASSERT_EQ(names.size(), 16u);
  EXPECT_EQ(names.front(), u"GRAY_3D");
  EXPECT_EQ(names.back(), u"PLANT");
  EXPECT_EQ(Value(themes, u"plant", u"Comment"), "Control room");
  // The added theme defines one value; the rest comes from the default theme as the project left it.
  CNVisualTheme plant;
  ASSERT_TRUE(themes.GetTheme(u"PLANT", plant));
  EXPECT_EQ(plant.GetValues().size(), 1u);
  EXPECT_EQ(Value(themes, u"PLANT", u"@TextColor"), "#102030");
  ASSERT_TRUE(themes.SetCurrentTheme(u"PLANT"));
  EXPECT_EQ(Color(themes, u"@FormColor"), 0x800000);

  // The next project starts from the built-in themes again, with the default current.
  themes.LoadProjectThemes({});
  EXPECT_EQ(themes.GetThemeNames().size(), 15u);
  EXPECT_EQ(themes.GetCurrentTheme(), u"GRAY_3D");
  EXPECT_EQ(Value(themes, {}, u"@TextColor"), "#000000");
}

}  // namespace
