#include "support/thread.h"

#include <exception>
#include <system_error>

#include "support/trace.h"

namespace {

// The CRThread whose body runs on the calling thread, so that Stop can tell a body stopping
// its own thread from the owner.
thread_local const CRThread* t_current = nullptr;

}  // namespace

CRThread::~CRThread() {
  Stop(true);
}

bool CRThread::Start(CRThreadConnectionPoint& body) {
  if (IsRunning()) return false;
  if (m_thread.joinable()) m_thread.join();
  m_bStop.store(false, std::memory_order_release);
  m_stopEvent.Reset();
  m_endedEvent.Reset();
  m_bRunning.store(true, std::memory_order_release);
  try {
    m_thread = std::thread(&CRThread::Run, this, &body);
  } catch (const std::system_error& error) {
    CRTrace::Printf("CRThread::Start: cannot create a thread: %s", error.what());
    m_bRunning.store(false, std::memory_order_release);
    m_endedEvent.Set();
    return false;
  }
  return true;
}

void CRThread::RequestStop() {
  m_bStop.store(true, std::memory_order_release);
  m_stopEvent.Set();
}

// A thread that ignores its stop event cannot be ended safely on this platform: cancelling it
// would leave its locks held and its objects half changed, and letting the caller go on would
// free what the body still uses. So after the last slice the wait goes on: the stuck thread is
// reported once per further slice and its stop event is signalled again, until it ends. A body
// blocked in a slow system call (a TCP connect can take minutes) still ends cleanly this way.
bool CRThread::Stop(bool wait) {
  if (t_current == this) {
    RequestStop();
    return false;
  }
  if (!m_thread.joinable()) return true;
  RequestStop();
  if (!wait && !m_endedEvent.Wait(0)) return false;
  uint32_t slices = 0;
  while (!m_endedEvent.Wait(m_ulStopSliceMs)) {
    ++slices;
    if (slices >= kStopSlicesBeforeForcedEnd) {
      CRTrace::Printf("CRThread::Stop: thread has not ended after %u waits of %u ms; waiting on", slices,
                      m_ulStopSliceMs);
    }
    m_stopEvent.Set();
  }
  m_thread.join();
  m_bStop.store(false, std::memory_order_release);
  return true;
}

bool CRThread::WaitForStop(uint32_t timeoutMs) {
  m_stopEvent.Wait(timeoutMs);
  return IsStopRequested();
}

void CRThread::Run(CRThreadConnectionPoint* body) {
  t_current = this;
  try {
    body->OnThreadStart(*this);
    while (!IsStopRequested() && body->OnThreadTick(*this)) {
    }
    body->OnThreadEnd(*this);
  } catch (const std::exception& error) {
    CRTrace::Printf("CRThread: the thread body failed: %s", error.what());
  } catch (...) {
    CRTrace::Printf("CRThread: the thread body failed");
  }
  t_current = nullptr;
  m_bRunning.store(false, std::memory_order_release);
  m_endedEvent.Set();
}

CRThreadStandard::CRThreadStandard(CRThreadConnectionPoint& client, uint32_t periodMs)
    : m_client(client), m_ulPeriodMs(periodMs == 0 ? 1 : periodMs) {}

CRThreadStandard::~CRThreadStandard() {
  Stop(true);
}

void CRThreadStandard::SetPeriod(uint32_t periodMs) {
  m_ulPeriodMs.store(periodMs == 0 ? 1 : periodMs, std::memory_order_relaxed);
}

void CRThreadStandard::OnThreadStart(CRThread& thread) {
  m_client.OnThreadStart(thread);
}

bool CRThreadStandard::OnThreadTick(CRThread& thread) {
  if (WaitForStop(GetPeriod())) return false;
  return m_client.OnThreadTick(thread);
}

void CRThreadStandard::OnThreadEnd(CRThread& thread) {
  m_client.OnThreadEnd(thread);
}
