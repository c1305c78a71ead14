#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "objects/property_info.h"
#include "screen/common_properties.h"

// Table pieces of the drawn shapes and the meters: text placement, border, fill, line, alpha,
// rotation, sector angles and path points.
namespace shape_properties {

using namespace control_properties;

inline constexpr std::u16string_view kAlpha = u"Alpha";
inline constexpr std::u16string_view kAngle = u"Angle";
inline constexpr std::u16string_view kLine = u"Line";

// The hatches, then gradients from "FillColor" to "FillColorBack".
inline constexpr std::u16string_view kFillStyleItems =
    u"SOLID,HORIZONTAL,VERTICAL,FORWARD DIAGONAL,BACKWARD DIAGONAL,CROSS,DIAGONAL CROSS,"
    u"GD_HORIZONTAL1,GD_HORIZONTAL2,GD_HORIZONTAL3,GD_HORIZONTAL4,"
    u"GD_VERTICAL1,GD_VERTICAL2,GD_VERTICAL3,GD_VERTICAL4,"
    u"GD_FORWARDDIAGONAL1,GD_FORWARDDIAGONAL2,GD_FORWARDDIAGONAL3,GD_FORWARDDIAGONAL4,"
    u"GD_BACKWARDDIAGONAL1,GD_BACKWARDDIAGONAL2,GD_BACKWARDDIAGONAL3,GD_BACKWARDDIAGONAL4,"
    u"GD_CENTER1,GD_CENTER2";
// The hatches alone.
inline constexpr std::u16string_view kPlainFillStyleItems =
    u"SOLID,HORIZONTAL,VERTICAL,FORWARD DIAGONAL,BACKWARD DIAGONAL,CROSS,DIAGONAL CROSS";
inline constexpr std::u16string_view kLineEndcapItems =
    u"FLAT,ROUND,SQUARE,TRIANGLE,SQUARE_ANCHOR,ROUND_ANCHOR,DIAMOND_ANCHOR,ARROW_ANCHOR";
// "DEFAULT": the same cap as the start.
inline constexpr std::u16string_view kLineEndcap2Items =
    u"FLAT,ROUND,SQUARE,TRIANGLE,SQUARE_ANCHOR,ROUND_ANCHOR,DIAMOND_ANCHOR,ARROW_ANCHOR,DEFAULT";
inline constexpr std::u16string_view kJoinItems = u"ROUND,MITER,BEVEL";
inline constexpr std::u16string_view kAngleRange = u"360,-360";

inline constexpr std::array kTextLineSpaceEntries = {
    Prop(kText, u"TextLineSpace", PT_INTEGER, u"0"),
};

// Where the text's centre lies, as a share of the width and the height.
inline constexpr std::array kTextCenterEntries = {
    Prop(kText, u"TextCenterX", PT_NUMBER, u"0.5"),
    Prop(kText, u"TextCenterY", PT_NUMBER, u"0.5"),
};

inline constexpr std::array kShapeTextEntries =
    JoinProperties(kTextEntries, kTextLineSpaceEntries, kTextCenterEntries,
                   std::array{Prop(kText, u"TextClip", PT_BOOL, u"F")});

inline constexpr std::array kShapeBorderEntries = BorderEntries(u"T");

inline constexpr std::array kBorderRoundEntries = {
    Prop(kBorder, u"BorderRound", PT_INTEGER, u"0", u",0"),
};

inline constexpr std::array kBorderJoinEntries = {
    Prop(kBorder, u"BorderJoin", PT_ENUM, u"MITER", kJoinItems),
};

inline constexpr std::array kPlainFillStyleEntries = {
    Prop(kFill, u"FillStyle", PT_ENUM, u"SOLID", kPlainFillStyleItems),
};

// "FillColorPush" and "FillColorHover" left empty: the fill does not follow the mouse.
inline constexpr std::array kShapeFillEntries = JoinProperties(
    FillEntries(u"T"), std::array{
                           Prop(kFill, u"FillStyle", PT_ENUM, u"SOLID", kFillStyleItems),
                           Prop(kFill, u"FillColorPush", PT_COLOR, u"", {}, 1, 1, kPropertyColor),
                           Prop(kFill, u"FillColorHover", PT_COLOR, u"", {}, 1, 1, kPropertyColor),
                           Prop(kFill, u"FillColorBack", PT_COLOR, u"#FFFFFF", {}, 1, 1, kPropertyColor),
                       });

inline constexpr std::array kAlphaEntries = {
    Prop(kAlpha, u"Alpha", PT_NUMBER, u"1", u"1,0"),
};

// The rotation centre has no default: it follows the object's place when reset.
inline constexpr std::array kRotationEntries = {
    Prop(kAngle, u"RotateX", PT_INTEGER),
    Prop(kAngle, u"RotateY", PT_INTEGER),
    Prop(kAngle, u"Angle", PT_NUMBER, u"0", kAngleRange),
};

// Degrees, 0 at twelve o'clock, clockwise.
inline constexpr std::array kSectorAngleEntries = {
    Prop(kAngle, u"StartAngle", PT_INTEGER, u"0", kAngleRange),
    Prop(kAngle, u"EndAngle", PT_INTEGER, u"90", kAngleRange),
};

// "LineColorPush" and "LineColorHover" left empty: the line does not follow the mouse.
inline constexpr std::array kLineEntries = {
    Prop(kLine, u"LineColor", PT_COLOR, u"@BorderColor"),
    Prop(kLine, u"LineColorPush", PT_COLOR, u"", {}, 1, 1, kPropertyColor),
    Prop(kLine, u"LineColorHover", PT_COLOR, u"", {}, 1, 1, kPropertyColor),
    Prop(kLine, u"LineStyle", PT_ENUM, u"SOLID", kLineStyleItems),
    Prop(kLine, u"LineWidth", PT_INTEGER, u"1", u",1"),
};

inline constexpr std::array kLineEndcapEntries = {
    Prop(kLine, u"LineEndcap", PT_ENUM, u"FLAT", kLineEndcapItems),
    Prop(kLine, u"LineEndcap2", PT_ENUM, u"DEFAULT", kLineEndcap2Items),
};

inline constexpr std::array kLineJoinEntries = {
    Prop(kLine, u"LineJoin", PT_ENUM, u"MITER", kJoinItems),
};

// The nodes of a polygon or polyline as text (points_text.h).
inline constexpr std::array kPointsEntries = {
    Prop(common_properties::kPosition, u"Points", PT_STRING, u""),
};

}  // namespace shape_properties
