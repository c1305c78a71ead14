#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "draw/surface.h"
#include "project/project_location.h"
#include "screen/draw_context.h"

// The images a project's objects name ("ImageFile" and the like), decoded once and kept.
//
// Names resolve as the project's other files do: relative to the project's folder (or its web
// address), "\" taken as "/"; "sys:" names are the program's own images, found in the system
// image folder. Images are kept by the file they resolve to, so two spellings of one file share
// it. A name that cannot be had (missing, unreadable, not an image) is remembered and not tried
// again until Clear.
//
// Memory is bounded: Trim drops the least recently used images beyond the budget (and the
// oldest of more than kMaxEntries names). An image handed out stays valid until the next Trim
// or Clear, so that the runtime trims between paints, never during one; so do the copies less a
// transparent colour (GetKeyedImage).
class CNPImageCache : public CNImageSource {
 public:
  static constexpr size_t kDefaultBudgetBytes = size_t{64} << 20;
  static constexpr size_t kMaxEntries = 4096;

  // Where the open project's relative names resolve.
  void SetLocation(const CNProjectLocation& location) { m_location = location; }
  // The folder of the program's own images ("sys:" names); empty: none are found.
  void SetSystemFolder(std::u16string folder) { m_strSystemFolder = std::move(folder); }
  void SetBudget(size_t bytes) { m_budget = bytes; }

  const CRSurface* GetImage(std::u16string_view fileName) override;
  void Trim();
  // Forgets every image and every failure.
  void Clear();

  size_t GetBytes() const { return m_bytes; }
  size_t GetCount() const { return m_entries.size(); }

 private:
  struct Entry {
    std::unique_ptr<CRSurface> image;  // null: the file could not be had
    size_t bytes = 0;
    uint64_t lastUse = 0;
  };

  // The file a name stands for: a local path or a web address; kBuiltin for none.
  CNProjectFile Resolve(std::u16string_view fileName) const;

  CNProjectLocation m_location;
  std::u16string m_strSystemFolder;
  size_t m_budget = kDefaultBudgetBytes;
  size_t m_bytes = 0;
  uint64_t m_ulUses = 0;
  std::unordered_map<std::string, Entry> m_entries;  // by the file's path or address
};
