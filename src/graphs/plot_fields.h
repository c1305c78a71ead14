#pragma once

#include <cmath>
#include <span>
#include <string>
#include <string_view>

#include "values/enum_value.h"
#include "values/value.h"

// The named fields of groups, pens and guide lines, which scripts read and write by name
// (compared case-sensitively). One table per record kind, walked by FindPlotField.
template <class Record>
struct CPlotField {
  std::u16string_view name;
  void (*get)(const Record& record, CNValue& out);
  // False when the value cannot be taken (a number that is not finite, an item not in the list).
  bool (*set)(Record& record, const CNValue& value);
};

template <class Record>
const CPlotField<Record>* FindPlotField(std::span<const CPlotField<Record>> fields,
                                        std::u16string_view name) {
  for (const auto& field : fields)
    if (field.name == name) return &field;
  return nullptr;
}

// A finite number out of a value; false for a lack of one (NaN, infinity).
inline bool ReadFiniteNumber(const CNValue& value, double& out) {
  const double number = value.GetNumber(0);
  if (!std::isfinite(number)) return false;
  out = number;
  return true;
}

template <class Record, std::u16string Record::*Member>
constexpr CPlotField<Record> TextField(std::u16string_view name) {
  return {name, [](const Record& r, CNValue& out) { out.SetString(r.*Member); },
          [](Record& r, const CNValue& value) {
            r.*Member = value.GetText(0);
            return true;
          }};
}

template <class Record, double Record::*Member>
constexpr CPlotField<Record> NumberField(std::u16string_view name) {
  return {name, [](const Record& r, CNValue& out) { out.SetNumber(r.*Member); },
          [](Record& r, const CNValue& value) { return ReadFiniteNumber(value, r.*Member); }};
}

template <class Record, bool Record::*Member>
constexpr CPlotField<Record> BoolField(std::u16string_view name) {
  return {name, [](const Record& r, CNValue& out) { out.SetBool(r.*Member); },
          [](Record& r, const CNValue& value) {
            r.*Member = value.GetBool(0);
            return true;
          }};
}

// An item of a comma-separated list, read as its text (any case) or its position; scripts read
// back the text.
template <class Record, int32_t Record::*Member, const std::u16string_view* Items>
constexpr CPlotField<Record> ItemField(std::u16string_view name) {
  return {name, [](const Record& r, CNValue& out) { out.SetString(CNEnum::ItemText(*Items, r.*Member)); },
          [](Record& r, const CNValue& value) {
            CNEnum item(r.*Member);
            if (!item.FromValue(*Items, value)) return false;
            r.*Member = item.GetIndex();
            return true;
          }};
}
