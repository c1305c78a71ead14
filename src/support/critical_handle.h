#pragma once

#include <mutex>

// A class that is one recursive lock. Objects shared between threads derive from it and lock
// themselves; the same thread may lock again while it holds the lock. The lower-case members
// make it a standard Lockable, so std::lock_guard and std::unique_lock work on it.
class CRCriticalHandle {
 public:
  CRCriticalHandle() = default;
  // A copy is a new object with a lock of its own; assignment leaves both locks alone.
  CRCriticalHandle(const CRCriticalHandle&) {}
  CRCriticalHandle& operator=(const CRCriticalHandle&) { return *this; }
  virtual ~CRCriticalHandle() = default;

  void Lock() const { m_lock.lock(); }
  void Unlock() const { m_lock.unlock(); }
  bool TryLock() const { return m_lock.try_lock(); }

  void lock() const { Lock(); }
  void unlock() const { Unlock(); }
  bool try_lock() const { return TryLock(); }

 private:
  mutable std::recursive_mutex m_lock;
};
