#include "project/frame_size_list.h"

#include <algorithm>

#include "support/utf16_text.h"
#include "values/value_text.h"

namespace {

std::u16string_view Trim(std::u16string_view text) {
  while (!text.empty() && IsSpaceAscii(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceAscii(text.back())) text.remove_suffix(1);
  return text;
}

// The entries of a comma-separated list, trimmed.
std::vector<std::u16string_view> SplitList(std::u16string_view text) {
  std::vector<std::u16string_view> entries;
  if (Trim(text).empty()) return entries;
  for (size_t start = 0;;) {
    const size_t comma = text.find(u',', start);
    entries.push_back(Trim(text.substr(start, comma - start)));
    if (comma == std::u16string_view::npos) break;
    start = comma + 1;
  }
  return entries;
}

// A whole non-negative decimal number; false for anything else.
bool ParseCount(std::u16string_view text, int32_t& value) {
  if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigitAscii)) return false;
  value = ParseLeadingInt32(text);
  return true;
}

CNFrameSize ParseEntry(std::u16string_view entry) {
  CNFrameSize size;
  int32_t value = 0;
  if (ParseCount(entry, value)) return {CNFrameSize::kPixels, value};
  if (!entry.empty() && entry.back() == u'%' && ParseCount(entry.substr(0, entry.size() - 1), value))
    return {CNFrameSize::kPercent, value};
  if (!entry.empty() && entry.back() == u'*') {
    const std::u16string_view weight = entry.substr(0, entry.size() - 1);
    if (weight.empty()) return size;
    if (ParseCount(weight, value)) return {CNFrameSize::kShare, value};
  }
  return size;
}

}  // namespace

std::vector<CNFrameSize> ParseFrameSizeList(std::u16string_view text) {
  std::vector<CNFrameSize> sizes;
  for (const std::u16string_view entry : SplitList(text)) sizes.push_back(ParseEntry(entry));
  if (sizes.empty()) sizes.push_back({});
  return sizes;
}

std::vector<int32_t> ShareFrameLength(const std::vector<CNFrameSize>& sizes, int32_t length) {
  std::vector<int32_t> out(sizes.size(), 0);
  int64_t left = std::max(length, 0);
  const int64_t whole = left;
  const auto take = [&left](int64_t want) {
    const int64_t got = std::clamp<int64_t>(want, 0, left);
    left -= got;
    return static_cast<int32_t>(got);
  };
  for (size_t i = 0; i < sizes.size(); ++i)
    if (sizes[i].kind == CNFrameSize::kPixels) out[i] = take(sizes[i].value);
  for (size_t i = 0; i < sizes.size(); ++i)
    if (sizes[i].kind == CNFrameSize::kPercent) out[i] = take(whole * sizes[i].value / 100);
  int64_t shares = 0;
  size_t lastShare = sizes.size();
  for (size_t i = 0; i < sizes.size(); ++i) {
    if (sizes[i].kind != CNFrameSize::kShare) continue;
    shares += sizes[i].value;
    lastShare = i;
  }
  if (lastShare == sizes.size()) {
    if (!out.empty()) out.back() += take(left);
    return out;
  }
  const int64_t pool = left;
  for (size_t i = 0; i < sizes.size(); ++i)
    if (sizes[i].kind == CNFrameSize::kShare && i != lastShare)
      out[i] = take(shares > 0 ? pool * sizes[i].value / shares : 0);
  out[lastShare] = take(left);
  return out;
}

CNFrameTrackList::CNFrameTrackList(std::u16string_view text) {
  for (const std::u16string_view entry : SplitList(text)) m_entries.emplace_back(entry);
}

std::u16string_view CNFrameTrackList::Entry(size_t i) const {
  if (m_entries.size() == 1) return m_entries.front();
  return i < m_entries.size() ? std::u16string_view(m_entries[i]) : std::u16string_view();
}

bool CNFrameTrackList::GetBool(size_t i) const {
  const std::u16string_view entry = Entry(i);
  return !entry.empty() && StringToBool(entry);
}

int32_t CNFrameTrackList::GetInt(size_t i) const { return std::max(ParseLeadingInt32(Entry(i)), 0); }
