#include "tags/tag_server_memory.h"

#include <algorithm>
#include <limits>

#include "support/millisecond_clock.h"
#include "support/utf16_text.h"
#include "tags/memory_values.h"
#include "tags/tag_server_suite.h"

namespace {

// The element index of a name: the digits that end it. Fails on anything else after the first
// digit and on a number beyond 32 bits.
std::optional<uint32_t> ParseElement(std::u16string_view digits) {
  uint64_t element = 0;
  for (const char16_t c : digits) {
    if (!IsDigitAscii(c)) return std::nullopt;
    element = element * 10 + (c - u'0');
    if (element > std::numeric_limits<uint32_t>::max()) return std::nullopt;
  }
  return static_cast<uint32_t>(element);
}

CNPMemoryTag* AsMemoryTag(CNPTag* tag) {
  return tag && tag->GetKind() == kTagMemory ? static_cast<CNPMemoryTag*>(tag) : nullptr;
}

}  // namespace

// name := "$" "#" variable | "$" area digits
std::optional<CNPTagServerMemory::Address> CNPTagServerMemory::ParseName(std::u16string_view name) const {
  if (name.size() < 2 || name[0] != u'$' || IsDigitAscii(name[1])) return std::nullopt;
  const std::u16string_view rest = name.substr(1);
  std::u16string_view areaName = rest.substr(0, 1);  // "#": the rest names the variable
  std::u16string_view digits;
  if (rest[0] != u'#') {
    const size_t first = std::find_if(rest.begin(), rest.end(), IsDigitAscii) - rest.begin();
    areaName = rest.substr(0, first);
    digits = rest.substr(first);
  }
  const auto area = std::find_if(m_areas.begin(), m_areas.end(),
                                 [&](const MemoryArea& a) { return a.GetName() == areaName; });
  if (area == m_areas.end()) return std::nullopt;
  const std::optional<uint32_t> element = ParseElement(digits);
  if (!element || (area->GetSize() != 0 && *element >= area->GetSize())) return std::nullopt;
  return Address{static_cast<uint32_t>(area - m_areas.begin()), *element};
}

CNPTag* CNPTagServerMemory::GetTag(std::u16string_view name, uint32_t, ServerConnectionPoint* listener) {
  const auto found = m_tags.find(name);
  if (found != m_tags.end()) {
    CNPMemoryTag* tag = found->second.Get();
    tag->ClearReleased();
    tag->AddListener(listener);
    tag->AddRef();
    AddPendingListener(tag, listener);
    return tag;
  }
  const std::optional<Address> address = ParseName(name);
  if (!address) return nullptr;
  auto tag = CRPtr<CNPMemoryTag>::Make(std::u16string(name), address->area, address->element);
  tag->AddListener(listener);
  tag->AddRef();
  return m_tags.emplace(std::u16string(name), std::move(tag)).first->second.Get();
}

void CNPTagServerMemory::ReleaseTag(CNPTag* tag, ServerConnectionPoint* listener) {
  if (tag) ReleaseListener(tag, listener);
}

CRPtr<CNValue> CNPTagServerMemory::GetValue(CNPTag* tag, uint32_t, bool* ok) {
  auto value = CRPtr<CNValue>::Make();
  if (const CNPMemoryTag* memoryTag = AsMemoryTag(tag)) MakeValue(*memoryTag, *value);
  if (ok) *ok = true;
  return value;
}

bool CNPTagServerMemory::SetValue(CNPTag* tag, const CNValue& value) {
  CNPMemoryTag* memoryTag = AsMemoryTag(tag);
  if (!memoryTag || memoryTag->GetArea() >= m_areas.size()) return true;
  MemoryArea& area = m_areas[memoryTag->GetArea()];
  if (area.GetType() == MemoryArea::kPerTag) {
    if (StoreVariant(memoryTag->GetOwnValue(), value)) memoryTag->MarkChanged();
  } else if (area.WriteElement(memoryTag->GetElement(), value) && area.IsPlain()) {
    // SOUND stores too, but its listeners learn of it from the change detection of Dispatch.
    memoryTag->MarkChanged();
  }
  return true;
}

bool CNPTagServerMemory::Read(std::span<CNPTag* const>, uint32_t) { return true; }

bool CNPTagServerMemory::Write(std::span<CNPTag* const> tags, std::span<const CNValue> values) {
  const size_t pairs = std::min(tags.size(), values.size());
  for (size_t i = 0; i < pairs; ++i) SetValue(tags[i], values[i]);
  return pairs == tags.size();
}

bool CNPTagServerMemory::ReadAll(uint32_t) { return true; }

void CNPTagServerMemory::Dispatch() {
  // Listeners may get, release or write tags while they are told; the ones with news are held
  // apart so that the map may change meanwhile.
  std::vector<CRPtr<CNPMemoryTag>> news;
  for (auto& [name, tag] : m_tags) {
    if (tag->IsReleased()) continue;
    ObserveComputed(*tag);
    if (tag->HasNews()) news.push_back(tag);
  }
  CNValue value;
  for (const auto& tag : news) {
    if (tag->IsReleased()) continue;
    MakeValue(*tag, value);
    // A tag without a value yet keeps its news until it has one.
    if (value.IsEmpty()) continue;
    tag->Notify(tag->GetName(), value, tag->TakeChanged());
  }
  CollectUnused();
}

void CNPTagServerMemory::SetTimeBase(FileTime startTime, uint32_t startTick) {
  m_ftStartTime = startTime;
  m_ulStartTick = startTick;
}

void CNPTagServerMemory::Stop() { m_tags.clear(); }

void CNPTagServerMemory::CollectUnused() { CollectFrom(m_tags); }

bool CNPTagServerMemory::StartLocal(const CNTagServerStartInfo& info) {
  if (m_areas.empty()) m_areas = BuildMemoryAreas();
  m_connection = info.connection;
  return true;
}

void CNPTagServerMemory::SetWallClock(std::function<FileTime()> clock) { m_wallClock = std::move(clock); }

void CNPTagServerMemory::MakeValue(const CNPMemoryTag& tag, CNValue& out) const {
  out.Clear();
  if (tag.GetArea() >= m_areas.size()) return;
  const MemoryArea& area = m_areas[tag.GetArea()];
  if (area.GetType() == MemoryArea::kPerTag) {
    out.Assign(tag.GetOwnValue());
  } else if (area.HasArray()) {
    area.ReadElement(tag.GetElement(), out);
  } else {
    MakeComputedValue(tag, out);
  }
  out.SetQuality(out.GetCount() != 0 ? VQ_GOOD : VQ_UNCERTAIN);
}

void CNPTagServerMemory::MakeComputedValue(const CNPMemoryTag& tag, CNValue& out) const {
  const MemoryArea::Function function = m_areas[tag.GetArea()].GetFunction();
  const uint32_t n = tag.GetElement();
  switch (function) {
    case MemoryArea::kBlink: out.SetBool(MemoryBlink(ElapsedMs(), n)); break;
    case MemoryArea::kInc: out.SetNumber(MemoryIncrement(ElapsedMs(), n)); break;
    case MemoryArea::kSin:
    case MemoryArea::kCos:
    case MemoryArea::kHsin:
    case MemoryArea::kHcos: out.SetNumber(MemoryWave(function, ElapsedMs(), n)); break;
    case MemoryArea::kNow: out.SetTime(Now()); break;
    case MemoryArea::kSys: {
      const CNPTagServerSuite* suite = GetSuite();
      out.SetNumber(MemorySystemValue(n, suite ? suite->GetLoginConnectionState() : 0,
                                      m_connection ? m_connection->GetNodeNumber() : 1,
                                      m_connection ? m_connection->GetHttpServerNumber() : 1));
      break;
    }
    case MemoryArea::kPlain:
    case MemoryArea::kSound: break;
  }
}

void CNPTagServerMemory::ObserveComputed(CNPMemoryTag& tag) const {
  if (tag.GetArea() >= m_areas.size()) return;
  switch (m_areas[tag.GetArea()].GetFunction()) {
    case MemoryArea::kBlink:
    case MemoryArea::kInc:
    case MemoryArea::kSound:
    case MemoryArea::kSys: {
      CNValue value;
      MakeValue(tag, value);
      tag.Observe(value.GetNumber(0));
      break;
    }
    case MemoryArea::kSin:
    case MemoryArea::kCos:
    case MemoryArea::kHsin:
    case MemoryArea::kHcos: tag.MarkChanged(); break;
    case MemoryArea::kNow:
      // Whole seconds since the project started: NOW listeners hear about once a second.
      tag.Observe(static_cast<double>(static_cast<int64_t>(Now() - m_ftStartTime) /
                                      static_cast<int64_t>(kTicksPerSecond)));
      break;
    case MemoryArea::kPlain: break;
  }
}

uint32_t CNPTagServerMemory::ElapsedMs() const {
  return CNMillisecondClock::GetCurrent().Now() - m_ulStartTick;
}

FileTime CNPTagServerMemory::Now() const { return m_wallClock ? m_wallClock() : CurrentFileTime(); }
