#include <gtest/gtest.h>

#include "binds/bind_text.h"
#include "support/utf16_text.h"

namespace {

struct SplitCase {
  const char16_t* text;
  const char16_t* input;
  const char16_t* output;
  int32_t watch;
  bool onlyFirstIn;
  bool bac;
};

TEST(BindText, SplitsScriptsAndOptions) {
  const SplitCase cases[] = {
      {u"$SYS0 == 2", u"$SYS0 == 2", u"", 0, false, false},
      {u"T", u"T", u"", 0, false, false},
      {u"INOUT:$Level\n", u"$Level", u"$Level", 0, false, false},
      {u"IN:$A;OUT:$B = $Value$", u"$A", u"$B = $Value$", 0, false, false},
      {u"OUT:$B = 1 IN: $A", u"$A", u"$B = 1", 0, false, false},
      {u"OUT:$T = $Value$", u"", u"$T = $Value$", 0, false, false},
      // Options come out first, each up to the next ";".
      {u"OUT:$T = $Value$;WATCH", u"", u"$T = $Value$", -1, false, false},
      {u"OUT:$T = $Value$;WATCH:500", u"", u"$T = $Value$", 500, false, false},
      {u"$A;WATCH:soon", u"$A", u"", -1, false, false},
      {u"$A;ONLYFIRSTIN;WATCH:20", u"$A", u"", 20, true, false},
      {u"INOUT:$A;WATCH: 7 ;ONLYFIRSTIN", u"$A", u"$A", 7, true, false},
      // White space, then trailing ";" and line feeds, then white space.
      {u" \t$A ; \n", u"$A", u"", 0, false, false},
      {u"  B.AC(1) ;;\n;\n  ", u"B.AC(1)", u"", 0, false, true},
      {u"b.AC", u"b.AC", u"", 0, false, false},
      {u"", u"", u"", 0, false, false},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    const CNBindTextSections sections = SplitBindText(c.text);
    EXPECT_EQ(Utf16ToUtf8(sections.input), Utf16ToUtf8(c.input));
    EXPECT_EQ(Utf16ToUtf8(sections.output), Utf16ToUtf8(c.output));
    EXPECT_EQ(sections.watch, c.watch);
    EXPECT_EQ(sections.onlyFirstIn, c.onlyFirstIn);
    EXPECT_EQ(sections.beginsWithBAC, c.bac);
  }
}

}  // namespace
