#include "panel_server_sim/service_store.h"

namespace panel_sim {

uint32_t ServiceStore::AddReference(std::u16string_view name) {
  std::lock_guard<std::mutex> guard(m_lock);
  auto found = m_counters.find(name);
  if (found == m_counters.end()) {
    if (m_counters.size() >= kMaxCounters) return 0;
    found = m_counters.emplace(std::u16string(name), 0).first;
  }
  return ++found->second;
}

bool ServiceStore::ReleaseReference(std::u16string_view name) {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_counters.find(name);
  if (found == m_counters.end()) return false;
  if (--found->second == 0) m_counters.erase(found);
  return true;
}

uint32_t ServiceStore::GetReference(std::u16string_view name) const {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_counters.find(name);
  return found == m_counters.end() ? 0 : found->second;
}

bool ServiceStore::PutFile(std::u16string_view folder, std::u16string_view name, std::vector<uint8_t> data) {
  std::lock_guard<std::mutex> guard(m_lock);
  FileKey key(folder, name);
  const auto found = m_files.find(key);
  const size_t replaced = found == m_files.end() ? 0 : found->second.size();
  if (m_ulStoredBytes - replaced + data.size() > kMaxStoredBytes ||
      (found == m_files.end() && m_files.size() >= kMaxFiles))
    return false;
  m_ulStoredBytes = m_ulStoredBytes - replaced + data.size();
  m_files.insert_or_assign(std::move(key), std::move(data));
  return true;
}

std::optional<std::vector<uint8_t>> ServiceStore::GetFile(std::u16string_view folder, std::u16string_view name) const {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_files.find(FileKey(folder, name));
  if (found == m_files.end()) return std::nullopt;
  return found->second;
}

std::vector<std::u16string> ServiceStore::ListFolder(std::u16string_view folder) const {
  std::lock_guard<std::mutex> guard(m_lock);
  std::vector<std::u16string> names;
  for (auto it = m_files.lower_bound(FileKey(folder, u"")); it != m_files.end() && it->first.first == folder; ++it)
    names.push_back(it->first.second);
  return names;
}

bool ServiceStore::DeleteFile(std::u16string_view folder, std::u16string_view name) {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_files.find(FileKey(folder, name));
  if (found == m_files.end()) return false;
  m_ulStoredBytes -= found->second.size();
  m_files.erase(found);
  return true;
}

void ServiceStore::DeleteFolder(std::u16string_view folder) {
  std::lock_guard<std::mutex> guard(m_lock);
  auto it = m_files.lower_bound(FileKey(folder, u""));
  while (it != m_files.end() && it->first.first == folder) {
    m_ulStoredBytes -= it->second.size();
    it = m_files.erase(it);
  }
}

FileTime ServiceStore::GetTime() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return CurrentFileTime() + m_ullClockOffset;
}

void ServiceStore::SetTime(FileTime now) {
  std::lock_guard<std::mutex> guard(m_lock);
  m_ullClockOffset = now - CurrentFileTime();
}

}  // namespace panel_sim
