// The common functions on texts. The text of an element is its display text, so an element
// without value reads as "N/A".
#include <unicode/uchar.h>

#include <algorithm>
#include <array>
#include <vector>

#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "support/utf16_text.h"

namespace {

using Text = std::u16string;
using TextView = std::u16string_view;

// A count of characters to take: none for 0 or less, all of them beyond the length.
size_t Clamped(int32_t n, size_t length) { return n <= 0 ? 0 : std::min<size_t>(static_cast<size_t>(n), length); }

bool IsFullWidth(char16_t c) {
  // Half-width katakana and the half-width forms are narrow; so is everything before Hangul Jamo.
  if (c < 0x1100 || (c >= 0xFF61 && c <= 0xFFDC) || (c >= 0xFFE8 && c <= 0xFFEE)) return false;
  const int width = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
  return width == U_EA_FULLWIDTH || width == U_EA_WIDE || width == U_EA_AMBIGUOUS;
}

Text MapCase(TextView text, UChar32 (*map)(UChar32)) {
  Text out(text);
  for (char16_t& c : out)
    if (c < 0xD800 || c > 0xDFFF) c = static_cast<char16_t>(map(c));
  return out;
}

Text ReplaceAll(TextView text, TextView old, TextView replacement) {
  if (old.empty()) return Text(text);
  Text out;
  size_t from = 0;
  for (size_t at; (at = text.find(old, from)) != TextView::npos; from = at + old.size())
    out.append(text.substr(from, at - from)).append(replacement);
  return out.append(text.substr(from));
}

TextView TrimmedLeft(TextView text) {
  size_t i = 0;
  while (i < text.size() && IsSpaceAscii(text[i])) ++i;
  return text.substr(i);
}

TextView TrimmedRight(TextView text) {
  size_t n = text.size();
  while (n > 0 && IsSpaceAscii(text[n - 1])) --n;
  return text.substr(0, n);
}

// Wildcard match: "*" any run of characters, "?" any one character.
bool Like(TextView text, TextView pattern) {
  size_t t = 0, p = 0, starP = TextView::npos, starT = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == text[t])) {
      ++t, ++p;
    } else if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++, starT = t;
    } else if (starP != TextView::npos) {
      p = starP + 1, t = ++starT;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

void SetList(CNValue& result, const std::vector<Text>& pieces) {
  if (pieces.empty()) return result.Clear();
  const auto count = static_cast<uint32_t>(pieces.size());
  result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) result.SetStringAt(i, pieces[i]);
}

// An element-wise text function: set the result element to transform(text of the element).
template <size_t Low, size_t High, class Transform>
bool EachText(CMethodCall& call, Transform&& transform) {
  return EachElement(call, Low, High, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    result.SetStringAt(i, transform(ElementText(e)));
  });
}

// "StrLen"(value): the length in UTF-16 code units.
bool StrLen(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    result.SetNumberAt(i, static_cast<double>(ElementText(e).size()));
  });
}

// "MBStrLen"(value): the length with full-width characters counted twice.
bool MBStrLen(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    const Text text = ElementText(e);
    result.SetNumberAt(i, static_cast<double>(text.size() + std::count_if(text.begin(), text.end(), IsFullWidth)));
  });
}

// "IsFullWidthChar"(value[, position]): whether the character at position (default 0) is full
// width; false beyond the end.
bool IsFullWidthChar(CMethodCall& call) {
  const int32_t at = call.Count() > 1 ? ArgInt32(call.Arg(1)) : 0;
  return EachElement(call, 1, 2, [at](CNValue& result, uint32_t i, const ValueElement& e) {
    const Text text = ElementText(e);
    result.SetBoolAt(i, at >= 0 && static_cast<size_t>(at) < text.size() && IsFullWidth(text[at]));
  });
}

bool LeftStr(CMethodCall& call) {
  const int32_t n = call.Count() == 2 ? ArgInt32(call.Arg(1)) : 0;
  return EachText<2, 2>(call, [n](TextView t) { return Text(t.substr(0, Clamped(n, t.size()))); });
}

bool RightStr(CMethodCall& call) {
  const int32_t n = call.Count() == 2 ? ArgInt32(call.Arg(1)) : 0;
  return EachText<2, 2>(call, [n](TextView t) { return Text(t.substr(t.size() - Clamped(n, t.size()))); });
}

// "MidStr"(value, start[, count]).
bool MidStr(CMethodCall& call) {
  const int32_t start = call.Count() >= 2 ? std::max(ArgInt32(call.Arg(1)), 0) : 0;
  const bool limited = call.Count() == 3;
  const int32_t count = limited ? ArgInt32(call.Arg(2)) : 0;
  return EachText<2, 3>(call, [&](TextView t) {
    if (static_cast<size_t>(start) >= t.size()) return Text();
    const TextView rest = t.substr(static_cast<size_t>(start));
    return Text(limited ? rest.substr(0, Clamped(count, rest.size())) : rest);
  });
}

// "ExtractStr"(value, opening, closing): the text between the first occurrence of opening and
// the next occurrence of closing after it; empty when either is missing.
bool ExtractStr(CMethodCall& call) {
  if (call.Count() != 3) return false;
  const Text open = ArgText(call.Arg(1)), close = ArgText(call.Arg(2));
  return EachText<3, 3>(call, [&](TextView t) {
    const size_t begin = t.find(open);
    if (begin == TextView::npos) return Text();
    const size_t end = t.find(close, begin + open.size());
    return end == TextView::npos ? Text() : Text(t.substr(begin + open.size(), end - begin - open.size()));
  });
}

// "FindStr"(value, pattern): the position of the first occurrence, -1 when none.
bool FindStr(CMethodCall& call) {
  const Text pattern = call.Count() == 2 ? ArgText(call.Arg(1)) : Text();
  return EachElement(call, 2, 2, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    const size_t at = ElementText(e).find(pattern);
    result.SetNumberAt(i, at == Text::npos ? -1.0 : static_cast<double>(at));
  });
}

// "CombineStr"(value, more...): at each position the texts of all arguments joined, the
// later arguments repeating cyclically.
bool CombineStr(CMethodCall& call) {
  return EachElement(call, 1, SIZE_MAX, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    Text text = ElementText(e);
    for (size_t a = 1; a < call.Count(); ++a)
      if (const ValueElement* other = CyclicElement(call.Arg(a), i)) text += ElementText(*other);
    result.SetStringAt(i, text);
  });
}

// "DivideStr"(text, length): the text cut into pieces of length characters (the last may be
// shorter); a length of 0 or less gives the whole text as one piece.
bool DivideStr(CMethodCall& call) {
  if (call.Count() != 2) return false;
  const Text text = ArgText(call.Arg(0));
  const int32_t n = ArgInt32(call.Arg(1));
  std::vector<Text> pieces;
  if (n <= 0) {
    if (!text.empty()) pieces.push_back(text);
  } else {
    for (size_t at = 0; at < text.size(); at += static_cast<size_t>(n)) pieces.push_back(text.substr(at, n));
  }
  SetList(call.result, pieces);
  return true;
}

bool TrimLeftStr(CMethodCall& call) {
  const bool byPrefix = call.Count() == 2;
  const Text prefix = byPrefix ? ArgText(call.Arg(1)) : Text();
  return EachText<1, 2>(call, [&](TextView t) {
    if (!byPrefix) return Text(TrimmedLeft(t));
    return Text(t.starts_with(prefix) ? t.substr(prefix.size()) : t);
  });
}

bool TrimRightStr(CMethodCall& call) {
  const bool bySuffix = call.Count() == 2;
  const Text suffix = bySuffix ? ArgText(call.Arg(1)) : Text();
  return EachText<1, 2>(call, [&](TextView t) {
    if (!bySuffix) return Text(TrimmedRight(t));
    return Text(t.ends_with(suffix) ? t.substr(0, t.size() - suffix.size()) : t);
  });
}

bool UpperStr(CMethodCall& call) {
  return EachText<1, 1>(call, [](TextView t) { return MapCase(t, &u_toupper); });
}

bool LowerStr(CMethodCall& call) {
  return EachText<1, 1>(call, [](TextView t) { return MapCase(t, &u_tolower); });
}

// "ReplaceStr"(value, old, new): every occurrence, left to right without overlap.
bool ReplaceStr(CMethodCall& call) {
  if (call.Count() != 3) return false;
  const Text old = ArgText(call.Arg(1)), replacement = ArgText(call.Arg(2));
  return EachText<3, 3>(call, [&](TextView t) { return ReplaceAll(t, old, replacement); });
}

// "InsertStr"(value, position, text): text inserted before position (0 or less: at the front,
// beyond the end: at the end).
bool InsertStr(CMethodCall& call) {
  if (call.Count() != 3) return false;
  const int32_t at = ArgInt32(call.Arg(1));
  const Text insert = ArgText(call.Arg(2));
  return EachText<3, 3>(call, [&](TextView t) {
    Text out(t);
    return out.insert(Clamped(at, t.size()), insert);
  });
}

// "RepeatInsertStr"(value, interval, text): text inserted after every interval characters,
// counted from the start, but not at the end.
bool RepeatInsertStr(CMethodCall& call) {
  if (call.Count() != 3) return false;
  const int32_t every = ArgInt32(call.Arg(1));
  const Text insert = ArgText(call.Arg(2));
  return EachText<3, 3>(call, [&](TextView t) {
    if (every <= 0) return Text(t);
    Text out;
    for (size_t at = 0; at < t.size(); at += static_cast<size_t>(every)) {
      if (at) out += insert;
      out += t.substr(at, static_cast<size_t>(every));
    }
    return out;
  });
}

// "CStrToArray"(text[, delimiter[, trim[, skip empty]]]).
bool CStrToArray(CMethodCall& call) {
  if (call.Count() < 1) return false;
  const Text text = ArgText(call.Arg(0));
  const Text delimiter = call.Count() > 1 ? ArgText(call.Arg(1)) : Text(u"\n");
  const bool trim = call.Count() > 2 && call.Arg(2).GetBool(0);
  const bool skipEmpty = call.Count() > 3 && call.Arg(3).GetBool(0);
  std::vector<Text> pieces;
  auto add = [&](TextView piece) {
    if (trim) piece = TrimmedRight(TrimmedLeft(piece));
    if (!skipEmpty || !piece.empty()) pieces.emplace_back(piece);
  };
  size_t from = 0;
  if (!delimiter.empty())
    for (size_t at; (at = text.find(delimiter, from)) != Text::npos; from = at + delimiter.size())
      add(TextView(text).substr(from, at - from));
  add(TextView(text).substr(from));
  SetList(call.result, pieces);
  return true;
}

// "CArrayToStr"(value[, delimiter]): the texts of all elements joined by the delimiter
// (default "\n"); the empty value gives an empty text.
bool CArrayToStr(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  const Text delimiter = call.Count() > 1 ? ArgText(call.Arg(1)) : Text(u"\n");
  const CNValue& value = call.Arg(0);
  Text out;
  for (uint32_t i = 0; i < value.GetCount(); ++i) (i ? out += delimiter : out) += value.GetText(i);
  call.result.SetString(out);
  return true;
}

// "TokenizeStr"(text[, separators]): the runs of characters between separator characters
// (each character of the second argument separates; default space, tab and line breaks);
// empty runs are dropped.
bool TokenizeStr(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  const Text text = ArgText(call.Arg(0));
  const Text separators = call.Count() > 1 ? ArgText(call.Arg(1)) : Text(u" \t\r\n");
  std::vector<Text> pieces;
  size_t from = 0;
  while (from < text.size()) {
    const size_t begin = text.find_first_not_of(separators, from);
    if (begin == Text::npos) break;
    const size_t end = std::min(text.find_first_of(separators, begin), text.size());
    pieces.push_back(text.substr(begin, end - begin));
    from = end;
  }
  SetList(call.result, pieces);
  return true;
}

// "IsLike"(value, pattern): whether the element's text matches the pattern ("*", "?").
bool IsLike(CMethodCall& call) {
  const Text pattern = call.Count() == 2 ? ArgText(call.Arg(1)) : Text();
  return EachElement(call, 2, 2, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    result.SetBoolAt(i, Like(ElementText(e), pattern));
  });
}

// "Chr"(code): the character of that UTF-16 code unit; codes outside 0 to 65,535 give no value.
bool Chr(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    const double code = ElementAsNumber(e);
    if (e.kind != VK_NA && code >= 0 && code <= 0xFFFF) result.SetStringAt(i, Text(1, static_cast<char16_t>(code)));
  });
}

// "StringFormat"(format, values...): the printf-style format with each conversion taking the
// next argument's first element.
bool StringFormat(CMethodCall& call) {
  if (call.Count() < 1) return false;
  std::vector<const ValueElement*> elements;
  for (size_t a = 1; a < call.Count(); ++a)
    elements.push_back(call.Arg(a).GetCount() ? &call.Arg(a).GetElements()[0] : nullptr);
  call.result.SetString(PrintfText(ArgText(call.Arg(0)), elements));
  return true;
}

// "Format"(value, format): each element through the printf-style format.
bool Format(CMethodCall& call) {
  const Text format = call.Count() == 2 ? ArgText(call.Arg(1)) : Text();
  return EachElement(call, 2, 2, [&](CNValue& result, uint32_t i, const ValueElement& e) {
    const ValueElement* one[] = {&e};
    result.SetStringAt(i, PrintfText(format, one));
  });
}

constexpr std::array kTextMethods = {
    MethodEntry{u"StringFormat", "A printf-style format filled with the arguments", &StringFormat},
    MethodEntry{u"Format", "Each element through a printf-style format", &Format},
    MethodEntry{u"StrLen", "The length of each element's text", &StrLen},
    MethodEntry{u"IsFullWidthChar", "Whether the character at a position is full width", &IsFullWidthChar},
    MethodEntry{u"MBStrLen", "The length of each text, full-width characters counted twice", &MBStrLen},
    MethodEntry{u"LeftStr", "The first n characters of each text", &LeftStr},
    MethodEntry{u"RightStr", "The last n characters of each text", &RightStr},
    MethodEntry{u"MidStr", "The characters of each text from a position, at most a count of them", &MidStr},
    MethodEntry{u"ExtractStr", "The text between an opening and the next closing text", &ExtractStr},
    MethodEntry{u"FindStr", "The position of a text within each text, -1 when absent", &FindStr},
    MethodEntry{u"CombineStr", "The texts of all arguments joined at each position", &CombineStr},
    MethodEntry{u"DivideStr", "A text cut into pieces of a length", &DivideStr},
    MethodEntry{u"TrimLeftStr", "Each text without leading white space or a given prefix", &TrimLeftStr},
    MethodEntry{u"TrimRightStr", "Each text without trailing white space or a given suffix", &TrimRightStr},
    MethodEntry{u"UpperStr", "Each text in upper case", &UpperStr},
    MethodEntry{u"LowerStr", "Each text in lower case", &LowerStr},
    MethodEntry{u"ReplaceStr", "Each text with every occurrence of one text replaced by another",
                &ReplaceStr},
    MethodEntry{u"InsertStr", "Each text with a text inserted before a position", &InsertStr},
    MethodEntry{u"RepeatInsertStr", "Each text with a text inserted after every so many characters",
                &RepeatInsertStr},
    MethodEntry{u"CStrToArray", "A text cut at a delimiter into a list", &CStrToArray},
    MethodEntry{u"CArrayToStr", "The texts of all elements joined by a delimiter", &CArrayToStr},
    MethodEntry{u"TokenizeStr", "The runs of a text between separator characters", &TokenizeStr},
    MethodEntry{u"IsLike", "Whether each text matches a pattern with * and ?", &IsLike},
    MethodEntry{u"Chr", "The character of a UTF-16 code", &Chr},
};

}  // namespace

std::span<const MethodEntry> CommonTextMethods() { return kTextMethods; }
