#include "shapes/points_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "support/utf16_text.h"

namespace {

constexpr std::u16string_view kPathPrefix = u"[PATH]";

// Every comma-separated field of the text, each read as a leading decimal integer.
std::vector<double> ReadFields(std::u16string_view text) {
  std::vector<double> fields;
  for (size_t begin = 0;;) {
    const size_t comma = text.find(u',', begin);
    const size_t length = comma == std::u16string_view::npos ? std::u16string_view::npos : comma - begin;
    fields.push_back(ParseLeadingInt32(text.substr(begin, length)));
    if (comma == std::u16string_view::npos) return fields;
    begin = comma + 1;
  }
}

int WrittenCoordinate(double v) {
  const double whole = std::trunc(v);
  // NaN fails both comparisons.
  return whole >= INT32_MIN && whole <= INT32_MAX ? static_cast<int>(whole) : 0;
}

}  // namespace

std::vector<CNPathNode> ParsePointsText(std::u16string_view text) {
  const bool path = text.starts_with(kPathPrefix);
  if (path) text.remove_prefix(kPathPrefix.size());
  const std::vector<double> f = ReadFields(text);
  const size_t stride = path ? 6 : 2;
  std::vector<CNPathNode> nodes;
  nodes.reserve(f.size() / stride);
  for (size_t i = 0; i + stride <= f.size(); i += stride) {
    const CNPointD point{f[i], f[i + 1]};
    nodes.push_back(path ? CNPathNode{point, {f[i + 2], f[i + 3]}, {f[i + 4], f[i + 5]}}
                         : CNPathNode{point, point, point});
  }
  return nodes;
}

std::u16string PointsText(const std::vector<CNPathNode>& nodes) {
  if (nodes.empty()) return {};
  std::u16string text(kPathPrefix);
  char buffer[80];
  for (const CNPathNode& n : nodes) {
    std::snprintf(buffer, sizeof buffer, "%d,%d,%d,%d,%d,%d,", WrittenCoordinate(n.point.x),
                  WrittenCoordinate(n.point.y), WrittenCoordinate(n.in.x), WrittenCoordinate(n.in.y),
                  WrittenCoordinate(n.out.x), WrittenCoordinate(n.out.y));
    text += AsciiToUtf16(buffer);
  }
  text.pop_back();  // the last node's comma
  return text;
}
