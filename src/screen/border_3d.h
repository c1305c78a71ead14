#pragma once

#include <cstdint>
#include <string_view>

#include "draw/geometry.h"

class CNDrawContext;
class CNObject;
class CRPainter;

// The border styles of controls, by their item names; a class offers some of them.
enum class CNBorderStyle {
  kFlat,       // "FLAT": a line of "BorderColor", "BorderWidth" and "BorderLine"
  kFrame,      // "3D_FRAME": an etched groove, a shadow ring outside a light one
  kRaise1,     // "3D_RAISE1": one ring, light at the top and left, shadow at the bottom and right
  kSunk1,      // "3D_SUNK1": the same with light and shadow swapped
  kRaise2,     // "3D_RAISE2": two rings raised
  kSunk2,      // "3D_SUNK2": two rings sunk
  kTabTop,     // "TABTOP": a tab of a strip below it (toggle buttons)
  kTabBottom,  // "TABBOTTOM": a tab of a strip above it
};

// The style an item text names (any case); false for another text.
bool ParseBorderStyle(std::u16string_view item, CNBorderStyle& style);

// The object's "BorderStyle", "@" names resolved through the form's theme; the fallback when
// it names no style.
CNBorderStyle ReadBorderStyle(const CNObject& object, const CNDrawContext& context, CNBorderStyle fallback);

// The width of one ring of a 3-D border in surface pixels: one pixel per form unit at the
// context's smaller scale, at least one.
double BevelRingWidth(const CNDrawContext& context);
// How far a style's 3-D rings reach into the rectangle (0 for the flat and tab styles).
double BevelWidth(CNBorderStyle style, double ringWidth);

// Draws the rings of a 3-D style just inside rect (surface pixels). Pushed swaps light and
// shadow, so a raised border looks sunk and a sunk one raised. The flat and tab styles draw
// nothing here.
void DrawBevel(CRPainter& painter, const CRRectF& rect, CNBorderStyle style, uint32_t light, uint32_t shadow,
               double ringWidth, bool pushed = false);

// The part of rect a tab covers: a tab that is not the selected one stands two rings lower
// (higher for "TABBOTTOM") than the selected one, which meets the strip. Other styles cover
// all of rect.
CRRectF TabBody(const CRRectF& rect, CNBorderStyle style, bool selected, double ringWidth);

// The frame the object's border properties describe, drawn on the inner edge of rect:
// nothing when "Border" is false; the flat line (rounded by radius pixels when it is not 0),
// the 3-D rings of "Border3DLight" and "Border3DShadow" (swapped while pushed), or a tab
// otherwise. For the tab styles pushed means selected: a selected tab is open towards its
// strip, the others show the strip's edge across their foot. Returns the rectangle inside the
// frame.
CRRectF DrawObjectBorder(const CNObject& object, CNDrawContext& context, const CRRectF& rect,
                         CNBorderStyle style, bool pushed = false, double radius = 0.0);
