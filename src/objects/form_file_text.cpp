#include "objects/form_file_text.h"

#include <array>

#include "support/utf16_text.h"

namespace {

struct Entity {
  char16_t character;
  std::u16string_view text;
};

// The order in which reading decodes them; "&amp;" last, so that "&amp;lt;" reads "&lt;".
constexpr std::array kEntities = {
    Entity{u'"', u"&quot;"}, Entity{u'<', u"&lt;"},  Entity{u'>', u"&gt;"},
    Entity{u'\'', u"&#39;"}, Entity{u'&', u"&amp;"},
};

}  // namespace

void AppendFormText(std::string& out, std::u16string_view text) {
  // The escaped characters are ASCII, so escaping the UTF-8 form is escaping the text. One
  // pass gives what the five replacements in turn give: only the first one produces "&".
  const std::string utf8 = Utf16ToUtf8(text);
  size_t done = 0;
  for (size_t at = utf8.find_first_of("&\"<>'"); at != std::string::npos;
       at = utf8.find_first_of("&\"<>'", done)) {
    out.append(utf8, done, at - done);
    switch (utf8[at]) {
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += "&#39;";
        break;
    }
    done = at + 1;
  }
  out.append(utf8, done);
}

std::u16string DecodeFormText(std::string_view attribute) {
  std::u16string text;
  DecodeFormText(attribute, text);
  return text;
}

void DecodeFormText(std::string_view attribute, std::u16string& text) {
  // Most attributes are ASCII: widened into the storage text already has.
  text.resize(attribute.size());
  unsigned char bits = 0;
  for (size_t i = 0; i < attribute.size(); ++i) {
    const auto c = static_cast<unsigned char>(attribute[i]);
    bits |= c;
    text[i] = c;
  }
  if (bits & 0x80) text = Utf8ToUtf16(attribute);
  if (text.find(u'&') == std::u16string::npos) return;
  // The replacements in turn, as the format defines them. None of the decoded characters can
  // start or complete another entity, so each pass only sees what the text itself holds.
  for (const Entity& entity : kEntities) {
    size_t out = text.find(entity.text);
    if (out == std::u16string::npos) continue;
    for (size_t in = out; in < text.size();) {
      if (text.compare(in, entity.text.size(), entity.text) == 0) {
        text[out++] = entity.character;
        in += entity.text.size();
      } else {
        text[out++] = text[in++];
      }
    }
    text.resize(out);
  }
}
