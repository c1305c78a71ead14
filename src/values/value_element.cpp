#include "values/value_element.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "values/value_text.h"
#include "values/value_time.h"

int64_t TruncateToInt64(double d) {
  if (std::isnan(d)) return 0;
  if (d >= 9223372036854775808.0) return std::numeric_limits<int64_t>::max();
  if (d < -9223372036854775808.0) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(d);
}

void ClearElement(ValueElement& e) {
  if (e.kind == VK_STRING) delete[] e.s;
  e.kind = VK_NA;
  e.roomPower = 0;
  e.length = 0;
  e.t = 0;
}

void SetElementString(ValueElement& e, std::u16string_view text) {
  // Copy first: the text may live inside e itself.
  char16_t* buffer = new char16_t[text.size() + 1];
  if (!text.empty()) std::memcpy(buffer, text.data(), text.size() * sizeof(char16_t));
  buffer[text.size()] = 0;
  ClearElement(e);
  e.kind = VK_STRING;
  e.length = static_cast<uint32_t>(text.size());
  e.s = buffer;
}

bool AppendElementString(ValueElement& e, std::u16string_view text) {
  const uint64_t length = uint64_t{e.length} + text.size();
  if (length >= UINT32_MAX) return false;
  const uint64_t room = e.roomPower ? uint64_t{1} << e.roomPower : uint64_t{e.length} + 1;
  if (length < room) {
    // The text may be the element's own: it lies before the end, where nothing is written.
    if (!text.empty()) std::memmove(e.s + e.length, text.data(), text.size() * sizeof(char16_t));
  } else {
    uint8_t power = 4;
    while ((uint64_t{1} << power) <= length) ++power;
    char16_t* buffer = new char16_t[uint64_t{1} << power];
    if (e.length > 0) std::memcpy(buffer, e.s, e.length * sizeof(char16_t));
    if (!text.empty()) std::memcpy(buffer + e.length, text.data(), text.size() * sizeof(char16_t));
    delete[] e.s;
    e.s = buffer;
    e.roomPower = power;
  }
  e.length = static_cast<uint32_t>(length);
  e.s[length] = 0;
  return true;
}

void CopyElement(ValueElement& dst, const ValueElement& src) {
  if (&dst == &src) return;
  if (src.kind == VK_STRING) {
    SetElementString(dst, ElementString(src));
    return;
  }
  ClearElement(dst);
  dst = src;
}

bool ElementAsBool(const ValueElement& e) {
  switch (e.kind) {
    case VK_BOOL: return e.b != 0;
    case VK_NUMBER: return e.n != 0.0;  // NaN is true
    case VK_STRING: return StringToBool(ElementString(e));
    case VK_TIME: return (e.t & 0xFFFFFFFFu) != 0 && (e.t >> 32) != 0;
    case VK_OBJECT: return e.h != 0;
    default: return false;
  }
}

double ElementAsNumber(const ValueElement& e) {
  switch (e.kind) {
    case VK_BOOL: return e.b ? 1.0 : 0.0;
    case VK_NUMBER: return e.n;
    case VK_STRING: return StringToNumber(ElementString(e));
    case VK_TIME: return static_cast<double>(static_cast<int64_t>(e.t));
    case VK_OBJECT: return static_cast<double>(e.h);
    default: return 0.0;
  }
}

FileTime ElementAsTime(const ValueElement& e) {
  switch (e.kind) {
    case VK_NUMBER: return static_cast<FileTime>(TruncateToInt64(e.n));
    case VK_STRING: {
      FileTime t = 0;
      return ParseTimeLiteral(ElementString(e), t) ? t : 0;
    }
    case VK_TIME: return e.t;
    default: return 0;
  }
}

uint32_t ElementAsHandle(const ValueElement& e) {
  switch (e.kind) {
    case VK_NUMBER: return static_cast<uint32_t>(static_cast<uint64_t>(TruncateToInt64(e.n)));
    case VK_STRING: return ParseObjectLiteral(ElementString(e));
    case VK_OBJECT: return e.h;
    default: return 0;
  }
}

std::u16string ElementText(const ValueElement& e, bool emptyNA) {
  switch (e.kind) {
    case VK_NA: return emptyNA ? std::u16string() : std::u16string(u"N/A");
    case VK_BOOL: return e.b ? u"T" : u"F";
    case VK_NUMBER: return NumberText(e.n);
    case VK_STRING: return std::u16string(ElementString(e));
    case VK_TIME: return TimeText(e.t, true);
    case VK_OBJECT: return ObjectText(e.h);
    default: return std::u16string();
  }
}

bool ElementsEqual(const ValueElement& a, const ValueElement& b) {
  if (a.kind != b.kind) return false;
  switch (a.kind) {
    case VK_BOOL: return a.b == b.b;
    case VK_NUMBER: return a.n == b.n;
    case VK_STRING: return ElementString(a) == ElementString(b);
    case VK_TIME: return a.t == b.t;
    case VK_OBJECT: return a.h == b.h;
    default: return true;
  }
}
