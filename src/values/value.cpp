#include "values/value.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

// Objects keep one value per property they store: a value stays one cache line.
static_assert(sizeof(void*) != 8 || sizeof(CNValue) == 64, "a value is 64 bytes on 64-bit systems");

CNValue::CNValue(CNValue&& other) noexcept : CRRefCnt() { *this = std::move(other); }

CNValue& CNValue::operator=(CNValue&& other) noexcept {
  if (this == &other) return *this;
  FreeContents();
  m_ullTimeStamp = other.m_ullTimeStamp;
  m_ucQuality = other.m_ucQuality;
  m_ucFlags = other.m_ucFlags;
  m_ulCount = std::exchange(other.m_ulCount, 0);
  m_usDimCount = std::exchange(other.m_usDimCount, 0);
  m_pDimSizes = std::exchange(other.m_pDimSizes, nullptr);
  if (other.m_pElements == &other.m_inline) {
    m_inline = other.m_inline;  // takes over a string buffer too
    m_pElements = &m_inline;
    other.m_pElements = nullptr;
  } else {
    m_pElements = std::exchange(other.m_pElements, nullptr);
  }
  other.Clear();
  return *this;
}

CNValue::~CNValue() { FreeContents(); }

void CNValue::FreeContents() {
  if (m_ucFlags & kMayHoldStrings) {
    for (uint32_t i = 0; i < m_ulCount; ++i)
      if (m_pElements[i].kind == VK_STRING) delete[] m_pElements[i].s;
  }
  if (m_pElements != &m_inline) delete[] m_pElements;
  delete[] m_pDimSizes;
  m_pElements = nullptr;
  m_pDimSizes = nullptr;
  m_ulCount = 0;
  m_usDimCount = 0;
  m_ucFlags &= ~kMayHoldStrings;
}

void CNValue::Clear() {
  FreeContents();
  m_ucQuality = VQ_UNCERTAIN;
  m_ullTimeStamp = 0;
  m_ucFlags &= ~kValueFlagContent;
}

int CNValue::SetDimensions(uint16_t count, const uint32_t* sizes) { return Shape(count, sizes, true); }

int CNValue::Shape(uint16_t count, const uint32_t* sizes, bool initialise) {
  Clear();
  if (count == 0) return 1;
  uint64_t total = 1;
  if (count == 1) {
    total = sizes ? sizes[0] : 1;
  } else {
    for (uint16_t d = 0; d < count; ++d) {
      total *= sizes[d];
      if (total > 0xFFFFFFFFull) return 0;
    }
  }
  // A shape without elements is the empty value.
  if (total == 0) return 1;
  ValueElement* elements = &m_inline;  // a single element lives inside the value
  if (total == 1) {
    if (initialise) m_inline = ValueElement{};
  } else {
    elements = initialise ? new (std::nothrow) ValueElement[total]() : new (std::nothrow) ValueElement[total];
    if (!elements) return 0;
  }
  if (count > 1 || total > 1) {  // a scalar keeps no size list
    m_pDimSizes = new (std::nothrow) uint32_t[count];
    if (!m_pDimSizes) {
      if (elements != &m_inline) delete[] elements;
      return 0;
    }
    if (count == 1) {
      m_pDimSizes[0] = static_cast<uint32_t>(total);
    } else {
      std::copy(sizes, sizes + count, m_pDimSizes);
    }
  }
  m_pElements = elements;
  m_ulCount = static_cast<uint32_t>(total);
  m_usDimCount = count;
  return 1;
}

ValueElement& CNValue::MakeScalar() {
  // Same results as reshaping, without giving back the element of a scalar, nor looking for
  // buffers in the empty value, which has none.
  if (m_ulCount == 1 && m_usDimCount == 1) {
    ClearElement(m_pElements[0]);
  } else if (m_usDimCount == 0) {
    m_inline = ValueElement{};
    m_pElements = &m_inline;
    m_ulCount = 1;
    m_usDimCount = 1;
  } else {
    SetDimensions(1, nullptr);
  }
  m_ucQuality = VQ_UNCERTAIN;
  m_ullTimeStamp = 0;
  m_ucFlags &= ~kValueFlagContent;
  return m_pElements[0];
}

void CNValue::SetNA() { MakeScalar(); }

void CNValue::SetBoolReshaped(bool value) {
  ValueElement& e = MakeScalar();
  e.kind = VK_BOOL;
  e.b = value ? 1 : 0;
}

void CNValue::SetNumberReshaped(double value) {
  ValueElement& e = MakeScalar();
  e.kind = VK_NUMBER;
  e.n = value;
}

void CNValue::SetString(std::u16string_view value) {
  // A scalar string at least as long takes the text into its own storage, so that setting
  // texts one after another (as reading a file does) allocates only when one grows. The text
  // may be a part of that storage, never before its start: moving it down is safe.
  if (m_ulCount == 1 && m_usDimCount == 1 && m_pElements[0].kind == VK_STRING &&
      value.size() <= m_pElements[0].length) {
    ValueElement& e = m_pElements[0];
    if (!value.empty()) std::memmove(e.s, value.data(), value.size() * sizeof(char16_t));
    e.s[value.size()] = 0;
    e.length = static_cast<uint32_t>(value.size());
    m_ucQuality = VQ_UNCERTAIN;  // as every set of a scalar
    m_ullTimeStamp = 0;
    m_ucFlags &= ~kValueFlagContent;
    return;
  }
  // The text may point into one of this value's own strings, which reshaping frees: only then
  // is it copied first.
  bool aliases = false;
  if (m_ucFlags & kMayHoldStrings) {
    for (uint32_t i = 0; i < m_ulCount && !aliases; ++i) {
      const std::u16string_view own = ElementString(m_pElements[i]);
      aliases = !own.empty() && value.data() >= own.data() && value.data() <= own.data() + own.size();
    }
  }
  if (aliases) {
    const std::u16string copy(value);
    SetElementString(MakeScalar(), copy);
  } else {
    SetElementString(MakeScalar(), value);
  }
  m_ucFlags |= kMayHoldStrings;
}

bool CNValue::AppendString(std::u16string_view text) {
  if (m_ulCount != 1 || m_usDimCount != 1 || m_pElements[0].kind != VK_STRING ||
      !AppendElementString(m_pElements[0], text))
    return false;
  m_ucQuality = VQ_UNCERTAIN;
  m_ullTimeStamp = 0;
  m_ucFlags &= ~kValueFlagContent;
  return true;
}

void CNValue::SetTime(FileTime value) {
  ValueElement& e = MakeScalar();
  e.kind = VK_TIME;
  e.t = value;
}

void CNValue::SetObject(uint32_t handle) {
  ValueElement& e = MakeScalar();
  e.kind = VK_OBJECT;
  e.h = handle;
}

void CNValue::SetBoolAt(uint32_t i, bool value) {
  if (ValueElement* e = ElementAt(i)) {
    ClearElement(*e);
    e->kind = VK_BOOL;
    e->b = value ? 1 : 0;
  }
}

void CNValue::SetNumberAt(uint32_t i, double value) {
  if (ValueElement* e = ElementAt(i)) {
    ClearElement(*e);
    e->kind = VK_NUMBER;
    e->n = value;
  }
}

void CNValue::SetStringAt(uint32_t i, std::u16string_view value) {
  if (ValueElement* e = ElementAt(i)) {
    SetElementString(*e, value);
    m_ucFlags |= kMayHoldStrings;
  }
}

void CNValue::SetTimeAt(uint32_t i, FileTime value) {
  if (ValueElement* e = ElementAt(i)) {
    ClearElement(*e);
    e->kind = VK_TIME;
    e->t = value;
  }
}

void CNValue::SetObjectAt(uint32_t i, uint32_t handle) {
  if (ValueElement* e = ElementAt(i)) {
    ClearElement(*e);
    e->kind = VK_OBJECT;
    e->h = handle;
  }
}

void CNValue::ClearAt(uint32_t i) {
  if (ValueElement* e = ElementAt(i)) ClearElement(*e);
}

void CNValue::CopyElementAt(uint32_t i, const CNValue& source, uint32_t j) {
  ValueElement* e = ElementAt(i);
  if (!e) return;
  if (j < source.m_ulCount) {
    CopyElement(*e, source.m_pElements[j]);
    m_ucFlags |= source.m_ucFlags & kMayHoldStrings;
  } else {
    ClearElement(*e);
  }
}

void CNValue::Assign(const CNValue& other) {
  if (this == &other) return;
  // With the same shape the element array is kept; CopyElement frees what it replaces.
  if (!(IsSameShape(other) && m_ulCount > 0) && !SetDimensions(other.m_usDimCount, other.m_pDimSizes)) return;
  m_ucQuality = other.m_ucQuality;
  m_ullTimeStamp = other.m_ullTimeStamp;
  m_ucFlags = other.m_ucFlags;
  for (uint32_t i = 0; i < m_ulCount; ++i) CopyElement(m_pElements[i], other.m_pElements[i]);
}

uint32_t CNValue::GetDimensionSize(uint32_t d) const {
  if (d >= m_usDimCount) return 0;
  return m_pDimSizes ? m_pDimSizes[d] : m_ulCount;
}

uint32_t CNValue::GetLength() const {
  if (m_usDimCount == 0) return 0;
  if (m_usDimCount == 1) return m_ulCount;
  return GetDimensionSize(0);
}

bool CNValue::GetBool(uint32_t i) const { return i < m_ulCount && ElementAsBool(m_pElements[i]); }

double CNValue::GetNumber(uint32_t i) const { return i < m_ulCount ? ElementAsNumber(m_pElements[i]) : 0.0; }

FileTime CNValue::GetTime(uint32_t i) const { return i < m_ulCount ? ElementAsTime(m_pElements[i]) : 0; }

uint32_t CNValue::GetHandle(uint32_t i) const { return i < m_ulCount ? ElementAsHandle(m_pElements[i]) : 0; }

std::u16string CNValue::GetText(uint32_t i) const {
  return i < m_ulCount ? ElementText(m_pElements[i]) : std::u16string();
}

std::u16string CNValue::GetTextEmptyNA(uint32_t i) const {
  return i < m_ulCount ? ElementText(m_pElements[i], true) : std::u16string();
}

std::u16string_view CNValue::GetStringView(uint32_t i) const {
  return i < m_ulCount ? ElementString(m_pElements[i]) : std::u16string_view();
}

bool CNValue::GetBoolAll(int mode) const {
  const bool every = mode == 1;
  for (uint32_t i = 0; i < m_ulCount; ++i)
    if (ElementAsBool(m_pElements[i]) != every) return !every;
  return every;
}

std::u16string_view CNValue::GetTypeName(int kind) {
  switch (kind) {
    case VK_BOOL: return u"bool";
    case VK_NUMBER: return u"number";
    case VK_STRING: return u"string";
    case VK_TIME: return u"time";
    case VK_OBJECT: return u"object";
    default: return u"uncertain";
  }
}

std::u16string_view CNValue::GetQualityName(int quality) {
  switch (quality) {
    case VQ_BAD: return u"BAD";
    case VQ_GOOD: return u"GOOD";
    default: return u"UNCERTAIN";
  }
}

bool CNValue::IsEqual(int mode, const CNValue& other) const {
  if ((mode & kCompareQuality) && m_ucQuality != other.m_ucQuality) return false;
  if ((mode & kCompareTimeStamp) && m_ullTimeStamp != other.m_ullTimeStamp) return false;
  if (mode & kCompareContents) {
    if (m_ulCount != other.m_ulCount) return false;
    for (uint32_t i = 0; i < m_ulCount; ++i)
      if (!ElementsEqual(m_pElements[i], other.m_pElements[i])) return false;
  }
  return true;
}

bool CNValue::IsSameShape(const CNValue& other) const {
  if (m_ulCount != other.m_ulCount || m_usDimCount != other.m_usDimCount) return false;
  for (uint32_t d = 0; d < m_usDimCount; ++d)
    if (GetDimensionSize(d) != other.GetDimensionSize(d)) return false;
  return true;
}

void CNValue::Increment() {
  for (uint32_t i = 0; i < m_ulCount; ++i)
    if (m_pElements[i].kind == VK_NUMBER) m_pElements[i].n += 1.0;
}

void CNValue::Decrement() {
  for (uint32_t i = 0; i < m_ulCount; ++i)
    if (m_pElements[i].kind == VK_NUMBER) m_pElements[i].n -= 1.0;
}
