#pragma once

#include <atomic>
#include <cstdint>
#include <utility>

// Intrusive, interlocked reference count. A new object starts with one reference held by
// its creator; the last Release destroys it through Destroy.
class CRRefCnt {
 public:
  CRRefCnt() = default;
  CRRefCnt(const CRRefCnt&) : m_lRefCnt(1) {}  // a copy is a new object with its own count
  CRRefCnt& operator=(const CRRefCnt&) { return *this; }
  virtual ~CRRefCnt() = default;

  virtual int32_t AddRef() { return m_lRefCnt.fetch_add(1, std::memory_order_relaxed) + 1; }
  virtual int32_t Release() {
    const int32_t count = m_lRefCnt.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (count == 0) Destroy();
    return count;
  }
  virtual void Destroy() { delete this; }
  // Sets the count and returns the previous one.
  virtual int32_t SetRefCnt(int32_t count) { return m_lRefCnt.exchange(count, std::memory_order_acq_rel); }
  virtual int32_t GetRefCnt() const { return m_lRefCnt.load(std::memory_order_acquire); }

 private:
  std::atomic<int32_t> m_lRefCnt{1};
};

// Smart pointer over any CRRefCnt-derived class. Adopt takes over a reference that the caller
// already holds (a fresh object); Retain adds one.
template <class T>
class CRPtr {
 public:
  CRPtr() = default;
  CRPtr(std::nullptr_t) {}
  CRPtr(const CRPtr& other) : m_p(other.m_p) {
    if (m_p) m_p->AddRef();
  }
  CRPtr(CRPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
  template <class U>
  CRPtr(CRPtr<U> other) : m_p(other.Detach()) {}
  ~CRPtr() { Reset(); }

  static CRPtr Adopt(T* p) {
    CRPtr r;
    r.m_p = p;
    return r;
  }
  static CRPtr Retain(T* p) {
    if (p) p->AddRef();
    return Adopt(p);
  }
  template <class... Args>
  static CRPtr Make(Args&&... args) {
    return Adopt(new T(std::forward<Args>(args)...));
  }

  CRPtr& operator=(CRPtr other) noexcept {
    std::swap(m_p, other.m_p);
    return *this;
  }
  void Reset() {
    if (T* p = std::exchange(m_p, nullptr)) p->Release();
  }
  // Gives up ownership of the reference without releasing it.
  T* Detach() { return std::exchange(m_p, nullptr); }

  T* Get() const { return m_p; }
  T* operator->() const { return m_p; }
  T& operator*() const { return *m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  friend bool operator==(const CRPtr& a, const CRPtr& b) { return a.m_p == b.m_p; }

 private:
  T* m_p = nullptr;
};
