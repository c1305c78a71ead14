#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// One visual theme: a name, a comment, and values looked up by names that begin with "@"
// ("@TextColor", "@BorderStyle3", "@TextFont"). Colour values are "#RRGGBB", border styles the
// item text of a border style ("3D_RAISE1"), fonts a font text. Names match without regard to
// ASCII case and keep the spelling they were first given; values keep the order they were added.
class CNVisualTheme {
 public:
  struct Value {
    std::u16string name;
    std::u16string value;
  };

  // A theme holds at most this many values, so that no file can make one grow without bound.
  static constexpr size_t kMaxValues = 256;

  CNVisualTheme() = default;
  explicit CNVisualTheme(std::u16string_view name) : m_strName(name) {}

  const std::u16string& GetName() const { return m_strName; }
  const std::u16string& GetComment() const { return m_strComment; }
  void SetComment(std::u16string_view comment) { m_strComment = comment; }

  // The value of an "@" name; null when the theme does not define it.
  const std::u16string* FindValue(std::u16string_view name) const;
  // Adds the name or replaces its value; false when the theme is full and lacks the name.
  bool SetValue(std::u16string_view name, std::u16string_view value);
  const std::vector<Value>& GetValues() const { return m_values; }

 private:
  std::u16string m_strName;
  std::u16string m_strComment;
  std::vector<Value> m_values;
};

// Whether a property text refers to a theme value: "@" and at least one more character.
inline bool IsThemeReference(std::u16string_view text) {
  return text.size() > 1 && text[0] == u'@';
}
