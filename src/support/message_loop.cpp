#include "support/message_loop.h"

#include <chrono>
#include <utility>

struct CRMessageLoop::SendState {
  std::mutex lock;
  std::condition_variable done;
  bool finished = false;
  bool ran = false;
  bool abandoned = false;
  bool started = false;
};

CRMessageLoop::CRMessageLoop() : m_thread(std::this_thread::get_id()) {}

CRMessageLoop::~CRMessageLoop() { Quit(); }

bool CRMessageLoop::Enqueue(Task task) {
  {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_bQuit) return false;
    m_queue.push_back(std::move(task));
  }
  m_wake.notify_all();
  return true;
}

void CRMessageLoop::Complete(Task& task, bool ran) {
  if (!task.sent) return;
  {
    std::lock_guard<std::mutex> guard(task.sent->lock);
    task.sent->finished = true;
    task.sent->ran = ran;
  }
  task.sent->done.notify_all();
}

bool CRMessageLoop::Post(std::function<void()> task) { return Enqueue(Task{std::move(task), nullptr}); }

bool CRMessageLoop::Send(std::function<void()> task) {
  if (IsLoopThread()) {
    if (HasQuit()) return false;
    task();
    return true;
  }
  auto state = std::make_shared<SendState>();
  if (!Enqueue(Task{std::move(task), state})) return false;
  std::unique_lock<std::mutex> guard(state->lock);
  state->done.wait(guard, [&] { return state->finished; });
  return state->ran;
}

bool CRMessageLoop::Send(std::function<void()> task, const std::atomic<bool>& cancel) {
  if (IsLoopThread()) {
    if (HasQuit() || cancel.load()) return false;
    task();
    return true;
  }
  auto state = std::make_shared<SendState>();
  if (!Enqueue(Task{std::move(task), state})) return false;
  std::unique_lock<std::mutex> guard(state->lock);
  while (!state->done.wait_for(guard, std::chrono::milliseconds(1), [&] { return state->finished; })) {
    if (!cancel.load() || state->started) continue;
    state->abandoned = true;
    return false;
  }
  return state->ran;
}

bool CRMessageLoop::IsAbandoned(Task& task) {
  if (!task.sent) return false;
  std::lock_guard<std::mutex> guard(task.sent->lock);
  // Taken while locked: a sender that gives up later finds the task started and waits.
  task.sent->started = !task.sent->abandoned;
  return task.sent->abandoned;
}

size_t CRMessageLoop::RunPending() {
  std::deque<Task> batch;
  {
    std::lock_guard<std::mutex> guard(m_lock);
    batch.swap(m_queue);
  }
  size_t count = 0;
  for (Task& task : batch) {
    if (HasQuit() || IsAbandoned(task)) {
      Complete(task, false);
      continue;
    }
    task.run();
    Complete(task, true);
    ++count;
  }
  return count;
}

size_t CRMessageLoop::RunFor(uint32_t timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  size_t count = 0;
  for (;;) {
    count += RunPending();
    std::unique_lock<std::mutex> guard(m_lock);
    if (m_bQuit) return count;
    if (!m_wake.wait_until(guard, deadline, [&] { return m_bQuit || !m_queue.empty(); })) return count;
  }
}

void CRMessageLoop::Run() {
  while (!HasQuit()) {
    RunPending();
    std::unique_lock<std::mutex> guard(m_lock);
    m_wake.wait(guard, [&] { return m_bQuit || !m_queue.empty(); });
  }
}

void CRMessageLoop::Quit() {
  std::deque<Task> dropped;
  {
    std::lock_guard<std::mutex> guard(m_lock);
    m_bQuit = true;
    dropped.swap(m_queue);
  }
  m_wake.notify_all();
  for (Task& task : dropped) Complete(task, false);
}

bool CRMessageLoop::HasQuit() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_bQuit;
}
