#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "comm/da_client.h"
#include "comm/login_server.h"
#include "comm/packet_creator.h"
#include "support/critical_handle.h"
#include "support/ref_cnt.h"
#include "support/thread.h"

// The login service over a data-access client of its own (client kind 7, no callback
// channel). It keeps the login alive from a thread of its own, logs in again after a loss
// (on the next node when redundancy is on) and queues every change of the login state for the
// user-interface thread, which collects them with DeliverEvents.
//
// Every operation and every keep-alive tick holds the stub lock, so one command at a time is
// on the wire; the event queue has a lock of its own.
class CNLoginStub : public CNPLoginServer,
                    public CNDAClient::ClientConnectionPoint,
                    public CRCriticalHandle,
                    private CRThreadConnectionPoint {
 public:
  static constexpr uint32_t kKeepAlivePeriodMs = 5000;
  static constexpr uint8_t kClientKind = 7;

  // Starts the keep-alive thread. The listener (may be null) must outlive the stub.
  explicit CNLoginStub(ConnectionPoint* listener, uint32_t keepAlivePeriodMs = kKeepAlivePeriodMs);
  CNLoginStub(const CNLoginStub&) = delete;
  CNLoginStub& operator=(const CNLoginStub&) = delete;
  ~CNLoginStub() override;

  bool Login(uint32_t ownerId, CNConnectionSettings& settings, std::u16string_view user,
             std::u16string_view password, bool keepWanted, uint32_t& level, bool tryNextNode) override;
  bool LoginProject(uint32_t ownerId, CNConnectionSettings& settings, std::u16string_view user,
                    std::u16string_view password, std::u16string_view project, bool keepWanted,
                    uint32_t& level, bool tryNextNode) override;
  bool Logout() override;
  bool IsLogin() override;
  std::u16string GetLoginIPAddress() override;

  bool GetServerTime(FileTime& time) override;
  bool SetServerTime(CNBytes time) override;
  bool ReloadServer() override;
  bool SaveServerFile(std::u16string_view name) override;
  bool GetLoginUser(CNServiceAnswer& answer) override;
  bool AddLoginUser(std::span<const CNLoginUserEntry> users) override;
  bool DelLoginUser(CNBytes options, std::u16string_view user) override;
  bool SetLoginPassword(CNBytes options, std::u16string_view user, std::u16string_view password) override;
  bool AddReferenceCounter(std::u16string_view name, CNBytes options) override;
  bool SendMail(const CNMailArguments& mail) override;
  bool ReleaseReferenceCounter(std::u16string_view name) override;
  bool GetReferenceCounter(std::u16string_view name, CNServiceAnswer& answer) override;
  bool CreateSnapshotStructureTag(CNBytes options, std::u16string_view a, std::u16string_view b,
                                  std::u16string_view c, std::u16string_view d,
                                  const CNValue& value) override;
  bool SortSnapshotStructureTag(const CNValue& a, const CNValue& b) override;
  bool GetSnapshotStructureTagValue(CNBytes a, CNBytes b, const CNValue& value,
                                    CNServiceAnswer& answer) override;
  bool CreateSnapshotStructureTagMember(CNBytes options, std::u16string_view a, std::u16string_view b,
                                        std::u16string_view c, std::u16string_view d,
                                        const CNValue& value) override;
  bool SortSnapshotStructureTagMember(const CNValue& a, const CNValue& b) override;
  bool GetSnapshotStructureTagMemberValue(CNBytes a, CNBytes b, const CNValue& value,
                                          CNServiceAnswer& answer) override;
  bool FilterStructureTagName(CNBytes options, std::u16string_view a, std::u16string_view b,
                              std::u16string_view c, std::u16string_view d, CNServiceAnswer& answer) override;
  bool FilterStructureTagValue(CNBytes options, std::u16string_view a, std::u16string_view b,
                               std::u16string_view c, std::u16string_view d, const CNValue& value,
                               CNServiceAnswer& answer) override;
  bool GetStructureMemberProperty(std::u16string_view name, const CNValue& value,
                                  CNServiceAnswer& answer) override;
  bool GetStructureTagValue(const CNValue& a, const CNValue& b, CNServiceAnswer& answer) override;
  bool GetStructureTagBindScript(const CNValue& value, CNServiceAnswer& answer) override;
  bool SetStructureTagBindScript(const CNValue& a, const CNValue& b) override;
  bool GetDriverTagParam(const CNValue& value, CNServiceAnswer& answer) override;
  bool GetChildTags(uint32_t a, uint32_t b, std::u16string_view c, std::u16string_view d, const CNValue& e,
                    const CNValue& f, CNServiceAnswer& answer) override;
  bool SearchTags(uint32_t a, uint32_t b, std::u16string_view c, std::u16string_view d, const CNValue& e,
                  const CNValue& f, CNServiceAnswer& answer) override;
  bool SearchRelatedInfo(uint32_t a, uint32_t b, std::u16string_view c, std::u16string_view d,
                         const CNValue& e, CNServiceAnswer& answer) override;

  void DeliverEvents() override;
  std::u16string GetLoginLastError() override;
  uint32_t GetConnectionState() override;

  bool GetServerVersion(CNServiceAnswer& answer) override;
  bool GetLatestBrowser(std::u16string_view name, CNServiceAnswer& answer) override;
  bool GetBrowserFile(std::u16string_view name, uint32_t a, CNBytes b, CNServiceAnswer& answer) override;
  bool GetDirectLoginProjectInfo(CNServiceAnswer& answer) override;
  bool SendFile(std::u16string_view folder, std::u16string_view name, CNBytes data, CNBytes options) override;
  bool ReceiveFile(std::u16string_view folder, std::u16string_view name, CNServiceAnswer& answer) override;
  bool ServerBrowseFolder(std::u16string_view folder, std::u16string_view a, std::u16string_view b,
                          CNServiceAnswer& answer) override;
  bool ServerDeleteFile(std::u16string_view folder, std::u16string_view name) override;
  bool ServerDeleteFolder(std::u16string_view folder, std::u16string_view a) override;
  bool GetActionNames(std::u16string_view a, std::u16string_view b, CNServiceAnswer& answer) override;
  bool Test(const CNValue& value, CNServiceAnswer& answer) override;

  // The login stub opens no callback channel: nothing arrives here.
  void OnCallback(CNPacketHolder&) override {}

 private:
  using ArgumentWriter = std::function<bool(CNDAPacketCreator&)>;

  struct LoginEvent {
    uint32_t state;
    uint32_t level;
  };

  // Login and LoginProject; project null keeps the stored one.
  bool LoginAs(uint32_t ownerId, CNConnectionSettings& settings, std::u16string_view user,
               std::u16string_view password, const std::u16string_view* project, bool keepWanted,
               uint32_t& level, bool tryNextNode);
  // Connects and sends "Login" unless logged in already.
  bool LoginTransaction(bool tryNextNode);
  ClientResult ConnectClient();
  // After a failed login or keep-alive: disconnects, marks the login lost (or logged out when
  // not wanted) and moves to the next node when redundancy is on.
  void DropConnection();
  void ChangeState(uint32_t state);
  // One command with plain arguments: built, sent, received, checked; the answer's arguments.
  ClientResult Transact(std::u16string_view command, const ArgumentWriter& arguments,
                        CNServiceAnswer& answer);

  // A service command: refused with "Not logined." unless the login is wanted, run after the
  // login has been restored. Fetch hands back the answer; Confirm reads its ok flag and takes
  // the server's error text when it is 0.
  bool Fetch(std::u16string_view command, const ArgumentWriter& arguments, CNServiceAnswer& answer);
  bool Confirm(std::u16string_view command, const ArgumentWriter& arguments = {});

  // The keep-alive tick.
  bool OnThreadTick(CRThread& thread) override;

  ConnectionPoint* const m_pListener;
  std::mutex m_queueLock;
  std::vector<LoginEvent> m_events;  // under m_queueLock
  uint32_t m_ulOwnerId = 0;
  CRPtr<CNConnectionSettings> m_pSettings;
  std::u16string m_strHost;
  uint32_t m_ulPort = 0;
  std::u16string m_strUser;
  std::u16string m_strPassword;
  std::u16string m_strProject;
  uint32_t m_ulLevel = 0;
  bool m_bLoggedIn = false;
  bool m_bWanted = false;
  uint32_t m_ulState = kLoggedOut;
  std::u16string m_strLastError;
  CNPacketHolder m_packet;
  std::unique_ptr<CNDAClient> m_pClient;
  CRThreadStandard m_keepAlive;
};
