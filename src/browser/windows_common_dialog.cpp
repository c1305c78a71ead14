#include "browser/windows_common_dialog.h"

#include "browser/browser_host.h"
#include "support/utf16_text.h"

bool CNPWindowsCommonDialog::KindFromText(std::u16string_view text, Kind& kind) {
  static constexpr std::pair<std::u16string_view, Kind> kKinds[] = {
      {u"file", kFile}, {u"folder", kFolder}, {u"font", kFont}};
  for (const auto& [name, value] : kKinds) {
    if (!EqualsIgnoreCaseAscii(text, name)) continue;
    kind = value;
    return true;
  }
  return false;
}

bool CNPWindowsCommonDialog::Open(Kind kind, std::u16string_view title, std::u16string_view start,
                                  std::u16string& choice) {
  return m_host.ChooseCommon(kind, title, kind == kFile ? kFileFilter : std::u16string_view(), start, choice);
}
