#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text forms of scalars shared by display, literals, files and scripts.

// "%.8f" with trailing zeros and then trailing points removed: 1.5 -> "1.5", 100 -> "100".
std::u16string NumberText(double number);
// "#&" + eight upper-case hexadecimal digits + "#".
std::u16string ObjectText(uint32_t handle);
// Reads exactly the ObjectText shape; anything else gives 0.
uint32_t ParseObjectLiteral(std::u16string_view text);
// "TRUE"/"T" -> 1, "FALSE"/"F" -> 0 (ignoring case), "0x.." hexadecimal, else a decimal
// leading-number parse with every comma removed; 0.0 when nothing reads.
double StringToNumber(std::u16string_view text);
// Empty -> false, "TRUE"/"T"/"FALSE"/"F" ignoring case, else a decimal number that is not 0.
bool StringToBool(std::u16string_view text);
