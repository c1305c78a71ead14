#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "support/file_time.h"
#include "support/ref_cnt.h"
#include "values/value_element.h"

enum ValueQuality : uint8_t {
  VQ_BAD = 0,
  VQ_GOOD = 1,
  VQ_UNCERTAIN = 2,
};

// The two flag bits that assignment copies. Clearing resets kValueFlagContent only.
inline constexpr uint8_t kValueFlagKept = 16;
inline constexpr uint8_t kValueFlagContent = 64;

// Mode bits of CNValue::IsEqual.
inline constexpr int kCompareContents = 1;
inline constexpr int kCompareQuality = 2;
inline constexpr int kCompareTimeStamp = 4;

// Operation codes of CNValue::Operate, with the script operator each one serves.
enum ValueOperation : int {
  VOP_AND = 0,            // &&
  VOP_OR = 1,             // ||
  VOP_BITAND = 2,         // &  (joins two strings)
  VOP_BITOR = 3,          // |  (joins two strings)
  VOP_EQUAL = 4,          // ==
  VOP_NOTEQUAL = 5,       // !=
  VOP_GREATER = 6,        // >
  VOP_GREATEREQUAL = 7,   // >=
  VOP_LESS = 8,           // <
  VOP_LESSEQUAL = 9,      // <=
  VOP_ADD = 10,           // +
  VOP_SUBTRACT = 11,      // -
  VOP_MULTIPLY = 12,      // *
  VOP_DIVIDE = 13,        // /
};

// The one value type: an N-dimensional array of tagged elements with a timestamp and a quality.
// A scalar is a list of one element and keeps no dimension list; the empty value ("#NOTHING#")
// has no dimensions at all.
class CNValue : public CRRefCnt {
 public:
  CNValue() = default;
  CNValue(const CNValue& other) : CRRefCnt() { Assign(other); }
  CNValue(CNValue&& other) noexcept;
  CNValue& operator=(const CNValue& other) {
    Assign(other);
    return *this;
  }
  CNValue& operator=(CNValue&& other) noexcept;
  ~CNValue() override;

  // Writes the value back to where it came from; a plain value has nowhere to go.
  virtual void Commit() {}

  // ---- building and shape
  void Clear();
  // Clears, then shapes the value with every element kind 0. Returns 0 when the element count
  // does not fit in 32 bits (or cannot be allocated); the value is then empty.
  int SetDimensions(uint16_t count, const uint32_t* sizes);
  void SetNA();  // a scalar without value ("#N/A#")
  void SetBool(bool value) {
    if (ValueElement* e = ReusableScalar()) {
      e->kind = VK_BOOL;
      e->t = 0;
      e->b = value ? 1 : 0;
    } else {
      SetBoolReshaped(value);
    }
  }
  // A scalar that holds no string is overwritten in place (the hot case of scripts and bound
  // properties); anything else is reshaped. Both give the same value.
  void SetNumber(double value) {
    if (ValueElement* e = ReusableScalar()) {
      e->kind = VK_NUMBER;
      e->n = value;
    } else {
      SetNumberReshaped(value);
    }
  }
  void SetString(std::u16string_view value);
  // Appends text to a scalar string in its own storage, which grows by doubling, and resets the
  // quality, time stamp and content flag as setting a scalar does: the value joining it with
  // text would give. text may be a part of the value's own string. False, and the value left
  // alone, for any other value.
  bool AppendString(std::u16string_view text);
  void SetTime(FileTime value);
  void SetObject(uint32_t handle);

  // Per-element setters; an index out of range is ignored.
  void SetBoolAt(uint32_t i, bool value);
  void SetNumberAt(uint32_t i, double value);
  void SetStringAt(uint32_t i, std::u16string_view value);
  void SetTimeAt(uint32_t i, FileTime value);
  void SetObjectAt(uint32_t i, uint32_t handle);
  void ClearAt(uint32_t i);
  // Copies element j of source into element i (strings deep-copied).
  void CopyElementAt(uint32_t i, const CNValue& source, uint32_t j);

  // Takes the other's dimensions, quality, timestamp and flag bits, and a copy of every element.
  void Assign(const CNValue& other);

  uint16_t GetDimensionCount() const { return m_usDimCount; }
  // 1 for dimension 0 of a scalar; 0 for a dimension at or beyond the dimension count.
  uint32_t GetDimensionSize(uint32_t d) const;
  uint32_t GetCount() const { return m_ulCount; }
  // 0 when empty, the element count for a list, the outermost size otherwise.
  uint32_t GetLength() const;
  bool IsEmpty() const { return m_usDimCount == 0; }

  // ---- per-element reading; an index out of range reads the neutral result
  ValueKind GetKind(uint32_t i) const { return i < m_ulCount ? ValueKind(m_pElements[i].kind) : VK_NA; }
  bool IsNA(uint32_t i) const { return GetKind(i) == VK_NA; }
  bool IsBool(uint32_t i) const { return GetKind(i) == VK_BOOL; }
  bool IsNumber(uint32_t i) const { return GetKind(i) == VK_NUMBER; }
  bool IsString(uint32_t i) const { return GetKind(i) == VK_STRING; }
  bool IsTime(uint32_t i) const { return GetKind(i) == VK_TIME; }
  bool IsObject(uint32_t i) const { return GetKind(i) == VK_OBJECT; }

  bool GetBool(uint32_t i = 0) const;
  double GetNumber(uint32_t i = 0) const;
  FileTime GetTime(uint32_t i = 0) const;
  uint32_t GetHandle(uint32_t i = 0) const;
  std::u16string GetText(uint32_t i = 0) const;
  std::u16string GetTextEmptyNA(uint32_t i = 0) const;
  // The stored text of a string element without copying; empty for other kinds.
  std::u16string_view GetStringView(uint32_t i = 0) const;
  // Mode 0: any element true (false when empty). Mode 1: every element true (true when empty).
  bool GetBoolAll(int mode) const;

  const ValueElement* GetElements() const { return m_pElements; }
  const uint32_t* GetDimensionSizes() const { return m_pDimSizes; }

  // ---- timestamp, quality, flags
  FileTime GetTimeStamp() const { return m_ullTimeStamp; }
  void SetTimeStamp(FileTime ticks) { m_ullTimeStamp = ticks; }
  uint8_t GetQuality() const { return m_ucQuality; }
  void SetQuality(uint8_t quality) { m_ucQuality = quality; }
  uint8_t GetFlags() const { return m_ucFlags & kPublicFlags; }
  void SetFlags(uint8_t flags) { m_ucFlags = (flags & kPublicFlags) | (m_ucFlags & kMayHoldStrings); }

  static std::u16string_view GetTypeName(int kind);
  static std::u16string_view GetQualityName(int quality);

  // ---- comparison
  bool IsEqual(int mode, const CNValue& other) const;
  bool IsSameShape(const CNValue& other) const;

  // ---- literal text
  std::u16string ToLiteral(bool escape) const;
  // Returns false and leaves the value empty when a "c(" text is malformed.
  bool FromLiteral(std::u16string_view text, bool escape);
  static bool IsLiteral(std::u16string_view text);

  // ---- slices: one index value per dimension from the outermost; a bool index is a mask,
  // any other a list of positions; a missing index selects the whole dimension.
  void GetSlice(CNValue& result, const CNValue* const* indexes, uint32_t indexCount) const;
  // Stores source into the selected positions, repeating source cyclically when it has fewer
  // elements than positions; positions outside the value are ignored.
  void SetSlice(const CNValue* const* indexes, uint32_t indexCount, const CNValue& source);

  // ---- arithmetic
  // result = left op right, element-wise with right repeated cyclically over left.
  // Returns false for an unknown operation code (every element is then kind 0).
  static bool Operate(int op, CNValue& result, const CNValue& left, const CNValue& right);
  void Increment();
  void Decrement();

 private:
  static constexpr uint8_t kPublicFlags = kValueFlagKept | kValueFlagContent;
  // Internal flag bit: some element may be a string. Without it, freeing skips the scan for
  // string buffers, which makes large number lists cheap to drop.
  static constexpr uint8_t kMayHoldStrings = 1;

  ValueElement* ElementAt(uint32_t i) { return i < m_ulCount ? &m_pElements[i] : nullptr; }
  ValueElement& MakeScalar();
  // The element of a scalar without a string, reset like a fresh scalar's; null otherwise.
  ValueElement* ReusableScalar() {
    if (m_ulCount != 1 || m_usDimCount != 1 || m_pElements[0].kind == VK_STRING) return nullptr;
    m_ucQuality = VQ_UNCERTAIN;
    m_ullTimeStamp = 0;
    m_ucFlags &= ~kValueFlagContent;
    return m_pElements;
  }
  void SetNumberReshaped(double value);
  void SetBoolReshaped(bool value);
  // SetDimensions; without initialise the elements are left for the caller to write in full.
  int Shape(uint16_t count, const uint32_t* sizes, bool initialise);
  void FreeContents();

  // The small fields first, where they share a word with the reference count: objects keep
  // many values, and every byte of one is paid for each property an object stores.
  uint8_t m_ucQuality = VQ_UNCERTAIN;
  uint8_t m_ucFlags = 0;
  uint16_t m_usDimCount = 0;
  uint32_t m_ulCount = 0;
  FileTime m_ullTimeStamp = 0;
  uint32_t* m_pDimSizes = nullptr;
  ValueElement* m_pElements = nullptr;  // m_inline when the value has one element
  ValueElement m_inline{};
};
