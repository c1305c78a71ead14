#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// One value of the registry store: a text or a signed 32-bit whole number.
struct CRRegistryValue {
  enum Kind : uint8_t { kText = 0, kNumber = 1 };
  Kind kind = kText;
  std::u16string text;
  int32_t number = 0;

  static CRRegistryValue Text(std::u16string_view text) { return {kText, std::u16string(text), 0}; }
  static CRRegistryValue Number(int32_t number) { return {kNumber, {}, number}; }
  bool operator==(const CRRegistryValue&) const = default;
};

// The settings store that stands in for the per-user registry: keys (paths of subkeys) holding
// named values, kept in one text file, "registry.txt", in the store's root folder:
//
//   [Settings\Window]
//   "Left"=dword:00000064
//   "Title"="Main \"panel\"\n"
//   @="the key's unnamed value"
//
// A key path is written with "\" or "/" between subkeys (empty parts are skipped, "." and ".."
// are refused); key and value names compare without regard to ASCII case and keep the case
// they were first written with. Lines the store cannot read (comments, hand edits) are kept as
// they are when the file is rewritten.
//
// Every change reads the file, edits it and writes it back through a temporary file that is
// renamed over the old one, under a lock file, so that readers always see a whole file and
// concurrent writers (threads or processes) never lose each other's changes. Reads take no
// lock. Nothing throws; failed operations leave a text for GetLastError.
class CRRegistryStore {
 public:
  // Limits, in UTF-16 code units: of a subkey name, a value name and a text value; and of the
  // store file, in bytes.
  static constexpr size_t kMaxKeyName = 255;
  static constexpr size_t kMaxValueName = 16383;
  static constexpr size_t kMaxText = size_t{1} << 20;
  static constexpr uintmax_t kMaxFileBytes = uintmax_t{16} << 20;

  // A store in root, which is made (with its parents) on the first change.
  explicit CRRegistryStore(std::filesystem::path root);

  // The per-user store: $XDG_CONFIG_HOME when it is an absolute path, else ~/.config, then
  // "Tarnvale/Panel Browser control Ver6". Read from the environment on every call.
  static std::filesystem::path DefaultRoot();

  const std::filesystem::path& GetRoot() const { return m_root; }
  std::filesystem::path GetFile() const;

  // False when the key or value does not exist or the store cannot be read.
  bool GetValue(std::u16string_view key, std::u16string_view name, CRRegistryValue& value);
  // Makes the key when needed and replaces a value of the same name, whatever its kind.
  bool SetValue(std::u16string_view key, std::u16string_view name, const CRRegistryValue& value);
  // True when the value is gone afterwards, also when there was none.
  bool DeleteValue(std::u16string_view key, std::u16string_view name);
  // Removes the key with all its values and subkeys; true when it is gone afterwards. The root
  // key (an empty path) cannot be deleted.
  bool DeleteKey(std::u16string_view key);

  const std::string& GetLastError() const { return m_lastError; }

 private:
  using KeyPath = std::vector<std::u16string>;
  struct Lines;

  bool ParseKey(std::u16string_view key, KeyPath& path);
  bool CheckValueName(std::u16string_view name);
  bool ReadLines(Lines& lines);
  bool WriteLines(const Lines& lines);
  template <class Edit>
  bool Change(Edit&& edit);
  bool Fail(std::string text);

  std::filesystem::path m_root;
  std::string m_lastError;
};
