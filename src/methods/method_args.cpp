#include "methods/method_args.h"

#include <algorithm>
#include <cmath>

#include "objects/object_handles.h"
#include "support/utf16_text.h"

namespace {

// The number truncated toward zero when it lies in [low, high], else 0.
int64_t WholeInRange(const CNValue& arg, double low, double high) {
  const double number = std::trunc(arg.GetNumber(0));
  return number >= low && number <= high ? static_cast<int64_t>(number) : 0;
}

}  // namespace

int32_t ArgInt32(const CNValue& arg) {
  return static_cast<int32_t>(WholeInRange(arg, INT32_MIN, INT32_MAX));
}

uint32_t ArgCount(const CNValue& arg) {
  return static_cast<uint32_t>(WholeInRange(arg, 0, UINT32_MAX));
}

uint16_t ArgUInt16(const CNValue& arg) {
  return static_cast<uint16_t>(WholeInRange(arg, 0, UINT16_MAX));
}

std::u16string ArgText(const CNValue& arg) {
  return arg.GetCount() ? arg.GetText(0) : std::u16string();
}

std::vector<std::u16string> ArgNames(const CNValue& arg) {
  if (arg.GetCount() <= 1) return {ArgText(arg)};
  std::vector<std::u16string> names;
  names.reserve(arg.GetCount());
  for (uint32_t i = 0; i < arg.GetCount(); ++i) names.push_back(arg.GetText(i));
  return names;
}

std::filesystem::path ArgPath(const CNValue& arg) {
  std::u16string text = ArgText(arg);
  std::replace(text.begin(), text.end(), u'\\', u'/');
  return std::filesystem::path(Utf16ToUtf8(text));
}

CNObject* ArgObject(const CNValue& arg) {
  return arg.GetCount() == 1 && arg.IsObject(0) ? CNObjectHandles::Find(arg.GetHandle(0)) : nullptr;
}
