#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "values/value.h"

// The configuration store of "GetConfig", "SetConfig", "ClearConfig", "SaveConfig" and
// "LoadConfig": values by section and key, kept as a text file of sections:
//
//   Top="a key outside every section"
//   [Plant]
//   Setpoint=21.5
//   Names=c("pump","valve \"B\"")
//   Started=#2024/05/01 08:00:00.000#
//
// Values are written as value literals with escapes, so every value reads back exactly (its
// quality and time stamp aside). A value that is no literal (a hand edit such as "Title=Main
// panel") reads as that text. Lines starting with ";" or "#" and lines the store cannot read are
// skipped; section and key names compare exactly.
class CKVConfigStore {
 public:
  // Limits: of the file, of the number of keys, of a section or key name (UTF-16 code units).
  static constexpr size_t kMaxFileBytes = size_t{4} << 20;
  static constexpr size_t kMaxKeys = 65536;
  static constexpr size_t kMaxName = 1024;

  // Whether name can stand as a section name (no line break, no "]", no space at either end,
  // at most kMaxName long; the empty name holds the keys before the first section) or as a key
  // (not empty, no line break, no "=", not starting with "[", ";" or "#", no space at either end).
  static bool IsSectionName(std::u16string_view name);
  static bool IsKeyName(std::u16string_view name);

  // False when there is no such key.
  bool Get(std::u16string_view section, std::u16string_view key, CNValue& value) const;
  // False, storing nothing, for a name that cannot stand or when the store is full.
  bool Set(std::u16string_view section, std::u16string_view key, const CNValue& value);
  // Removes the key; false when there was none.
  bool Remove(std::u16string_view section, std::u16string_view key);
  // Removes the section with its keys; false when there was none.
  bool RemoveSection(std::u16string_view section);
  void Clear();
  std::vector<std::u16string> GetSections() const;
  std::vector<std::u16string> GetKeys(std::u16string_view section) const;
  size_t GetKeyCount() const { return m_keyCount; }

  // The file text (UTF-8, "\n" after every line).
  std::string ToText() const;
  // Replaces the content with what the text holds; false, changing nothing, when the text holds
  // more keys than the store may.
  bool FromText(std::string_view text);

  // Writes the file (making its folder) through a temporary file renamed over it, and reads it
  // back; false with a message in error, changing nothing, when that fails.
  bool Save(const std::filesystem::path& file, std::u16string& error) const;
  bool Load(const std::filesystem::path& file, std::u16string& error);

 private:
  std::map<std::u16string, std::map<std::u16string, CNValue, std::less<>>, std::less<>> m_sections;
  size_t m_keyCount = 0;
};
