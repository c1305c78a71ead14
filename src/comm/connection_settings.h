#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "comm/da_client.h"
#include "comm/server_settings.h"
#include "support/ref_cnt.h"

// The connection settings that every client of one project shares: the link tag server, the
// login stub and the service stubs read the current panel-server node (or HTTP gateway) from
// here, and the login stub moves it on when redundancy is on, so the next connection of any of
// them goes to the same node. The current entries may change on any thread; everything else is
// fixed at construction.
class CNConnectionSettings : public CRRefCnt {
 public:
  // fixedServer: the clients are bound to the one server of the settings (a service handshake
  // "Connect" instead of "Connect2", and no moving on after a failure). passThrough: the first
  // field of the HTTP connection text, handed to the gateway unchanged.
  explicit CNConnectionSettings(const CNServerSettings& settings, bool fixedServer = false,
                                std::u16string passThrough = {});

  const CNServerSettings& GetSettings() const { return m_settings; }
  bool IsFixedServer() const { return m_bFixedServer; }
  bool UsesHttp() const { return m_settings.communicationType == CNServerSettings::kHttp; }
  // Redundancy of the transport in use: "PSHTTPRedundancy" over HTTP, else "PSNodeRedundancy".
  bool IsRedundant() const { return UsesHttp() ? m_settings.httpRedundancy : m_settings.nodeRedundancy; }

  // The current entries: 0-based indexes, and the 1-based numbers the "SYS" tags report
  // (1 when the list is empty).
  uint32_t GetCurrentNode() const { return m_ulCurrentNode.load(std::memory_order_acquire); }
  uint32_t GetCurrentHttpServer() const { return m_ulCurrentHttp.load(std::memory_order_acquire); }
  uint32_t GetNodeNumber() const { return m_settings.nodes.empty() ? 1 : GetCurrentNode() + 1; }
  uint32_t GetHttpServerNumber() const { return m_settings.httpServers.empty() ? 1 : GetCurrentHttpServer() + 1; }
  CNServerNode GetCurrentNodeEntry() const;

  // With redundancy on for the transport in use, makes the next usable entry current: over TCP
  // the next node whose port is not 0, over HTTP the next gateway that is named, wrapping to the
  // first; at most one round. Without redundancy nothing changes.
  void AdvanceNode();

  // The connection text for the client of the transport in use, built from the current entries:
  // TCP "host,port,connect time-out,receive time-out,count,ping"; HTTP "pass-through,gateway
  // URL,user,password,host,port,connect time-out,receive time-out,count,ping".
  std::u16string GetConnectionString() const;
  // A new, unconnected client of the transport in use.
  std::unique_ptr<CNDAClient> CreateClient() const;

 private:
  const CNServerSettings m_settings;
  const bool m_bFixedServer;
  const std::u16string m_strPassThrough;
  std::atomic<uint32_t> m_ulCurrentNode;
  std::atomic<uint32_t> m_ulCurrentHttp{0};
};
