#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "comm/connection_settings.h"
#include "comm_e2e/server_process.h"
#include "support/utf16_text.h"
#include "tags/tag_server_link.h"

// Records every notification as "name=literal quality changed", e.g. "A=5 GOOD 1".
struct LinkRecorder : CNPTagServerConnectionPoint {
  std::vector<std::string> calls;

  uint32_t IsListening() override { return 1; }
  void TagChanged(CNPTag*, std::u16string_view name, const CNValue& value, uint32_t changed) override {
    calls.push_back(Utf16ToUtf8(std::u16string(name)) + "=" + Utf16ToUtf8(value.ToLiteral(true)) + " " +
                    Utf16ToUtf8(std::u16string(CNValue::GetQualityName(value.GetQuality()))) + " " +
                    std::to_string(changed));
  }
  std::string Last() const { return calls.empty() ? std::string() : calls.back(); }
};

// TCP to the server, time-outs of 2 seconds. (The link protocol through the HTTP gateway is
// tested with the clients against the server program.)
inline CRPtr<CNConnectionSettings> SettingsFor(const ServerProcess& server) {
  CNServerSettings settings;
  settings.timeOutSeconds = 2;
  settings.timeOutConnect = 2;
  settings.nodes[0] = {u"127.0.0.1", server.Port()};
  return CRPtr<CNConnectionSettings>::Make(settings);
}

inline CNTagServerStartInfo StartInfo(CRPtr<CNConnectionSettings> settings, bool offline = false) {
  CNTagServerStartInfo info;
  info.clientId = 7;
  info.offline = offline;
  info.updateRateMs = 50;
  info.connection = std::move(settings);
  return info;
}

// Dispatches (as the refresh tick does) until done() or the deadline; true when done.
inline bool DispatchUntil(CNPTagServer& server, const std::function<bool()>& done, int limitMs = 5000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  for (;;) {
    server.Dispatch();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

inline std::string ValueText(CNPTagServer& server, CNPTag* tag) {
  const CRPtr<CNValue> value = server.GetValue(tag, 0, nullptr);
  return Utf16ToUtf8(value->ToLiteral(true)) + " " +
         Utf16ToUtf8(std::u16string(CNValue::GetQualityName(value->GetQuality())));
}
