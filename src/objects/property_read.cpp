#include "objects/property_read.h"

#include <cmath>

#include "objects/object.h"
#include "values/enum_value.h"

std::u16string PropertyText(const CNObject& object, std::u16string_view name) {
  CNValue value;
  return object.GetProperty(name, value) ? value.GetTextEmptyNA(0) : std::u16string();
}

double PropertyNumber(const CNObject& object, std::u16string_view name, double fallback) {
  CNValue value;
  return object.GetProperty(name, value) && !value.IsEmpty() ? value.GetNumber(0) : fallback;
}

int32_t PropertyInt(const CNObject& object, std::u16string_view name, int32_t fallback) {
  const double number = PropertyNumber(object, name, fallback);
  if (!(number > -2147483648.0)) return number < 0 ? INT32_MIN : fallback;  // NaN reads the fallback
  return number >= 2147483647.0 ? INT32_MAX : static_cast<int32_t>(std::trunc(number));
}

bool PropertyBool(const CNObject& object, std::u16string_view name, bool fallback) {
  CNValue value;
  return object.GetProperty(name, value) && !value.IsEmpty() ? value.GetBool(0) : fallback;
}

int32_t PropertyItem(const CNObject& object, std::u16string_view name, int32_t fallback) {
  const PropertyInfo* info = object.FindPropertyInfo(name);
  CNValue value;
  if (!info || !object.GetProperty(name, value)) return fallback;
  const int32_t index = CNEnum::ItemIndex(info->list, value.GetTextEmptyNA(0));
  return index < 0 ? fallback : index;
}
