#include "formats/format_string.h"

#include "formats/number_format.h"
#include "support/utf16_text.h"

bool SplitFormatString(std::u16string_view text, CNFormatStringParts& out) {
  out = {};
  if (text.empty() || text.front() != u'@') return false;
  std::u16string_view head = text;
  const size_t open = text.find(u'<');
  if (open != std::u16string_view::npos) {
    std::u16string_view rest = text.substr(open + 1);
    while (!rest.empty() && rest.back() == u' ') rest.remove_suffix(1);
    if (rest.empty() || rest.back() != u'>') return false;
    out.pairs = rest.substr(0, rest.size() - 1);
    out.hasPairs = true;
    head = text.substr(0, open);
  }
  const size_t point = head.find(u'.');
  out.name = head.substr(0, point);
  if (point != std::u16string_view::npos) {
    out.pattern = head.substr(point + 1);
    out.hasPattern = true;
  }
  return true;
}

namespace {

// Up to three digits at `at`, advancing past them; 0 when there are none.
int32_t ReadThreeDigits(std::u16string_view pattern, size_t& at) {
  int32_t value = 0;
  for (int n = 0; n < 3 && at < pattern.size() && IsDigitAscii(pattern[at]); ++n, ++at)
    value = value * 10 + (pattern[at] - u'0');
  return value;
}

}  // namespace

void ApplyNumberPattern(CNNumberFormat& record, std::u16string_view pattern) {
  size_t at = 0;
  if (!pattern.empty() && IsDigitAscii(pattern.front()))
    record.decimalPlaces = ParseLeadingInt32(pattern, &at);
  while (at < pattern.size()) {
    switch (pattern[at++]) {
      case u'L':
        record.displayLength = ReadThreeDigits(pattern, at);
        break;
      case u'M': {
        const bool negative = at < pattern.size() && pattern[at] == u'-';
        if (negative) ++at;
        const int32_t shift = ReadThreeDigits(pattern, at);
        record.pointShift = negative ? -shift : shift;
        break;
      }
      case u'P':
        record.positiveSign.assign(1, u'+');
        break;
      case u'S':
        record.separator = true;
        if (at < pattern.size() && IsDigitAscii(pattern[at])) {
          record.grouping.clear();
          for (; at < pattern.size() && IsDigitAscii(pattern[at]); ++at)
            record.grouping.push_back(pattern[at] - u'0');
        }
        break;
      default:
        break;
    }
  }
}
