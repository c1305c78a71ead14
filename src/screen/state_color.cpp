#include "screen/state_color.h"

#include "objects/property_read.h"
#include "screen/draw_context.h"

namespace {

bool ResolveNamed(const CNPObject& object, const CNDrawContext& context, std::u16string_view name,
                  uint32_t& color) {
  return !name.empty() && context.ResolveColor(PropertyText(object, name), color);
}

}  // namespace

bool ChooseStateColor(const CNPObject& object, const CNDrawContext& context, const CNStateColorNames& names,
                      uint32_t& color) {
  if (object.HasState(kStateLeftButton) && ResolveNamed(object, context, names.push, color)) return true;
  if (object.HasState(kStateMouseIn | kStateLeftButton) && ResolveNamed(object, context, names.hover, color))
    return true;
  return ResolveNamed(object, context, names.normal, color);
}
