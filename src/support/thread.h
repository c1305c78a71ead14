#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "support/event.h"

class CRThread;

// The body of a CRThread, called on the thread: once when it starts, then once per tick until
// a stop is requested or a tick returns false, then once when it ends.
class CRThreadConnectionPoint {
 public:
  virtual ~CRThreadConnectionPoint() = default;

  virtual void OnThreadStart(CRThread&) {}
  virtual bool OnThreadTick(CRThread& thread) = 0;
  virtual void OnThreadEnd(CRThread&) {}
};

// One worker thread with a stop flag and a stop event. The thread is never detached: Stop and
// the destructor join it. Start, Stop and the destructor belong to the owner; the body stops
// its own thread with RequestStop. An owner whose body is a part of itself stops the thread in
// its own destructor, before the body's members go.
class CRThread {
 public:
  static constexpr uint32_t kStopSliceMs = 1000;
  static constexpr uint32_t kStopSlicesBeforeForcedEnd = 10;

  CRThread() = default;
  CRThread(const CRThread&) = delete;
  CRThread& operator=(const CRThread&) = delete;
  virtual ~CRThread();

  // False when the thread is still running or cannot be created. A thread whose body ended on
  // its own is joined first, so a thread object can be started again.
  bool Start(CRThreadConnectionPoint& body);
  // Sets the stop flag and signals the stop event. With wait, waits for the thread in slices,
  // signalling the stop event again after each slice that ends with the thread still running.
  // Returns true when no thread is left to join; called from the body it only requests.
  bool Stop(bool wait = true);
  // Sets the stop flag and signals the stop event; callable from any thread.
  void RequestStop();

  bool IsRunning() const { return m_bRunning.load(std::memory_order_acquire); }
  bool IsStopRequested() const { return m_bStop.load(std::memory_order_acquire); }
  // For the body: waits on the stop event for up to timeoutMs and tells whether a stop has been
  // requested. Each signal of the event wakes one wait.
  bool WaitForStop(uint32_t timeoutMs);

  // The length of one waiting slice of Stop; tests shorten it.
  void SetStopSliceMs(uint32_t sliceMs) { m_ulStopSliceMs = sliceMs; }

 private:
  void Run(CRThreadConnectionPoint* body);

  std::thread m_thread;
  std::atomic<bool> m_bStop{false};
  std::atomic<bool> m_bRunning{false};
  CREvent m_stopEvent;               // auto reset
  CREvent m_endedEvent{true, true};  // manual reset; signalled while no body runs
  uint32_t m_ulStopSliceMs = kStopSliceMs;
};

// A thread whose body waits on the stop event for one period and then does one tick of the
// client. The period runs from the end of one tick to the start of the next, so a tick that
// overruns delays the next one instead of letting ticks pile up.
class CRThreadStandard : public CRThread, public CRThreadConnectionPoint {
 public:
  CRThreadStandard(CRThreadConnectionPoint& client, uint32_t periodMs);
  ~CRThreadStandard() override;

  bool Start() { return CRThread::Start(*this); }
  // Takes effect from the next wait; 0 counts as 1 ms so that an idle body never spins.
  void SetPeriod(uint32_t periodMs);
  uint32_t GetPeriod() const { return m_ulPeriodMs.load(std::memory_order_relaxed); }

 private:
  void OnThreadStart(CRThread& thread) final;
  bool OnThreadTick(CRThread& thread) final;
  void OnThreadEnd(CRThread& thread) final;

  CRThreadConnectionPoint& m_client;
  std::atomic<uint32_t> m_ulPeriodMs;
};
