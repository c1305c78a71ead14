#include "panel_server_sim/tag_table.h"

#include "support/file_time.h"

namespace panel_sim {

void ConvertToType(const CNValue& value, TagType type, CNValue& out) {
  out.Clear();
  if (value.IsEmpty()) return;
  out.SetDimensions(value.GetDimensionCount(), value.GetDimensionSizes());
  for (uint32_t i = 0; i < out.GetCount(); ++i) {
    switch (type) {
      case TagType::kNumber: out.SetNumberAt(i, value.GetNumber(i)); break;
      case TagType::kBool: out.SetBoolAt(i, value.GetBool(i)); break;
      case TagType::kString: out.SetStringAt(i, value.GetText(i)); break;
      case TagType::kTime: out.SetTimeAt(i, value.GetTime(i)); break;
    }
  }
}

TagTable::TagTable(std::vector<TagDefinition> tags, uint64_t randomSeed) : m_random(randomSeed) {
  const FileTime now = CurrentFileTime();
  m_tags.reserve(tags.size());
  for (TagDefinition& definition : tags) {
    m_index.emplace(definition.name, static_cast<uint32_t>(m_tags.size()));
    Tag& tag = m_tags.emplace_back(Tag{std::move(definition.name), definition.type, std::move(definition.value),
                                       definition.generator});
    tag.value.SetQuality(VQ_GOOD);
    tag.value.SetTimeStamp(now);
  }
}

std::optional<uint32_t> TagTable::Find(std::u16string_view name) const {
  const auto found = m_index.find(name);
  if (found == m_index.end()) return std::nullopt;
  return found->second;
}

uint64_t TagTable::Read(uint32_t index, CNValue& out) const {
  std::lock_guard<std::mutex> guard(m_lock);
  out = m_tags[index].value;
  return m_tags[index].version;
}

uint64_t TagTable::GetVersion(uint32_t index) const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_tags[index].version;
}

void TagTable::Stamp(Tag& tag) {
  tag.value.SetQuality(m_ucQuality);
  tag.value.SetTimeStamp(CurrentFileTime());
  ++tag.version;
}

void TagTable::Notify(const std::vector<std::pair<uint32_t, CNValue>>& changes) const {
  if (!m_pListener) return;
  for (const auto& [index, value] : changes) m_pListener->OnTagChanged(index, value);
}

uint64_t TagTable::Write(uint32_t index, const CNValue& value, CNValue& stored) {
  CNValue converted;
  ConvertToType(value, m_tags[index].type, converted);
  if (converted.IsEmpty()) return 0;
  uint64_t version = 0;
  {
    std::lock_guard<std::mutex> guard(m_lock);
    Tag& tag = m_tags[index];
    tag.value = std::move(converted);
    Stamp(tag);
    stored = tag.value;
    version = tag.version;
  }
  Notify({{index, stored}});
  return version;
}

void TagTable::Advance(uint64_t nowMs) {
  std::vector<std::pair<uint32_t, CNValue>> changes;
  {
    std::lock_guard<std::mutex> guard(m_lock);
    for (uint32_t i = 0; i < m_tags.size(); ++i) {
      Tag& tag = m_tags[i];
      if (!tag.generator.Step(nowMs, tag.value, m_random)) continue;
      Stamp(tag);
      changes.emplace_back(i, tag.value);
    }
  }
  Notify(changes);
}

void TagTable::SetQuality(uint8_t quality) {
  std::vector<std::pair<uint32_t, CNValue>> changes;
  {
    std::lock_guard<std::mutex> guard(m_lock);
    m_ucQuality = quality;
    for (uint32_t i = 0; i < m_tags.size(); ++i) {
      Stamp(m_tags[i]);
      changes.emplace_back(i, m_tags[i].value);
    }
  }
  Notify(changes);
}

uint8_t TagTable::GetQuality() const {
  std::lock_guard<std::mutex> guard(m_lock);
  return m_ucQuality;
}

}  // namespace panel_sim
