#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "support/file_time.h"

// Kind byte of one element of a CNValue.
enum ValueKind : uint8_t {
  VK_NA = 0,  // no value, written "#N/A#"
  VK_BOOL = 1,
  VK_NUMBER = 2,
  VK_STRING = 3,
  VK_TIME = 4,
  VK_OBJECT = 5,
};

// One 16-byte slot: the kind, the string length in the padding after it, and an 8-byte payload.
struct ValueElement {
  uint8_t kind;
  // VK_STRING: 0 when the buffer holds exactly the text and its NUL; else the power of two of
  // its room in code units, once appends have grown it.
  uint8_t roomPower;
  uint8_t reserved[2];
  uint32_t length;  // VK_STRING: length in UTF-16 code units
  union {
    int32_t b;      // VK_BOOL: 0 or 1
    double n;       // VK_NUMBER
    char16_t* s;    // VK_STRING: owned, NUL-terminated
    uint64_t t;     // VK_TIME: FILETIME ticks, UTC
    uint32_t h;     // VK_OBJECT: object handle
  };
};
static_assert(sizeof(ValueElement) == 16, "a value element is one 16-byte slot");

// Truncation toward zero into 64 bits; NaN gives 0 and values beyond the range saturate.
int64_t TruncateToInt64(double d);

// Frees a string payload and leaves the element kind 0.
void ClearElement(ValueElement& e);
// Replaces dst by a deep copy of src (strings are copied, never shared).
void CopyElement(ValueElement& dst, const ValueElement& src);
void SetElementString(ValueElement& e, std::u16string_view text);
// Appends text to a string element in its own buffer, which grows by doubling: a run of appends
// costs time in proportion to the final length. text may lie in e's own string. False (and e
// unchanged) when the result would be longer than a length can count.
bool AppendElementString(ValueElement& e, std::u16string_view text);

inline std::u16string_view ElementString(const ValueElement& e) {
  return e.kind == VK_STRING && e.s ? std::u16string_view(e.s, e.length) : std::u16string_view();
}

// The conversions of one element to each reading.
// Equality as the value type compares contents: same kind and equal payload (NaN is never
// equal); elements without value are equal to each other.
bool ElementsEqual(const ValueElement& a, const ValueElement& b);
bool ElementAsBool(const ValueElement& e);
double ElementAsNumber(const ValueElement& e);
FileTime ElementAsTime(const ValueElement& e);
uint32_t ElementAsHandle(const ValueElement& e);
// Display text: kind 0 gives "N/A" unless emptyNA, which gives "".
std::u16string ElementText(const ValueElement& e, bool emptyNA = false);
