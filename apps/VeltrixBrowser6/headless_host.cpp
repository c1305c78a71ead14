#include "headless_host.h"

#include <cstdio>
#include <string>

#include "support/utf16_text.h"
#include "values/value.h"
#include "values/value_display.h"

void CHeadlessHost::WriteLine(std::u16string_view text) {
  std::lock_guard guard(m_lock);
  const std::string line = Utf16ToUtf8(text) + '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fflush(stdout);
}

void CHeadlessHost::FirePanelEvent(std::u16string_view name, const CNValue& p1, const CNValue& p2) {
  WriteLine(u"[panel event] " + std::u16string(name) + u" " + DisplayText(p1) + u" " + DisplayText(p2));
}

void CHeadlessHost::SetTitle(std::u16string_view title) { WriteLine(u"[title] " + std::u16string(title)); }

void CHeadlessHost::Trace(const CNValue& value) { WriteLine(DisplayText(value)); }

MessageBoxAnswer CHeadlessHost::Show(std::u16string_view text, std::u16string_view caption, MessageBoxButtons buttons,
                                     MessageBoxIcon) {
  MessageBoxAnswer answer = IDOK;
  if (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) answer = m_defaultAnswer == IDNO ? IDNO : IDYES;
  else if (buttons == MB_OKCANCEL) answer = m_defaultAnswer == IDNO ? IDCANCEL : IDOK;
  static constexpr const char16_t* kAnswers[] = {u"", u"OK", u"Cancel", u"", u"", u"", u"Yes", u"No"};
  WriteLine(u"[message] " + std::u16string(caption) + u": " + std::u16string(text) + u" -> " + kAnswers[answer]);
  return answer;
}
