#include "methods/root_file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "support/replacing_file.h"
#include "support/utf16_text.h"

namespace fs = std::filesystem;

namespace {

// Closes a descriptor when it goes out of scope.
struct FileDescriptor {
  explicit FileDescriptor(int descriptor) : fd(descriptor) {}
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int fd;
};

}  // namespace

std::u16string FileErrorText(std::u16string_view what, const fs::path& file) {
  return std::u16string(what) + u": " + Utf8ToUtf16(file.string());
}

bool ReadWholeFile(const fs::path& file, size_t maxBytes, std::string& bytes, std::u16string& error) {
  bytes.clear();
  // Not blocking: opening a pipe without a writer must not wait.
  FileDescriptor in(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  struct stat info {};
  if (in.fd < 0 || ::fstat(in.fd, &info) != 0) {
    error = FileErrorText(u"Cannot open the file", file);
    return false;
  }
  if (!S_ISREG(info.st_mode)) {
    error = FileErrorText(u"Not a regular file", file);
    return false;
  }
  if (static_cast<uintmax_t>(info.st_size) > maxBytes) {
    error = FileErrorText(u"The file is too large", file);
    return false;
  }
  bytes.reserve(static_cast<size_t>(info.st_size));
  char chunk[16384];
  for (;;) {
    const ssize_t n = ::read(in.fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = FileErrorText(u"Cannot read the file", file);
      bytes.clear();
      return false;
    }
    if (n == 0) return true;
    if (bytes.size() + static_cast<size_t>(n) > maxBytes) {  // it grew while it was read
      error = FileErrorText(u"The file is too large", file);
      bytes.clear();
      return false;
    }
    bytes.append(chunk, static_cast<size_t>(n));
  }
}

bool ReplaceFileContent(const fs::path& file, std::string_view bytes, std::u16string& error) {
  CRReplacingFile out(file);
  if (out.Write(bytes.data(), bytes.size()) && out.Commit()) return true;
  error = FileErrorText(u"Cannot write the file", file);
  return false;
}

bool AppendFileContent(const fs::path& file, std::string_view bytes, std::u16string& error) {
  FileDescriptor out(
      ::open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644));
  struct stat info {};
  bool done = out.fd >= 0 && ::fstat(out.fd, &info) == 0 && S_ISREG(info.st_mode) && WriteAllBytes(out.fd, bytes.data(), bytes.size());
  done = out.fd >= 0 && ::close(std::exchange(out.fd, -1)) == 0 && done;
  if (!done) error = FileErrorText(u"Cannot write the file", file);
  return done;
}

bool DecodeFileText(std::string_view bytes, std::u16string& text) {
  text.clear();
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  if (bytes.size() >= 2 && ((byte(0) == 0xFF && byte(1) == 0xFE) || (byte(0) == 0xFE && byte(1) == 0xFF))) {
    const bool little = byte(0) == 0xFF;
    if (bytes.size() % 2 != 0) return false;
    text.reserve(bytes.size() / 2 - 1);
    for (size_t i = 2; i < bytes.size(); i += 2)
      text.push_back(static_cast<char16_t>(little ? byte(i) | byte(i + 1) << 8 : byte(i) << 8 | byte(i + 1)));
    return true;
  }
  if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) bytes.remove_prefix(3);
  if (bytes.find('\0') != std::string_view::npos) return false;
  Utf8ToUtf16(bytes, text);
  return true;
}
