#include "views/image_cache.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "draw/image.h"
#include "support/utf16_text.h"

namespace {

// The decoded image of a local file or a web address; null when it cannot be had or decoded.
std::unique_ptr<CRSurface> LoadImage(const CNProjectFile& file) {
  if (file.kind == CNProjectFile::kLocal) return CRImage::LoadFile(Utf16ToUtf8(file.name));
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadProjectFile(file, bytes, error)) return nullptr;
  return CRImage::LoadBytes(bytes.data(), bytes.size());
}

size_t ImageBytes(const CRSurface* image) {
  return image ? static_cast<size_t>(image->GetWidth()) * static_cast<size_t>(image->GetHeight()) * 4 : 0;
}

}  // namespace

CNProjectFile CNPImageCache::Resolve(std::u16string_view fileName) const {
  CNProjectFile file = ResolveProjectFile(m_location, fileName);
  if (file.kind != CNProjectFile::kBuiltin) return file;
  // The program's own images; none without their folder.
  if (m_strSystemFolder.empty() || file.name.empty()) return {CNProjectFile::kBuiltin, {}};
  CNProjectLocation system;
  system.folder = m_strSystemFolder + u"/";
  return ResolveProjectFile(system, file.name);
}

const CRSurface* CNPImageCache::GetImage(std::u16string_view fileName) {
  if (fileName.empty()) return nullptr;
  const CNProjectFile file = Resolve(fileName);
  if (file.kind == CNProjectFile::kBuiltin) return nullptr;
  const auto [entry, added] = m_entries.try_emplace(Utf16ToUtf8(file.name));
  entry->second.lastUse = ++m_ulUses;
  if (!added) return entry->second.image.get();
  entry->second.image = LoadImage(file);
  entry->second.bytes = ImageBytes(entry->second.image.get());
  m_bytes += entry->second.bytes;
  return entry->second.image.get();
}

void CNPImageCache::Trim() {
  if (m_bytes <= m_budget && m_entries.size() <= kMaxEntries) return;
  std::vector<std::pair<uint64_t, std::string>> byAge;
  byAge.reserve(m_entries.size());
  for (const auto& [key, entry] : m_entries) byAge.emplace_back(entry.lastUse, key);
  std::sort(byAge.begin(), byAge.end());
  for (const auto& [lastUse, key] : byAge) {
    if (m_bytes <= m_budget && m_entries.size() <= kMaxEntries) break;
    const auto found = m_entries.find(key);
    m_bytes -= found->second.bytes;
    m_entries.erase(found);
  }
  ForgetKeyedImages();
}

void CNPImageCache::Clear() {
  m_entries.clear();
  m_bytes = 0;
  ForgetKeyedImages();
}
