#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "comm/connection_settings.h"
#include "support/file_time.h"
#include "tags/memory_area.h"
#include "tags/memory_tag.h"
#include "tags/tag_server_base.h"

// The tags that live in the panel itself ("$" names): plain memory areas and computed system
// values. Used on the user-interface thread only.
class CNPTagServerMemory : public CNPTagServerBase {
 public:
  using CNPTagServerBase::CNPTagServerBase;

  CNPTag* GetTag(std::u16string_view name, uint32_t advise, ServerConnectionPoint* listener) override;
  void ReleaseTag(CNPTag* tag, ServerConnectionPoint* listener) override;
  CRPtr<CNValue> GetValue(CNPTag* tag, uint32_t readMode, bool* ok) override;
  bool SetValue(CNPTag* tag, const CNValue& value) override;
  bool Read(std::span<CNPTag* const> tags, uint32_t readMode) override;
  bool Write(std::span<CNPTag* const> tags, std::span<const CNValue> values) override;
  bool ReadAll(uint32_t readMode) override;
  void Dispatch() override;
  void SetTimeBase(FileTime startTime, uint32_t startTick) override;
  bool Start(const CNTagServerStartInfo& info) override { return StartLocal(info); }
  void Stop() override;
  void CollectUnused() override;

  // Builds the area table at the first start and keeps the connection settings for "SYS".
  bool StartLocal(const CNTagServerStartInfo& info);

  // The wall clock that "NOW" reads; CurrentFileTime unless another is set (an empty function
  // restores it). The millisecond tick is the runtime's millisecond clock.
  void SetWallClock(std::function<FileTime()> clock);

 private:
  struct Address {
    uint32_t area;
    uint32_t element;
  };
  // Where a "$" name points, when it is valid.
  std::optional<Address> ParseName(std::u16string_view name) const;

  // The tag's current value (quality 1 when it has elements, else 2).
  void MakeValue(const CNPMemoryTag& tag, CNValue& out) const;
  void MakeComputedValue(const CNPMemoryTag& tag, CNValue& out) const;
  // Marks computed tags changed when their value moved since the last dispatch.
  void ObserveComputed(CNPMemoryTag& tag) const;
  uint32_t ElapsedMs() const;
  FileTime Now() const;

  CNTagMap<CNPMemoryTag> m_tags;
  std::vector<MemoryArea> m_areas;
  uint32_t m_ulStartTick = 0;
  FileTime m_ftStartTime = 0;
  CRPtr<CNConnectionSettings> m_connection;
  std::function<FileTime()> m_wallClock;
};
