#include "panel_server_sim/user_table.h"

#include <charconv>

#include "panel_server_sim/config_text.h"
#include "support/utf16_text.h"

namespace panel_sim {

UserTable::UserTable() {
  m_users[u"user"] = {u"wqxa", 1};
  m_users[u"admin"] = {u"admin", 9};
}

bool UserTable::Load(std::string_view text, std::string& error) {
  std::map<std::u16string, User, std::less<>> users;
  for (const ConfigLine& line : SplitConfigLines(text)) {
    ConfigTokenizer tokens(line.text);
    if (tokens.AtEnd()) continue;
    const std::string_view name = tokens.Next();
    const std::string_view password = tokens.Next();
    const std::string_view levelText = tokens.Next();
    uint32_t level = 0;
    const auto [end, status] = std::from_chars(levelText.data(), levelText.data() + levelText.size(), level);
    if (levelText.empty()) {
      error = LineError(line.number, "expected USER PASSWORD LEVEL");
      return false;
    }
    if (status != std::errc() || end != levelText.data() + levelText.size()) {
      error = LineError(line.number, "level \"" + std::string(levelText) + "\" is not a whole number");
      return false;
    }
    if (!tokens.AtEnd()) {
      error = LineError(line.number, "unexpected \"" + std::string(tokens.Next()) + "\"");
      return false;
    }
    if (!users.emplace(Utf8ToUtf16(name), User{Utf8ToUtf16(password), level}).second) {
      error = LineError(line.number, "user " + std::string(name) + " is defined twice");
      return false;
    }
  }
  std::lock_guard<std::mutex> guard(m_lock);
  m_users = std::move(users);
  return true;
}

std::optional<uint32_t> UserTable::Check(std::u16string_view user, std::u16string_view password) const {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_users.find(user);
  if (found == m_users.end() || found->second.password != password) return std::nullopt;
  return found->second.level;
}

void UserTable::Set(std::u16string_view user, std::u16string_view password, uint32_t level) {
  std::lock_guard<std::mutex> guard(m_lock);
  m_users.insert_or_assign(std::u16string(user), User{std::u16string(password), level});
}

bool UserTable::Remove(std::u16string_view user) {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_users.find(user);
  if (found == m_users.end()) return false;
  m_users.erase(found);
  return true;
}

bool UserTable::SetPassword(std::u16string_view user, std::u16string_view password) {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_users.find(user);
  if (found == m_users.end()) return false;
  found->second.password = password;
  return true;
}

}  // namespace panel_sim
