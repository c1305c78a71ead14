#include "script/capability_policy.h"

#include <algorithm>
#include <vector>

#include "support/utf16_text.h"

namespace {

constexpr std::array<std::string_view, kCapabilityFamilies> kFamilyNames = {
    "processes", "files", "network", "settings", "clipboard", "os"};
constexpr std::array<std::string_view, kProjectSources> kSourceNames = {"local", "http", "brw"};

uint8_t FamilyBit(CapabilityFamily family) {
  return static_cast<uint8_t>(1u << (static_cast<unsigned>(family) - 1));
}

// The position of word in names, names.size() for "*", -1 for anything else.
template <size_t N>
int Position(const std::array<std::string_view, N>& names, std::string_view word) {
  if (word == "*") return static_cast<int>(N);
  for (size_t i = 0; i < N; ++i)
    if (names[i] == word) return static_cast<int>(i);
  return -1;
}

// The words of a line, split at spaces and tabs.
std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < line.size()) {
    const size_t start = line.find_first_not_of(" \t", at);
    if (start == std::string_view::npos) break;
    const size_t end = std::min(line.find_first_of(" \t", start), line.size());
    words.push_back(line.substr(start, end - start));
    at = end;
  }
  return words;
}

// Whether line is printable text: no control characters but tabs, and valid UTF-8.
bool IsTextLine(std::string_view line) {
  for (const char c : line)
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) return false;
  return Utf16ToUtf8(Utf8ToUtf16(line)) == line;  // invalid sequences would come back changed
}

std::string Quoted(std::string_view word) {
  std::string text = "\"";
  for (const char c : word.substr(0, 40)) text += c;
  return text + (word.size() > 40 ? "...\"" : "\"");
}

}  // namespace

std::string_view CapabilityFamilyName(CapabilityFamily family) {
  return family == CapabilityFamily::kNone ? std::string_view()
                                           : kFamilyNames[static_cast<size_t>(family) - 1];
}

std::string_view ProjectSourceName(ProjectSource source) {
  return kSourceNames[static_cast<size_t>(source)];
}

ProjectSource ProjectSourceOf(std::u16string_view path) {
  if (StartsWithIgnoreCaseAscii(path, u"http://")) return ProjectSource::kHttp;
  if (path.size() >= 4 && EqualsIgnoreCaseAscii(path.substr(path.size() - 4), u".brw"))
    return ProjectSource::kBrw;
  return ProjectSource::kLocal;
}

CKVCapabilityPolicy CKVCapabilityPolicy::DenyRemote() {
  CKVCapabilityPolicy policy;
  policy.m_allowed[static_cast<size_t>(ProjectSource::kHttp)] = 0;
  return policy;
}

bool CKVCapabilityPolicy::Allows(ProjectSource source, CapabilityFamily family) const {
  return family == CapabilityFamily::kNone ||
         (m_allowed[static_cast<size_t>(source)] & FamilyBit(family)) != 0;
}

// policy := { [rule] ["#" comment] newline }
// rule   := source family ("allow" | "deny")
std::optional<CKVCapabilityPolicy> CKVCapabilityPolicy::Parse(std::string_view text, std::string& error) {
  CKVCapabilityPolicy policy;
  // The line that set each source and family, to refuse a rule written twice.
  std::array<std::array<size_t, kCapabilityFamilies>, kProjectSources> setBy{};
  size_t number = 0;
  while (!text.empty() || number == 0) {
    ++number;
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto fail = [&](const std::string& why) {
      error = "line " + std::to_string(number) + ": " + why;
      return std::nullopt;
    };
    if (!IsTextLine(line)) return fail("not a line of text");
    line = line.substr(0, std::min(line.find('#'), line.size()));
    const std::vector<std::string_view> words = Words(line);
    if (words.empty()) continue;
    if (words.size() != 3)
      return fail("expected SOURCE FAMILY allow|deny, found " + std::to_string(words.size()) + " words");
    const int source = Position(kSourceNames, words[0]);
    if (source < 0) return fail("unknown source " + Quoted(words[0]) + " (local, http, brw or *)");
    const int family = Position(kFamilyNames, words[1]);
    if (family < 0)
      return fail("unknown family " + Quoted(words[1]) +
                  " (processes, files, network, settings, clipboard, os or *)");
    if (words[2] != "allow" && words[2] != "deny")
      return fail("expected allow or deny, found " + Quoted(words[2]));
    const bool exact =
        source < static_cast<int>(kProjectSources) && family < static_cast<int>(kCapabilityFamilies);
    if (exact) {
      size_t& earlier = setBy[static_cast<size_t>(source)][static_cast<size_t>(family)];
      if (earlier)
        return fail("the rule for " + std::string(words[0]) + " " + std::string(words[1]) +
                    " is already given on line " + std::to_string(earlier));
      earlier = number;
    }
    for (size_t s = 0; s < kProjectSources; ++s) {
      if (source != static_cast<int>(kProjectSources) && static_cast<size_t>(source) != s) continue;
      for (size_t f = 0; f < kCapabilityFamilies; ++f) {
        if (family != static_cast<int>(kCapabilityFamilies) && static_cast<size_t>(family) != f) continue;
        const auto bit = static_cast<uint8_t>(1u << f);
        policy.m_allowed[s] = words[2] == "allow" ? policy.m_allowed[s] | bit : policy.m_allowed[s] & ~bit;
      }
    }
  }
  return policy;
}
