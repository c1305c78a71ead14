#include "project/xml_encoding.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "support/byte_order.h"
#include "support/utf16_text.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// The first 8-bit NUL ends the text.
std::span<const uint8_t> UpToNul(std::span<const uint8_t> bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  return bytes.first(static_cast<size_t>(end - bytes.begin()));
}

void DecodeUtf16(std::span<const uint8_t> bytes, bool bigEndian, std::string& out) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t unit = bigEndian ? static_cast<char16_t>(bytes[i] << 8 | bytes[i + 1])
                                    : static_cast<char16_t>(bytes[i + 1] << 8 | bytes[i]);
    if (unit == 0) break;
    text += unit;
  }
  out = Utf16ToUtf8(text);
}

void DecodeUtf32(std::span<const uint8_t> bytes, bool bigEndian, std::string& out) {
  std::u16string text;
  text.reserve(bytes.size() / 4);
  for (size_t i = 0; i + 3 < bytes.size(); i += 4) {
    uint32_t c = bigEndian ? LoadBigEndian32(&bytes[i]) : LoadLittleEndian32(&bytes[i]);
    if (c == 0) break;
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c >= 0x10000) {
      c -= 0x10000;
      text += static_cast<char16_t>(0xD800 + (c >> 10));
      text += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
      text += static_cast<char16_t>(c);
    }
  }
  out = Utf16ToUtf8(text);
}

// UTF-8 and the names that cannot have been read from single-byte text are taken as UTF-8.
bool IsUtf8Name(std::string_view name) {
  const std::u16string wide = AsciiToUtf16(name);
  return EqualsIgnoreCaseAscii(wide, u"UTF-8") || EqualsIgnoreCaseAscii(wide, u"UTF8") ||
         StartsWithIgnoreCaseAscii(wide, u"UTF-16") || StartsWithIgnoreCaseAscii(wide, u"UTF-32") ||
         StartsWithIgnoreCaseAscii(wide, u"UCS-");
}

class IconvHandle {
 public:
  IconvHandle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
  ~IconvHandle() {
    if (IsOpen()) iconv_close(m_cd);
  }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;
  bool IsOpen() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return m_cd; }

 private:
  iconv_t m_cd;
};

bool ConvertThroughIconv(std::span<const uint8_t> bytes, const std::string& encoding, std::string& out,
                         std::string& error) {
  IconvHandle converter("UTF-8", encoding.c_str());
  if (!converter.IsOpen()) {
    error = "unknown encoding \"" + encoding + "\"";
    return false;
  }
  out.clear();
  out.reserve(bytes.size() + bytes.size() / 2);
  std::array<char, 16384> chunk;
  char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
  size_t inLeft = bytes.size();
  // Converts until the input is used up, then once more without input to end a shift state.
  bool flushed = false;
  while (!flushed) {
    char* to = chunk.data();
    size_t toLeft = chunk.size();
    flushed = inLeft == 0;
    const size_t done = iconv(converter.Get(), flushed ? nullptr : &in, &inLeft, &to, &toLeft);
    const int reason = done == static_cast<size_t>(-1) ? errno : 0;
    out.append(chunk.data(), chunk.size() - toLeft);
    if (reason == E2BIG) {
      flushed = false;
    } else if (!flushed && (reason == EILSEQ || reason == EINVAL)) {
      // An undecodable or cut-off sequence: one byte stands for one replacement character.
      out += kReplacementUtf8;
      ++in;
      --inLeft;
      iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);
    }
  }
  return true;
}

}  // namespace

CNByteOrderMark DetectByteOrderMark(std::span<const uint8_t> bytes, size_t& markLength) {
  struct Mark {
    std::array<uint8_t, 4> bytes;
    size_t length;
    CNByteOrderMark kind;
  };
  static constexpr Mark kMarks[] = {
      {{0x00, 0x00, 0xFE, 0xFF}, 4, CNByteOrderMark::kUtf32BigEndian},
      {{0xFF, 0xFE, 0x00, 0x00}, 4, CNByteOrderMark::kUtf32LittleEndian},
      {{0xEF, 0xBB, 0xBF}, 3, CNByteOrderMark::kUtf8},
      {{0xFE, 0xFF}, 2, CNByteOrderMark::kUtf16BigEndian},
      {{0xFF, 0xFE}, 2, CNByteOrderMark::kUtf16LittleEndian},
  };
  for (const Mark& mark : kMarks) {
    if (bytes.size() >= mark.length &&
        std::equal(mark.bytes.begin(), mark.bytes.begin() + mark.length, bytes.begin())) {
      markLength = mark.length;
      return mark.kind;
    }
  }
  markLength = 0;
  return CNByteOrderMark::kNone;
}

std::string DeclaredXmlEncoding(std::span<const uint8_t> bytes) {
  // The declaration is short; a longer one is not looked into.
  const std::string_view head(reinterpret_cast<const char*>(bytes.data()),
                              std::min<size_t>(bytes.size(), 256));
  if (!head.starts_with("<?xml")) return {};
  const std::string_view declaration = head.substr(0, head.find("?>"));
  size_t at = declaration.find("encoding");
  if (at == std::string_view::npos) return {};
  at += 8;
  auto skipBlanks = [&] {
    while (at < declaration.size() && IsSpaceAscii(static_cast<unsigned char>(declaration[at]))) ++at;
  };
  skipBlanks();
  if (at >= declaration.size() || declaration[at] != '=') return {};
  ++at;
  skipBlanks();
  if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\'')) return {};
  const char quote = declaration[at++];
  const size_t end = declaration.find(quote, at);
  if (end == std::string_view::npos) return {};
  const std::string_view name = declaration.substr(at, end - at);
  const bool wellFormed = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return IsAlphaAscii(static_cast<unsigned char>(c)) || IsDigitAscii(static_cast<unsigned char>(c)) ||
           c == '-' || c == '_' || c == '.' || c == ':';
  });
  return wellFormed ? std::string(name) : std::string();
}

bool DecodeXmlBytes(std::span<const uint8_t> bytes, std::string& utf8, std::string& error) {
  size_t markLength = 0;
  const CNByteOrderMark mark = DetectByteOrderMark(bytes, markLength);
  const std::span<const uint8_t> body = bytes.subspan(markLength);
  switch (mark) {
    case CNByteOrderMark::kUtf32BigEndian:
      DecodeUtf32(body, true, utf8);
      return true;
    case CNByteOrderMark::kUtf32LittleEndian:
      DecodeUtf32(body, false, utf8);
      return true;
    case CNByteOrderMark::kUtf16BigEndian:
      DecodeUtf16(body, true, utf8);
      return true;
    case CNByteOrderMark::kUtf16LittleEndian:
      DecodeUtf16(body, false, utf8);
      return true;
    case CNByteOrderMark::kUtf8:
    case CNByteOrderMark::kNone:
      break;
  }
  const std::span<const uint8_t> text = UpToNul(body);
  const std::string encoding = mark == CNByteOrderMark::kNone ? DeclaredXmlEncoding(text) : std::string();
  if (!encoding.empty() && !IsUtf8Name(encoding)) return ConvertThroughIconv(text, encoding, utf8, error);
  utf8.assign(reinterpret_cast<const char*>(text.data()), text.size());
  return true;
}
