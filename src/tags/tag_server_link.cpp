#include "tags/tag_server_link.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "comm/link_protocol.h"
#include "support/trace.h"
#include "support/utf16_text.h"

namespace {

using Guard = std::lock_guard<std::mutex>;
using OwnGuard = std::lock_guard<const CRCriticalHandle>;

CNPLinkTag* AsLinkTag(CNPTag* tag) {
  return tag != nullptr && tag->GetKind() == kTagLink ? static_cast<CNPLinkTag*>(tag) : nullptr;
}

// The server handle of a linked tag; 0 for a tag that is not linked (or not a link tag).
uint64_t ServerHandleOf(CNPTag* tag) {
  const CNPLinkTag* linkTag = AsLinkTag(tag);
  return linkTag ? linkTag->GetLinkState().serverHandle : 0;
}

std::u16string ServerError(std::u16string_view message) {
  return u"Error from server. : " + std::u16string(message);
}

}  // namespace

CNPTagServerLink::CNPTagServerLink() = default;

CNPTagServerLink::~CNPTagServerLink() {
  Stop();
}

std::u16string CNPTagServerLink::GetFullName(std::u16string_view name) const {
  if (m_chDirectPathMark != 0 && !name.empty() && name.front() == m_chDirectPathMark)
    return std::u16string(name.substr(1));
  return m_strAccessPath + std::u16string(name);
}

CNPTag* CNPTagServerLink::GetTag(std::u16string_view name, uint32_t advise, ServerConnectionPoint* listener) {
  std::u16string fullName = GetFullName(name);
  if (fullName.empty()) return nullptr;
  Guard mapGuard(m_mapLock);
  const auto found = m_tags.find(fullName);
  if (found == m_tags.end()) {
    auto tag = CRPtr<CNPLinkTag>::Make(fullName, std::u16string(name), advise, ++m_ullLastClientHandle);
    tag->AddListener(listener);
    m_tagsByClientHandle.emplace(tag->GetClientHandle(), tag.Get());
    tag->AddRef();  // the caller's; the map keeps the first
    CNPLinkTag* caller = tag.Get();
    m_tags.emplace(std::move(fullName), std::move(tag));
    m_bRelinkNeeded = true;
    m_bDispatchNeeded = true;
    return caller;
  }
  CNPLinkTag* tag = found->second.Get();
  if (tag->Reacquire(advise)) m_bRelinkNeeded = true;
  tag->AddListener(listener);
  tag->AddRef();
  AddPendingListener(tag, listener);
  return tag;
}

void CNPTagServerLink::AddPendingListener(CNPTag* tag, ServerConnectionPoint* listener) {
  tag->AddPendingListener(listener);
  m_bDispatchNeeded = true;
}

void CNPTagServerLink::ReleaseTag(CNPTag* tag, ServerConnectionPoint* listener) {
  if (tag == nullptr) return;
  if (ReleaseListener(tag, listener)) m_bRelinkNeeded = true;
}

CRPtr<CNValue> CNPTagServerLink::GetValue(CNPTag* tag, uint32_t readMode, bool* ok) {
  CNPLinkTag* linkTag = AsLinkTag(tag);
  bool read = linkTag != nullptr;
  if (read && readMode != 0) {
    CNPTag* const list[] = {tag};
    read = Read(list, readMode);
  }
  if (ok) *ok = read;
  return linkTag ? linkTag->GetValue() : CRPtr<CNValue>::Make();
}

bool CNPTagServerLink::SetValue(CNPTag* tag, const CNValue& value) {
  CNPTag* const list[] = {tag};
  return Write(list, std::span<const CNValue>(&value, 1));
}

bool CNPTagServerLink::Start(const CNTagServerStartInfo& info) {
  if (IsStarted()) return true;
  m_ulClientId = info.clientId;
  m_bOffline = info.offline;
  m_strAccessPath = info.accessPath;
  m_chDirectPathMark = info.directPathMark;
  m_ulUpdateRateMs = std::max(info.updateRateMs, kMinUpdateRateMs);
  m_pSettings = info.connection;
  m_bRelinkNeeded = true;
  m_bStarted = true;
  if (!m_bOffline) {
    m_pollThread.SetPeriod(m_ulUpdateRateMs);
    m_pollThread.Start();
  }
  return true;
}

void CNPTagServerLink::Stop() {
  m_bStarted = false;
  m_pollThread.Stop(true);
  Disconnect();
  Guard mapGuard(m_mapLock);
  m_tagsByClientHandle.clear();
  m_tags.clear();
}

std::u16string CNPTagServerLink::GetErrorText() {
  Guard guard(m_errorLock);
  return m_strLastError;
}

void CNPTagServerLink::SetErrorText(std::u16string text) {
  Guard guard(m_errorLock);
  m_strLastError = std::move(text);
}

bool CNPTagServerLink::IsConnected() const {
  OwnGuard guard(*this);
  return m_bConnected;
}

size_t CNPTagServerLink::GetTagCount() const {
  Guard mapGuard(m_mapLock);
  return m_tags.size();
}

// ---- connection

bool CNPTagServerLink::Connect() {
  OwnGuard guard(*this);
  if (m_bConnected) return true;
  bool refused = false;
  {
    Guard updateGuard(m_updateLock);
    if (!m_pSettings) {
      SetErrorText(u"Can't connect.");
      return false;
    }
    if (!m_pCommandClient) {
      m_pCommandClient = m_pSettings->CreateClient();
      m_pUpdateClient = m_pSettings->CreateClient();
      m_pCommandClient->SetSink(this);
      m_pUpdateClient->SetSink(this);
    }
    // The login stub may have moved on to another node since the last connect.
    const std::u16string connection = m_pSettings->GetConnectionString();
    const auto processId = static_cast<uint32_t>(getpid());
    ClientResult result = m_pCommandClient->Connect(connection, kClientKind, processId, m_ulClientId, false);
    if (result.Succeeded() &&
        !m_pUpdateClient->Connect(connection, kClientKind, processId, m_ulClientId, false).Succeeded())
      result = ClientResult::Fail(u"Can't connect.");
    CNLinkConfirmation confirmation{true, {}};
    uint64_t connectionId = 0;
    if (result.Succeeded())
      result =
          SendLinkConnect(*m_pCommandClient, m_packet, kLinkConnectCommand, 0, confirmation, connectionId);
    if (result.Succeeded() && confirmation.ok) {
      uint64_t unused = 0;
      result =
          SendLinkConnect(*m_pUpdateClient, m_packet, kLinkConnectUpdate, connectionId, confirmation, unused);
    }
    if (result.Succeeded() && confirmation.ok) {
      m_bConnected = true;
      ++m_ulConnection;
      if (std::exchange(m_bLost, false)) CRTrace::Notice("the connection to the panel server is back");
      return true;
    }
    refused = result.Succeeded();
    SetErrorText(refused ? ServerError(confirmation.message) : std::move(result.message));
    m_pCommandClient->Disconnect();
    m_pUpdateClient->Disconnect();
  }
  if (refused) std::this_thread::sleep_for(std::chrono::milliseconds(kRefusedPauseMs));
  return false;
}

void CNPTagServerLink::Disconnect() {
  OwnGuard guard(*this);
  if (!m_bOffline) {
    Guard updateGuard(m_updateLock);
    for (CNDAClient* client : {m_pCommandClient.get(), m_pUpdateClient.get()})
      if (client != nullptr && client->IsConnected()) client->Disconnect();
    m_bConnected = false;
  }
  {
    Guard mapGuard(m_mapLock);
    for (auto& [name, tag] : m_tags) tag->ResetLink();
  }
  m_bRelinkNeeded = true;
  m_bDispatchNeeded = true;
}

void CNPTagServerLink::DisconnectAfterFailure(uint32_t connection) {
  OwnGuard guard(*this);
  if (connection != m_ulConnection) return;
  TellLost();
  Disconnect();
}

bool CNPTagServerLink::Fail(std::u16string text) {
  SetErrorText(std::move(text));
  TellLost();
  Disconnect();
  return false;
}

void CNPTagServerLink::TellLost() {
  if (!m_bConnected || m_bOffline) return;
  m_bLost = true;
  CRTrace::Notice("the connection to the panel server was lost (" + Utf16ToUtf8(GetErrorText()) +
                  "); its tags are marked BAD until it is back");
}

// ---- the link step

bool CNPTagServerLink::ConnectAndLink() {
  OwnGuard guard(*this);
  if (m_bConnected && !m_bRelinkNeeded) return true;
  return LinkStep();
}

void CNPTagServerLink::WarnUnknown(const CNPLinkTag& tag) {
  if (!m_warnedUnknown.insert(tag.GetName()).second) return;
  std::string line =
      "warning: the panel server has no tag " + Utf16ToUtf8(tag.GetName()) + "; it stays empty";
  const std::u16string bound = tag.DescribeListeners();
  if (!bound.empty()) line += " (bound to " + Utf16ToUtf8(bound) + ")";
  CRTrace::Notice(line);
}

bool CNPTagServerLink::LinkStep() {
  OwnGuard guard(*this);
  m_bRelinkNeeded = false;
  if (!IsStarted()) return false;
  if (!Connect()) {
    m_bRelinkNeeded = true;
    return false;
  }
  std::vector<CRPtr<CNPLinkTag>> toLink, toUnlink, toAdvise;
  std::vector<CNLinkRequest> links;
  std::vector<uint64_t> releases;
  std::vector<CNAdviseRequest> advises;
  {
    Guard mapGuard(m_mapLock);
    for (const auto& [name, tag] : m_tags) {
      const CNPLinkTag::LinkState state = tag->GetLinkState();
      if (!state.linked && !state.released && state.linkEnabled) {
        toLink.push_back(tag);
        links.push_back({state.adviseRequested, tag->GetClientHandle(), tag->GetName()});
      } else if (state.linked && state.released) {
        toUnlink.push_back(tag);
        releases.push_back(state.serverHandle);
      } else if (state.linked && !state.released && state.adviseRequested != state.adviseOnServer) {
        toAdvise.push_back(tag);
        advises.push_back({state.serverHandle, state.adviseRequested});
      }
    }
  }
  if (links.empty() && releases.empty() && advises.empty()) return true;
  CNLinkConfirmation confirmation;
  std::vector<uint64_t> handles;
  const ClientResult result =
      SendLink(*m_pCommandClient, m_packet, links, releases, advises, confirmation, handles);
  if (!result.Succeeded()) return Fail(result.message);
  if (!confirmation.ok) return Fail(ServerError(confirmation.message));
  for (size_t i = 0; i < toLink.size(); ++i) {
    toLink[i]->SetLinked(handles[i], links[i].advise);
    if (handles[i] == 0) WarnUnknown(*toLink[i]);
  }
  for (const CRPtr<CNPLinkTag>& tag : toUnlink) tag->SetUnlinked();
  for (size_t i = 0; i < toAdvise.size(); ++i) toAdvise[i]->SetAdvised(advises[i].advise);
  return true;
}

// ---- polling

bool CNPTagServerLink::OnThreadTick(CRThread&) {
  if (IsStarted()) UpdateStep();
  return true;
}

void CNPTagServerLink::UpdateStep() {
  uint32_t connection = 0;
  ClientResult result;
  {
    Guard updateGuard(m_updateLock);
    if (!m_pUpdateClient || !m_pUpdateClient->IsConnected()) return;
    connection = m_ulConnection;
    result = SendUpdate(*m_pUpdateClient, m_updatePacket);
    if (result.Succeeded()) result = ApplyUpdate(m_updatePacket);
  }
  if (result.Succeeded()) return;
  SetErrorText(std::move(result.message));
  DisconnectAfterFailure(connection);
}

ClientResult CNPTagServerLink::ApplyUpdate(CNPacketHolder& answer) {
  CNLinkConfirmation confirmation;
  uint32_t count = 0;
  if (!ReadUpdateHeader(answer, confirmation, count)) return InvalidAnswer();
  ClientResult result;
  bool stored = false;
  CNTagItem item;
  for (uint32_t i = 0; i < count; ++i) {
    if (!ReadUpdateItem(answer, item)) {
      result = InvalidAnswer();
      break;
    }
    if (item.kind != kTagItemValue && item.kind != kTagItemQuality) continue;
    Guard mapGuard(m_mapLock);
    const auto found = m_tagsByClientHandle.find(item.clientHandle);
    if (found == m_tagsByClientHandle.end()) continue;
    if (item.kind == kTagItemValue) {
      found->second->SetValue(std::move(item.value));
    } else {
      found->second->SetQuality(item.quality);
    }
    stored = true;
  }
  if (stored) m_bDispatchNeeded = true;
  return result;
}

// ---- reading and writing

ClientResult CNPTagServerLink::ApplyItems(std::span<CNPLinkTag* const> tags, bool& allRead) {
  CNTagItem item;
  bool stored = false;
  ClientResult result;
  for (CNPLinkTag* tag : tags) {
    if (!ReadTagItem(m_packet, item)) {
      result = InvalidAnswer();
      break;
    }
    if (item.kind == kTagItemValue) {
      tag->SetValue(std::move(item.value));
      stored = true;
    } else if (item.kind == kTagItemQuality) {
      tag->SetQuality(item.quality);
      stored = true;
    } else if (item.kind != kTagItemNothing) {
      allRead = false;
    }
  }
  if (stored) m_bDispatchNeeded = true;
  return result;
}

bool CNPTagServerLink::Read(std::span<CNPTag* const> tags, uint32_t readMode) {
  if (tags.empty()) return true;
  if (!IsStarted()) {
    SetErrorText(u"Not connected.");
    return false;
  }
  if (m_bOffline) return true;
  OwnGuard guard(*this);
  if (!ConnectAndLink()) return false;
  std::vector<CNPLinkTag*> linked;
  std::vector<uint64_t> handles;
  bool allRead = true;
  for (CNPTag* tag : tags) {
    if (const uint64_t handle = ServerHandleOf(tag)) {
      linked.push_back(AsLinkTag(tag));
      handles.push_back(handle);
    } else {
      allRead = false;
    }
  }
  if (!allRead) SetErrorText(u"Not connected.");
  if (linked.empty()) return false;
  CNLinkConfirmation confirmation;
  ClientResult result =
      SendRead(*m_pCommandClient, m_packet, static_cast<uint8_t>(readMode), handles, confirmation);
  if (!result.Succeeded()) return Fail(std::move(result.message));
  if (!confirmation.ok) return Fail(ServerError(confirmation.message));
  result = ApplyItems(linked, allRead);
  if (!result.Succeeded()) return Fail(std::move(result.message));
  return allRead;
}

bool CNPTagServerLink::ReadAll(uint32_t readMode) {
  if (!IsStarted()) {
    SetErrorText(u"Not connected.");
    return false;
  }
  if (m_bOffline) return true;
  OwnGuard guard(*this);
  if (!ConnectAndLink()) return false;
  std::vector<CRPtr<CNPLinkTag>> held;
  {
    Guard mapGuard(m_mapLock);
    for (const auto& [name, tag] : m_tags) {
      const CNPLinkTag::LinkState state = tag->GetLinkState();
      if (state.linked && !state.released) held.push_back(tag);
    }
  }
  std::vector<CNPTag*> tags(held.size());
  std::transform(held.begin(), held.end(), tags.begin(),
                 [](const CRPtr<CNPLinkTag>& tag) { return tag.Get(); });
  return Read(tags, readMode);
}

bool CNPTagServerLink::Write(std::span<CNPTag* const> tags, std::span<const CNValue> values) {
  if (tags.empty()) return true;
  if (!IsStarted()) {
    SetErrorText(u"Fail to write. Not connected.");
    return false;
  }
  // A value for every tag, or the tags without one are not written.
  bool allWritten = values.size() >= tags.size();
  tags = tags.first(std::min(tags.size(), values.size()));
  if (m_bOffline) {
    for (size_t i = 0; i < tags.size(); ++i) {
      if (CNPLinkTag* tag = AsLinkTag(tags[i])) {
        tag->SetValue(CRPtr<CNValue>::Make(values[i]));
      } else {
        allWritten = false;
      }
    }
    m_bDispatchNeeded = true;
    return allWritten;
  }
  OwnGuard guard(*this);
  if (!ConnectAndLink()) {
    SetErrorText(u"Fail to write. Msg:" + GetErrorText());
    return false;
  }
  std::vector<CNPLinkTag*> linked;
  std::vector<CNWriteRequest> writes;
  for (size_t i = 0; i < tags.size(); ++i) {
    if (const uint64_t handle = ServerHandleOf(tags[i])) {
      linked.push_back(AsLinkTag(tags[i]));
      writes.push_back({handle, &values[i]});
    } else {
      allWritten = false;
    }
  }
  if (!allWritten) SetErrorText(u"Fail to write. Not connected.");
  if (linked.empty()) return false;
  CNLinkConfirmation confirmation;
  ClientResult result = SendWrite(*m_pCommandClient, m_packet, writes, confirmation);
  if (!result.Succeeded()) return Fail(u"Fail to write. Msg:" + result.message);
  if (!confirmation.ok) return Fail(u"Fail to write. " + ServerError(confirmation.message));
  result = ApplyItems(linked, allWritten);
  if (!result.Succeeded()) return Fail(u"Fail to write. Msg:" + result.message);
  return allWritten;
}

// ---- dispatch and collection

void CNPTagServerLink::Dispatch() {
  if (m_bDispatchNeeded.exchange(false)) {
    struct Change {
      CRPtr<CNPLinkTag> tag;
      CRPtr<CNValue> value;
      uint32_t changed = 0;
    };
    std::vector<Change> changes;
    {
      Guard mapGuard(m_mapLock);
      Change change;
      for (const auto& [name, tag] : m_tags) {
        if (!tag->TakeChange(change.value, change.changed)) continue;
        change.tag = tag;
        changes.push_back(std::move(change));
      }
    }
    // Listeners may get and release tags, or write, from their handlers: no lock is held.
    for (const Change& change : changes)
      change.tag->Notify(change.tag->GetShortName(), *change.value, change.changed);
  }
  if (!m_bOffline && m_bRelinkNeeded) LinkStep();
  CollectUnused();
}

void CNPTagServerLink::CollectUnused() {
  Guard mapGuard(m_mapLock);
  if (!IsGarbageFlagged()) return;
  for (const auto& [name, tag] : m_tags)
    if (tag->IsRemovable()) m_tagsByClientHandle.erase(tag->GetClientHandle());
  CollectFrom(m_tags);
}
