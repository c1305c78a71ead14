// The root object's global functions for login, server time, server files and services: the
// parts put together, and what they share.
#include "methods/root_login_methods.h"

#include <mutex>
#include <vector>

#include "comm/login_server.h"
#include "methods/root_methods.h"

namespace {

std::mutex s_errorLock;
// The newest failure the functions found themselves; empty while the login service's own last
// error is the one to report.
std::u16string s_loginError;

}  // namespace

std::span<const MethodEntry> RootLoginMethods() {
  static const std::vector<MethodEntry> s_entries = [] {
    std::vector<MethodEntry> entries;
    for (std::span<const MethodEntry> part :
         {RootLoginSessionMethods(), RootServerTimeMethods(), RootServerServiceMethods(),
          RootServerStructureMethods(), RootServerFileMethods()})
      entries.insert(entries.end(), part.begin(), part.end());
    return entries;
  }();
  return s_entries;
}

CNPLoginServer* ReachLoginServer(CMethodCall& call, CNConnectionSettings** settings, uint32_t* ownerId) {
  CNConnectionSettings* offered = nullptr;
  uint32_t owner = 0;
  CNPLoginServer* server = call.host.GetLoginServer(offered, owner);
  if (!server || (settings && !offered)) {
    SetLoginError(kNoLoginServer);
    return nullptr;
  }
  if (settings) *settings = offered;
  if (ownerId) *ownerId = owner;
  SetLoginError({});
  return server;
}

void SetLoginError(std::u16string_view text) {
  std::lock_guard<std::mutex> guard(s_errorLock);
  s_loginError = text;
}

std::u16string LoginLastError(CMethodCall& call) {
  {
    std::lock_guard<std::mutex> guard(s_errorLock);
    if (!s_loginError.empty()) return s_loginError;
  }
  CNConnectionSettings* settings = nullptr;
  uint32_t owner = 0;
  CNPLoginServer* server = call.host.GetLoginServer(settings, owner);
  return server ? server->GetLoginLastError() : std::u16string();
}

bool AnswerValue(const CNServiceAnswer& answer, uint32_t i, CNValue& result) {
  CNValue value;
  if (!answer.GetValue(i, value)) {
    SetLoginError(kInvalidAnswer);
    return false;
  }
  result = std::move(value);
  return true;
}

bool AnswerText(const CNServiceAnswer& answer, uint32_t i, CNValue& result) {
  std::u16string text;
  if (!answer.GetText(i, text)) {
    SetLoginError(kInvalidAnswer);
    return false;
  }
  result.SetString(text);
  return true;
}

bool AnswerNumber(const CNServiceAnswer& answer, uint32_t i, CNValue& result) {
  uint32_t number = 0;
  if (!answer.GetU32(i, number)) {
    SetLoginError(kInvalidAnswer);
    return false;
  }
  result.SetNumber(number);
  return true;
}
