#include "comm/connection_settings.h"

#include <string_view>

#include "comm/da_client_soap.h"
#include "comm/da_client_tcp.h"
#include "support/utf16_text.h"

namespace {

// The count field of the connection text: kept by the clients, not used.
constexpr int kConnectionCount = 3;

// The index of the next entry after current (wrapping) that usable accepts; current itself when
// no other entry qualifies and it does, else current unchanged.
template <class List, class Usable>
uint32_t NextUsable(const List& list, uint32_t current, Usable usable) {
  const auto size = static_cast<uint32_t>(list.size());
  for (uint32_t step = 1; step <= size; ++step) {
    const uint32_t index = (current + step) % size;
    if (usable(list[index])) return index;
  }
  return current;
}

std::u16string Number(int64_t v) { return Utf8ToUtf16(std::to_string(v)); }

}  // namespace

CNConnectionSettings::CNConnectionSettings(const CNServerSettings& settings, bool fixedServer,
                                           std::u16string passThrough)
    : m_settings(settings),
      m_bFixedServer(fixedServer),
      m_strPassThrough(std::move(passThrough)),
      m_ulCurrentNode(settings.nodes.empty() ? 0 : settings.currentNode % settings.nodes.size()) {}

CNServerNode CNConnectionSettings::GetCurrentNodeEntry() const {
  if (m_settings.nodes.empty()) return {};
  return m_settings.nodes[GetCurrentNode() % m_settings.nodes.size()];
}

void CNConnectionSettings::AdvanceNode() {
  if (!IsRedundant()) return;
  if (UsesHttp()) {
    if (m_settings.httpServers.empty()) return;
    m_ulCurrentHttp.store(NextUsable(m_settings.httpServers, GetCurrentHttpServer(),
                                     [](const std::u16string& url) { return !url.empty(); }),
                          std::memory_order_release);
  } else {
    if (m_settings.nodes.empty()) return;
    m_ulCurrentNode.store(NextUsable(m_settings.nodes, GetCurrentNode(),
                                     [](const CNServerNode& node) { return node.port != 0; }),
                          std::memory_order_release);
  }
}

std::u16string CNConnectionSettings::GetConnectionString() const {
  const CNServerNode node = GetCurrentNodeEntry();
  std::u16string text;
  if (UsesHttp()) {
    const std::u16string url = m_settings.httpServers.empty()
                                   ? std::u16string()
                                   : m_settings.httpServers[GetCurrentHttpServer() % m_settings.httpServers.size()];
    for (const std::u16string_view part : {std::u16string_view(m_strPassThrough), std::u16string_view(url),
                                           std::u16string_view(m_settings.httpUser),
                                           std::u16string_view(m_settings.httpPassword)}) {
      text.append(part).push_back(u',');
    }
  }
  text.append(node.host).push_back(u',');
  text.append(Number(node.port)).push_back(u',');
  text.append(Number(m_settings.timeOutConnect)).push_back(u',');
  text.append(Number(m_settings.timeOutSeconds)).push_back(u',');
  text.append(Number(kConnectionCount)).push_back(u',');
  text.append(m_settings.ping ? u"Y" : u"N");
  return text;
}

std::unique_ptr<CNDAClient> CNConnectionSettings::CreateClient() const {
  if (UsesHttp()) return std::make_unique<CNDAClientSoap>();
  return std::make_unique<CNDAClientTcp>();
}
