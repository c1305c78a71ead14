#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// The queue of the user-interface thread: every project, view, object and script operation runs
// on the thread that pumps it. Other threads hand work over with Post (fire and forget) or Send
// (wait until it ran, as the tick thread sends its tick codes). The host pumps the loop (its
// event loop or the headless loop); tests pump it by hand with RunPending.
class CRMessageLoop {
 public:
  // The loop belongs to the thread that creates it.
  CRMessageLoop();
  CRMessageLoop(const CRMessageLoop&) = delete;
  CRMessageLoop& operator=(const CRMessageLoop&) = delete;
  ~CRMessageLoop();

  // Queues task; false when the loop has quit (the task is dropped).
  bool Post(std::function<void()> task);
  // Runs task on the loop's thread and waits until it ran. On the loop's own thread it runs at
  // once. False, without running it, when the loop has quit or quits while the task waits.
  bool Send(std::function<void()> task);
  // Send that gives up when cancel turns true before the task started (checked every
  // millisecond); the task then never runs.
  bool Send(std::function<void()> task, const std::atomic<bool>& cancel);

  // Runs every task queued now (not those they queue); the count run.
  size_t RunPending();
  // Pumps until Quit or until timeoutMs passed (waiting without spinning while the queue is
  // empty); the count run.
  size_t RunFor(uint32_t timeoutMs);
  // Pumps until Quit.
  void Run();
  // Ends Run and RunFor, refuses new tasks and releases every waiting Send unrun. Callable from
  // any thread.
  void Quit();
  bool HasQuit() const;

  bool IsLoopThread() const { return std::this_thread::get_id() == m_thread; }

 private:
  struct SendState;
  struct Task {
    std::function<void()> run;
    std::shared_ptr<SendState> sent;  // null for posted tasks
  };
  bool Enqueue(Task task);
  static void Complete(Task& task, bool ran);
  // True when the sender gave up; otherwise marks the task started.
  static bool IsAbandoned(Task& task);

  const std::thread::id m_thread;
  mutable std::mutex m_lock;
  std::condition_variable m_wake;
  std::deque<Task> m_queue;
  bool m_bQuit = false;
};
