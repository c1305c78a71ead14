#include "support/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace fs = std::filesystem;

bool WriteAllBytes(int fd, const void* data, size_t size) {
  auto* at = static_cast<const uint8_t*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, at, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    at += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

CRReplacingFile::CRReplacingFile(fs::path target) : m_target(std::move(target)) {
  const fs::path folder = m_target.parent_path().empty() ? fs::path(".") : m_target.parent_path();
  m_temp = (folder / ".kvtmpXXXXXX").string();
  m_fd = ::mkostemp(m_temp.data(), O_CLOEXEC);
}

CRReplacingFile::~CRReplacingFile() {
  if (m_fd >= 0) {
    ::close(m_fd);
    ::unlink(m_temp.c_str());
  }
}

bool CRReplacingFile::Write(const void* data, size_t size) {
  return m_fd >= 0 && WriteAllBytes(m_fd, data, size);
}

bool CRReplacingFile::Commit() {
  if (m_fd < 0) return false;
  struct stat old {};
  const mode_t mode = ::stat(m_target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  bool done = ::fchmod(m_fd, mode) == 0 && ::fsync(m_fd) == 0;
  done = ::close(m_fd) == 0 && done;
  m_fd = -1;
  done = done && ::rename(m_temp.c_str(), m_target.c_str()) == 0;
  if (!done) ::unlink(m_temp.c_str());
  return done;
}
