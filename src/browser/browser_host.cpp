#include "browser/browser_host.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/utf16_text.h"

extern char** environ;

namespace {

// The parameters split at blanks outside double quotes, the quotes removed.
void AppendWords(std::string_view text, std::vector<std::string>& words) {
  std::string word;
  bool quoted = false;
  bool any = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any || !word.empty()) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
    }
  }
  if (any || !word.empty()) words.push_back(word);
}

}  // namespace

bool CNPBrowserHost::RunProgram(std::u16string_view operation, std::u16string_view file,
                                std::u16string_view parameters, std::u16string_view directory) {
  if (file.empty()) return false;
  std::vector<std::string> words;
  const std::string target = Utf16ToUtf8(file);
  const bool open = operation.empty() || operation == u"open";
  const bool executable = access(target.c_str(), X_OK) == 0 && !std::filesystem::is_directory(target);
  if (open && !executable) words.push_back("xdg-open");
  words.push_back(target);
  AppendWords(Utf16ToUtf8(parameters), words);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  const std::string folder = Utf16ToUtf8(directory);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  pid_t child = 0;
  const int error = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0;
}

std::u16string CNPBrowserHost::GetProgramFolder() const {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::u16string() : Utf8ToUtf16(self.parent_path().string());
}
