#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// How the bytes of a project document are turned into the UTF-8 text the parser reads.

enum class CNByteOrderMark {
  kNone,
  kUtf32BigEndian,     // 00 00 FE FF
  kUtf32LittleEndian,  // FF FE 00 00
  kUtf8,               // EF BB BF
  kUtf16BigEndian,     // FE FF
  kUtf16LittleEndian,  // FF FE
};

// The mark the bytes start with, tested in the order of the enumeration, so that a UTF-32
// little-endian mark is not taken for UTF-16; the UTF-32 marks need at least 4 bytes.
// markLength receives the mark's length in bytes.
CNByteOrderMark DetectByteOrderMark(std::span<const uint8_t> bytes, size_t& markLength);

// The encoding named by an XML declaration at the very start of bytes (`<?xml ...
// encoding="Shift_JIS"?>`); empty when there is none.
std::string DeclaredXmlEncoding(std::span<const uint8_t> bytes);

// Decodes document bytes to UTF-8: by the byte-order mark when there is one, else from the
// declared encoding through iconv, else as UTF-8. The text ends at the first NUL character (a
// decrypted buffer is followed by zero padding). Bytes that do not decode become U+FFFD. False
// only when the declared encoding is unknown, with error naming it.
bool DecodeXmlBytes(std::span<const uint8_t> bytes, std::string& utf8, std::string& error);
