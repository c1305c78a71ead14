#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// One named blink format: the period of the blinking.
struct CNBlinkFormat {
  int32_t interval = 1000;  // milliseconds, 0 or more

  friend bool operator==(const CNBlinkFormat&, const CNBlinkFormat&) = default;
};

// The one key, "Interval": a whole number; a negative one counts as 0. Other keys are refused.
bool SetBlinkKey(CNBlinkFormat& record, std::u16string_view key, std::u16string_view value);
bool GetBlinkKey(const CNBlinkFormat& record, std::u16string_view key, std::u16string& value);

// The named blink formats of a project. Not thread-safe on its own: the format store locks
// around it.
class CNBlinkFormats {
 public:
  // Rebuilds every named format from the default text followed by the project's text.
  void Load(std::u16string_view projectText);

  const CNBlinkFormat* Find(std::u16string_view name) const;
  // Adds the format when it is new; false, changing nothing, for a name without "@" in front.
  bool Set(std::u16string_view name, const CNBlinkFormat& record);
  std::vector<std::u16string> GetNames() const;
  const std::vector<std::u16string>& GetUserFormatNames() const { return m_userNames; }

 private:
  std::map<std::u16string, CNBlinkFormat, std::less<>> m_named;
  std::vector<std::u16string> m_userNames;
};
