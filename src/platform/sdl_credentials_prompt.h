#pragma once

#include <string>
#include <string_view>

#include "project/web_file.h"

class CRMessageLoop;

// The host window's answer to a web server that wants credentials: a small window of its own
// with the credentials form, modal until the operator accepts, cancels or closes it.
//
// Threads: SDL's windows and events belong to the user-interface thread, the one that pumps
// the loop given here (the host creates both on its main thread). Web fetches (the project
// document, the files a web project names) run on that thread too, in the middle of opening a
// project or of a tick, so there the window opens at once and runs its own event loop. The
// runtime's queue is not pumped meanwhile: running ticks inside a half-done fetch would reach a
// project that is still being opened; the tick thread's Send just waits, as it waits during the
// fetch itself. Any other thread hands the question to the user-interface thread with Send and
// waits for the answer; a loop that quits first counts as Cancel. Such a thread must not be one
// the user-interface thread is waiting for.
//
// While the window is open, input to the other windows is dropped; their window events and a
// request to quit are kept and given back to the host's event loop when the window closes.
class CRSdlCredentialsPrompt : public CNWebCredentialsPrompt {
 public:
  explicit CRSdlCredentialsPrompt(CRMessageLoop& loop) : m_loop(loop) {}

  bool Ask(std::string_view url, std::string& user, std::string& password) override;

 private:
  // Runs the window on the calling (user-interface) thread.
  bool AskHere(std::string_view url, std::string& user, std::string& password);

  CRMessageLoop& m_loop;
};
