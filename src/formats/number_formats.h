#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "formats/locale_data.h"
#include "formats/number_format.h"

// The named number formats of a project, and the format strings resolved from them.
//
// Resolving a format string: look the whole string up in the cache; else split it, copy the
// named format, apply the pattern and then the key-value pairs, and cache the result. Strings
// with a "<" part are not cached once the cache holds kCacheLimit entries. Not thread-safe on
// its own: the format store locks around it.
class CNNumberFormats : public CNNumberFormatLookup {
 public:
  static constexpr size_t kCacheLimit = 500;
  static constexpr std::u16string_view kDefaultName = u"@NUMBER";  // of an empty format string
  static constexpr std::u16string_view kLocaleName = u"@LOCALE";

  CNNumberFormats() = default;
  CNNumberFormats(const CNNumberFormats&) = delete;
  CNNumberFormats& operator=(const CNNumberFormats&) = delete;

  // Rebuilds every named format from "@LOCALE" (made of the regional settings), then the
  // default text followed by the project's text. Empties the cache.
  void Load(std::u16string_view projectText, const CNLocaleNumbers& regional);

  // The record a format string names: a cached one, or one built into scratch; null when the
  // string names no format. A cached record stays valid until the next Load.
  const CNNumberFormat* Resolve(std::u16string_view formatString, std::optional<CNNumberFormat>& scratch);
  bool ResolveNumberFormat(std::u16string_view formatString, CNNumberFormat& out) override;

  const CNNumberFormat* FindNamed(std::u16string_view name) const;
  // The sections the project's text opened, in the order they first appear.
  const std::vector<std::u16string>& GetUserFormatNames() const { return m_userNames; }
  size_t GetCacheSize() const { return m_cache.size(); }

 private:
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::u16string_view text) const { return std::hash<std::u16string_view>{}(text); }
  };
  // Resolution without the cache; false when the string names no format.
  bool Build(std::u16string_view formatString, CNNumberFormat& out);

  std::map<std::u16string, CNNumberFormat, std::less<>> m_named;
  std::unordered_map<std::u16string, CNNumberFormat, TextHash, std::equal_to<>> m_cache;
  std::vector<std::u16string> m_userNames;
  bool m_bLoading = false;  // while loading, records change: nothing is cached
  int m_nDepth = 0;         // "All" inside a format string resolves another one
};
