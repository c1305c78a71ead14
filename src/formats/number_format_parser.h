#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/control_properties.h"
#include "formats/format_store.h"
#include "formats/number_format.h"
#include "screen/pobject.h"
#include "script/method_table.h"

namespace format_properties {

inline constexpr std::u16string_view kFormat = u"Format";

// The keys of a number format record, with a new record's values. They mirror the object's
// record at run time, so they are not written to form files.
constexpr PropertyEntry NumberKey(std::u16string_view name, PropertyType type, const char16_t* defaultText,
                                  std::u16string_view list = {}) {
  return Prop(kFormat, name, type, defaultText, list, 0, 1);
}

inline constexpr std::array kNumberFormatKeys = {
    NumberKey(u"Base", PT_STRING, u"10"),            // 2, 8, 10 or 16; "16s" for small letters
    NumberKey(u"DecimalPlaces", PT_INTEGER, u"-1"),  // negative: as many as needed
    NumberKey(u"DecimalPointMoving", PT_INTEGER, u"0"),
    NumberKey(u"DecimalSymbol", PT_STRING, u"."),
    NumberKey(u"Separator", PT_BOOL, u"F"),
    NumberKey(u"SeparatorSymbol", PT_STRING, u","),
    NumberKey(u"SeparatorGrouping", PT_STRING, u"3"),  // group sizes from the point leftwards, ":" between
    NumberKey(u"PositiveSign", PT_STRING, u""),
    NumberKey(u"NegativeSign", PT_STRING, u"-"),
    NumberKey(u"NegativeNumberFormat", PT_INTEGER, u"1", u"4,0"),
    NumberKey(u"DisplayLeadingZero", PT_BOOL, u"T"),
    NumberKey(u"DisplayLength", PT_INTEGER, u"0", u"999,0"),  // 0: no minimum
    NumberKey(u"PaddingSymbol", PT_STRING, u"0"),
    NumberKey(u"Header", PT_STRING, u""),
    NumberKey(u"Footer", PT_STRING, u""),
    NumberKey(u"QualityUncertain", PT_STRING, u""),
    NumberKey(u"QualityBad", PT_STRING, u""),  // "$VALUE": show the value anyway
    NumberKey(u"QualityNA", PT_STRING, u""),
};

}  // namespace format_properties

// The object through which scripts read and change number formats. It holds one number format
// record, made from a base format; its properties are the record's keys, read and written
// through GetNumberKey and SetNumberKey, and its methods (NumberFormatParserMethods) load a
// format string into the record and write the record back as one.
class CNPNumberFormatParser : public CNObjectClass<CNPNumberFormatParser, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"NumberFormatParser";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(format_properties::kNumberFormatKeys);
  static constexpr auto kEvents = common_properties::kCommonEvents;
  static constexpr std::u16string_view kType = u"number";

  // Works on the global store.
  CNPNumberFormatParser();
  explicit CNPNumberFormatParser(CNFormatStore& store);

  const CNNumberFormat& GetRecord() const { return m_record; }
  // The name of the format the record was made from ("@NUMBER" at first).
  const std::u16string& GetBaseFormatName() const { return m_strBaseName; }
  // "Key=value" for every key of the base format as it is named, and of the record.
  std::vector<std::u16string> GetBaseFormat() const;
  std::vector<std::u16string> GetFormat() const;
  // The record as a format string over its base.
  std::u16string GetFormatName() const;
  // Makes the record the one a format string names, and its name part the base; false,
  // changing nothing, when the string names no format.
  bool SetFormatName(std::u16string_view formatString);
  // Applies "Key=value" pairs (separated by ";" or line breaks); false when some key was
  // unknown (the others are applied).
  bool SetFormat(std::u16string_view pairs);
  std::vector<std::u16string> GetUserFormatNames() const { return m_store.GetUserNumberFormatNames(); }
  // The user formats as format file sections.
  std::vector<std::u16string> GetUserFormats() const { return m_store.GetUserNumberFormatSections(); }

 protected:
  int SetPropertyAt(uint32_t i, const CNValue& value) override;
  int GetPropertyAt(uint32_t i, CNValue& value) const override;

 private:
  // The record key a class property stands for; empty for the common properties.
  std::u16string_view KeyOf(uint32_t i) const;
  // Takes a new record and reports the keys whose text changed.
  void ChangeRecord(CNNumberFormat record);

  CNFormatStore& m_store;
  std::u16string m_strBaseName;
  CNNumberFormat m_record;
};

// "GetType", "GetBaseFormatName", "GetBaseFormat", "GetFormatName", "GetFormat",
// "SetFormatName", "SetFormat", "GetUserFormatNames", "GetUserFormats". Lists come back as
// lists of strings (the empty value when there is nothing to list).
std::span<const MethodEntry> NumberFormatParserMethods();
