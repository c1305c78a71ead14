#pragma once

#include <string>
#include <string_view>

// Collects the known name nearest to a misspelt one, for "did you mean ...?".
class CNNearestName {
 public:
  explicit CNNearestName(std::u16string_view wanted) : m_wanted(wanted) {}

  // Considers one known name.
  void Offer(std::u16string_view name);
  // " (did you mean X?)" for the nearest name offered when it is close enough to be a slip,
  // else empty.
  std::u16string Hint() const;

 private:
  std::u16string m_wanted;
  std::u16string m_best;
  size_t m_bestDistance = SIZE_MAX;
};
