// Format-string resolution: every text either names no format or gives a record that formats,
// reads and writes back without fault. A record whose texts hold none of ";", "<" and ">" is
// written back as a format string that resolves to the same record. The same text is also
// tried as a date-time format string.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/format_store.h"

namespace {

bool Plain(std::u16string_view text) {
  return text.find_first_of(u";<>") == std::u16string_view::npos;
}

bool WritesBack(const CNNumberFormat& r) {
  for (const std::u16string* text : {&r.positiveSign, &r.negativeSign, &r.header, &r.footer,
                                     &r.qualityUncertain, &r.qualityBad, &r.qualityNA})
    if (!Plain(*text)) return false;
  const char16_t symbols[] = {r.decimalSymbol, r.separatorSymbol, r.paddingSymbol};
  return Plain(std::u16string_view(symbols, 3));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string text;
  text.reserve(size);
  for (size_t i = 0; i < size; ++i) text.push_back(static_cast<char16_t>(data[i]));

  CNFormatStore store(u"C");
  const double values[] = {0, -0.0, 255, -5.5, 1234567.891, 4294967296.0, 1e300, -1e-300, 0.0 / 0.0};
  for (const double value : values) {
    const std::u16string printed = store.Format(text, 0, false, value, -1, -1);
    double back = 0;
    store.Parse(text, printed, back);
  }
  store.Format(text, 1, true, 1, 0, 3);
  double back = 0;
  store.Parse(text, text, back);

  CNNumberFormat record;
  if (store.ResolveNumberFormat(text, record) && WritesBack(record)) {
    const std::u16string name = text.empty() ? u"@NUMBER" : text.substr(0, text.find_first_of(u".<"));
    const std::u16string written = store.WriteNumberFormatString(record, name);
    CNNumberFormat again;
    if (!store.ResolveNumberFormat(written, again) || !(again == record)) std::abort();
  }

  constexpr FileTime kTicks = 133'540'000'000'000'000ULL;  // 2024
  const std::u16string time = store.FormatTime(text, kTicks);
  FileTime parsed = 0;
  store.ParseTime(text, time, parsed);
  return 0;
}
