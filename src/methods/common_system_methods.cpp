// The common functions that reach the operator and other programs: message boxes and starting
// applications.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "support/message_box.h"
#include "support/utf16_text.h"

extern char** environ;

namespace {

// "MsgBox", "MessageBox"(text[, caption[, type]]): shows the text and returns the answer (1 OK,
// 2 Cancel, 6 Yes, 7 No). type is the sum of a button set (0 OK, 1 OK and Cancel, 3 Yes, No and
// Cancel, 4 Yes and No) and an icon (16 error, 32 question, 48 warning, 64 information).
bool MessageBox(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 3)) return false;
  const std::u16string caption = call.Count() > 1 ? ArgText(call.Arg(1)) : std::u16string();
  const uint32_t type = call.Count() > 2 ? ArgCount(call.Arg(2)) : 0;
  uint32_t buttons = type & 0x0F;
  if (buttons != MB_OKCANCEL && buttons != MB_YESNOCANCEL && buttons != MB_YESNO) buttons = MB_OK;
  uint32_t icon = type & 0xF0;
  if (icon > MB_ICONINFORMATION) icon = MB_ICONNONE;
  call.result.SetNumber(CRMessageBox::GetCurrent().Show(ArgText(call.Arg(0)), caption, MessageBoxButtons(buttons),
                                                        MessageBoxIcon(icon)));
  return true;
}

// Whether program names an executable file, directly or through PATH.
bool CanRun(const std::string& program) {
  if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/bin:/bin";
  for (size_t from = 0; from <= folders.size();) {
    const size_t end = std::min(folders.find(':', from), folders.size());
    const std::string candidate = folders.substr(from, end - from) + "/" + program;
    if (end > from && access(candidate.c_str(), X_OK) == 0) return true;
    from = end + 1;
  }
  return false;
}

// Starts the command without waiting for it: a shell puts it in the background and ends at once,
// so that nothing is left for the runtime to reap.
bool StartDetached(const std::vector<std::string>& command) {
  if (command.empty() || !CanRun(command[0])) return false;
  std::vector<std::string> words{"sh", "-c", "exec \"$0\" \"$@\" </dev/null >/dev/null 2>&1 &"};
  words.insert(words.end(), command.begin(), command.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t shell = 0;
  if (posix_spawn(&shell, "/bin/sh", nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  while (waitpid(shell, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// "OpenApplication"(program[, arguments...]): starts the program with the texts of every element
// of the further arguments as its arguments; true when it could be started.
bool OpenApplication(CMethodCall& call) {
  if (call.Count() < 1) return false;
  std::vector<std::string> command{ArgPath(call.Arg(0)).string()};
  for (size_t a = 1; a < call.Count(); ++a)
    for (uint32_t i = 0; i < call.Arg(a).GetCount(); ++i) command.push_back(Utf16ToUtf8(call.Arg(a).GetText(i)));
  call.result.SetBool(StartDetached(command));
  return true;
}

// "OpenApplicationFile"(file): opens the document with the desktop's application for it.
bool OpenApplicationFile(CMethodCall& call) {
  if (call.Count() != 1) return false;
  std::error_code error;
  const std::filesystem::path file = ArgPath(call.Arg(0));
  call.result.SetBool(std::filesystem::exists(file, error) && StartDetached({"xdg-open", file.string()}));
  return true;
}

constexpr std::array kSystemMethods = {
    GuardedMethod(u"OpenApplication", "Starts a program with arguments", &OpenApplication,
                  CapabilityFamily::kProcesses, 1, kAnyArgs),
    GuardedMethod(u"OpenApplicationFile", "Opens a document with the desktop's application for it",
                  &OpenApplicationFile, CapabilityFamily::kProcesses, 1, 1),
    MethodEntry{u"MsgBox", "Shows a message box and answers the button pressed", &MessageBox},
    MethodEntry{u"MessageBox", "Shows a message box and answers the button pressed (as MsgBox)", &MessageBox},
};

}  // namespace

std::span<const MethodEntry> CommonSystemMethods() { return kSystemMethods; }
