#include "panel_server_sim/tag_generator.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace panel_sim {

namespace {

struct TypeInfo {
  std::string_view name;
  TagType type;
  ValueKind kind;
};

constexpr TypeInfo kTypes[] = {
    {"number", TagType::kNumber, VK_NUMBER},
    {"bool", TagType::kBool, VK_BOOL},
    {"string", TagType::kString, VK_STRING},
    {"time", TagType::kTime, VK_TIME},
};

// Argument letters: P period in ms, L low, H high, S step.
struct GeneratorInfo {
  std::string_view name;
  GeneratorKind kind;
  std::string_view arguments;
  TagType type;
};

constexpr GeneratorInfo kGenerators[] = {
    {"sine", GeneratorKind::kSine, "PLH", TagType::kNumber},
    {"ramp", GeneratorKind::kRamp, "SP", TagType::kNumber},
    {"toggle", GeneratorKind::kToggle, "P", TagType::kBool},
    {"random", GeneratorKind::kRandom, "LHP", TagType::kNumber},
};

std::string_view ArgumentName(char letter) {
  switch (letter) {
    case 'P': return "PERIOD_MS";
    case 'L': return "LOW";
    case 'H': return "HIGH";
    default: return "STEP";
  }
}

template <class T>
bool ParseWhole(std::string_view text, T& out) {
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), out);
  return !text.empty() && status == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool ParseTagType(std::string_view text, TagType& type) {
  for (const TypeInfo& info : kTypes) {
    if (info.name == text) {
      type = info.type;
      return true;
    }
  }
  return false;
}

std::string_view TagTypeName(TagType type) { return kTypes[static_cast<size_t>(type)].name; }

ValueKind TagTypeKind(TagType type) { return kTypes[static_cast<size_t>(type)].kind; }

bool TagGenerator::Parse(std::string_view kind, ConfigTokenizer& tokens, TagType type, std::string& error) {
  const GeneratorInfo* info = nullptr;
  for (const GeneratorInfo& candidate : kGenerators)
    if (candidate.name == kind) info = &candidate;
  if (!info) {
    error = "unknown generator \"" + std::string(kind) + "\" (sine, ramp, toggle or random)";
    return false;
  }
  if (info->type != type) {
    error = "generator " + std::string(kind) + " needs a " + std::string(TagTypeName(info->type)) + " tag";
    return false;
  }
  for (const char letter : info->arguments) {
    const std::string_view text = tokens.Next();
    bool ok = false;
    if (letter == 'P') {
      ok = ParseWhole(text, m_ulPeriodMs) && m_ulPeriodMs > 0;
    } else {
      double number = 0.0;
      ok = ParseWhole(text, number) && std::isfinite(number);
      (letter == 'L' ? m_dLow : letter == 'H' ? m_dHigh : m_dStep) = number;
    }
    if (!ok) {
      error = "generator " + std::string(kind) + ": " + std::string(ArgumentName(letter)) +
              (letter == 'P' ? " must be a whole number above 0" : " must be a number") +
              (text.empty() ? ", found nothing" : ", found \"" + std::string(text) + "\"");
      return false;
    }
  }
  if (m_dLow > m_dHigh) {
    error = "generator " + std::string(kind) + ": LOW is above HIGH";
    return false;
  }
  m_kind = info->kind;
  m_ullNextDueMs = m_kind == GeneratorKind::kSine ? 0 : m_ulPeriodMs;
  return true;
}

bool TagGenerator::Step(uint64_t nowMs, CNValue& value, std::mt19937_64& random) {
  if (m_kind == GeneratorKind::kNone || nowMs < m_ullNextDueMs) return false;
  if (m_kind == GeneratorKind::kSine) {
    const double phase = 2.0 * std::numbers::pi * static_cast<double>(nowMs % m_ulPeriodMs) / m_ulPeriodMs;
    value.SetNumber(m_dLow + (m_dHigh - m_dLow) * (1.0 + std::sin(phase)) / 2.0);
    m_ullNextDueMs = nowMs + kSineSampleMs;
    return true;
  }
  const uint64_t periods = (nowMs - m_ullNextDueMs) / m_ulPeriodMs + 1;
  m_ullNextDueMs += periods * m_ulPeriodMs;
  switch (m_kind) {
    case GeneratorKind::kRamp: value.SetNumber(value.GetNumber(0) + static_cast<double>(periods) * m_dStep); break;
    case GeneratorKind::kToggle: value.SetBool(value.GetBool(0) != (periods % 2 == 1)); break;
    default: value.SetNumber(std::uniform_real_distribution<double>(m_dLow, m_dHigh)(random)); break;
  }
  return true;
}

}  // namespace panel_sim
