#pragma once

#include <string>
#include <string_view>
#include <vector>

// A point of a drawn figure, in form coordinates.
struct CNPointD {
  double x = 0;
  double y = 0;
  friend bool operator==(const CNPointD&, const CNPointD&) = default;
};

// One node of a polygon, polyline or polygon meter: the node itself and the control points of
// the curves that come in and go out; a straight segment has all three equal.
struct CNPathNode {
  CNPointD point;
  CNPointD in;
  CNPointD out;
  friend bool operator==(const CNPathNode&, const CNPathNode&) = default;
};

// Reads the "Points" text: after "[PATH]" six comma-separated integers per node (point, in, out);
// without that prefix plain x,y pairs, each a straight node. Each field is read as a leading
// decimal integer (0 when it has none); an incomplete last node is dropped.
std::vector<CNPathNode> ParsePointsText(std::u16string_view text);

// Writes the "Points" text: "[PATH]" and the six coordinates of each node, truncated toward zero
// (0 beyond the 32-bit range), separated by commas. No nodes give the empty text.
std::u16string PointsText(const std::vector<CNPathNode>& nodes);
