// Attribute texts: the five escapes on writing, the XML parser and the second decode on reading.
#include "objects/form_file_text.h"

#include <gtest/gtest.h>

#include "project/form_file_reader.h"
#include "support/utf16_text.h"

namespace {

TEST(FormFileText, EscapedOnWritingAndDecodedTwiceOnReading) {
  struct Case {
    std::u16string_view text;
    std::string_view written;
    std::u16string_view readBack;
  };
  const Case cases[] = {
      // (The five escapes themselves are in the element writer's and reader's golden texts.)
      // Line breaks and tabs stay as they are; a line comment ends at its line break.
      {u"x = 1 // one\r\n\ty = 2\r\n", "x = 1 // one\r\n\ty = 2\r\n", u"x = 1 // one\r\n\ty = 2\r\n"},
      {u"\u00b0C \U0001F600", "\xc2\xb0\x43 \xf0\x9f\x98\x80", u"\u00b0C \U0001F600"},
      // The second decode turns an entity the text itself held into its character, once.
      {u"&lt;b&gt; &amp;amp;", "&amp;lt;b&amp;gt; &amp;amp;amp;", u"<b> &amp;"},
      {u"&#38; &apos; &", "&amp;#38; &amp;apos; &amp;", u"&#38; &apos; &"},  // only the five
      // Past a non-ASCII character; an entity cut short by the end stays as it is.
      {u"\u00b0&<&lt", "\xc2\xb0&amp;&lt;&amp;lt", u"\u00b0&<&lt"},
  };
  for (const Case& c : cases) {
    std::string xml = "<a x=\"";
    AppendFormText(xml, c.text);
    EXPECT_EQ(xml.substr(6), c.written);
    xml += "\"/>";
    pugi::xml_document document;
    ASSERT_TRUE(document.load_buffer(xml.data(), xml.size(), kFormXmlParseOptions, pugi::encoding_utf8));
    EXPECT_EQ(Utf16ToUtf8(DecodeFormText(document.first_child().attribute("x").value())),
              Utf16ToUtf8(c.readBack));
  }
}

}  // namespace
