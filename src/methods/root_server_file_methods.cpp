// The root's functions for files kept by the panel server: sending a file of this computer
// there, fetching one back, listing and deleting. A fetched file is written beside its
// destination and renamed over it once complete, so a failure never destroys what was there.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "comm/login_server.h"
#include "methods/method_args.h"
#include "methods/root_login_methods.h"
#include "support/replacing_file.h"
#include "support/utf16_text.h"

namespace fs = std::filesystem;

namespace {

// The largest file "SendFile" sends: the most a script handles in one piece.
constexpr uintmax_t kMaxFileBytes = uintmax_t{16} << 20;

void SetFileError(std::u16string_view what, const fs::path& path) {
  SetLoginError(std::u16string(what) + Utf8ToUtf16(path.string()));
}

// The whole file; false (with the login error set) when it cannot be read or is too large.
bool ReadWholeFile(const fs::path& path, std::vector<uint8_t>& bytes) {
  std::error_code error;
  const uintmax_t size = fs::is_regular_file(path, error) ? fs::file_size(path, error) : uintmax_t(-1);
  if (error || size == uintmax_t(-1)) {
    SetFileError(u"Can't read the file ", path);
    return false;
  }
  if (size > kMaxFileBytes) {
    SetFileError(u"The file is too large to send: ", path);
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  bytes.resize(static_cast<size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())) ||
      in.peek() != std::ifstream::traits_type::eof()) {
    SetFileError(u"Can't read the file ", path);
    return false;
  }
  return true;
}

// Replaces the destination (which keeps its permissions) with the bytes; false, with the
// destination untouched, otherwise.
bool ReplaceFile(const fs::path& path, CNBytes bytes) {
  CRReplacingFile out(path);
  return out.Write(bytes.data(), bytes.size()) && out.Commit();
}

// "SendFile"(local file, server folder[, server name]): copies the file of this computer into
// the server's folder, under its own name unless another is given.
bool SendFile(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 3)) return false;
  call.result.SetBool(false);
  const fs::path path = ArgPath(call.Arg(0));
  const std::u16string folder = ArgText(call.Arg(1));
  const std::u16string name = call.Count() > 2 ? ArgText(call.Arg(2)) : Utf8ToUtf16(path.filename().string());
  CNPLoginServer* server = ReachLoginServer(call);
  std::vector<uint8_t> bytes;
  if (!server || !ReadWholeFile(path, bytes)) return true;
  call.result.SetBool(server->SendFile(folder, name, bytes, {}));
  return true;
}

// "ReceiveFile"(server folder, server name, local file): copies the server's file to this
// computer, replacing the local file.
bool ReceiveFile(CMethodCall& call) {
  if (call.Count() != 3) return false;
  call.result.SetBool(false);
  CNPLoginServer* server = ReachLoginServer(call);
  CNServiceAnswer answer;
  if (!server || !server->ReceiveFile(ArgText(call.Arg(0)), ArgText(call.Arg(1)), answer)) return true;
  if (answer.GetCount() == 0) {
    SetLoginError(kInvalidAnswer);
    return true;
  }
  const fs::path path = ArgPath(call.Arg(2));
  if (!ReplaceFile(path, answer.GetBytes(0))) {
    SetFileError(u"Can't write the file ", path);
    return true;
  }
  call.result.SetBool(true);
  return true;
}

// "ServerBrowseFolder"(folder[, filter[, option]]): the names in the server's folder.
bool ServerBrowseFolder(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 3)) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  CNServiceAnswer answer;
  const std::u16string filter = call.Count() > 1 ? ArgText(call.Arg(1)) : std::u16string();
  const std::u16string option = call.Count() > 2 ? ArgText(call.Arg(2)) : std::u16string();
  if (server && server->ServerBrowseFolder(ArgText(call.Arg(0)), filter, option, answer))
    AnswerValue(answer, 0, call.result);
  return true;
}

// "ServerDeleteFile"(folder, name).
bool ServerDeleteFile(CMethodCall& call) {
  if (call.Count() != 2) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  call.result.SetBool(server && server->ServerDeleteFile(ArgText(call.Arg(0)), ArgText(call.Arg(1))));
  return true;
}

// "ServerDeleteFolder"(folder[, option]): deletes the server's folder and what it holds.
bool ServerDeleteFolder(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  CNPLoginServer* server = ReachLoginServer(call);
  const std::u16string option = call.Count() > 1 ? ArgText(call.Arg(1)) : std::u16string();
  call.result.SetBool(server && server->ServerDeleteFolder(ArgText(call.Arg(0)), option));
  return true;
}

constexpr std::array kFileMethods = {
    MethodEntry{u"SendFile", "Copies a file of this computer into a folder of the server", &SendFile},
    GuardedMethod(u"ReceiveFile", "Copies a file of the server to this computer", &ReceiveFile,
                  CapabilityFamily::kFiles, 3, 3),
    MethodEntry{u"ServerBrowseFolder", "The names in a folder of the server", &ServerBrowseFolder},
    MethodEntry{u"ServerDeleteFile", "Deletes a file of the server", &ServerDeleteFile},
    MethodEntry{u"ServerDeleteFolder", "Deletes a folder of the server with what it holds",
                &ServerDeleteFolder},
};

}  // namespace

std::span<const MethodEntry> RootServerFileMethods() {
  return kFileMethods;
}
