#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "project/project.h"
#include "support/message_loop.h"
#include "support/thread.h"

// The project window's tick thread: counts iterations and sends the tick codes, one at a time
// and waiting for each, to the handler on the user-interface thread, so that no two ticks
// overlap and a slow handler stretches the period instead of piling ticks up.
//
// While no project is open it sleeps 10 ms per iteration. While one is open it keeps a 16-bit
// iteration counter n and follows ScheduleTick with the refresh divisor from the project's
// refresh period and the cycle divisor from the fixed 20 ms cycle.
class CNPProjectWnd : public CRThreadConnectionPoint {
 public:
  using Handler = std::function<void(uint32_t code)>;

  // handler runs on loop's thread.
  CNPProjectWnd(CNPProject& project, CRMessageLoop& loop, Handler handler);
  ~CNPProjectWnd() override;
  CNPProjectWnd(const CNPProjectWnd&) = delete;
  CNPProjectWnd& operator=(const CNPProjectWnd&) = delete;

  bool Start();
  // Ends the thread and waits for it; a tick waiting to be handled is dropped.
  void Stop();
  bool IsRunning() const { return m_thread.IsRunning(); }
  uint16_t GetCounter() const { return m_usCounter.load(std::memory_order_relaxed); }

 private:
  bool OnThreadTick(CRThread& thread) override;

  CNPProject& m_project;
  CRMessageLoop& m_loop;
  Handler m_handler;
  CRThread m_thread;
  std::atomic<bool> m_bStopping{false};
  std::atomic<uint16_t> m_usCounter{0};
};
