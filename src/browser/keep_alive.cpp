#include "browser/keep_alive.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "support/registry_store.h"
#include "support/trace.h"
#include "support/utf16_text.h"

extern char** environ;

namespace {

constexpr const char* kWatchdogNames[] = {"Vigilo3", "Vigilo3.exe"};

// The watchdog beside the host program, else on the PATH; empty when it is not installed.
std::string FindWatchdog(const std::string& programFolder) {
  std::vector<std::string> folders{programFolder};
  if (const char* path = std::getenv("PATH")) {
    std::string_view rest = path;
    while (!rest.empty()) {
      const size_t colon = rest.find(':');
      folders.emplace_back(rest.substr(0, colon));
      rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
  }
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    for (const char* name : kWatchdogNames) {
      const std::filesystem::path candidate = std::filesystem::path(folder) / name;
      if (access(candidate.c_str(), X_OK) == 0) return candidate.string();
    }
  }
  return {};
}

// The command line split at blanks outside double quotes, the quotes removed.
std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> words(1);
  bool quoted = false;
  for (char c : line) {
    if (c == '"') quoted = !quoted;
    else if (c == ' ' && !quoted) words.emplace_back();
    else words.back() += c;
  }
  return words;
}

}  // namespace

std::u16string KeepAliveValuePath(uint32_t processId) {
  return std::u16string(kKeepAliveKey) + u"\\" + AsciiToUtf16(std::to_string(processId));
}

std::string WatchdogCommandLine(uint32_t appId, uint32_t processId, const void* mainWindow, std::u16string_view key,
                                std::u16string_view launchOption, std::u16string_view outputFolder) {
  char head[160];
  std::snprintf(head, sizeof head, "Vigilo3.exe /app:%u /processid:%u /mainwnd:%p /counterinterval:60 /key:\"",
                appId, processId, mainWindow);
  return head + Utf16ToUtf8(key) + "\" /delreg /lounchoption:\"" + Utf16ToUtf8(launchOption) +
         "\" /outputfolder:\"" + Utf16ToUtf8(outputFolder) + "\"";
}

CNKeepAlive::CNKeepAlive(CRRegistryStore& store, std::string programFolder, uint32_t periodMs)
    : m_store(store), m_strProgramFolder(std::move(programFolder)), m_ulPeriodMs(periodMs) {}

CNKeepAlive::~CNKeepAlive() { Stop(); }

bool CNKeepAlive::Start(const void* mainWindow) {
  m_pMainWindow = mainWindow;
  return m_thread.Start(*this);
}

void CNKeepAlive::Stop() { m_thread.Stop(true); }

void CNKeepAlive::OnThreadStart(CRThread&) { StartWatchdog(); }

bool CNKeepAlive::OnThreadTick(CRThread& thread) {
  if (thread.WaitForStop(m_ulPeriodMs)) return false;
  ++m_ulCounter;
  WriteCounter();
  return true;
}

void CNKeepAlive::OnThreadEnd(CRThread&) { WriteCounter(); }

void CNKeepAlive::WriteCounter() {
  const std::u16string path = KeepAliveValuePath(static_cast<uint32_t>(getpid()));
  const size_t slash = path.rfind(u'\\');
  m_store.SetValue(std::u16string_view(path).substr(0, slash), std::u16string_view(path).substr(slash + 1),
                   CRRegistryValue::Number(static_cast<int32_t>(m_ulCounter)));
}

void CNKeepAlive::StartWatchdog() {
  const uint32_t pid = static_cast<uint32_t>(getpid());
  const std::string line = WatchdogCommandLine(0, pid, m_pMainWindow, KeepAliveValuePath(pid), u"", u"");
  const std::string program = FindWatchdog(m_strProgramFolder);
  if (program.empty()) {
    CRTrace::Printf("keep-alive: watchdog not installed; would run: %s", line.c_str());
    return;
  }
  std::vector<std::string> words = SplitCommandLine(line);
  words[0] = program;
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
    CRTrace::Printf("keep-alive: cannot start %s", program.c_str());
}
