#include "objects/buttons.h"

int CNPCheckBox::SetProperty(std::u16string_view name, const CNValue& value) {
  if (name == u"SwitchType") return SetSwitchType(value) ? 1 : 0;
  return CNPSwitchControl::SetProperty(name, value);
}
