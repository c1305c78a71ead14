// Slice read and write: index values select positions dimension by dimension.
#include <vector>

#include "values/value.h"

namespace {

constexpr double kMaxPosition = 4294967295.0;

// The positions selected in every dimension of a value, and a walk over their combinations
// with the last dimension varying fastest.
class SliceSelection {
 public:
  SliceSelection(const CNValue& value, const CNValue* const* indexes, uint32_t indexCount) {
    const uint32_t dims = value.GetDimensionCount();
    m_positions.resize(dims);
    m_sizes.resize(dims);
    m_total = dims ? 1 : 0;
    for (uint32_t d = 0; d < dims; ++d) {
      m_sizes[d] = value.GetDimensionSize(d);
      const CNValue* index = d < indexCount ? indexes[d] : nullptr;
      Select(index, m_sizes[d], m_positions[d]);
      m_total *= m_positions[d].size();
      if (m_total > 0xFFFFFFFFull) m_total = 0x100000000ull;  // saturate: too many to hold
    }
    m_cursor.assign(dims, 0);
  }

  uint64_t Total() const { return m_total; }
  uint32_t Dimensions() const { return static_cast<uint32_t>(m_positions.size()); }
  uint32_t SelectedIn(uint32_t d) const { return static_cast<uint32_t>(m_positions[d].size()); }

  // Flat index in the value of the current combination, or false when a position lies outside.
  bool Current(uint64_t& flat) const {
    flat = 0;
    for (size_t d = 0; d < m_positions.size(); ++d) {
      const uint32_t p = m_positions[d][m_cursor[d]];
      if (p >= m_sizes[d]) return false;
      flat = flat * m_sizes[d] + p;
    }
    return true;
  }

  void Next() {
    for (size_t d = m_cursor.size(); d-- > 0;) {
      if (++m_cursor[d] < m_positions[d].size()) return;
      m_cursor[d] = 0;
    }
  }

 private:
  static void Select(const CNValue* index, uint32_t size, std::vector<uint32_t>& out) {
    if (!index) {
      out.resize(size);
      for (uint32_t p = 0; p < size; ++p) out[p] = p;
      return;
    }
    const uint32_t n = index->GetCount();
    if (index->IsBool(0)) {
      for (uint32_t p = 0; p < n; ++p)
        if (index->GetBool(p)) out.push_back(p);
      return;
    }
    out.reserve(n);
    for (uint32_t i = 0; i < n; ++i) {
      const double number = index->GetNumber(i);
      // Negative, out-of-range and NaN positions read as 0.
      out.push_back(number >= 0.0 && number <= kMaxPosition ? static_cast<uint32_t>(number) : 0);
    }
  }

  std::vector<std::vector<uint32_t>> m_positions;
  std::vector<uint32_t> m_sizes;
  std::vector<size_t> m_cursor;
  uint64_t m_total;
};

}  // namespace

void CNValue::GetSlice(CNValue& result, const CNValue* const* indexes, uint32_t indexCount) const {
  if (&result == this) {
    CNValue copy(*this);
    copy.GetSlice(result, indexes, indexCount);
    return;
  }
  SliceSelection selection(*this, indexes, indexCount);
  const uint64_t total = selection.Total();
  std::vector<uint32_t> shape;
  if (total > 1 && selection.Dimensions() > 1) {
    for (uint32_t d = 0; d < selection.Dimensions(); ++d)
      if (selection.SelectedIn(d) > 1) shape.push_back(selection.SelectedIn(d));
  } else if (total <= 0xFFFFFFFFull) {
    shape.push_back(static_cast<uint32_t>(total));
  }
  if (shape.empty() || !result.SetDimensions(static_cast<uint16_t>(shape.size()), shape.data())) {
    result.Clear();
    return;
  }
  result.SetQuality(GetQuality());
  result.SetTimeStamp(GetTimeStamp());
  result.m_ucFlags |= m_ucFlags & kMayHoldStrings;
  for (uint32_t i = 0; i < result.GetCount(); ++i, selection.Next()) {
    uint64_t flat = 0;
    if (selection.Current(flat)) CopyElement(result.m_pElements[i], m_pElements[flat]);
  }
}

void CNValue::SetSlice(const CNValue* const* indexes, uint32_t indexCount, const CNValue& source) {
  if (&source == this) {
    const CNValue copy(source);
    SetSlice(indexes, indexCount, copy);
    return;
  }
  SliceSelection selection(*this, indexes, indexCount);
  const uint64_t total = selection.Total();
  if (total > 0xFFFFFFFFull) return;  // more combinations than any value can hold
  const uint32_t sourceCount = source.GetCount();
  m_ucFlags |= source.m_ucFlags & kMayHoldStrings;
  for (uint64_t k = 0; k < total; ++k, selection.Next()) {
    uint64_t flat = 0;
    if (!selection.Current(flat)) continue;
    if (sourceCount) {
      CopyElement(m_pElements[flat], source.m_pElements[k % sourceCount]);
    } else {
      ClearElement(m_pElements[flat]);
    }
  }
}
