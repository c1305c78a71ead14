// The credentials prompt's window on SDL's display-less video driver: what ends it without an
// answer, what it hands back to the host's event loop, and questions from other threads.

#include "platform/sdl_credentials_prompt.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/message_loop.h"

namespace {

class SdlCredentialsPrompt : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) GTEST_SKIP() << "no SDL video: " << SDL_GetError();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  }
  void TearDown() override { SDL_Quit(); }

  static void PushQuit() {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  }

  // Pumps the loop until done turns true or five seconds pass.
  void PumpUntil(const std::atomic<bool>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done && std::chrono::steady_clock::now() < end) {
      m_loop.RunPending();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

  CRMessageLoop m_loop;
  CRSdlCredentialsPrompt m_prompt{m_loop};
};

}  // namespace

TEST_F(SdlCredentialsPrompt, QuittingCancelsAndTheQuitIsLeftToTheHost) {
  SDL_Event other{};
  other.type = SDL_WINDOWEVENT;
  other.window.windowID = 9999;  // a window of the host's
  other.window.event = SDL_WINDOWEVENT_EXPOSED;
  SDL_PushEvent(&other);
  PushQuit();
  std::string user = "operator", password = "pw";
  EXPECT_FALSE(m_prompt.Ask("http://192.0.2.10/plant.xml", user, password));
  EXPECT_EQ(user, "operator");
  EXPECT_EQ(password, "pw");
  EXPECT_TRUE(SDL_HasEvent(SDL_QUIT));
  SDL_Event kept[8];
  const int count = SDL_PeepEvents(kept, 8, SDL_GETEVENT, SDL_WINDOWEVENT, SDL_WINDOWEVENT);
  bool exposedKept = false;
  for (int i = 0; i < count; ++i) exposedKept |= kept[i].window.windowID == 9999;
  EXPECT_TRUE(exposedKept);
}

TEST_F(SdlCredentialsPrompt, AnotherThreadsQuestionWaitsForTheUserInterfaceThread) {
  PushQuit();
  std::atomic<bool> done{false};
  bool answer = true;
  std::thread asker([&] {
    std::string user, password;
    answer = m_prompt.Ask("http://192.0.2.10/plant.xml", user, password);
    done = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(done);  // nothing runs the window while the loop is not pumped
  PumpUntil(done);
  asker.join();
  EXPECT_FALSE(answer);
  EXPECT_TRUE(SDL_HasEvent(SDL_QUIT));  // the window ran and left the quit for the host
}
