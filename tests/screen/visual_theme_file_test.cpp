// The theme file: the built-in one, malformed lines, limits and a section changing a known theme.
#include "screen/visual_theme_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "objects/property_codec.h"
#include "screen/visual_theme_builtin.h"
#include "support/utf16_text.h"

namespace {

std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

std::vector<CNVisualTheme> BuiltIn() {
  std::vector<CNVisualTheme> themes;
  const CNVisualThemeFileResult result =
      ReadVisualThemeFile(Utf8ToUtf16(BuiltInVisualThemeText()), themes, 256);
  EXPECT_EQ(result.skipped, 0u);
  return themes;
}

std::u16string ValueOf(const CNVisualTheme& theme, std::u16string_view name) {
  const std::u16string* value = theme.FindValue(name);
  return value ? *value : u"(none)";
}

TEST(VisualThemeFile, BuiltInFileHoldsTheFifteenThemesWithTheSameNames) {
  const std::vector<CNVisualTheme> themes = BuiltIn();
  const std::vector<std::u16string_view> expected = {
      u"GRAY_3D", u"GRAY2_3D", u"GRAY3_3D", u"GRAY",   u"GRAY2", u"GRAY3",  u"BLACK", u"BLACK2",
      u"BLACK3",  u"WHITE",    u"WHITE2",   u"WHITE3", u"GREEN", u"ORANGE", u"BROWN"};
  ASSERT_EQ(themes.size(), expected.size());
  const CNVisualTheme& first = themes.front();
  for (size_t i = 0; i < themes.size(); ++i) {
    const CNVisualTheme& theme = themes[i];
    SCOPED_TRACE(U8(theme.GetName()));
    EXPECT_EQ(theme.GetName(), expected[i]);
    EXPECT_FALSE(theme.GetComment().empty());
    // Every theme names what the first names, so none leans on another's values.
    ASSERT_EQ(theme.GetValues().size(), first.GetValues().size());
    for (const CNVisualTheme::Value& entry : first.GetValues())
      EXPECT_NE(theme.FindValue(entry.name), nullptr) << U8(entry.name);
  }
}

// WCAG contrast ratio of two colour numbers.
double Contrast(uint32_t a, uint32_t b) {
  const auto luminance = [](uint32_t color) {
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722};  // red, green, blue
    for (int i = 0; i < 3; ++i) {
      const double c = ((color >> (8 * i)) & 0xFF) / 255.0;
      sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
  };
  const double la = luminance(a) + 0.05;
  const double lb = luminance(b) + 0.05;
  return la > lb ? la / lb : lb / la;
}

TEST(VisualThemeFile, BuiltInTextStaysReadableOnWhatItIsDrawnOn) {
  const std::pair<std::u16string_view, std::u16string_view> pairs[] = {
      {u"@TextColor", u"@FormColor"},         {u"@TextColor", u"@FillColor"},
      {u"@ButtonTextColor", u"@ButtonColor"}, {u"@ButtonTextColor", u"@ButtonPushColor"},
      {u"@ButtonTextColor", u"@HoverColor"},  {u"@ChartTextColor", u"@ChartColor"}};
  for (const CNVisualTheme& theme : BuiltIn()) {
    for (const auto& [text, ground] : pairs) {
      uint32_t fore = 0;
      uint32_t back = 0;
      ASSERT_TRUE(ParseColorText(ValueOf(theme, text), fore) && ParseColorText(ValueOf(theme, ground), back));
      EXPECT_GE(Contrast(fore, back), 4.5) << U8(theme.GetName()) << ": " << U8(text) << " on " << U8(ground);
    }
  }
}

struct LineCase {
  std::u16string_view text;
  uint32_t themes, values, skipped;
  std::u16string_view name;   // a value to look at in theme "T", when not empty
  std::u16string_view value;  // what it must be ("(none)" when absent)
};

TEST(VisualThemeFile, LinesAreReadOrSkippedOneByOne) {
  const std::u16string longName = u"@" + std::u16string(kMaxThemeNameLength, u'N');
  const std::u16string longValue(kMaxThemeValueLength + 1, u'v');
  const std::u16string longSection = u"[" + std::u16string(kMaxThemeNameLength + 1, u'T') + u"]";
  const std::u16string withLongName = u"[T]\n" + longName + u"=x";
  const std::u16string withLongValue = u"[T]\n@A=" + longValue + u"\nComment=" + longValue;
  const std::u16string withLongSection = longSection + u"\n@A=x";
  // clang-format off
  const LineCase cases[] = {
      {u"; comment\n# comment\n\n   \n", 0, 0, 0, {}, {}},
      {u"[T]\r\n  @TextColor =  #00ff7f \r\nComment = Plant  \r\n", 1, 2, 0, u"@TextColor", u"#00FF7F"},
      {u"\xFEFF[T]\n@Style=3D_RAISE1", 1, 1, 0, u"@Style", u"3D_RAISE1"},
      {u"[T]\n@TextFont=Sans,-12,0,400,0,0,0,0,0", 1, 1, 0, u"@TextFont", u"Sans,-12,0,400,0,0,0,0,0"},
      {u"@TextColor=#000000\n[T]", 1, 0, 1, u"@TextColor", u"(none)"},  // before any section
      {u"[]\n@A=x", 0, 0, 2, {}, {}},                                    // nameless section and its line
      {u"[ T ]\nTextColor=#000000\n@=x\nCmt=x", 1, 0, 3, {}, {}},        // keys that are no "@" name
      {u"[T]\n@TextColor\n@A x", 1, 0, 2, {}, {}},                       // no "="
      {u"[T]\n@A=\n@B=  ", 1, 0, 2, u"@A", u"(none)"},                   // empty values
      {u"[T]\n@TextColor=#12345\n@TextColor=red\n@Accent=#GG0000\n@BColor=#1234567", 1, 0, 4,
       u"@TextColor", u"(none)"},                                        // colours that do not read
      {u"[T]\n@TextColor=@FormColor", 1, 0, 1, u"@TextColor", u"(none)"},  // no references between values
      {u"[T]\n@A=1\n@a=2", 1, 2, 0, u"@A", u"2"},                        // one name in any case
      {withLongName, 1, 0, 1, {}, {}},
      {withLongValue, 1, 0, 2, u"@A", u"(none)"},
      {withLongSection, 0, 0, 2, {}, {}},
      {u"[T", 0, 0, 1, {}, {}},
  };
  // clang-format on
  for (const LineCase& c : cases) {
    SCOPED_TRACE(U8(c.text));
    std::vector<CNVisualTheme> themes;
    const CNVisualThemeFileResult result = ReadVisualThemeFile(c.text, themes, 8);
    EXPECT_EQ(result.themes, c.themes);
    EXPECT_EQ(result.values, c.values);
    EXPECT_EQ(result.skipped, c.skipped);
    if (!c.name.empty()) {
      ASSERT_EQ(themes.size(), 1u);
      EXPECT_EQ(themes[0].GetName(), u"T");
      EXPECT_EQ(ValueOf(themes[0], c.name), c.value);
    }
  }
}

TEST(VisualThemeFile, LimitsBoundWhatAHostileFileCanAdd) {
  std::u16string manyThemes;
  for (int i = 0; i < 20; ++i) manyThemes += u"[T" + Utf8ToUtf16(std::to_string(i)) + u"]\n@A=#000000\n";
  manyThemes += u"[t0]\n@B=x\n";  // a known theme stays open to changes when the set is full
  std::vector<CNVisualTheme> themes;
  CNVisualThemeFileResult result = ReadVisualThemeFile(manyThemes, themes, 5);
  EXPECT_EQ(themes.size(), 5u);
  EXPECT_EQ(result.themes, 6u);
  EXPECT_EQ(result.skipped, 30u);  // 15 refused sections and their lines
  EXPECT_EQ(ValueOf(themes[0], u"@B"), u"x");

  std::u16string manyValues = u"[T]\n";
  for (size_t i = 0; i < CNVisualTheme::kMaxValues + 10; ++i)
    manyValues += u"@V" + Utf8ToUtf16(std::to_string(i)) + u"=x\n";
  manyValues += u"@V0=changed\n";  // a full theme still takes new values for names it has
  themes.clear();
  result = ReadVisualThemeFile(manyValues, themes, 5);
  EXPECT_EQ(themes[0].GetValues().size(), CNVisualTheme::kMaxValues);
  EXPECT_EQ(result.skipped, 10u);
  EXPECT_EQ(ValueOf(themes[0], u"@V0"), u"changed");
}

}  // namespace
