#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace panel_sim {

// The users who may log in, with their passwords and levels. Safe to use from any thread.
class UserTable {
 public:
  UserTable();  // the default users: user wqxa 1, admin admin 9

  // Replaces the users by those of a users file: one USER PASSWORD LEVEL per line, "#"
  // starting a comment. False with error "line N: ..." for a bad line or a user given twice;
  // the table is then unchanged.
  bool Load(std::string_view text, std::string& error);

  // The user's level when the password matches.
  std::optional<uint32_t> Check(std::u16string_view user, std::u16string_view password) const;
  // Adds a user or replaces one of the same name.
  void Set(std::u16string_view user, std::u16string_view password, uint32_t level);
  bool Remove(std::u16string_view user);
  bool SetPassword(std::u16string_view user, std::u16string_view password);

 private:
  struct User {
    std::u16string password;
    uint32_t level = 0;
  };

  mutable std::mutex m_lock;
  std::map<std::u16string, User, std::less<>> m_users;
};

}  // namespace panel_sim
