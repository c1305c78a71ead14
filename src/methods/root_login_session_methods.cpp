// The root's login functions: logging in and out through the project's login service, the
// login's state, and the users the panel server knows.
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "comm/login_server.h"
#include "methods/method_args.h"
#include "methods/root_login_methods.h"
#include "values/value_element.h"

namespace {

// "Login", "DirectLogin"(user, password[, project[, keep trying]]): logs in to the panel
// server of the project's settings, moving to the next node when the current one cannot be
// reached and redundancy is on. Without a project the project of the last login is kept. With
// keep trying a login that failed stays wanted, and the login keep-alive tries it again until
// the server takes it. True when logged in.
bool Login(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 4)) return false;
  call.result.SetBool(false);
  CNConnectionSettings* settings = nullptr;
  uint32_t owner = 0;
  CNPLoginServer* server = ReachLoginServer(call, &settings, &owner);
  if (!server) return true;
  const std::u16string user = ArgText(call.Arg(0));
  const std::u16string password = ArgText(call.Arg(1));
  const bool keepTrying = call.Count() > 3 && call.Arg(3).GetBool(0);
  uint32_t level = 0;
  const bool done = call.Count() > 2
                        ? server->LoginProject(owner, *settings, user, password, ArgText(call.Arg(2)),
                                               keepTrying, level, true)
                        : server->Login(owner, *settings, user, password, keepTrying, level, true);
  call.result.SetBool(done);
  return true;
}

// "Logout"(): ends the login (the keep-alive no longer restores it). True once logged out.
bool Logout(CMethodCall& call) {
  if (call.Count() != 0) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && server->Logout());
  return true;
}

// "IsLogin"(): true while logged in (false while a lost login waits to be restored).
bool IsLogin(CMethodCall& call) {
  if (call.Count() != 0) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && server->IsLogin());
  return true;
}

// "GetLoginIPAddress"(): the address of the panel server logged in to ("" before the first
// login).
bool GetLoginIPAddress(CMethodCall& call) {
  if (call.Count() != 0) return false;
  if (CNPLoginServer* server = ReachLoginServer(call)) call.result.SetString(server->GetLoginIPAddress());
  return true;
}

// "GetLoginUser"(): c(user, level) of this panel's login as the server knows it.
bool GetLoginUser(CMethodCall& call) {
  if (call.Count() != 0) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  CNServiceAnswer answer;
  if (!server || !server->GetLoginUser(answer)) return true;
  std::u16string user;
  uint32_t level = 0;
  if (!answer.GetText(0, user) || !answer.GetU32(1, level)) {
    SetLoginError(kInvalidAnswer);
    return true;
  }
  constexpr uint32_t kTwo = 2;
  call.result.SetDimensions(1, &kTwo);
  call.result.SetStringAt(0, user);
  call.result.SetNumberAt(1, level);
  return true;
}

// A count argument's element: 0 to 4,294,967,295, anything else 0.
uint32_t ElementCount(const ValueElement* element) {
  const double number = element ? std::trunc(ElementAsNumber(*element)) : 0;
  return number >= 0 && number <= std::numeric_limits<uint32_t>::max() ? static_cast<uint32_t>(number) : 0;
}

// "AddLoginUser"(user, password, level[, flags]): adds users to the server, or changes them:
// with a list of names one user per name, the other arguments' elements taken by position
// (repeating when a list is shorter). True when the server took them all.
bool AddLoginUser(CMethodCall& call) {
  if (!ArgCountIn(call, 3, 4)) return false;
  call.result.SetBool(false);
  const CNValue& names = call.Arg(0);
  if (names.GetCount() > std::numeric_limits<uint16_t>::max()) {
    SetLoginError(u"Too many users at once.");
    return true;
  }
  static const CNValue s_noFlags;
  const CNValue& flags = ArgOr(call, 3, s_noFlags);
  std::vector<std::u16string> passwords;
  std::vector<std::u16string> userNames = ArgNames(names);
  for (uint32_t i = 0; i < userNames.size(); ++i) {
    if (userNames[i].empty()) {
      SetLoginError(u"No user name.");
      return true;
    }
    const ValueElement* password = CyclicElement(call.Arg(1), i);
    passwords.push_back(password ? ElementText(*password, true) : std::u16string());
  }
  std::vector<CNLoginUserEntry> users;
  for (uint32_t i = 0; i < userNames.size(); ++i)
    users.push_back({userNames[i], passwords[i], ElementCount(CyclicElement(call.Arg(2), i)),
                     ElementCount(CyclicElement(flags, i))});
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && server->AddLoginUser(users));
  return true;
}

// "DelLoginUser"(user): removes the user from the server.
bool DelLoginUser(CMethodCall& call) {
  if (call.Count() != 1) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && server->DelLoginUser({}, ArgText(call.Arg(0))));
  return true;
}

// "SetLoginPassword"(user, new password): changes the user's password on the server.
bool SetLoginPassword(CMethodCall& call) {
  if (call.Count() != 2) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && server->SetLoginPassword({}, ArgText(call.Arg(0)), ArgText(call.Arg(1))));
  return true;
}

// "GetLoginLastError"(): why the newest of the login and server functions failed.
bool GetLoginLastError(CMethodCall& call) {
  if (call.Count() != 0) return false;
  call.result.SetString(LoginLastError(call));
  return true;
}

constexpr std::array kSessionMethods = {
    MethodEntry{u"DirectLogin", "Logs in to the panel server (as Login)", &Login},
    MethodEntry{u"Login", "Logs in to the panel server with a user and password", &Login},
    MethodEntry{u"Logout", "Ends the login", &Logout},
    MethodEntry{u"IsLogin", "Whether the panel is logged in", &IsLogin},
    MethodEntry{u"GetLoginIPAddress", "The address of the panel server logged in to", &GetLoginIPAddress},
    MethodEntry{u"GetLoginUser", "The user and level of this panel's login", &GetLoginUser},
    MethodEntry{u"AddLoginUser", "Adds or changes users on the server", &AddLoginUser},
    MethodEntry{u"DelLoginUser", "Removes a user from the server", &DelLoginUser},
    MethodEntry{u"SetLoginPassword", "Changes a user's password on the server", &SetLoginPassword},
    MethodEntry{u"GetLoginLastError", "Why the latest login or server function failed", &GetLoginLastError},
};

}  // namespace

std::span<const MethodEntry> RootLoginSessionMethods() {
  return kSessionMethods;
}
