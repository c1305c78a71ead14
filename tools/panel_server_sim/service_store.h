#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/file_time.h"

namespace panel_sim {

// The state behind the server's service commands: named reference counters, a small file
// store kept in memory, and the server clock (which "SetServerTime" moves without touching the
// machine's clock). Safe to use from any thread.
class ServiceStore {
 public:
  static constexpr size_t kMaxStoredBytes = 16u << 20;
  static constexpr size_t kMaxFiles = 1000;
  static constexpr size_t kMaxCounters = 10000;

  uint32_t AddReference(std::u16string_view name);  // the new count; 0 when the table is full
  bool ReleaseReference(std::u16string_view name);  // false when the counter is not held
  uint32_t GetReference(std::u16string_view name) const;

  // False when the store has no room for the file.
  bool PutFile(std::u16string_view folder, std::u16string_view name, std::vector<uint8_t> data);
  std::optional<std::vector<uint8_t>> GetFile(std::u16string_view folder, std::u16string_view name) const;
  std::vector<std::u16string> ListFolder(std::u16string_view folder) const;
  bool DeleteFile(std::u16string_view folder, std::u16string_view name);
  void DeleteFolder(std::u16string_view folder);

  FileTime GetTime() const;
  void SetTime(FileTime now);

 private:
  using FileKey = std::pair<std::u16string, std::u16string>;

  mutable std::mutex m_lock;
  std::map<std::u16string, uint32_t, std::less<>> m_counters;
  std::map<FileKey, std::vector<uint8_t>> m_files;
  size_t m_ulStoredBytes = 0;
  uint64_t m_ullClockOffset = 0;  // ticks added to the machine's clock, modulo 2^64
};

}  // namespace panel_sim
