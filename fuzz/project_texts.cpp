// The small text files a project names and the texts it carries in its settings: theme files,
// login files, translation tables, frame-set definitions and edit-box text formats; and the
// site's policy file. The first
// byte picks the reader; none may crash, hang or grow without bound, and what a reader keeps
// stays within its limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "editing/text_format.h"
#include "project/frameset_definition.h"
#include "project/login_file.h"
#include "project/translation.h"
#include "screen/visual_theme_file.h"
#include "script/capability_policy.h"
#include "support/utf16_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  if (data[0] == 0xFF) {  // the policy is read as bytes: it refuses what is no text
    std::string error;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (!CKVCapabilityPolicy::Parse(bytes, error) && error.empty()) std::abort();
    return 0;
  }
  const std::u16string text =
      Utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  switch (data[0] % 5) {
    case 0: {
      constexpr size_t kMaxThemes = 16;
      std::vector<CNVisualTheme> themes;
      ReadVisualThemeFile(text, themes, kMaxThemes);
      if (themes.size() > kMaxThemes) std::abort();
      break;
    }
    case 1: {
      const CNLoginFile file = ReadLoginFile(text);
      if (file.port > 65535 || file.port2 > 65535) std::abort();
      break;
    }
    case 2: {
      CNPTranslation translation;
      translation.Load(text);
      for (size_t at = 0; at < text.size(); at += 7) translation.Translate(std::u16string_view(text).substr(at, 7));
      break;
    }
    case 3: {
      CNPFramesetDefinition definition;
      std::u16string error;
      ParseFramesetDefinition(text, definition, error);
      break;
    }
    default:
      for (int32_t type = 0; type < 3; ++type) ParseTextFormat(type, text);
      break;
  }
  return 0;
}
