#include "tags/memory_tag.h"

#include <cmath>

void CNPMemoryTag::Observe(double number) {
  // A NaN counts as equal to a NaN, or a stored NaN would be reported on every dispatch.
  if (number == m_dLastNumber || (std::isnan(number) && std::isnan(m_dLastNumber))) return;
  m_dLastNumber = number;
  m_bChanged = 1;
}
