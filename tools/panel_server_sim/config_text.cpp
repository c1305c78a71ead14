#include "panel_server_sim/config_text.h"

namespace panel_sim {

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::vector<ConfigLine> SplitConfigLines(std::string_view text) {
  std::vector<ConfigLine> lines;
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back({++number, line});
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

void ConfigTokenizer::SkipSpaces() {
  while (m_pos < m_line.size() && IsSpace(m_line[m_pos])) ++m_pos;
}

bool ConfigTokenizer::AtEnd() {
  SkipSpaces();
  return m_pos >= m_line.size() || m_line[m_pos] == '#';
}

std::string_view ConfigTokenizer::Next() {
  if (AtEnd()) return {};
  const size_t start = m_pos;
  while (m_pos < m_line.size() && !IsSpace(m_line[m_pos])) ++m_pos;
  return m_line.substr(start, m_pos - start);
}

std::string_view ConfigTokenizer::NextLiteral(bool& unclosed) {
  unclosed = false;
  SkipSpaces();
  if (m_pos >= m_line.size()) return {};
  const size_t start = m_pos;
  const char open = m_line[m_pos];
  if (open != '"' && open != '#') {
    while (m_pos < m_line.size() && !IsSpace(m_line[m_pos])) ++m_pos;
    return m_line.substr(start, m_pos - start);
  }
  for (++m_pos; m_pos < m_line.size(); ++m_pos) {
    if (open == '"' && m_line[m_pos] == '\\') {
      ++m_pos;
    } else if (m_line[m_pos] == open) {
      ++m_pos;
      return m_line.substr(start, m_pos - start);
    }
  }
  unclosed = true;
  return m_line.substr(start);
}

std::string LineError(int number, std::string_view message) {
  return "line " + std::to_string(number) + ": " + std::string(message);
}

}  // namespace panel_sim
