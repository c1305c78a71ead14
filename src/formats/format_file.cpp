#include "formats/format_file.h"

#include "formats/format_values.h"
#include "support/utf16_text.h"

void ReadFormatFile(std::u16string_view text, CNFormatFileSink& sink) {
  bool inSection = false;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(u'\n', start);
    if (end == std::u16string_view::npos) end = text.size();
    const std::u16string_view line = TrimSpace(text.substr(start, end - start));
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      const std::u16string_view name = line.substr(1, line.size() - 2);
      inSection = !name.empty() && name.front() == u'@';
      if (inSection) sink.Section(name, start);
    } else if (inSection) {
      const size_t equals = line.find(u'=');
      if (equals != std::u16string_view::npos) {
        const std::u16string_view key = TrimSpace(line.substr(0, equals));
        if (!key.empty()) sink.Key(key, TrimSpace(line.substr(equals + 1)));
      }
    }
    start = end + 1;
  }
}

std::u16string JoinFormatText(std::string_view defaultText, std::u16string_view projectText) {
  std::u16string joined = Utf8ToUtf16(defaultText);
  joined += u'\n';
  joined += projectText;
  return joined;
}

size_t ProjectTextStart(std::string_view defaultText) {
  return Utf8ToUtf16(defaultText).size() + 1;
}
