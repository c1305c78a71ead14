#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The sizes of the rows or columns of a frame set ("Rows", "Cols"): a comma-separated list with
// one entry per row or column, each
//   N    N pixels
//   N%   N percent of the length there is to share (the area less the frame spacing)
//   *    a share of what is left; N* takes N shares
// An empty list is one "*"; an entry that is none of these reads as "*".
//
// Sharing a length: pixel entries first, then percentages (rounded down), then what is left
// goes to the shares in proportion (rounded down, the last share takes what rounding left
// over). Without shares the last entry takes what is left. Entries that do not fit are cut,
// last first, so no size is negative and the sizes never add up to more than the length.
struct CNFrameSize {
  enum Kind : uint8_t { kPixels, kPercent, kShare };
  Kind kind = kShare;
  int32_t value = 1;
  friend bool operator==(const CNFrameSize&, const CNFrameSize&) = default;
};

std::vector<CNFrameSize> ParseFrameSizeList(std::u16string_view text);
std::vector<int32_t> ShareFrameLength(const std::vector<CNFrameSize>& sizes, int32_t length);

// Per-separator and per-track switches and minimum sizes ("ColMovableSeparators", "ColMins"):
// a comma-separated list; a single entry holds for all, entries left out are F or 0.
class CNFrameTrackList {
 public:
  CNFrameTrackList() = default;
  explicit CNFrameTrackList(std::u16string_view text);
  bool GetBool(size_t i) const;
  int32_t GetInt(size_t i) const;

 private:
  std::u16string_view Entry(size_t i) const;

  std::vector<std::u16string> m_entries;
};
