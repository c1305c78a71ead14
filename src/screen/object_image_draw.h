#pragma once

#include <string_view>

#include "draw/geometry.h"
#include "draw/surface.h"

class CNDrawContext;

// Draws an image an object names, stretched over a rectangle in surface pixels. The pixels of
// the colour that transparentColor names (a colour text such as "ImageColor" holds; empty:
// none) are left out; alpha (0 to 1) is the object's transparency.
void DrawObjectImage(CNDrawContext& context, const CRSurface& image, std::u16string_view transparentColor,
                     const CRRectF& dest, double alpha = 1.0);
