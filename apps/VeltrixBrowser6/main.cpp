// VeltrixBrowser6: the host program. Opens a project and shows it in a window; with --headless,
// without a window: the same runtime on a plain user-interface loop, printing message boxes to
// stdout as well. Traces and panel events go to stdout either way; the run ends when the
// project shuts down, the window closes or the given seconds have passed.
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "browser/project_browser.h"
#include "headless_host.h"
#include "headless_run.h"
#include "options.h"
#include "platform/sdl_credentials_prompt.h"
#include "window_host.h"
#include "shell/activex_app.h"
#include "shell/veltrix_browser_ctrl.h"
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

// Opens the project in the control and runs it on the host's loop until it ends; 1 when it
// could not open.
template <typename RunLoop>
int RunProject(const CHostOptions& options, CRMessageLoop& loop, CHeadlessHost& host, RunLoop runLoop) {
  CVeltrixBrowserActiveXApp module;
  CNPProjectBrowser::Options browserOptions;
  browserOptions.policyFile = options.policy;
  CVeltrixBrowserCtrl control(module, loop, host, browserOptions);
  CNProjectOverrides overrides;
  if (options.node) overrides.node = Utf8ToUtf16(*options.node);
  overrides.port = options.port;
  if (options.user) overrides.loginUser = Utf8ToUtf16(*options.user);
  if (options.password) overrides.loginPassword = Utf8ToUtf16(*options.password);
  control.GetBrowser().SetOverrides(overrides);
  control.SetFileName(Utf8ToUtf16(options.project));
  control.SetUserMode(true);
  control.CreateControlWindow(options.width, options.height);  // opens the project
  if (!control.GetBrowser().IsOpen()) return 1;
  runLoop(control.GetBrowser());
  return 0;
}

int RunHeadless(const CHostOptions& options) {
  CRMessageLoop loop;
  CSignalWatch signals(loop);
  CHeadlessHost host(loop, options.defaultAnswer);
  CRMessageBox* previousBox = CRMessageBox::SetCurrent(&host);
  const int code = RunProject(options, loop, host,
                              [&](CNPProjectBrowser& browser) { RunHeadlessProject(loop, browser, options); });
  CRMessageBox::SetCurrent(previousBox);
  return code;
}

int RunWindowed(const CHostOptions& options) {
  CRMessageLoop loop;
  CSignalWatch signals(loop);
  CWindowHost host(loop, options.defaultAnswer);
  std::string error;
  if (!host.Open(options.width, options.height, error)) {
    std::fprintf(stderr, "VeltrixBrowser6: no display to show the project on (%s); run it with --headless\n",
                 error.c_str());
    return 2;
  }
  CRMessageBox* previousBox = CRMessageBox::SetCurrent(&host.GetMessageBox());
  // Asked when a web server wants credentials, the project document's own fetch included.
  CRSdlCredentialsPrompt prompt(loop);
  CNWebCredentialsPrompt* previousPrompt = CNWebCredentialsPrompt::SetCurrent(&prompt);
  const int code = RunProject(options, loop, host,
                              [&](CNPProjectBrowser& browser) { host.Run(browser, options.seconds.value_or(0)); });
  CNWebCredentialsPrompt::SetCurrent(previousPrompt);
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
  if (options.help) {
    std::fputs(kHostUsage, stdout);
    return 0;
  }
  return options.headless ? RunHeadless(options) : RunWindowed(options);
}
