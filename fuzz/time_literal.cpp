// Feeds arbitrary bytes to the time-literal parser and the relative-expression evaluator, both as
// raw UTF-16 code units and as UTF-8 text, and prints arbitrary tick counts as time text.
#include <stdlib.h>
#include <time.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "support/utf16_text.h"
#include "values/value_time.h"

namespace {

void CheckText(std::u16string_view text) {
  static const CRCalendarTime kBase = [] {
    CRCalendarTime t;
    t.year = 2021;
    t.month = 7;
    t.day = 14;
    t.hour = 15;
    t.minute = 42;
    t.second = 37;
    t.millisecond = 250;
    return t;
  }();
  FileTime ticks = 1;
  if (!ParseTimeLiteral(text, ticks) && ticks != 0) __builtin_trap();
  ticks = 1;
  if (!EvaluateRelativeTime(text, kBase, ticks) && ticks != 0) __builtin_trap();
}

// The text of a time reads back as a time with the same text (in the hour repeated when
// daylight saving ends, the same text names two instants an hour apart).
void CheckTimeText(FileTime ticks) {
  for (bool delimiters : {false, true}) {
    const std::u16string text = TimeText(ticks, delimiters);
    FileTime parsed = 0;
    if (ParseTimeLiteral(text, parsed) && TimeText(parsed, delimiters) != text) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // A zone with daylight saving exercises the gaps and repeated hours of local time.
  setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
  tzset();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string units(size / 2, u'\0');
  if (!units.empty()) std::memcpy(units.data(), data, units.size() * 2);
  CheckText(units);
  CheckText(Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size)));
  for (size_t i = 0; i + 8 <= size && i < 64; i += 8) {
    FileTime ticks = 0;
    std::memcpy(&ticks, data + i, 8);
    CheckTimeText(ticks);
  }
  return 0;
}
