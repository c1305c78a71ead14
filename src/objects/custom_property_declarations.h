#pragma once

#include <cstdint>
#include <string_view>

class CNObject;

// Custom properties declared by a "Customize" text: a "[Property]" section with one line per
// property, the name, "=", the type keyword in brackets, then ";"-separated options, each a name,
// ":" and a value:
//
//   [Property]
//   _DisplayDate=[string];ShowBind:F;List:DAY,MONTH,YEAR
//   _Level=[tag_in];NotDefined:#NOTDEF#
//
// Type keywords: bool integer number string multilinestring color colorpalette font filepath
// filepaths timezone numberformat datetimeformat blinkcolor tag_in tag_out tag_inout menuconf
// (ignoring case; a declaration with any other keyword is dropped). Options (names ignoring case):
// "ShowProperty" and "ShowBind" (bool), "List" (a string property becomes an enumeration over
// these comma-separated items), "NotDefined" (tag types: the initial value as a literal, or
// "#NOTDEF#" for none), "DecimalPlaces" (bool; false marks a number format "noDecimalPlaces"),
// "AllowEmpty" (bool). Tag properties are never offered to binds.
//
// Lines before the first section header belong to "[Property]"; other sections ("[PropertyPage]",
// "[BindPage]") are left to the editors. Initial values: bool "F", integer and number "0",
// color "#000000", every other type empty.

// A text with no "=" that neither starts with "[Property]" nor has a line "[Property]" declares
// nothing (the project root uses "Customize" as a comma list of setting names instead).
bool IsCustomPropertyDeclarationList(std::u16string_view text);

// At most this many custom properties per object; later declarations are dropped.
inline constexpr uint32_t kMaxCustomProperties = 1024;

// Adds to object every property the text declares and returns how many were added. A name the
// object already has is refused with the message "Custom property name is already existed.
// ClassID:%s Name:%s Property:%s"; a name that cannot stand as an attribute of the object's
// element (empty, not an XML name, or "clid", "Bind", "Event") is dropped.
uint32_t DeclareCustomProperties(CNObject& object, std::u16string_view text);
