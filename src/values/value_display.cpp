#include "values/value_display.h"

std::u16string DisplayText(const CNValue& value) {
  if (value.GetCount() == 1) return value.GetText(0);
  if (value.IsEmpty()) return u"#NOTHING#";
  return value.ToLiteral(true);
}
