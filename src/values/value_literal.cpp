// Literal text of whole values: "#NOTHING#", scalars, and nested "c(...)" lists.
#include <vector>

#include "support/utf16_text.h"
#include "values/element_literal.h"
#include "values/value.h"
#include "values/value_text.h"
#include "values/value_time.h"

namespace {

constexpr std::u16string_view kNothing = u"#NOTHING#";

void AppendRow(std::u16string& out, const ValueElement* row, uint32_t size, bool escape) {
  if (size == 1) {
    AppendElementLiteral(out, row[0], escape);
    return;
  }
  out += u"c(";
  for (uint32_t i = 0; i < size; ++i) {
    if (i) out += u',';
    AppendElementLiteral(out, row[i], escape);
  }
  out += u')';
}

// An item of a "c(" text: the span of its literal.
struct ItemSpan {
  size_t begin;
  size_t end;
};

// Scans a "c(" text of `dims` leading openings into its item spans and per-level sizes.
// Every group of one level must hold the same number of elements; items stand only at the
// innermost level. Returns false for anything malformed or unclosed.
class ListScanner {
 public:
  ListScanner(std::u16string_view text, bool escape) : m_text(text), m_escape(escape) {}

  bool Scan(size_t dims, std::vector<uint32_t>& sizes, std::vector<ItemSpan>& items) {
    constexpr uint32_t kUnset = 0xFFFFFFFF;
    sizes.assign(dims, kUnset);
    std::vector<uint32_t> counts(dims + 1, 0);  // elements seen in the open group of each level
    size_t depth = 0;                           // number of open groups
    SkipSpaces();
    for (;;) {
      // Expecting an element of the group at `depth` (or the whole list at depth 0).
      SkipSpaces();
      if (depth < dims) {
        if (!Opening()) {
          if (depth == 0 || !ClosingOfEmptyGroup(counts[depth])) return false;
        } else {
          ++counts[depth];
          counts[++depth] = 0;
          continue;
        }
      } else {
        if (AtClose() && counts[depth] == 0) {
          // "c()": an empty innermost group.
        } else {
          ItemSpan span{};
          if (!Item(span)) return false;
          items.push_back(span);
          ++counts[depth];
          SkipSpaces();
          if (Peek() == u',') {
            ++m_pos;
            continue;
          }
        }
      }
      // Close groups for as long as ")" follows.
      for (;;) {
        if (Peek() != u')') return false;
        ++m_pos;
        uint32_t& size = sizes[depth - 1];
        if (size == kUnset) {
          size = counts[depth];
        } else if (size != counts[depth]) {
          return false;
        }
        if (--depth == 0) {
          SkipSpaces();
          return m_pos == m_text.size();
        }
        SkipSpaces();
        if (Peek() == u',') {
          ++m_pos;
          break;
        }
      }
    }
  }

  // Number of leading "c(" openings, spaces allowed between them.
  static size_t CountOpenings(std::u16string_view text) {
    ListScanner s(text, false);
    size_t n = 0;
    s.SkipSpaces();
    while (s.Opening()) {
      ++n;
      s.SkipSpaces();
    }
    return n;
  }

 private:
  char16_t Peek() const { return m_pos < m_text.size() ? m_text[m_pos] : 0; }
  bool AtClose() const { return Peek() == u')'; }
  void SkipSpaces() {
    while (m_pos < m_text.size() && m_text[m_pos] == u' ') ++m_pos;
  }
  bool Opening() {
    if (m_pos + 1 < m_text.size() && m_text[m_pos] == u'c' && m_text[m_pos + 1] == u'(') {
      m_pos += 2;
      return true;
    }
    return false;
  }
  // A group that closes before its first element.
  bool ClosingOfEmptyGroup(uint32_t count) const { return count == 0 && AtClose(); }

  bool Item(ItemSpan& span) {
    span.begin = m_pos;
    const char16_t first = Peek();
    if (first == u'"') {
      for (++m_pos; m_pos < m_text.size() && m_text[m_pos] != u'"'; ++m_pos)
        if (m_escape && m_text[m_pos] == u'\\') ++m_pos;
      if (m_pos >= m_text.size()) return false;
      ++m_pos;
    } else if (first == u'#') {
      const size_t close = m_text.find(u'#', m_pos + 1);
      if (close == std::u16string_view::npos) return false;
      m_pos = close + 1;
    } else {
      while (m_pos < m_text.size()) {
        const char16_t c = m_text[m_pos];
        if (c == u' ' || c == u',' || c == u')') break;
        if (c == u'(' || c == u'"') return false;
        ++m_pos;
      }
      if (m_pos == span.begin) return false;
    }
    span.end = m_pos;
    return true;
  }

  std::u16string_view m_text;
  bool m_escape;
  size_t m_pos = 0;
};

}  // namespace

std::u16string CNValue::ToLiteral(bool escape) const {
  if (IsEmpty()) return std::u16string(kNothing);
  std::u16string out;
  out.reserve(static_cast<size_t>(m_ulCount) * 4 + 8);
  const uint32_t rowSize = GetDimensionSize(m_usDimCount - 1);
  const uint32_t rows = m_ulCount / rowSize;
  const uint32_t outer = m_usDimCount - 1;  // dimensions that open a "c(" group
  std::vector<uint32_t> index(outer, 0);
  for (uint32_t d = 0; d < outer; ++d) out += u"c(";
  for (uint32_t r = 0; r < rows; ++r) {
    if (r > 0) {
      // Advance the odometer over the outer dimensions; each wrapped level closes and reopens.
      uint32_t wrapped = 0;
      for (uint32_t d = outer; d-- > 0;) {
        if (++index[d] < m_pDimSizes[d]) break;
        index[d] = 0;
        ++wrapped;
      }
      out.append(wrapped, u')');
      out += u',';
      for (uint32_t k = 0; k < wrapped; ++k) out += u"c(";
    }
    AppendRow(out, m_pElements + static_cast<size_t>(r) * rowSize, rowSize, escape);
  }
  out.append(outer, u')');
  return out;
}

bool CNValue::FromLiteral(std::u16string_view text, bool escape) {
  Clear();
  if (text == kNothing) return true;
  const size_t dims = ListScanner::CountOpenings(text);
  if (dims == 0) {
    ParseElementLiteral(text, escape, MakeScalar());
    m_ucFlags |= kMayHoldStrings;
    return true;
  }
  std::vector<uint32_t> sizes;
  std::vector<ItemSpan> items;
  if (dims > 0xFFFF || !ListScanner(text, escape).Scan(dims, sizes, items)) return false;
  if (!SetDimensions(static_cast<uint16_t>(dims), sizes.data())) return false;
  if (m_ulCount != items.size()) {  // cannot happen for a rectangular list; stay safe
    Clear();
    return false;
  }
  m_ucFlags |= kMayHoldStrings;
  for (uint32_t i = 0; i < m_ulCount; ++i)
    ParseElementLiteral(text.substr(items[i].begin, items[i].end - items[i].begin), escape, m_pElements[i]);
  return true;
}

bool CNValue::IsLiteral(std::u16string_view text) {
  if (text.empty()) return false;
  if (text[0] != u'#') {
    if (EqualsIgnoreCaseAscii(text, u"TRUE") || EqualsIgnoreCaseAscii(text, u"FALSE") || text == u"T" ||
        text == u"F")
      return true;
    return IsHexDigitAscii(text[0]) || text[0] == u'-' || text[0] == u'"';
  }
  if (text.size() < 2 || text.back() != u'#') return false;
  if (text.size() == 11 && text[1] == u'&') {
    for (size_t i = 2; i < 10; ++i)
      if (!IsHexDigitAscii(text[i])) return false;
    return true;
  }
  if (text == u"#N/A#" || text == kNothing) return true;
  FileTime t = 0;
  return ParseTimeLiteral(text, t);
}
