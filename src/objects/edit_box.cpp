#include "objects/edit_box.h"

int CNPEditBox::GetExtraProperty(std::u16string_view name, CNValue& value) const {
  // Both read the committed text.
  if (name == u"Value2" || name == u"ValueIncludingEdit") return GetProperty(u"Value", value);
  return CNPControl::GetExtraProperty(name, value);
}
