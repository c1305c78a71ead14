#include "script/value_operations.h"

#include <cmath>
#include <vector>

namespace {

// One whole number that fits a double exactly.
bool ReadWhole(const CNValue& value, double& whole) {
  if (value.GetCount() != 1 || !value.IsNumber(0)) return false;
  whole = value.GetNumber(0);
  return std::trunc(whole) == whole && std::fabs(whole) <= 9007199254740992.0;
}

bool IsScalar(const CNValue& value) { return value.GetDimensionCount() == 1 && value.GetCount() == 1; }

// The dimensions an item of c(...) brings: none for a scalar.
std::vector<uint32_t> ItemShape(const CNValue& item) {
  if (item.IsEmpty() || IsScalar(item)) return {};
  std::vector<uint32_t> shape(item.GetDimensionCount());
  for (uint32_t d = 0; d < shape.size(); ++d) shape[d] = item.GetDimensionSize(d);
  return shape;
}

}  // namespace

void PowerValues(CNValue& result, const CNValue& left, const CNValue& right) {
  const uint32_t count = left.GetCount();
  const uint32_t rightCount = right.GetCount();
  if (count == 0 || rightCount == 0) {
    result.Clear();
    return;
  }
  result.SetDimensions(left.GetDimensionCount(), left.GetDimensionSizes());
  const ValueElement* l = left.GetElements();
  const ValueElement* r = right.GetElements();
  for (uint32_t i = 0, j = 0; i < result.GetCount(); ++i) {
    if (l[i].kind != VK_NA && r[j].kind != VK_NA)
      result.SetNumberAt(i, std::pow(ElementAsNumber(l[i]), ElementAsNumber(r[j])));
    if (++j == rightCount) j = 0;
  }
}

void NotValue(CNValue& result, const CNValue& operand) {
  result.SetDimensions(operand.GetDimensionCount(), operand.GetDimensionSizes());
  const ValueElement* elements = operand.GetElements();
  for (uint32_t i = 0; i < result.GetCount(); ++i)
    if (elements[i].kind != VK_NA) result.SetBoolAt(i, !ElementAsBool(elements[i]));
}

bool MakeRange(CNValue& result, const CNValue& from, const CNValue& to, uint32_t maxCount) {
  double first = 0;
  double last = 0;
  if (!ReadWhole(from, first) || !ReadWhole(to, last) || std::fabs(last - first) >= maxCount) return false;
  const uint32_t count = static_cast<uint32_t>(std::fabs(last - first)) + 1;
  const double step = last < first ? -1.0 : 1.0;
  result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) result.SetNumberAt(i, first + step * i);
  return true;
}

bool MakeArray(CNValue& result, const CNValue* const* items, uint32_t count, uint32_t maxElements) {
  if (count == 0) {
    result.Clear();
    return true;
  }
  const std::vector<uint32_t> shape = ItemShape(*items[0]);
  const bool empty = items[0]->IsEmpty();
  for (uint32_t i = 1; i < count; ++i)
    if (items[i]->IsEmpty() != empty || ItemShape(*items[i]) != shape) return false;
  if (empty) {
    result.Clear();
    return true;
  }
  const uint32_t itemCount = items[0]->GetCount();
  if (shape.size() >= UINT16_MAX || uint64_t{itemCount} * count > maxElements) return false;
  std::vector<uint32_t> sizes{count};
  sizes.insert(sizes.end(), shape.begin(), shape.end());
  if (!result.SetDimensions(static_cast<uint16_t>(sizes.size()), sizes.data())) return false;
  for (uint32_t i = 0; i < count; ++i)
    for (uint32_t j = 0; j < itemCount; ++j) result.CopyElementAt(i * itemCount + j, *items[i], j);
  return true;
}

bool MakeSizedArray(CNValue& result, const CNValue* const* sizes, uint32_t count, uint32_t maxElements) {
  std::vector<uint32_t> dimensions(count);
  uint64_t total = 1;
  for (uint32_t d = 0; d < count; ++d) {
    double size = 0;
    if (!ReadWhole(*sizes[d], size) || size < 0 || size > maxElements) return false;
    dimensions[d] = static_cast<uint32_t>(size);
    total *= dimensions[d];
    if (total > maxElements) return false;
  }
  return count < UINT16_MAX && result.SetDimensions(static_cast<uint16_t>(count), dimensions.data());
}

bool SliceFits(const CNValue& value, const CNValue* const* indexes, uint32_t count, uint32_t maxElements) {
  uint64_t total = 1;
  for (uint32_t d = 0; d < value.GetDimensionCount(); ++d) {
    total *= d < count && indexes[d] ? indexes[d]->GetCount() : value.GetDimensionSize(d);
    if (total > maxElements) return false;
  }
  return true;
}

bool JoinFits(const CNValue& left, const CNValue& right, uint32_t maxLength) {
  const uint32_t count = left.GetCount();
  const uint32_t rightCount = right.GetCount();
  // Only two strings join; a scalar that is no string rules every join out.
  if (count == 0 || rightCount == 0 || (count == 1 && !left.IsString(0)) ||
      (rightCount == 1 && !right.IsString(0)))
    return true;
  const ValueElement* l = left.GetElements();
  const ValueElement* r = right.GetElements();
  uint64_t total = 0;
  for (uint32_t i = 0, j = 0; i < count; ++i) {
    if (l[i].kind == VK_STRING && r[j].kind == VK_STRING) {
      total += uint64_t{l[i].length} + r[j].length;
      if (total > maxLength) return false;
    }
    if (++j == rightCount) j = 0;
  }
  return true;
}
