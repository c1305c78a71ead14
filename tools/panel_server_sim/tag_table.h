#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "panel_server_sim/tag_file.h"
#include "values/value.h"

namespace panel_sim {

// Told of every change of a tag's value or quality, after the table's lock is released.
class TagTableListener {
 public:
  virtual ~TagTableListener() = default;
  virtual void OnTagChanged(uint32_t index, const CNValue& value) = 0;
};

// The tags the server publishes, by index. The set of tags is fixed at construction; values
// change through writes, generators and quality changes. Every change bumps the tag's version,
// so readers can tell what they have already seen. Safe to use from any thread.
class TagTable {
 public:
  // Values start with quality GOOD and the timestamp now.
  explicit TagTable(std::vector<TagDefinition> tags, uint64_t randomSeed = std::random_device{}());

  // Set once, before the table is shared.
  void SetListener(TagTableListener* listener) { m_pListener = listener; }

  uint32_t GetCount() const { return static_cast<uint32_t>(m_tags.size()); }
  std::optional<uint32_t> Find(std::u16string_view name) const;
  const std::u16string& GetName(uint32_t index) const { return m_tags[index].name; }
  TagType GetType(uint32_t index) const { return m_tags[index].type; }
  const TagGenerator& GetGenerator(uint32_t index) const { return m_tags[index].generator; }

  // Copies the tag's value into out and returns its version.
  uint64_t Read(uint32_t index, CNValue& out) const;
  uint64_t GetVersion(uint32_t index) const;

  // Stores value converted element by element to the tag's type, with the table's quality
  // and the timestamp now; stored receives what the tag then holds. Returns the tag's new
  // version, or 0 (nothing stored) for the empty value.
  uint64_t Write(uint32_t index, const CNValue& value, CNValue& stored);

  // Runs the generators that are due at nowMs (milliseconds since the table started).
  void Advance(uint64_t nowMs);

  // Gives every tag the quality (GOOD or BAD), keeping the contents.
  void SetQuality(uint8_t quality);
  uint8_t GetQuality() const;

 private:
  struct Tag {
    std::u16string name;
    TagType type;
    CNValue value;
    TagGenerator generator;
    uint64_t version = 1;
  };

  // Marks a tag's value as changed now: the table's quality, the timestamp, a new version.
  void Stamp(Tag& tag);
  void Notify(const std::vector<std::pair<uint32_t, CNValue>>& changes) const;

  mutable std::mutex m_lock;
  std::vector<Tag> m_tags;
  std::map<std::u16string, uint32_t, std::less<>> m_index;
  std::mt19937_64 m_random;
  uint8_t m_ucQuality = VQ_GOOD;
  TagTableListener* m_pListener = nullptr;
};

// A copy of value with every element converted to the tag type's kind.
void ConvertToType(const CNValue& value, TagType type, CNValue& out);

}  // namespace panel_sim
