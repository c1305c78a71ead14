#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "support/thread.h"

class CRRegistryStore;

// The registry key under which the keep-alive counters live; the value is named after the
// process id.
inline constexpr std::u16string_view kKeepAliveKey =
    u"SOFTWARE\\Tarnvale\\Panel Browser control Ver6\\Custom\\KeepAlive\\KeepAliveCnt";
inline constexpr uint32_t kKeepAlivePeriodMs = 5000;

// "%s\%u" of the key and the process id.
std::u16string KeepAliveValuePath(uint32_t processId);

// The watchdog's command line: "Vigilo3.exe /app:%u /processid:%u /mainwnd:%p
// /counterinterval:60 /key:"%s" /delreg /lounchoption:"%s" /outputfolder:"%s"".
std::string WatchdogCommandLine(uint32_t appId, uint32_t processId, const void* mainWindow, std::u16string_view key,
                                std::u16string_view launchOption, std::u16string_view outputFolder);

// The keep-alive of a project with "KeepProcess" set, run by the project browser's worker
// thread: the watchdog program is started once (when it is installed beside the host program
// or on the PATH; otherwise the run is traced and the counter still kept), then the counter is
// written to the registry store every 5 s and a last time when the thread stops.
class CNKeepAlive : public CRThreadConnectionPoint {
 public:
  CNKeepAlive(CRRegistryStore& store, std::string programFolder, uint32_t periodMs = kKeepAlivePeriodMs);
  ~CNKeepAlive() override;
  CNKeepAlive(const CNKeepAlive&) = delete;
  CNKeepAlive& operator=(const CNKeepAlive&) = delete;

  bool Start(const void* mainWindow);
  void Stop();
  uint32_t GetCounter() const { return m_ulCounter; }

 private:
  void OnThreadStart(CRThread& thread) override;
  bool OnThreadTick(CRThread& thread) override;
  void OnThreadEnd(CRThread& thread) override;
  void WriteCounter();
  void StartWatchdog();

  CRRegistryStore& m_store;
  std::string m_strProgramFolder;
  uint32_t m_ulPeriodMs;
  const void* m_pMainWindow = nullptr;
  uint32_t m_ulCounter = 0;
  CRThread m_thread;
};
