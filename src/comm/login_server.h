#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "comm/connection_settings.h"
#include "comm/service_answer.h"
#include "support/file_time.h"
#include "values/value.h"

using CNBytes = std::span<const uint8_t>;

// One user of "AddLoginUser": name, password and the two integers the server keeps with it.
struct CNLoginUserEntry {
  std::u16string_view name;
  std::u16string_view password;
  uint32_t level = 0;
  uint32_t flags = 0;
};

// The arguments of "SendMail", in their order on the wire.
struct CNMailArguments {
  std::array<std::u16string_view, 6> firstTexts;
  std::array<CNBytes, 4> firstBlocks;
  std::array<std::u16string_view, 7> secondTexts;
  std::array<CNBytes, 2> secondBlocks;
};

// The login service of the panel server and the server services reached through the login:
// server time, users, reference counters, structure tags, tag searches, files and mail. Every
// operation reports success as a bool and leaves its failure text for GetLoginLastError.
// Operations that confirm an action succeed when the server's ok flag is set; operations that
// fetch data hand the answer's arguments back, in order, for the caller to read as the command
// defines. This interface performs nothing: it answers false, true for Logout, 0 or an empty
// text.
class CNPLoginServer {
 public:
  // Login states, and the connection states of GetConnectionState.
  enum LoginState : uint32_t { kLoggedOut = 0, kLoginLost = 1, kLoggedIn = 2 };
  enum ConnectionState : uint32_t {
    kNotWanted = 0,
    kNotConnected = 1,
    kConnectedNotLoggedIn = 2,
    kConnectedLoggedIn = 3
  };

  // Told of every change of the login state, on the thread that calls DeliverEvents.
  class ConnectionPoint {
   public:
    virtual ~ConnectionPoint() = default;
    virtual void OnLoginChanged(uint32_t state, uint32_t level) = 0;
  };

  virtual ~CNPLoginServer() = default;

  // Logs in as user at the current node of settings; level receives the user's level. With
  // keepWanted a failed login is retried by the keep-alive; with tryNextNode a node that cannot
  // be reached is followed by the next one when redundancy is on.
  virtual bool Login(uint32_t /*ownerId*/, CNConnectionSettings& /*settings*/, std::u16string_view /*user*/,
                     std::u16string_view /*password*/, bool /*keepWanted*/, uint32_t& /*level*/,
                     bool /*tryNextNode*/) {
    return false;
  }
  // The same, naming the project too (Login keeps the project of the last login).
  virtual bool LoginProject(uint32_t, CNConnectionSettings&, std::u16string_view, std::u16string_view,
                            std::u16string_view /*project*/, bool, uint32_t&, bool) {
    return false;
  }
  virtual bool Logout() { return true; }
  virtual bool IsLogin() { return false; }
  // The server address the client resolved, or "" without a client.
  virtual std::u16string GetLoginIPAddress() { return {}; }

  virtual bool GetServerTime(FileTime&) { return false; }
  virtual bool SetServerTime(CNBytes) { return false; }
  virtual bool ReloadServer() { return false; }
  virtual bool SaveServerFile(std::u16string_view) { return false; }
  virtual bool GetLoginUser(CNServiceAnswer&) { return false; }
  virtual bool AddLoginUser(std::span<const CNLoginUserEntry>) { return false; }
  virtual bool DelLoginUser(CNBytes, std::u16string_view) { return false; }
  virtual bool SetLoginPassword(CNBytes, std::u16string_view, std::u16string_view) { return false; }
  virtual bool AddReferenceCounter(std::u16string_view, CNBytes) { return false; }
  virtual bool SendMail(const CNMailArguments&) { return false; }
  virtual bool ReleaseReferenceCounter(std::u16string_view) { return false; }
  virtual bool GetReferenceCounter(std::u16string_view, CNServiceAnswer&) { return false; }
  virtual bool CreateSnapshotStructureTag(CNBytes, std::u16string_view, std::u16string_view,
                                          std::u16string_view, std::u16string_view, const CNValue&) {
    return false;
  }
  virtual bool SortSnapshotStructureTag(const CNValue&, const CNValue&) { return false; }
  virtual bool GetSnapshotStructureTagValue(CNBytes, CNBytes, const CNValue&, CNServiceAnswer&) {
    return false;
  }
  virtual bool CreateSnapshotStructureTagMember(CNBytes, std::u16string_view, std::u16string_view,
                                                std::u16string_view, std::u16string_view, const CNValue&) {
    return false;
  }
  virtual bool SortSnapshotStructureTagMember(const CNValue&, const CNValue&) { return false; }
  virtual bool GetSnapshotStructureTagMemberValue(CNBytes, CNBytes, const CNValue&, CNServiceAnswer&) {
    return false;
  }
  virtual bool FilterStructureTagName(CNBytes, std::u16string_view, std::u16string_view, std::u16string_view,
                                      std::u16string_view, CNServiceAnswer&) {
    return false;
  }
  virtual bool FilterStructureTagValue(CNBytes, std::u16string_view, std::u16string_view, std::u16string_view,
                                       std::u16string_view, const CNValue&, CNServiceAnswer&) {
    return false;
  }
  virtual bool GetStructureMemberProperty(std::u16string_view, const CNValue&, CNServiceAnswer&) {
    return false;
  }
  virtual bool GetStructureTagValue(const CNValue&, const CNValue&, CNServiceAnswer&) { return false; }
  virtual bool GetStructureTagBindScript(const CNValue&, CNServiceAnswer&) { return false; }
  virtual bool SetStructureTagBindScript(const CNValue&, const CNValue&) { return false; }
  virtual bool GetDriverTagParam(const CNValue&, CNServiceAnswer&) { return false; }
  virtual bool GetChildTags(uint32_t, uint32_t, std::u16string_view, std::u16string_view, const CNValue&,
                            const CNValue&, CNServiceAnswer&) {
    return false;
  }
  virtual bool SearchTags(uint32_t, uint32_t, std::u16string_view, std::u16string_view, const CNValue&,
                          const CNValue&, CNServiceAnswer&) {
    return false;
  }
  virtual bool SearchRelatedInfo(uint32_t, uint32_t, std::u16string_view, std::u16string_view, const CNValue&,
                                 CNServiceAnswer&) {
    return false;
  }

  // Hands the queued login changes to the listener, oldest first (user-interface thread).
  virtual void DeliverEvents() {}
  virtual std::u16string GetLoginLastError() { return {}; }
  virtual uint32_t GetConnectionState() { return kNotWanted; }

  virtual bool GetServerVersion(CNServiceAnswer&) { return false; }
  virtual bool GetLatestBrowser(std::u16string_view, CNServiceAnswer&) { return false; }
  virtual bool GetBrowserFile(std::u16string_view, uint32_t, CNBytes, CNServiceAnswer&) { return false; }
  virtual bool GetDirectLoginProjectInfo(CNServiceAnswer&) { return false; }
  virtual bool SendFile(std::u16string_view, std::u16string_view, CNBytes, CNBytes) { return false; }
  virtual bool ReceiveFile(std::u16string_view, std::u16string_view, CNServiceAnswer&) { return false; }
  virtual bool ServerBrowseFolder(std::u16string_view, std::u16string_view, std::u16string_view,
                                  CNServiceAnswer&) {
    return false;
  }
  virtual bool ServerDeleteFile(std::u16string_view, std::u16string_view) { return false; }
  virtual bool ServerDeleteFolder(std::u16string_view, std::u16string_view) { return false; }
  virtual bool GetActionNames(std::u16string_view, std::u16string_view, CNServiceAnswer&) { return false; }
  virtual bool Test(const CNValue&, CNServiceAnswer&) { return false; }
};
