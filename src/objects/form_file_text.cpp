#include "objects/form_file_text.h"

#include <algorithm>
#include <array>
#include <cstring>

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
  // Most texts need none: they are appended as they are.
  const size_t start = out.size();
  AppendUtf16AsUtf8(out, text);
  const size_t first = out.find_first_of("&\"<>'", start);
  if (first == std::string::npos) return;
  const std::string utf8 = out.substr(first);
  out.resize(first);
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
  text.resize(DecodeFormText(attribute, text).size());
  return text;
}

std::u16string_view DecodeFormText(std::string_view attribute, std::u16string& storage) {
  // Most attributes are ASCII without "&": widened into the storage, in the same pass that
  // looks for what needs more (byte flags and plain pointers, so that the pass stays
  // vectorised).
  if (storage.size() < attribute.size()) storage.resize(std::max(attribute.size(), storage.size() * 2));
  const auto* from = reinterpret_cast<const unsigned char*>(attribute.data());
  char16_t* to = storage.data();
  size_t length = attribute.size();
  unsigned char bits = 0;
  unsigned char ampersand = 0;
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = from[i];
    bits |= c;
    ampersand |= c == '&';
    to[i] = c;
  }
  if (bits & 0x80) {
    Utf8ToUtf16(attribute, storage);
    to = storage.data();
    length = storage.size();
  }
  if (!ampersand) return {to, length};
  // The format defines the replacements in turn, one pass per entity. Entities hold no "&" but
  // the first and none of the decoded characters can start or complete one, so the occurrences
  // are those of the text as read and never overlap: one pass over it gives the same result.
  // The text between two "&" moves down as one block (what is written never passes what is
  // still to be read).
  const std::u16string_view read(to, length);
  const bool ascii = !(bits & 0x80);
  const auto nextAmpersand = [&](size_t from) {
    if (!ascii) return std::min(read.find(u'&', from), length);
    // The positions in ASCII text are those of its bytes, which memchr searches faster.
    const void* at = std::memchr(attribute.data() + from, '&', length - from);
    return at ? static_cast<size_t>(static_cast<const char*>(at) - attribute.data()) : length;
  };
  size_t out = nextAmpersand(0);
  for (size_t in = out; in < length;) {
    const auto entity = std::find_if(kEntities.begin(), kEntities.end(), [&](const Entity& e) {
      return read.compare(in, e.text.size(), e.text) == 0;
    });
    if (entity == kEntities.end()) {
      to[out++] = u'&';
      ++in;
    } else {
      to[out++] = entity->character;
      in += entity->text.size();
    }
    const size_t next = nextAmpersand(in);
    std::copy(to + in, to + next, to + out);
    out += next - in;
    in = next;
  }
  return {to, out};
}
