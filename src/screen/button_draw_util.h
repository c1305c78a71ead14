#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "draw/brush.h"
#include "draw/geometry.h"
#include "screen/object_text_draw.h"

class CNDrawContext;
class CNObject;
class CNPObject;
class CRPainter;

// Small steps the drawing of buttons, check boxes and edit boxes shares.

// rect made smaller by the distances on each side (surface pixels); never below nothing.
CRRectF InsetSides(const CRRectF& rect, double left, double top, double right, double bottom);
inline CRRectF InsetRect(const CRRectF& rect, double d) {
  return InsetSides(rect, d, d, d, d);
}

// The distances of four integer properties (form units, such as "ImageLeft", "ImageTop",
// "ImageRight", "ImageBottom") taken off rect at the context's scale.
CRRectF InsetByProperties(const CNObject& object, const CNDrawContext& context, const CRRectF& rect,
                          const std::u16string_view (&names)[4]);

// The colour of a control's text: the theme's "@DisabledTextColor" while "Enabled" is false,
// else the named colour property's. False when that names no colour.
bool ResolveTextColor(const CNPObject& object, const CNDrawContext& context, std::u16string_view property,
                      uint32_t& color);

// A solid or hatched brush of the colour in the object's "FillStyle" (the plain styles).
CRBrush FillBrush(const CNObject& object, uint32_t color);
void FillRect(CRPainter& painter, const CRRectF& rect, uint32_t color);

// The face of a boxed control (check box, edit box) over rect: "FillColor" when filled, then
// the border, "3D_SUNK1" unless "BorderStyle" names another. Returns the rectangle inside it.
CRRectF DrawBoxedFace(const CNObject& object, CNDrawContext& context, const CRRectF& rect, bool filled);

// The alignment of an item of "LEFT,CENTER,RIGHT" or "TOP,CENTER,BOTTOM".
CRTextAlign TextAlignOf(int32_t item);

// What a control's "Text" is drawn with. The style points into the texts kept here.
struct CNControlText {
  std::u16string text;
  std::u16string font;
  CNObjectTextStyle style;
};
// "Text", "TextFont", "TextLineSpace" and the colour: "TextColorOn" while on, when the class has
// it and it names a colour, else "TextColor" (ResolveTextColor). False when there is no colour.
bool ReadControlText(const CNPObject& object, const CNDrawContext& context, bool on, CNControlText& out);
