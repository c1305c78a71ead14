#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// A file written beside its destination and renamed over it once complete, so that a failure
// never leaves the destination half written or destroys what was there. Without Commit the
// temporary file disappears.
class CRReplacingFile {
 public:
  explicit CRReplacingFile(std::filesystem::path target);
  ~CRReplacingFile();
  CRReplacingFile(const CRReplacingFile&) = delete;
  CRReplacingFile& operator=(const CRReplacingFile&) = delete;

  bool IsOpen() const { return m_fd >= 0; }
  bool Write(const void* data, size_t size);
  // Gives the file the destination's permissions (0644 for a new one), flushes it to the disk
  // and puts it in the destination's place.
  bool Commit();

 private:
  std::filesystem::path m_target;
  std::string m_temp;
  int m_fd = -1;
};

// Writes every byte to the descriptor, resuming after interruptions.
bool WriteAllBytes(int fd, const void* data, size_t size);
