// Format-file loading: any project text loads into the three families, every user format
// formats and reads, and the user number formats written back as sections load again to the
// same records (for names the default file does not already hold, and texts that survive the
// file syntax: no ";", "<", ">" and no blanks at their ends).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "formats/format_store.h"
#include "support/utf16_text.h"

namespace {

bool Survives(std::u16string_view text, bool blankAsWord) {
  if (text.find_first_of(u";<>\n") != std::u16string_view::npos) return false;
  if (text.empty()) return true;
  const auto edge = [&](char16_t c) { return IsSpaceAscii(c) && !(blankAsWord && c == u' '); };
  return !edge(text.front()) && !edge(text.back());
}

bool Survives(const CNNumberFormat& r) {
  for (const std::u16string* text :
       {&r.positiveSign, &r.negativeSign, &r.qualityUncertain, &r.qualityBad, &r.qualityNA})
    if (!Survives(*text, false)) return false;
  for (const char16_t symbol : {r.decimalSymbol, r.separatorSymbol, r.paddingSymbol})
    if (!Survives(std::u16string_view(&symbol, 1), true) || symbol == 0) return false;
  return Survives(r.header, true) && Survives(r.footer, true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string text = Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
  CNFormatStore store(u"C");
  CNFormatStore defaults(u"C");
  store.LoadNumberFormats(text);
  store.LoadDateTimeFormats(text);
  store.LoadBlinkFormats(text);

  const std::vector<std::u16string> names = store.GetUserNumberFormatNames();
  const std::vector<std::u16string> sections = store.GetUserNumberFormatSections();
  if (names.size() != sections.size()) std::abort();
  std::u16string written;
  for (const std::u16string& name : names) {
    const std::u16string printed = store.Format(name, 0, false, -1234.5, -1, -1);
    double back = 0;
    store.Parse(name, printed, back);
  }
  for (const std::u16string& section : sections) written += section;
  for (const std::u16string& name : store.GetUserDateTimeFormatNames()) {
    FileTime back = 0;
    store.ParseTime(name, store.FormatTime(name, 133'540'000'000'000'000ULL), back);
  }

  CNFormatStore again(u"C");
  again.LoadNumberFormats(written);
  for (const std::u16string& name : names) {
    CNNumberFormat before;
    CNNumberFormat after;
    CNNumberFormat builtIn;
    // Names a format string cannot reach, and names the default file already holds.
    if (name.find_first_of(u".<") != std::u16string::npos || name == u"@LOCALE" ||
        defaults.ResolveNumberFormat(name, builtIn))
      continue;
    if (!store.ResolveNumberFormat(name, before) || !Survives(before)) continue;
    if (!again.ResolveNumberFormat(name, after) || !(after == before)) std::abort();
  }
  return 0;
}
