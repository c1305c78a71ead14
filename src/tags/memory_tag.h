#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "tags/tag.h"
#include "values/value.h"

// A tag of the memory server: one element of one area of its table ("$D100"), a computed value
// ("$BLINK500") or, in the "#" area, a variable of its own ("$#Count").
class CNPMemoryTag : public CNPTag {
 public:
  CNPMemoryTag(std::u16string name, uint32_t area, uint32_t element)
      : CNPTag(std::move(name)), m_ulArea(area), m_ulElement(element) {}

  TagKind GetKind() const override { return kTagMemory; }

  // Row of the server's area table.
  uint32_t GetArea() const { return m_ulArea; }
  uint32_t GetElement() const { return m_ulElement; }

  void MarkChanged() { m_bChanged = 1; }
  // Change detection of a computed value: marks the tag changed when number differs from the
  // last number observed (the first observation always does).
  void Observe(double number);
  // Something to tell the listeners: a change, or a listener waiting for its first value.
  bool HasNews() const { return m_bChanged != 0 || HasPendingListeners(); }
  // Clears the changed flag and returns it.
  uint32_t TakeChanged() { return std::exchange(m_bChanged, 0u); }

  // The variable of a "#" tag.
  CNValue& GetOwnValue() { return m_value; }
  const CNValue& GetOwnValue() const { return m_value; }

 private:
  const uint32_t m_ulArea;
  const uint32_t m_ulElement;
  double m_dLastNumber = -1.0;
  CNValue m_value;
};
