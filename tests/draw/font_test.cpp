#include "draw/font.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(Font, ReadsAndWritesTheFontText) {
  const CRFont font = CRFont::FromText(u"Meiryo UI,-13,0,700,1,1,0,900,450");
  EXPECT_EQ(std::tie(font.face, font.height, font.weight, font.italic, font.underline, font.strikeOut,
                     font.escapement, font.orientation),
            std::tuple(u"Meiryo UI", -13, 700, 1u, 1u, 0u, 900, 450));
  for (const char16_t* text : {u"Meiryo UI,-13,0,400,0,0,0,0,0", u"Meiryo UI,-12,0,700,1,1,1,-900,-900",
                               u"DejaVu Sans,16,8,400,0,0,0,0,0"})
    EXPECT_EQ(CRFont::FromText(text).ToText(), text);
}

TEST(Font, BadFieldsFallBackToTheirDefaults) {
  struct Case {
    const char16_t* text;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"", u"Sans,-12,0,400,0,0,0,0,0"},
      {u",,,,", u"Sans,-12,0,400,0,0,0,0,0"},
      {u"Arial", u"Arial,-12,0,400,0,0,0,0,0"},
      {u"Arial,abc,1x,bold,0,0,0,0,0", u"Arial,-12,0,400,0,0,0,0,0"},
      {u" Arial , -20 ,0,400", u"Arial,-20,0,400,0,0,0,0,0"},
      {u"Arial,0,-5,0,0,0,0,0,0", u"Arial,-12,0,400,0,0,0,0,0"},
      {u"Arial,-99999999999,99999,5000,0,0,0,0,0", u"Arial,-2000,2000,1000,0,0,0,0,0"},
      {u"Arial,-10,0,400,0,0,0,0,0,extra,fields", u"Arial,-10,0,400,0,0,0,0,0"},
  };
  for (const Case& c : cases) EXPECT_EQ(CRFont::FromText(c.text).ToText(), c.expected);
}

}  // namespace
