#include "editing/text_format_environment.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "support/utf16_text.h"

namespace {

std::atomic<CNTextFormatEnvironment*> s_environment{nullptr};

std::u16string EnvironmentLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value) continue;
    std::string_view name(value);
    std::u16string locale = AsciiToUtf16(name.substr(0, name.find_first_of(".@")));
    std::replace(locale.begin(), locale.end(), u'_', u'-');
    return locale;
  }
  return {};
}

}  // namespace

CNTextFormatEnvironment* CNTextFormatEnvironment::GetCurrent() {
  return s_environment.load(std::memory_order_acquire);
}

CNTextFormatEnvironment* CNTextFormatEnvironment::SetCurrent(CNTextFormatEnvironment* environment) {
  return s_environment.exchange(environment, std::memory_order_acq_rel);
}

int32_t NumberFormatBase(std::u16string_view formatName) {
  int32_t base = 10;
  CNTextFormatEnvironment* environment = CNTextFormatEnvironment::GetCurrent();
  if (!environment || !environment->GetNumberBase(formatName, base)) return 10;
  return base == 2 || base == 8 || base == 16 ? base : 10;
}

std::u16string CurrentLocaleName() {
  CNTextFormatEnvironment* environment = CNTextFormatEnvironment::GetCurrent();
  return environment ? environment->GetLocaleName() : EnvironmentLocaleName();
}
