#include "project/xml_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(std::string_view text) {
  return {text.begin(), text.end()};
}

// "日本" in each form a project file may take.
const std::string kNihon = "\xE6\x97\xA5\xE6\x9C\xAC";

TEST(XmlEncoding, ByteOrderMarksAreTestedUtf32First) {
  struct Case {
    std::string bytes;
    CNByteOrderMark mark;
    size_t length;
  };
  const Case cases[] = {
      {std::string("\x00\x00\xFE\xFF<", 5), CNByteOrderMark::kUtf32BigEndian, 4},
      {std::string("\xFF\xFE\x00\x00", 4), CNByteOrderMark::kUtf32LittleEndian, 4},
      // Fewer than 4 bytes are never UTF-32.
      {std::string("\xFF\xFE\x00", 3), CNByteOrderMark::kUtf16LittleEndian, 2},
      {"\xFF\xFE", CNByteOrderMark::kUtf16LittleEndian, 2},
      {std::string("\xFF\xFE<\x00", 4), CNByteOrderMark::kUtf16LittleEndian, 2},
      {"\xEF\xBB\xBF<", CNByteOrderMark::kUtf8, 3},
      {"\xFE\xFF", CNByteOrderMark::kUtf16BigEndian, 2},
      {std::string("\x00\x00\xFE", 3), CNByteOrderMark::kNone, 0},
      {"\xEF\xBB", CNByteOrderMark::kNone, 0},
      {"", CNByteOrderMark::kNone, 0},
      {"<?xml", CNByteOrderMark::kNone, 0},
  };
  for (const Case& c : cases) {
    size_t length = 99;
    EXPECT_EQ(DetectByteOrderMark(Bytes(c.bytes), length), c.mark) << testing::PrintToString(c.bytes);
    EXPECT_EQ(length, c.length) << testing::PrintToString(c.bytes);
  }
}

TEST(XmlEncoding, DeclaredEncodingIsReadFromTheDeclarationOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><ROOT/>", "Shift_JIS"},
      {"<?xml version='1.0' encoding = 'euc-jp' ?>", "euc-jp"},
      {"<?xml version=\"1.0\"?><ROOT encoding=\"Shift_JIS\"/>", ""},  // past the declaration
      {" <?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", ""},        // not at the start
      {"<?xml version=\"1.0\" encoding=\"Shift JIS\"?>", ""},         // not a name
      {"<?xml version=\"1.0\" encoding=\"Shift_JIS", ""},             // unterminated
      {"<ROOT/>", ""},
  };
  for (const auto& [text, encoding] : cases) EXPECT_EQ(DeclaredXmlEncoding(Bytes(text)), encoding) << text;
}

TEST(XmlEncoding, DecodesByMarkElseByDeclarationElseAsUtf8) {
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>";
  const std::pair<std::string, std::string> cases[] = {
      {"\xEF\xBB\xBF" + kNihon, kNihon},
      {std::string("\xFF\xFE\xE5\x65\x2C\x67", 6), kNihon},
      {std::string("\xFE\xFF\x65\xE5\x67\x2C", 6), kNihon},
      {std::string("\xFF\xFE\x00\x00\xE5\x65\x00\x00\x2C\x67\x00\x00", 12), kNihon},
      {std::string("\x00\x00\xFE\xFF\x00\x00\x65\xE5\x00\x00\x67\x2C", 12), kNihon},
      {std::string("\x00\x00\xFE\xFF\x00\x01\xF6\x00\x00\x11\x00\x00", 12), "\xF0\x9F\x98\x80\xEF\xBF\xBD"},
      {declaration + "\x93\xFA\x96\x7B", declaration + kNihon},
      {"<?xml version=\"1.0\" encoding=\"EUC-JP\"?>\xC6\xFC\xCB\xDC",
       "<?xml version=\"1.0\" encoding=\"EUC-JP\"?>" + kNihon},
      // Without a mark or a declared encoding the bytes are UTF-8 as they are.
      {kNihon, kNihon},
      // A byte that the declared encoding does not know stands for one replacement character.
      {declaration + "\x93\xFA\xFF" + "a", declaration + "\xE6\x97\xA5\xEF\xBF\xBD" + "a"},
      // The text ends at its first NUL, whatever follows (decrypted files are zero-padded).
      {std::string("<a/>\0\0junk", 10), "<a/>"},
      {std::string("\xFF\xFE<\x00/\x00\x00\x00x\x00", 10), "</"},
      {std::string("\xFF\xFE<\x00/", 5), "<"},  // an odd last byte is no character
      {"", ""},
  };
  for (const auto& [bytes, text] : cases) {
    std::string utf8 = "stale";
    std::string error;
    EXPECT_TRUE(DecodeXmlBytes(Bytes(bytes), utf8, error)) << error;
    EXPECT_EQ(utf8, text) << testing::PrintToString(bytes);
  }
}

TEST(XmlEncoding, UnknownDeclaredEncodingIsRefused) {
  std::string utf8;
  std::string error;
  EXPECT_FALSE(DecodeXmlBytes(Bytes("<?xml version=\"1.0\" encoding=\"x-martian\"?><ROOT/>"), utf8, error));
  EXPECT_EQ(error, "unknown encoding \"x-martian\"");
  // Names that single bytes could not have spelt out are read as UTF-8.
  EXPECT_TRUE(DecodeXmlBytes(Bytes("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>"), utf8, error));
  EXPECT_EQ(utf8, "<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>");
}

}  // namespace
