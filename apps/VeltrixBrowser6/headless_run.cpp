#include "headless_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "browser/project_browser.h"
#include "browser/screen_image.h"
#include "support/message_loop.h"

namespace {

using Clock = std::chrono::steady_clock;

void TakeScreenshot(CNPProjectBrowser& browser, const CHostOptions& options, const std::filesystem::path& path) {
  const bool saved = PaintScreenImage(browser, {options.width, options.height})->WritePng(path.string());
  std::printf("[screenshot] %s%s\n", path.string().c_str(), saved ? "" : " (failed)");
  std::fflush(stdout);
}

std::filesystem::path SeriesPath(const std::string& folder, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "screenshot-%04d.png", number);
  return std::filesystem::path(folder) / name;
}

}  // namespace

void RunHeadlessProject(CRMessageLoop& loop, CNPProjectBrowser& browser, const CHostOptions& options) {
  const Clock::time_point start = Clock::now();
  const Clock::time_point end =
      options.seconds ? start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(*options.seconds))
                      : Clock::time_point::max();
  const auto every = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options.screenshotEvery));
  const bool series = !options.screenshotDir.empty();
  if (series) {
    std::error_code ignored;
    std::filesystem::create_directories(options.screenshotDir, ignored);
  }
  Clock::time_point nextShot = series ? start + every : Clock::time_point::max();
  int shots = 0;
  while (!loop.HasQuit()) {
    const Clock::time_point now = Clock::now();
    if (now >= nextShot) {
      TakeScreenshot(browser, options, SeriesPath(options.screenshotDir, ++shots));
      nextShot += every;
      continue;
    }
    if (now >= end) break;
    const Clock::time_point wake = std::min(end, nextShot);
    if (wake == Clock::time_point::max()) {
      loop.Run();
      break;
    }
    const auto waitMs = std::chrono::duration_cast<std::chrono::milliseconds>(wake - now).count() + 1;
    loop.RunFor(static_cast<uint32_t>(std::min<int64_t>(waitMs, 60'000)));
  }
  if (!options.screenshot.empty()) TakeScreenshot(browser, options, options.screenshot);
}
