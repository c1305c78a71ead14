#include "server_tag_directory.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "support/utf16_text.h"
#include "tags/tag_server_link.h"

namespace {

constexpr auto kAnswerTime = std::chrono::seconds(10);

class ServerTagDirectory : public CNTagDirectory {
 public:
  explicit ServerTagDirectory(std::string hostAndPort) : m_hostAndPort(std::move(hostAndPort)) {}

  bool Lookup(const std::vector<std::u16string>& names, std::vector<bool>& known,
              std::string& error) override {
    CNServerSettings settings;
    if (!ParseHostAndPort(settings.nodes[0])) {
      error = "--server " + m_hostAndPort + ": give HOST:PORT";
      return false;
    }
    settings.communicationType = CNServerSettings::kTcp;
    CNTagServerStartInfo info;
    info.connection = CRPtr<CNConnectionSettings>::Make(settings);
    CNPTagServerLink link;
    link.Start(info);
    CNPTagServerConnectionPoint listener;
    std::vector<CNPLinkTag*> tags;
    for (const std::u16string& name : names)
      tags.push_back(static_cast<CNPLinkTag*>(link.GetTag(name, 0, &listener)));
    // A name is answered when the server linked it or refused it (then it is not offered again).
    const auto answered = [](const CNPLinkTag* tag) {
      const CNPLinkTag::LinkState state = tag->GetLinkState();
      return state.linked || !state.linkEnabled;
    };
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTime;
    bool done = false;
    while (!done && std::chrono::steady_clock::now() < deadline) {
      link.Dispatch();
      done =
          std::all_of(tags.begin(), tags.end(), [&](const CNPLinkTag* tag) { return !tag || answered(tag); });
      if (!done) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    known.clear();
    for (const CNPLinkTag* tag : tags) known.push_back(tag && tag->GetLinkState().linked);
    if (!done) error = "--server " + m_hostAndPort + ": " + Utf16ToUtf8(link.GetErrorText());
    for (CNPLinkTag* tag : tags)
      if (tag) link.ReleaseTag(tag, &listener);
    link.Dispatch();
    link.Stop();
    return done;
  }

 private:
  bool ParseHostAndPort(CNServerNode& node) const {
    const size_t colon = m_hostAndPort.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    const std::string port = m_hostAndPort.substr(colon + 1);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
      return false;
    node.port = static_cast<uint32_t>(std::stoul(port));
    node.host = Utf8ToUtf16(m_hostAndPort.substr(0, colon));
    return node.port > 0 && node.port < 65536;
  }

  std::string m_hostAndPort;
};

}  // namespace

std::unique_ptr<CNTagDirectory> MakeServerTagDirectory(const std::string& hostAndPort) {
  return std::make_unique<ServerTagDirectory>(hostAndPort);
}
