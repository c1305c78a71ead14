#pragma once

#include <array>
#include <span>
#include <string_view>

#include "controls/control_properties.h"
#include "formats/format_store.h"
#include "screen/pobject.h"
#include "script/method_table.h"

namespace format_properties {

inline constexpr std::array kBlinkFormatKeys = {
    Prop(u"Format", u"Interval", PT_STRING, u"1000"),  // blink period in milliseconds
    Prop(u"Format", u"Color1", PT_STRING, u""),
    Prop(u"Format", u"Color2", PT_STRING, u""),
};

}  // namespace format_properties

// The object through which scripts read and change blink formats: a blink period and the two
// colours it alternates. Its methods (BlinkFormatParserMethods) copy the period from and to a
// named blink format.
class CNPBlinkFormatParser : public CNObjectClass<CNPBlinkFormatParser, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"BlinkFormatParser";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(format_properties::kBlinkFormatKeys);
  static constexpr auto kEvents = common_properties::kCommonEvents;

  // Works on the global store.
  CNPBlinkFormatParser();
  explicit CNPBlinkFormatParser(CNFormatStore& store) : m_store(store) {}

  // Sets "Interval" from the named blink format; false, changing nothing, when there is none.
  bool GetBlinkFormat(std::u16string_view name);
  // Stores "Interval" into the named blink format, adding it when new; false for a name that
  // does not begin with "@".
  bool SetBlinkFormat(std::u16string_view name);

 private:
  CNFormatStore& m_store;
};

// "GetBlinkFormat" and "SetBlinkFormat", each with the format name as its one argument; both
// answer true or false.
std::span<const MethodEntry> BlinkFormatParserMethods();
