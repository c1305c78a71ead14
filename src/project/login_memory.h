#pragma once

#include <cstdint>
#include <string>

class CRRegistryStore;

// What the login dialog remembers for the next start, kept in the registry store under
// "SOFTWARE\Tarnvale\Panel Browser control Ver6\Custom": "LoginNode", "LoginPanelPort" (6001
// when absent), "LoginProject", "LoginUser", "LoginParam", and the saved password
// "LoginSavePwd", enciphered with Blowfish (ECB) under the login memory's key and written as
// hexadecimal text. An empty "LoginSavePwd" means the password is not saved.
struct CNLoginMemory {
  std::u16string node;
  uint32_t port = 6001;
  std::u16string project;
  std::u16string user;
  std::u16string param;
  std::u16string password;
  bool savePassword = false;

  static CNLoginMemory Load(CRRegistryStore& store);
  // False when the store cannot be written.
  bool Save(CRRegistryStore& store) const;
};

// The password as "LoginSavePwd" holds it, and back; a text that is not a whole enciphered
// password reads as empty.
std::u16string EncipherLoginPassword(std::u16string_view password);
std::u16string DecipherLoginPassword(std::u16string_view text);
