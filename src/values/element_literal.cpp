#include "values/element_literal.h"

#include <charconv>
#include <cmath>

#include "support/utf16_text.h"
#include "values/value_text.h"
#include "values/value_time.h"

namespace {

std::u16string Unescape(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (c == u'\\' && i + 1 < text.size()) {
      c = text[++i];
      switch (c) {
        case u'b': c = u'\b'; break;
        case u't': c = u'\t'; break;
        case u'n': c = u'\n'; break;
        case u'f': c = u'\f'; break;
        case u'r': c = u'\r'; break;
        case u'0': c = u'\0'; break;
        default: break;  // \" \\ and any other escaped character stand for themselves
      }
    }
    out.push_back(c);
  }
  return out;
}

void AppendEscaped(std::u16string& out, std::u16string_view text) {
  for (char16_t c : text) {
    char16_t escaped = 0;
    switch (c) {
      case u'\b': escaped = u'b'; break;
      case u'\t': escaped = u't'; break;
      case u'\n': escaped = u'n'; break;
      case u'\f': escaped = u'f'; break;
      case u'\r': escaped = u'r'; break;
      case u'"': escaped = u'"'; break;
      case u'\\': escaped = u'\\'; break;
      default: break;
    }
    if (escaped) {
      out.push_back(u'\\');
      out.push_back(escaped);
    } else {
      out.push_back(c);
    }
  }
}

void ParseHashLiteral(std::u16string_view text, ValueElement& out) {
  if (text.size() < 2 || text.back() != u'#') return;
  if (text.size() == 11 && text[1] == u'&') {
    out.kind = VK_OBJECT;
    out.h = ParseObjectLiteral(text);
    return;
  }
  if (text == u"#N/A#") return;
  FileTime t = 0;
  if (ParseTimeLiteral(text, t)) {
    out.kind = VK_TIME;
    out.t = t;
  }
}

}  // namespace

void ParseElementLiteral(std::u16string_view text, bool escape, ValueElement& out) {
  ClearElement(out);
  if (text.empty()) return;
  if (text[0] == u'T' || text[0] == u'F') {  // covers "TRUE" and "FALSE"
    out.kind = VK_BOOL;
    out.b = text[0] == u'T' ? 1 : 0;
    return;
  }
  const char16_t first = text[0];
  if (IsHexDigitAscii(first) || first == u'-') {
    out.kind = VK_NUMBER;
    out.n = StringToNumber(text);
  } else if (first == u'"') {
    const std::u16string_view inner = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::u16string_view();
    if (escape) {
      SetElementString(out, Unescape(inner));
    } else {
      SetElementString(out, inner);
    }
  } else if (first == u'#') {
    ParseHashLiteral(text, out);
  }
}

void AppendElementLiteral(std::u16string& out, const ValueElement& e, bool escape) {
  switch (e.kind) {
    case VK_BOOL: out += e.b ? u'T' : u'F'; return;
    case VK_NUMBER:
      // Whole numbers print as integers; beyond the 64-bit range they keep the number text.
      if (std::floor(e.n) == e.n && std::fabs(e.n) < 9223372036854775808.0) {
        char buffer[24];
        const char* end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int64_t>(e.n)).ptr;
        for (const char* c = buffer; c != end; ++c) out.push_back(static_cast<char16_t>(*c));
      } else {
        out += NumberText(e.n);
      }
      return;
    case VK_STRING:
      out += u'"';
      if (escape) {
        AppendEscaped(out, ElementString(e));
      } else {
        out += ElementString(e);
      }
      out += u'"';
      return;
    case VK_TIME: out += TimeText(e.t, true); return;
    case VK_OBJECT: out += ObjectText(e.h); return;
    default: out += u"#N/A#"; return;
  }
}
