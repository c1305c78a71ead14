#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace panel_sim {

// One line of a configuration text with its 1-based number; the line break is not included.
struct ConfigLine {
  int number = 0;
  std::string_view text;
};

// The lines of a text split at LF (a CR before it is dropped).
std::vector<ConfigLine> SplitConfigLines(std::string_view text);

// Cuts one line into tokens separated by white space. Where a plain token is expected, "#"
// starts a comment that runs to the end of the line.
class ConfigTokenizer {
 public:
  explicit ConfigTokenizer(std::string_view line) : m_line(line) {}

  // The next plain token; empty at the end of the line or at a comment.
  std::string_view Next();
  // The next token read as a value literal: a quoted string runs to its closing quote (a
  // backslash escapes the character after it) and a "#...#" literal to its closing "#", both
  // whatever spaces they hold; anything else reads as a plain token. Empty at the end of the
  // line; an unclosed literal sets unclosed.
  std::string_view NextLiteral(bool& unclosed);
  // Only white space or a comment remains.
  bool AtEnd();

 private:
  void SkipSpaces();

  std::string_view m_line;
  size_t m_pos = 0;
};

// "line N: message".
std::string LineError(int number, std::string_view message);

}  // namespace panel_sim
