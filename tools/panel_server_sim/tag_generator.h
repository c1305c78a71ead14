#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "panel_server_sim/config_text.h"
#include "values/value.h"

namespace panel_sim {

// The type a tag keeps whatever is written to it.
enum class TagType : uint8_t { kNumber, kBool, kString, kTime };

bool ParseTagType(std::string_view text, TagType& type);
std::string_view TagTypeName(TagType type);
ValueKind TagTypeKind(TagType type);

enum class GeneratorKind : uint8_t { kNone, kSine, kRamp, kToggle, kRandom };

// Moves a tag's value on its period, against a millisecond clock that starts at 0 with the tag
// table:
//   sine PERIOD_MS LOW HIGH    a sine wave between LOW and HIGH, sampled every kSineSampleMs
//   ramp STEP PERIOD_MS        adds STEP every PERIOD_MS (to whatever the value is then)
//   toggle PERIOD_MS           flips a bool every PERIOD_MS
//   random LOW HIGH PERIOD_MS  a new uniform number in LOW..HIGH every PERIOD_MS
// A clock that jumps several periods at once catches up: a ramp adds one step per period.
class TagGenerator {
 public:
  static constexpr uint32_t kSineSampleMs = 100;

  // Reads the arguments of the generator named kind from tokens. False with error set for an
  // unknown name, a generator that does not suit the tag's type, or bad or missing arguments.
  bool Parse(std::string_view kind, ConfigTokenizer& tokens, TagType type, std::string& error);

  GeneratorKind GetKind() const { return m_kind; }
  double GetLow() const { return m_dLow; }
  double GetHigh() const { return m_dHigh; }

  // When the generator is due at nowMs, moves value on and returns true.
  bool Step(uint64_t nowMs, CNValue& value, std::mt19937_64& random);

 private:
  GeneratorKind m_kind = GeneratorKind::kNone;
  uint32_t m_ulPeriodMs = 0;
  double m_dLow = 0.0;
  double m_dHigh = 0.0;
  double m_dStep = 0.0;
  uint64_t m_ullNextDueMs = 0;
};

}  // namespace panel_sim
