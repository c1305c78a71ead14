#include "support/message_loop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

TEST(MessageLoopTest, SendFromAnotherThreadRunsOnTheLoopThreadInOrderWithPosts) {
  CRMessageLoop loop;
  std::vector<int> order;
  std::thread::id ranOn;
  std::atomic<bool> sent{false};
  loop.Post([&] { order.push_back(1); });
  std::thread sender([&] {
    sent = loop.Send([&] {
      order.push_back(2);
      ranOn = std::this_thread::get_id();
    });
  });
  while (order.size() < 2) loop.RunFor(5);
  sender.join();
  EXPECT_TRUE(sent);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(ranOn, std::this_thread::get_id());
  // On the loop's own thread a send runs at once.
  EXPECT_TRUE(loop.Send([&] { order.push_back(3); }));
  EXPECT_EQ(order.back(), 3);
}

TEST(MessageLoopTest, QuitReleasesWaitingSendersAndRefusesNewWork) {
  CRMessageLoop loop;
  std::atomic<int> result{-1};
  std::atomic<bool> ran{false};
  std::thread sender([&] { result = loop.Send([&] { ran = true; }) ? 1 : 0; });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  loop.Quit();  // queued or refused: either way the sender comes back, unrun
  sender.join();
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(ran);
  EXPECT_FALSE(loop.Post([] {}));
  EXPECT_TRUE(loop.HasQuit());
}

TEST(MessageLoopTest, CancelledSendNeverRuns) {
  CRMessageLoop loop;
  std::atomic<bool> cancel{false};
  std::atomic<bool> ran{false};
  std::atomic<bool> answered{false};
  std::thread sender([&] {
    loop.Send([&] { ran = true; }, cancel);
    answered = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  cancel = true;  // the loop is not pumped: the sender gives up
  sender.join();
  EXPECT_TRUE(answered);
  loop.RunPending();
  EXPECT_FALSE(ran);
}
