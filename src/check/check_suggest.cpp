#include "check/check_suggest.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "support/utf16_text.h"

namespace {

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Edits (insert, delete, replace, swap of neighbours) from a to b, letter case aside.
size_t EditDistance(std::u16string_view a, std::u16string_view b) {
  std::vector<size_t> before(b.size() + 1);
  std::vector<size_t> previous(b.size() + 1);
  std::vector<size_t> current(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) previous[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const bool same = Lower(a[i - 1]) == Lower(b[j - 1]);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) && Lower(a[i - 2]) == Lower(b[j - 1]))
        current[j] = std::min(current[j], before[j - 2] + 1);
    }
    before.swap(previous);
    previous.swap(current);
  }
  return previous[b.size()];
}

}  // namespace

void CNNearestName::Offer(std::u16string_view name) {
  if (name.empty() || name == m_wanted) return;
  const size_t distance = EditDistance(m_wanted, name);
  if (distance < m_bestDistance) {
    m_bestDistance = distance;
    m_best = name;
  }
}

std::u16string CNNearestName::Hint() const {
  // A slip changes a few letters: at most a third of the name.
  const size_t allowed = std::max<size_t>(1, m_wanted.size() / 3);
  if (m_best.empty() || m_bestDistance > allowed) return {};
  return u" (did you mean " + m_best + u"?)";
}
