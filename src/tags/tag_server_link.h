#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "comm/connection_settings.h"
#include "comm/da_client.h"
#include "comm/packet_holder.h"
#include "support/critical_handle.h"
#include "support/thread.h"
#include "tags/link_tag.h"
#include "tags/tag_server_base.h"

// The tags that live in the panel server. Two clients talk to the server, each on a connection
// of its own: the command client serves the user-interface thread (linking, "Read", "Write"),
// the update client a polling thread that asks for changed values every update period and
// stores them in the tags without telling anyone; Dispatch, on the user-interface thread, then
// notifies the listeners. Connecting and linking happen in the link step, run by Dispatch,
// Read, ReadAll and Write whenever the set of tags or the connection changed.
//
// Locks, always taken in this order: the server's own lock (the command client and the
// connection), the update lock (the update client), the map lock (the tag map and the index
// from client handle to tag), a tag's own lock.
class CNPTagServerLink : public CNPTagServerBase,
                         public CNDAClient::ClientConnectionPoint,
                         public CRCriticalHandle,
                         private CRThreadConnectionPoint {
 public:
  static constexpr uint32_t kMinUpdateRateMs = 50;
  // After the server refused a connection, the link step waits this long before it returns.
  static constexpr uint32_t kRefusedPauseMs = 1000;
  // The handshake's client kind of both clients.
  static constexpr uint8_t kClientKind = 1;

  CNPTagServerLink();
  CNPTagServerLink(const CNPTagServerLink&) = delete;
  CNPTagServerLink& operator=(const CNPTagServerLink&) = delete;
  ~CNPTagServerLink() override;

  CNPTag* GetTag(std::u16string_view name, uint32_t advise, ServerConnectionPoint* listener) override;
  void ReleaseTag(CNPTag* tag, ServerConnectionPoint* listener) override;
  CRPtr<CNValue> GetValue(CNPTag* tag, uint32_t readMode, bool* ok) override;
  bool SetValue(CNPTag* tag, const CNValue& value) override;
  bool Read(std::span<CNPTag* const> tags, uint32_t readMode) override;
  bool Write(std::span<CNPTag* const> tags, std::span<const CNValue> values) override;
  bool ReadAll(uint32_t readMode) override;
  void Dispatch() override;
  bool Start(const CNTagServerStartInfo& info) override;
  void Stop() override;
  std::u16string GetErrorText() override;

  void CollectUnused() override;
  void AddPendingListener(CNPTag* tag, ServerConnectionPoint* listener) override;

  // The link clients open no callback channel.
  void OnCallback(CNPacketHolder&) override {}

  // Stores the values of an "Update" answer (its arguments, from the packet's position) in the
  // tags named by their client handles; the polling thread's update step after each receive.
  // An answer that ends early or holds a malformed value fails with "Receive invalid packet.",
  // the items before the fault being kept.
  ClientResult ApplyUpdate(CNPacketHolder& answer);

  // The name the tag of name is keyed by: the name after the direct path mark, else the access
  // path followed by the name.
  std::u16string GetFullName(std::u16string_view name) const;
  bool IsStarted() const { return m_bStarted.load(std::memory_order_acquire); }
  bool IsConnected() const;
  size_t GetTagCount() const;

 private:
  // The polling thread's tick.
  bool OnThreadTick(CRThread& thread) override;
  void UpdateStep();

  // Tells the operator, once per name, that the server does not know a tag.
  void WarnUnknown(const CNPLinkTag& tag);
  // The link step (Linking): connects when needed and sends one "Link" with the tags to link,
  // to release and to re-advise. False when not started, not connected, or the server failed.
  bool LinkStep();
  // Connected and linked: the link step when the tags or the connection changed.
  bool ConnectAndLink();
  // Both clients, each with its handshake and "Connect"; both or neither. Under the own lock.
  bool Connect();
  // Disconnects both clients (unless offline) and resets every tag; relinking follows.
  void Disconnect();
  // The polling thread's disconnect after a failed update on the connection of that number;
  // nothing when the user-interface thread has connected anew since.
  void DisconnectAfterFailure(uint32_t connection);
  // Tells the operator that a connection in use was lost; under the own lock.
  void TellLost();
  // Keeps text as the last error, disconnects, and returns false.
  bool Fail(std::u16string text);
  void SetErrorText(std::u16string text);

  // Applies one "Read" or "Write" answer item to each tag in order; allRead is cleared for a
  // tag that failed. A short or malformed answer fails.
  ClientResult ApplyItems(std::span<CNPLinkTag* const> tags, bool& allRead);

  CNTagMap<CNPLinkTag> m_tags;
  std::unordered_set<std::u16string> m_warnedUnknown;  // under the own lock
  std::unordered_map<uint64_t, CNPLinkTag*> m_tagsByClientHandle;
  mutable std::mutex m_mapLock;
  uint64_t m_ullLastClientHandle = 0;  // under the map lock

  uint32_t m_ulClientId = 0;
  CRPtr<CNConnectionSettings> m_pSettings;
  char16_t m_chDirectPathMark = 0;
  std::u16string m_strAccessPath;
  uint32_t m_ulUpdateRateMs = kMinUpdateRateMs;
  std::atomic<bool> m_bStarted{false};
  bool m_bOffline = false;
  std::atomic<bool> m_bRelinkNeeded{false};
  std::atomic<bool> m_bDispatchNeeded{false};

  mutable std::mutex m_errorLock;
  std::u16string m_strLastError;

  // The clients, created on the first connect. The command client and m_packet belong to the
  // user-interface thread under the own lock, the update client and m_updatePacket to the
  // polling thread under the update lock; connecting and disconnecting hold both.
  std::unique_ptr<CNDAClient> m_pCommandClient;
  std::unique_ptr<CNDAClient> m_pUpdateClient;
  CNPacketHolder m_packet;
  CNPacketHolder m_updatePacket;
  std::mutex m_updateLock;
  bool m_bConnected = false;    // both clients connected; under both locks
  bool m_bLost = false;         // lost and not back yet, for telling the operator; own lock
  uint32_t m_ulConnection = 0;  // counts successful connects; under both locks

  CRThreadStandard m_pollThread{*this, kMinUpdateRateMs};
};
