#include "options.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>

namespace {

bool ReadNumber(const char* text, double low, double high, double& number) {
  char* end = nullptr;
  number = std::strtod(text, &end);
  return end != text && *end == '\0' && number >= low && number <= high;
}

// "WIDTHxHEIGHT", each from 1 to 16384.
bool ReadSize(const char* text, int& width, int& height) {
  char* end = nullptr;
  const long w = std::strtol(text, &end, 10);
  if (end == text || *end != 'x') return false;
  const char* second = end + 1;
  const long h = std::strtol(second, &end, 10);
  if (end == second || *end != '\0' || w < 1 || h < 1 || w > 16384 || h > 16384) return false;
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

constexpr std::string_view kValueOptions[] = {"--seconds", "--default-answer", "--size",   "--node",
                                             "--port",    "--user",           "--password", "--policy",
                                             "--screenshot"};

bool IsValueOption(std::string_view name) {
  for (const std::string_view option : kValueOptions)
    if (option == name) return true;
  return false;
}

}  // namespace

bool ReadHostOptions(int argc, char** argv, CHostOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    double number = 0;
    if (name == "--headless") {
      options.headless = true;
      continue;
    }
    if (name == "--help" || name == "-h") {
      options.help = true;
      return true;
    }
    if (name.starts_with("--") && !value && IsValueOption(name)) {
      error = name + " needs a value";
      return false;
    }
    if (name == "--seconds") {
      if (!ReadNumber(value, 0, 1e7, number)) return error = "--seconds: not a number of seconds", false;
      options.seconds = number;
    } else if (name == "--default-answer") {
      if (std::strcmp(value, "yes") == 0) options.defaultAnswer = IDYES;
      else if (std::strcmp(value, "no") == 0) options.defaultAnswer = IDNO;
      else return error = "--default-answer: yes or no", false;
    } else if (name == "--size") {
      if (!ReadSize(value, options.width, options.height)) return error = "--size: WIDTHxHEIGHT", false;
    } else if (name == "--node") {
      options.node = value;
    } else if (name == "--port") {
      if (!ReadNumber(value, 0, 65535, number)) return error = "--port: not a port number", false;
      options.port = static_cast<uint32_t>(number);
    } else if (name == "--user") {
      options.user = value;
    } else if (name == "--password") {
      options.password = value;
    } else if (name == "--policy") {
      options.policy = value;
    } else if (name == "--screenshot") {
      options.screenshot = value;
    } else if (name == "--screenshot-every") {
      if (!value || i + 2 >= argc || !ReadNumber(value, 0.1, 1e6, number))
        return error = "--screenshot-every: SECONDS (at least 0.1) and a folder", false;
      options.screenshotEvery = number;
      options.screenshotDir = argv[i + 2];
      ++i;
    } else if (!name.starts_with("-") && options.project.empty()) {
      options.project = name;
      continue;
    } else {
      error = "unknown argument " + name;
      return false;
    }
    ++i;
  }
  if (options.project.empty()) return error = "no project given", false;
  if (!options.headless && (!options.screenshot.empty() || !options.screenshotDir.empty()))
    return error = "screenshots are taken with --headless (a window has F12)", false;
  // Opening a project makes its folder the working folder: screenshot paths are taken from
  // where the program was started.
  std::error_code ignored;
  if (!options.screenshot.empty()) options.screenshot = std::filesystem::absolute(options.screenshot, ignored).string();
  if (!options.screenshotDir.empty())
    options.screenshotDir = std::filesystem::absolute(options.screenshotDir, ignored).string();
  return true;
}
