// VeltrixBrowser6: the host program. Opens a project and runs it; with --headless, without a
// window: the same runtime on a plain user-interface loop, printing traces, panel events and
// message boxes to stdout, until the given seconds have passed or the project shuts down.
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "browser/project_browser.h"
#include "headless_host.h"
#include "objects/object_registry.h"
#include "options.h"
#include "shell/panel_classes.h"
#include "support/utf16_text.h"

namespace {

// SIGINT and SIGTERM end the loop; they are taken by a thread of their own so that the loop
// is ended from ordinary code.
class CSignalWatch {
 public:
  explicit CSignalWatch(CRMessageLoop& loop) {
    sigemptyset(&m_set);
    sigaddset(&m_set, SIGINT);
    sigaddset(&m_set, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &m_set, nullptr);
    m_thread = std::thread([this, &loop] {
      const timespec slice{0, 100'000'000};
      while (!m_bDone) {
        if (sigtimedwait(&m_set, nullptr, &slice) > 0) loop.Quit();
      }
    });
  }
  ~CSignalWatch() {
    m_bDone = true;
    m_thread.join();
  }

 private:
  sigset_t m_set;
  std::atomic<bool> m_bDone{false};
  std::thread m_thread;
};

int RunHeadless(const CHostOptions& options) {
  CRMessageLoop loop;
  CSignalWatch signals(loop);
  CHeadlessHost host(loop, options.defaultAnswer);
  CRMessageBox* previousBox = CRMessageBox::SetCurrent(&host);
  CPanelControls& registry = CPanelControls::Instance();
  RegisterPanelClasses(registry);
  int code = 0;
  {
    CNPProjectBrowser browser(registry, loop, host, {});
    CNProjectOverrides overrides;
    if (options.node) overrides.node = Utf8ToUtf16(*options.node);
    overrides.port = options.port;
    if (options.user) overrides.loginUser = Utf8ToUtf16(*options.user);
    if (options.password) overrides.loginPassword = Utf8ToUtf16(*options.password);
    browser.SetOverrides(overrides);
    if (!browser.OpenProject(Utf8ToUtf16(options.project))) {
      code = 1;
    } else if (options.seconds) {
      loop.RunFor(static_cast<uint32_t>(*options.seconds * 1000));
    } else {
      loop.Run();
    }
    browser.CloseProject();
  }
  UnregisterPanelClasses(registry);
  CRMessageBox::SetCurrent(previousBox);
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  CHostOptions options;
  std::string error;
  if (!ReadHostOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "VeltrixBrowser6: %s\n%s", error.c_str(), kHostUsage);
    return 2;
  }
  if (!options.headless) {
    std::fprintf(stderr, "VeltrixBrowser6: this build has no window yet; run with --headless\n");
    return 2;
  }
  return RunHeadless(options);
}
