// The common functions on whole values: shapes, kinds and qualities, lists and sets.
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "objects/object.h"
#include "objects/object_handles.h"
#include "support/utf16_text.h"
#include "values/value_order.h"

namespace {

// The number, as a bool, of a whole-value test with exactly one argument.
template <bool (*Test)(const CNValue&)>
bool WholeTest(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.SetNumber(Test(call.Arg(0)) ? 1 : 0);
  return true;
}

bool HasOneDimension(const CNValue& v) { return v.GetDimensionCount() == 1; }
bool HasTwoDimensions(const CNValue& v) { return v.GetDimensionCount() == 2; }

// A number from the value's shape: exactly one argument.
template <double (*Measure)(const CNValue&)>
bool ShapeNumber(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.SetNumber(Measure(call.Arg(0)));
  return true;
}

double DimensionCount(const CNValue& v) { return v.GetDimensionCount(); }
double TotalElements(const CNValue& v) { return v.GetCount(); }

// "GetValueElement"(value, d): the size of dimension d.
bool GetValueElement(CMethodCall& call) {
  if (call.Count() != 2) return false;
  call.result.SetNumber(call.Arg(0).GetDimensionSize(ArgUInt16(call.Arg(1))));
  return true;
}

bool GetValueType(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.SetString(CNValue::GetTypeName(call.Arg(0).GetKind(0)));
  return true;
}

bool GetQuality(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.SetString(CNValue::GetQualityName(call.Arg(0).GetQuality()));
  return true;
}

// "IsQualityGood", "IsQualityBad", "IsQualityUncertain"(value).
template <uint8_t Quality>
bool IsQuality(CMethodCall& call) {
  if (call.Count() != 1) return false;
  call.result.SetBool(call.Arg(0).GetQuality() == Quality);
  return true;
}

// "IsValid"(value) and "IsValidStr"(value), which also wants a text that is not empty.
template <bool NeedsText>
bool IsValid(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const CNValue& value = call.Arg(0);
  call.result.SetBool(value.GetCount() > 0 && !value.IsNA(0) && (!NeedsText || !value.GetText(0).empty()));
  return true;
}

// "IsEmpty", "IsBool", "IsNum", "IsStr", "IsTime", "IsObj"(value): element by element.
template <ValueKind Kind>
bool IsKind(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& e) {
    result.SetBoolAt(i, e.kind == Kind);
  });
}

// Fills result as a list of count numbers first, first + step, ...; text gives whole-number
// texts padded with zeros to width instead. False when the list would be too long.
bool MakeSequence(CMethodCall& call, bool text) {
  if (!ArgCountIn(call, 2, 3)) return false;
  const double first = call.Arg(0).GetNumber(0), last = call.Arg(1).GetNumber(0);
  const double step = text || call.Count() < 3 ? (last < first ? -1.0 : 1.0) : call.Arg(2).GetNumber(0);
  const int32_t width = text && call.Count() > 2 ? std::clamp(ArgInt32(call.Arg(2)), 0, 64) : 0;
  const double span = std::floor((last - first) / step);
  if (!std::isfinite(span) || step == 0) return false;
  if (span < 0) return true;
  if (span >= kMaxMethodElements) return false;
  const auto count = static_cast<uint32_t>(span) + 1;
  call.result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) {
    const double n = first + step * i;
    if (!text) {
      call.result.SetNumberAt(i, n);
      continue;
    }
    const int64_t whole = TruncateToInt64(n);
    std::u16string digits = AsciiToUtf16(std::to_string(whole < 0 ? -whole : whole));
    if (digits.size() < static_cast<size_t>(width)) digits.insert(0, width - digits.size(), u'0');
    call.result.SetStringAt(i, (whole < 0 ? u"-" : u"") + digits);
  }
  return true;
}

// "Nums"(first, last[, step]): the numbers from first to last by step (default 1, or -1 when
// last is below first).
bool Nums(CMethodCall& call) { return MakeSequence(call, false); }
// "IntStrs"(first, last[, digits]): the whole numbers from first to last as texts, padded with
// zeros to digits.
bool IntStrs(CMethodCall& call) { return MakeSequence(call, true); }

// Shapes result as a list of the elements at the given positions of source.
void SetPicked(CNValue& result, const CNValue& source, const std::vector<uint32_t>& positions) {
  if (positions.empty()) return result.Clear();
  const auto count = static_cast<uint32_t>(positions.size());
  result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) result.CopyElementAt(i, source, positions[i]);
}

// "Revar"(value): the value with its outermost dimension in reverse order.
bool Revar(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const CNValue& value = call.Arg(0);
  call.result.SetDimensions(value.GetDimensionCount(), value.GetDimensionSizes());
  const uint32_t outer = value.GetLength();
  const uint32_t inner = outer ? value.GetCount() / outer : 0;
  for (uint32_t i = 0; i < value.GetCount(); ++i)
    call.result.CopyElementAt(i, value, (outer - 1 - i / inner) * inner + i % inner);
  return true;
}

// "SortValue"(value[, descending]): the elements in order (kinds apart, see value_order.h),
// the value's shape kept.
bool SortValue(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 2)) return false;
  const CNValue& value = call.Arg(0);
  const bool descending = call.Count() > 1 && call.Arg(1).GetBool(0);
  std::vector<uint32_t> order(value.GetCount());
  std::iota(order.begin(), order.end(), 0u);
  const ValueElement* e = value.GetElements();
  std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
    return descending ? ElementLess(e[b], e[a]) : ElementLess(e[a], e[b]);
  });
  call.result.SetDimensions(value.GetDimensionCount(), value.GetDimensionSizes());
  for (uint32_t i = 0; i < value.GetCount(); ++i) call.result.CopyElementAt(i, value, order[i]);
  return true;
}

// "GetUniqueValue"(value): a list of the distinct elements in the order they first occur.
bool GetUniqueValue(CMethodCall& call) {
  if (call.Count() != 1) return false;
  const CNValue& value = call.Arg(0);
  const ValueElement* e = value.GetElements();
  std::vector<uint32_t> kept;
  for (uint32_t i = 0; i < value.GetCount(); ++i)
    if (std::none_of(kept.begin(), kept.end(), [&](uint32_t k) { return ElementsEqual(e[k], e[i]); }))
      kept.push_back(i);
  SetPicked(call.result, value, kept);
  return true;
}

// "IsExist"(values, set): for each element of values whether the set holds an equal element.
bool IsExist(CMethodCall& call) {
  if (call.Count() != 2) return false;
  const CNValue& values = call.Arg(0);
  const CNValue& set = call.Arg(1);
  if (values.GetCount() == 0) return true;
  const uint32_t count = values.GetCount();
  call.result.SetDimensions(1, &count);
  for (uint32_t i = 0; i < count; ++i) {
    bool found = false;
    for (uint32_t k = 0; k < set.GetCount() && !found; ++k) found = ElementsEqual(values.GetElements()[i], set.GetElements()[k]);
    call.result.SetBoolAt(i, found);
  }
  return true;
}

// "MergeValue"(values...): a list of every element of every argument.
bool MergeValue(CMethodCall& call) {
  uint64_t total = 0;
  for (const CNValue* arg : call.args) {
    if (arg->GetFlags() & kValueFlagContent) return true;
    total += arg->GetCount();
  }
  if (total == 0) return true;
  if (total > kMaxMethodElements) return false;
  const auto count = static_cast<uint32_t>(total);
  call.result.SetDimensions(1, &count);
  uint32_t at = 0;
  for (const CNValue* arg : call.args)
    for (uint32_t i = 0; i < arg->GetCount(); ++i) call.result.CopyElementAt(at++, *arg, i);
  return true;
}

// "RepeatValue"(value, count, ...).
bool RepeatValue(CMethodCall& call) {
  if (call.Count() < 2) return false;
  const CNValue& value = call.Arg(0);
  const auto times = static_cast<uint16_t>(ArgCount(call.Arg(1)) % 65536);
  if (times == 0 || value.GetCount() == 0) return true;
  if (uint64_t{times} * value.GetCount() > kMaxMethodElements) return false;
  if (value.GetCount() == 1) {
    const uint32_t count = times;
    call.result.SetDimensions(1, &count);
  } else {
    std::vector<uint32_t> sizes{times};
    for (uint32_t d = 0; d < value.GetDimensionCount(); ++d) sizes.push_back(value.GetDimensionSize(d));
    if (sizes.size() > UINT16_MAX) return false;
    call.result.SetDimensions(static_cast<uint16_t>(sizes.size()), sizes.data());
  }
  for (uint32_t i = 0; i < call.result.GetCount(); ++i) call.result.CopyElementAt(i, value, i % value.GetCount());
  return true;
}

// "RET"(value): the value itself, whole; the empty value without an argument.
bool Ret(CMethodCall& call) {
  if (call.Count() > 1) return false;
  if (call.Count()) call.result.Assign(call.Arg(0));
  return true;
}

// "CQuality"(value, quality): the value with the quality given as 0, 1, 2 or as its name
// ("BAD", "GOOD", "UNCERTAIN", ignoring case); an unknown quality counts as uncertain.
bool CQuality(CMethodCall& call) {
  if (call.Count() != 2) return false;
  const CNValue& quality = call.Arg(1);
  uint8_t code = VQ_UNCERTAIN;
  if (quality.IsString(0)) {
    for (uint8_t q : {VQ_BAD, VQ_GOOD})
      if (EqualsIgnoreCaseAscii(quality.GetStringView(0), CNValue::GetQualityName(q))) code = q;
  } else if (const int32_t n = ArgInt32(quality); n == VQ_BAD || n == VQ_GOOD) {
    code = static_cast<uint8_t>(n);
  }
  call.result.Assign(call.Arg(0));
  call.result.SetQuality(code);
  return true;
}

// "CBACnetQuality"(value, status flags): the value with the quality its BACnet status flags
// give (bit 1 in alarm, 2 fault, 4 overridden, 8 out of service): fault or out of service is
// bad, in alarm or overridden uncertain, none good.
bool CBACnetQuality(CMethodCall& call) {
  if (call.Count() != 2) return false;
  const uint32_t flags = ArgCount(call.Arg(1));
  call.result.Assign(call.Arg(0));
  call.result.SetQuality((flags & 10) ? VQ_BAD : (flags & 5) ? VQ_UNCERTAIN : VQ_GOOD);
  return true;
}

// "GetDefaultValue"(object, property name): the property's default value; the empty value when
// there is no such object or property.
bool GetDefaultValue(CMethodCall& call) {
  if (call.Count() != 2) return false;
  if (CNObject* object = CNObjectHandles::Find(call.Arg(0).GetHandle(0)))
    object->GetPropertyDefault(ArgText(call.Arg(1)), call.result);
  return true;
}

constexpr std::array kValueMethods = {
    MethodEntry{u"IsDimension1", "1 when the value has exactly one dimension, else 0",
                &WholeTest<&HasOneDimension>},
    MethodEntry{u"IsDimension2", "1 when the value has exactly two dimensions, else 0",
                &WholeTest<&HasTwoDimensions>},
    MethodEntry{u"GetValueDimension", "The number of dimensions of a value", &ShapeNumber<&DimensionCount>},
    MethodEntry{u"GetValueDimention", "The number of dimensions of a value (as GetValueDimension)",
                &ShapeNumber<&DimensionCount>},
    MethodEntry{u"GetValueElement", "The size of one dimension of a value", &GetValueElement},
    MethodEntry{u"GetValueTotalElement", "The number of elements of a value", &ShapeNumber<&TotalElements>},
    MethodEntry{u"GetValueType",
                "The type name of element 0: bool, number, string, time, object or uncertain", &GetValueType},
    MethodEntry{u"GetQuality", "The quality name of a value: BAD, GOOD or UNCERTAIN", &GetQuality},
    MethodEntry{u"IsQualityGood", "Whether a value's quality is GOOD", &IsQuality<VQ_GOOD>},
    MethodEntry{u"IsQualityBad", "Whether a value's quality is BAD", &IsQuality<VQ_BAD>},
    MethodEntry{u"IsQualityUncertain", "Whether a value's quality is UNCERTAIN", &IsQuality<VQ_UNCERTAIN>},
    MethodEntry{u"IsEmpty", "Whether each element holds no value", &IsKind<VK_NA>},
    MethodEntry{u"IsValid", "Whether the value has an element 0 that holds a value", &IsValid<false>},
    MethodEntry{u"IsValidStr", "As IsValid, and element 0's text is not empty", &IsValid<true>},
    MethodEntry{u"IsBool", "Whether each element is a bool", &IsKind<VK_BOOL>},
    MethodEntry{u"IsNum", "Whether each element is a number", &IsKind<VK_NUMBER>},
    MethodEntry{u"IsStr", "Whether each element is a string", &IsKind<VK_STRING>},
    MethodEntry{u"IsTime", "Whether each element is a time", &IsKind<VK_TIME>},
    MethodEntry{u"IsObj", "Whether each element is an object", &IsKind<VK_OBJECT>},
    MethodEntry{u"Nums", "The numbers from first to last by a step", &Nums},
    MethodEntry{u"IntStrs", "The whole numbers from first to last as texts padded with zeros", &IntStrs},
    MethodEntry{u"Revar", "The value with its outermost dimension reversed", &Revar},
    MethodEntry{u"SortValue", "The elements in order, the value's shape kept", &SortValue},
    MethodEntry{u"GetUniqueValue", "The distinct elements in the order they first occur", &GetUniqueValue},
    MethodEntry{u"IsExist", "For each element, whether a set holds an equal one", &IsExist},
    MethodEntry{u"MergeValue", "A list of every element of every argument", &MergeValue},
    MethodEntry{u"RET", "The value itself, whole", &Ret},
    MethodEntry{u"RepeatValue", "A value repeated count times along a new outer dimension", &RepeatValue},
    MethodEntry{u"CBACnetQuality", "A value with the quality its BACnet status flags give", &CBACnetQuality},
    MethodEntry{u"CQuality", "A value with the quality given as a number or a name", &CQuality},
    MethodEntry{u"GetDefaultValue", "The default value of an object's property", &GetDefaultValue},
};

}  // namespace

std::span<const MethodEntry> CommonValueMethods() { return kValueMethods; }
