#pragma once

#include <cstdint>
#include <string_view>

class CNDrawContext;
class CNPObject;

// The names of a drawn part's colours by the mouse state; a class without one leaves it empty.
struct CNStateColorNames {
  std::u16string_view normal;
  std::u16string_view hover;
  std::u16string_view push;
};

// The colour a part is drawn with: the push colour while the left button is down on the object,
// else the hover colour while the mouse is inside (or the button down), each only when it names
// a colour; else the normal colour. False when the chosen colour is empty: nothing is painted.
bool ChooseStateColor(const CNPObject& object, const CNDrawContext& context, const CNStateColorNames& names,
                      uint32_t& color);
