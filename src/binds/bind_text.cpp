#include "binds/bind_text.h"

#include <cstdint>

#include "support/utf16_text.h"

namespace {

constexpr std::u16string_view kWatch = u";WATCH";
constexpr std::u16string_view kOnlyFirstIn = u";ONLYFIRSTIN";
constexpr std::u16string_view kInOut = u"INOUT:";
constexpr std::u16string_view kIn = u"IN:";
constexpr std::u16string_view kOut = u"OUT:";

// Cuts an option out of text: from its ";" up to the next ";" (which stays), or to the end.
// rest receives what followed the option's name; false when the option is absent.
bool CutOption(std::u16string& text, std::u16string_view option, std::u16string& rest) {
  const size_t at = text.find(option);
  if (at == std::u16string::npos) return false;
  const size_t after = at + option.size();
  size_t end = text.find(u';', after);
  if (end == std::u16string::npos) end = text.size();
  rest.assign(text, after, end - after);
  text.erase(at, end - at);
  return true;
}

// ":500" gives 500; anything that is not a colon and a whole number gives -1.
int32_t WatchValue(std::u16string_view rest) {
  if (rest.empty() || rest[0] != u':') return -1;
  rest.remove_prefix(1);
  while (!rest.empty() && IsSpaceAscii(rest.front())) rest.remove_prefix(1);
  while (!rest.empty() && IsSpaceAscii(rest.back())) rest.remove_suffix(1);
  if (rest.empty()) return -1;
  int64_t number = 0;
  for (const char16_t c : rest) {
    if (!IsDigitAscii(c)) return -1;
    number = number * 10 + (c - u'0');
    if (number > INT32_MAX) number = INT32_MAX;
  }
  return static_cast<int32_t>(number);
}

void TrimSpaces(std::u16string_view& text) {
  while (!text.empty() && IsSpaceAscii(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceAscii(text.back())) text.remove_suffix(1);
}

// White space, then trailing ";" and line feeds, then white space again.
std::u16string TrimScript(std::u16string_view text) {
  TrimSpaces(text);
  while (!text.empty() && (text.back() == u';' || text.back() == u'\n')) text.remove_suffix(1);
  TrimSpaces(text);
  return std::u16string(text);
}

// The text behind marker at position at, up to the first stop marker after it or the end.
std::u16string_view Section(std::u16string_view text, size_t at, std::u16string_view marker,
                            std::u16string_view stop) {
  const size_t begin = at + marker.size();
  const size_t end = text.find(stop, begin);
  return text.substr(begin, end == std::u16string_view::npos ? std::u16string_view::npos : end - begin);
}

}  // namespace

CNBindTextSections SplitBindText(std::u16string_view original) {
  CNBindTextSections sections;
  std::u16string text(original);
  std::u16string rest;
  if (CutOption(text, kWatch, rest)) sections.watch = WatchValue(rest);
  if (CutOption(text, kOnlyFirstIn, rest)) sections.onlyFirstIn = true;

  const std::u16string_view view = text;
  if (const size_t inOut = view.find(kInOut); inOut != std::u16string_view::npos) {
    sections.input = TrimScript(view.substr(inOut + kInOut.size()));
    sections.output = sections.input;
  } else {
    const size_t in = view.find(kIn);
    const size_t out = view.find(kOut);
    if (in != std::u16string_view::npos) sections.input = TrimScript(Section(view, in, kIn, kOut));
    if (out != std::u16string_view::npos) sections.output = TrimScript(Section(view, out, kOut, kIn));
    if (in == std::u16string_view::npos && out == std::u16string_view::npos)
      sections.input = TrimScript(view);
  }
  sections.beginsWithBAC = sections.input.starts_with(u"B.AC");
  return sections;
}
