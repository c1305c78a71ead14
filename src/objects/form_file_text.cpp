#include "objects/form_file_text.h"

#include <algorithm>
#include <array>

#include "support/utf16_text.h"

namespace {

struct Entity {
  char16_t character;
  std::u16string_view text;
};

// What reading decodes: "&amp;lt;" reads "&lt;", as "&amp;" gives a plain "&".
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
  // Most attributes are ASCII without "&": widened into the storage text already has, in the
  // same pass that looks for what needs more (byte flags, so that the pass stays vectorised).
  text.resize(attribute.size());
  unsigned char bits = 0;
  unsigned char ampersand = 0;
  for (size_t i = 0; i < attribute.size(); ++i) {
    const auto c = static_cast<unsigned char>(attribute[i]);
    bits |= c;
    ampersand |= c == '&';
    text[i] = c;
  }
  if (bits & 0x80) Utf8ToUtf16(attribute, text);
  if (!ampersand) return;
  // The format defines the replacements in turn, one pass per entity. Entities hold no "&" but
  // the first and none of the decoded characters can start or complete one, so the occurrences
  // are those of the text as read and never overlap: one pass over it gives the same result.
  // The text between two "&" moves down as one block.
  size_t out = text.find(u'&');
  for (size_t in = out; in < text.size();) {
    const auto entity = std::find_if(kEntities.begin(), kEntities.end(),
                                     [&](const Entity& e) { return text.compare(in, e.text.size(), e.text) == 0; });
    if (entity == kEntities.end()) {
      text[out++] = u'&';
      ++in;
    } else {
      text[out++] = entity->character;
      in += entity->text.size();
    }
    const size_t next = std::min(text.find(u'&', in), text.size());
    std::copy(text.begin() + in, text.begin() + next, text.begin() + out);
    out += next - in;
    in = next;
  }
  text.resize(out);
}
