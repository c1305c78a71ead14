#include "project/stretch_mode.h"

#include <array>

#include "support/utf16_text.h"
#include "values/value.h"

namespace {

struct StretchName {
  int32_t code;
  std::u16string_view name;
};

// The first entry of a code is its printed name; the others are read only.
constexpr std::array kStretchNames = {
    StretchName{kStretchNone, u"NONE"},
    StretchName{kStretchFull, u"STRETCH_FULL"},
    StretchName{kStretchKeepRate, u"STRETCH_KEEPRATE"},
    StretchName{kStretchResizeFull, u"RESIZE_FULL"},
    StretchName{kStretchResizeKeepRate, u"RESIZE_KEEPRATE"},
    StretchName{kStretchDefault, u"DEFAULT"},
    StretchName{kStretchForm, u"FORM"},
    StretchName{kStretchCurrent, u"CURRENT"},
    StretchName{kStretchDefault, u"ROOT"},
    StretchName{kStretchFull, u"T"},
    StretchName{kStretchFull, u"TRUE"},
};

}  // namespace

int32_t StretchModeFromText(std::u16string_view text) {
  for (const StretchName& entry : kStretchNames)
    if (EqualsIgnoreCaseAscii(text, entry.name)) return entry.code;
  return kStretchNone;
}

std::u16string_view StretchModeName(int32_t code) {
  for (const StretchName& entry : kStretchNames)
    if (entry.code == code) return entry.name;
  return u"NONE";
}

int32_t StretchModeFromValue(const CNValue& value) {
  if (value.IsString(0)) return StretchModeFromText(value.GetStringView(0));
  if (!value.IsNumber(0) && !value.IsBool(0)) return kStretchNone;
  const double number = value.GetNumber(0);
  for (const StretchName& entry : kStretchNames)
    if (number == entry.code) return entry.code;
  return kStretchNone;
}
