#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CNObject;

// Reading an object's property (or a project setting) by name, as views and drawing need it. An unknown name
// reads as the fallback.
std::u16string PropertyText(const CNObject& object, std::u16string_view name);
double PropertyNumber(const CNObject& object, std::u16string_view name, double fallback = 0);
int32_t PropertyInt(const CNObject& object, std::u16string_view name, int32_t fallback = 0);
bool PropertyBool(const CNObject& object, std::u16string_view name, bool fallback);
// The position of an enumeration property's item in its class's item list.
int32_t PropertyItem(const CNObject& object, std::u16string_view name, int32_t fallback = 0);
