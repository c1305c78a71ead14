#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CNPBrowserHost;

// The desktop's own dialogs a script asks for ("OpenWindowsDialog", "OpenWindowsCommonDialog"):
// choosing a file, a folder or a font. The host shows them and the choice is the function's
// answer; a host without a window has none to show.
class CNPWindowsCommonDialog {
 public:
  enum Kind : uint8_t { kFile, kFolder, kFont };
  // The filter every file dialog offers.
  static constexpr std::u16string_view kFileFilter = u"All Files (*.*)|*.*||";

  explicit CNPWindowsCommonDialog(CNPBrowserHost& host) : m_host(host) {}

  // "file", "folder" or "font" (any case); false for another word.
  static bool KindFromText(std::u16string_view text, Kind& kind);
  // The operator's choice (a path, or a font text as fonts are written); false when cancelled
  // or the host cannot ask.
  bool Open(Kind kind, std::u16string_view title, std::u16string_view start, std::u16string& choice);

 private:
  CNPBrowserHost& m_host;
};
