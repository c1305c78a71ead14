#pragma once

#include <array>
#include <string_view>

#include "objects/control_properties.h"
#include "objects/pobject.h"

// Objects through which scripts read and change the named formats. A number format object's
// properties are the keys of a number format record, with the record's defaults; a blink format
// object's are the blink period and the two colours it alternates.
namespace format_properties {

inline constexpr std::u16string_view kFormat = u"Format";

inline constexpr std::array kNumberFormatKeys = {
    Prop(kFormat, u"Base", PT_STRING, u"10"),            // 2, 8, 10 or 16; "16s" for small letters
    Prop(kFormat, u"DecimalPlaces", PT_INTEGER, u"-1"),  // negative: as many as needed
    Prop(kFormat, u"DecimalPointMoving", PT_INTEGER, u"0"),
    Prop(kFormat, u"DecimalSymbol", PT_STRING, u"."),
    Prop(kFormat, u"Separator", PT_BOOL, u"F"),
    Prop(kFormat, u"SeparatorSymbol", PT_STRING, u","),
    Prop(kFormat, u"SeparatorGrouping", PT_STRING,
         u"3"),  // group sizes from the point leftwards, ":" between
    Prop(kFormat, u"PositiveSign", PT_STRING, u""),
    Prop(kFormat, u"NegativeSign", PT_STRING, u"-"),
    Prop(kFormat, u"NegativeNumberFormat", PT_INTEGER, u"1", u"4,0"),
    Prop(kFormat, u"DisplayLeadingZero", PT_BOOL, u"T"),
    Prop(kFormat, u"DisplayLength", PT_INTEGER, u"0", u",0"),  // 0: no minimum
    Prop(kFormat, u"PaddingSymbol", PT_STRING, u"0"),
    Prop(kFormat, u"Header", PT_STRING, u""),
    Prop(kFormat, u"Footer", PT_STRING, u""),
    Prop(kFormat, u"QualityUncertain", PT_STRING, u""),
    Prop(kFormat, u"QualityBad", PT_STRING, u""),  // "$VALUE": show the value anyway
    Prop(kFormat, u"QualityNA", PT_STRING, u""),
};

inline constexpr std::array kBlinkFormatKeys = {
    Prop(kFormat, u"Interval", PT_STRING, u"1000"),  // blink period in milliseconds
    Prop(kFormat, u"Color1", PT_STRING, u""),
    Prop(kFormat, u"Color2", PT_STRING, u""),
};

}  // namespace format_properties

class CNPNumberFormatParser : public CNObjectClass<CNPNumberFormatParser, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"NumberFormatParser";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(format_properties::kNumberFormatKeys);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};

class CNPBlinkFormatParser : public CNObjectClass<CNPBlinkFormatParser, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"BlinkFormatParser";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(format_properties::kBlinkFormatKeys);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};
