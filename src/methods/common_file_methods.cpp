// The common functions on files, folders and the computer. Names may be written with "\" or
// "/"; a relative name is taken from the current folder. File functions answer false (or no
// value) when the operation fails; they never stop the script for a missing file.
#include <ifaddrs.h>
#include <netdb.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "support/utf16_text.h"

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kMaxSleepMs = 60000;  // "Sleep" never holds the scripts longer than this

std::u16string PathText(const fs::path& path) { return Utf8ToUtf16(path.string()); }

void SetTexts(CNValue& result, const std::vector<std::u16string>& texts) {
  if (texts.empty()) return result.Clear();
  const auto count = static_cast<uint32_t>(texts.size());
  result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) result.SetStringAt(i, texts[i]);
}

FileTime ToFileTime(fs::file_time_type when) {
  const auto since = std::chrono::file_clock::to_sys(when).time_since_epoch();
  return kUnixEpochTicks + static_cast<FileTime>(std::chrono::duration_cast<std::chrono::microseconds>(since).count() * 10);
}

// A function of one name: result = Function(path).
template <void (*Function)(CNValue& result, const fs::path& path)>
bool OnePath(CMethodCall& call) {
  if (call.Count() != 1) return false;
  Function(call.result, ArgPath(call.Arg(0)));
  return true;
}

void FileSize(CNValue& result, const fs::path& path) {
  std::error_code error;
  const uintmax_t size = fs::file_size(path, error);
  if (!error) result.SetNumber(static_cast<double>(size));
}

void LastWriteTime(CNValue& result, const fs::path& path) {
  std::error_code error;
  const fs::file_time_type when = fs::last_write_time(path, error);
  if (!error) result.SetTime(ToFileTime(when));
}

void FileExists(CNValue& result, const fs::path& path) {
  std::error_code error;
  result.SetBool(fs::is_regular_file(path, error));
}

void FolderExists(CNValue& result, const fs::path& path) {
  std::error_code error;
  result.SetBool(fs::is_directory(path, error));
}

void DeleteFile(CNValue& result, const fs::path& path) {
  std::error_code error;
  result.SetBool(!fs::is_directory(path, error) && fs::remove(path, error));
}

void DeleteFolder(CNValue& result, const fs::path& path) {
  std::error_code error;
  result.SetBool(fs::is_directory(path, error) && fs::remove_all(path, error) != static_cast<uintmax_t>(-1) && !error);
}

void MakeFolder(CNValue& result, const fs::path& path) {
  std::error_code error;
  fs::create_directories(path, error);
  result.SetBool(!error && fs::is_directory(path, error));
}

// "GetDriveVolumeInfo"(path): c(total bytes, free bytes, available bytes) of the file system
// that holds the path.
void VolumeInfo(CNValue& result, const fs::path& path) {
  std::error_code error;
  const fs::space_info space = fs::space(path.empty() ? fs::path("/") : path, error);
  if (error) return;
  constexpr uint32_t kThree = 3;
  result.SetDimensions(1, &kThree);
  result.SetNumberAt(0, static_cast<double>(space.capacity));
  result.SetNumberAt(1, static_cast<double>(space.free));
  result.SetNumberAt(2, static_cast<double>(space.available));
}

// "GetDriveType"(path): "fixed" for a folder that exists, "" otherwise.
void DriveType(CNValue& result, const fs::path& path) {
  std::error_code error;
  result.SetString(fs::is_directory(path, error) ? u"fixed" : u"");
}

// "CFilePath"(name): the full name, with "/" separators and without "." and ".." parts.
void FullPath(CNValue& result, const fs::path& path) {
  std::error_code error;
  const fs::path full = fs::absolute(path, error);
  result.SetString(error ? std::u16string() : PathText(full.lexically_normal()));
}

// Two names: source and destination. Copying and moving a file refuse to replace a file that
// exists unless the third argument is true.
template <bool (*Function)(const fs::path& from, const fs::path& to, bool replace)>
bool TwoPaths(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  call.result.SetBool(Function(ArgPath(call.Arg(0)), ArgPath(call.Arg(1)), call.Count() > 2 && call.Arg(2).GetBool(0)));
  return true;
}

bool CopyFile(const fs::path& from, const fs::path& to, bool replace) {
  std::error_code error;
  if (!fs::is_regular_file(from, error)) return false;
  return fs::copy_file(from, to, replace ? fs::copy_options::overwrite_existing : fs::copy_options::none, error);
}

bool MoveFile(const fs::path& from, const fs::path& to, bool replace) {
  std::error_code error;
  if (!fs::is_regular_file(from, error) || (!replace && fs::exists(to, error))) return false;
  fs::rename(from, to, error);
  if (error) {  // another file system: copy, then remove
    if (!CopyFile(from, to, true)) return false;
    fs::remove(from, error);
  }
  return !error;
}

bool CopyFileTime(const fs::path& from, const fs::path& to, bool) {
  std::error_code error;
  const fs::file_time_type when = fs::last_write_time(from, error);
  if (!error) fs::last_write_time(to, when, error);
  return !error;
}

bool CopyFolder(const fs::path& from, const fs::path& to, bool replace) {
  std::error_code error;
  if (!fs::is_directory(from, error)) return false;
  fs::copy(from, to, fs::copy_options::recursive | (replace ? fs::copy_options::overwrite_existing : fs::copy_options::skip_existing), error);
  return !error;
}

bool MoveFolder(const fs::path& from, const fs::path& to, bool) {
  std::error_code error;
  if (!fs::is_directory(from, error) || fs::exists(to, error)) return false;
  fs::rename(from, to, error);
  if (error) {
    if (!CopyFolder(from, to, false)) return false;
    fs::remove_all(from, error);
  }
  return !error;
}

// "RenameFile", "RenameFolder"(name, new name): a new name given without a folder stays in the
// folder of the old one.
template <bool Folder>
bool Rename(const fs::path& from, const fs::path& to, bool replace) {
  const fs::path target = to.has_parent_path() ? to : from.parent_path() / to;
  return Folder ? MoveFolder(from, target, replace) : MoveFile(from, target, replace);
}

// A text about the computer, no arguments.
template <std::u16string (*Function)()>
bool ComputerText(CMethodCall& call) {
  if (call.Count() != 0) return false;
  call.result.SetString(Function());
  return true;
}

std::u16string ComputerName() {
  char name[256] = {};
  return gethostname(name, sizeof name - 1) == 0 ? Utf8ToUtf16(name) : std::u16string();
}

std::u16string ModuleFolder() {
  std::error_code error;
  const fs::path exe = fs::read_symlink("/proc/self/exe", error);
  return error ? std::u16string() : PathText(exe.parent_path());
}

std::u16string CurrentFolder() {
  std::error_code error;
  const fs::path here = fs::current_path(error);
  return error ? std::u16string() : PathText(here);
}

std::u16string TempFolder() {
  std::error_code error;
  const fs::path temp = fs::temp_directory_path(error);
  return error ? u"/tmp" : PathText(temp);
}

// "GetPrinterName"(): the default printer; none is configured for the runtime.
std::u16string PrinterName() { return {}; }

// "GetIPAddress"(): the IPv4 addresses of the computer's interfaces other than loopback.
bool GetIPAddress(CMethodCall& call) {
  if (call.Count() != 0) return false;
  std::vector<std::u16string> addresses;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) == 0) {
    for (const ifaddrs* a = list; a; a = a->ifa_next) {
      if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET) continue;
      char host[NI_MAXHOST];
      if (getnameinfo(a->ifa_addr, sizeof(sockaddr_in), host, sizeof host, nullptr, 0, NI_NUMERICHOST) == 0 &&
          std::string_view(host) != "127.0.0.1")
        addresses.push_back(Utf8ToUtf16(host));
    }
    freeifaddrs(list);
  }
  SetTexts(call.result, addresses);
  return true;
}

// "GetLogicalDrives"(): the roots of the file systems: "/".
bool GetLogicalDrives(CMethodCall& call) {
  if (call.Count() != 0) return false;
  SetTexts(call.result, {u"/"});
  return true;
}

// "Sleep"(milliseconds): waits, at most a minute.
bool Sleep(CMethodCall& call) {
  if (call.Count() != 1) return false;
  std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ArgCount(call.Arg(0)), kMaxSleepMs)));
  return true;
}

// "Beep", "CMSysRing"(...): the terminal bell on the error output.
bool Beep(CMethodCall& call) {
  std::fputc('\a', stderr);
  call.result.SetBool(true);
  return true;
}

// "Is64"(): whether the runtime is a 64-bit program.
bool Is64(CMethodCall& call) {
  if (call.Count() != 0) return false;
  call.result.SetBool(sizeof(void*) == 8);
  return true;
}

constexpr std::array kFileMethods = {
    MethodEntry{u"Beep", "Rings the terminal bell", &Beep},
    MethodEntry{u"GetComputerName", "The computer's host name", &ComputerText<&ComputerName>},
    MethodEntry{u"GetDriveVolumeInfo", "Total, free and available bytes of the file system a path lies on",
                &OnePath<&VolumeInfo>},
    MethodEntry{u"GetIPAddress", "The computer's IPv4 addresses other than loopback", &GetIPAddress},
    MethodEntry{u"GetPrinterName", "The name of the default printer (none is configured: empty)",
                &ComputerText<&PrinterName>},
    MethodEntry{u"GetLogicalDrives", "The roots of the file systems", &GetLogicalDrives},
    MethodEntry{u"GetDriveType", "The text fixed for a folder that exists, else an empty text",
                &OnePath<&DriveType>},
    MethodEntry{u"GetModuleFolder", "The folder of the running program", &ComputerText<&ModuleFolder>},
    MethodEntry{u"GetCurrentFolder", "The current working folder", &ComputerText<&CurrentFolder>},
    MethodEntry{u"GetFileSize", "The size of a file in bytes", &OnePath<&FileSize>},
    MethodEntry{u"GetFileLastWriteTime", "The time a file was last written", &OnePath<&LastWriteTime>},
    MethodEntry{u"IsFileExist", "Whether a file exists", &OnePath<&FileExists>},
    MethodEntry{u"IsFolderExist", "Whether a folder exists", &OnePath<&FolderExists>},
    GuardedMethod(u"CopyFile", "Copies a file; an existing target is replaced only when asked",
                  &TwoPaths<&CopyFile>, CapabilityFamily::kFiles, 2, 3),
    GuardedMethod(u"MoveFile", "Moves a file; an existing target is replaced only when asked",
                  &TwoPaths<&MoveFile>, CapabilityFamily::kFiles, 2, 3),
    GuardedMethod(u"RenameFile", "Renames a file", &TwoPaths<&Rename<false>>, CapabilityFamily::kFiles, 2, 3),
    GuardedMethod(u"DeleteFile", "Deletes a file", &OnePath<&DeleteFile>, CapabilityFamily::kFiles, 1, 1),
    GuardedMethod(u"CopyFileTime", "Gives a file the last write time of another", &TwoPaths<&CopyFileTime>,
                  CapabilityFamily::kFiles, 2, 3),
    GuardedMethod(u"MakeFolder", "Makes a folder and the folders above it", &OnePath<&MakeFolder>,
                  CapabilityFamily::kFiles, 1, 1),
    GuardedMethod(u"CopyFolder", "Copies a folder with everything in it", &TwoPaths<&CopyFolder>,
                  CapabilityFamily::kFiles, 2, 3),
    GuardedMethod(u"MoveFolder", "Moves a folder with everything in it", &TwoPaths<&MoveFolder>,
                  CapabilityFamily::kFiles, 2, 3),
    GuardedMethod(u"RenameFolder", "Renames a folder", &TwoPaths<&Rename<true>>, CapabilityFamily::kFiles, 2,
                  3),
    GuardedMethod(u"DeleteFolder", "Deletes a folder with everything in it", &OnePath<&DeleteFolder>,
                  CapabilityFamily::kFiles, 1, 1),
    MethodEntry{u"CMSysRing", "Rings the terminal bell (as Beep)", &Beep},
    MethodEntry{u"Sleep", "Waits the given milliseconds, at most a minute", &Sleep},
    MethodEntry{u"GetTempFolder", "The folder for temporary files", &ComputerText<&TempFolder>},
    MethodEntry{u"CFilePath", "The full path of a file name, without . and .. parts", &OnePath<&FullPath>},
    MethodEntry{u"Is64", "Whether the runtime is a 64-bit program", &Is64},
};

}  // namespace

std::span<const MethodEntry> CommonFileMethods() { return kFileMethods; }
