#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "controls/pobject.h"

// What the trend graph and the plot graph share: pens in groups drawn against an X axis, with
// probes, lack handling, a grid and mouse zoom. They differ in their X axis (time or number)
// and in the formats of its labels.
namespace plotter_properties {

using namespace control_properties;

inline constexpr std::u16string_view kGraph = u"Graph";
inline constexpr std::u16string_view kZoom = u"Zoom";
inline constexpr std::u16string_view kProbe = u"Probe";
inline constexpr std::u16string_view kPlot = u"Plot";
inline constexpr std::u16string_view kLack = u"Lack";
inline constexpr std::u16string_view kSpace = u"Space";
inline constexpr std::u16string_view kGrid = u"Grid";
inline constexpr std::u16string_view kTitle = u"Title";

// Everything up to the axis formats. The plot sizes default to those of a new pen: lines 1,
// points, lack points and bars 0.
inline constexpr std::array kPlotterEntries = JoinProperties(
    std::array{
        Prop(kGraph, u"ShowScaleX", PT_BOOL, u"T"),
        Prop(kGraph, u"ShowScaleY", PT_BOOL, u"T"),
        Prop(kGraph, u"OffsetScaleX", PT_INTEGER, u"0"),
        Prop(kGraph, u"OffsetScaleY", PT_INTEGER, u"0"),
        Prop(kGraph, u"ShowRangeController", PT_BOOL, u"F"),
        Prop(kGraph, u"PowerfactorMaxMinType", PT_ENUM, u"TYPE1", u"TYPE1,TYPE2"),
        Prop(kZoom, u"MouseZoom", PT_ENUM, u"NONE", u"NONE,ZOOM_X,ZOOM_Y,ZOOM_XY"),
        Prop(kProbe, u"Probe", PT_ENUM, u"NONE", u"NONE,SINGLE,DUAL"),
        Prop(kProbe, u"ProbeColor", PT_COLOR, u"#FF0000"),
        Prop(kProbe, u"ProbeData", PT_BOOL, u"T"),
        Prop(kProbe, u"OffsetProbeData", PT_INTEGER, u"0"),
        Prop(kPlot, u"DrawOutOfRange", PT_ENUM, u"ALL", u"ALL,LIMITE_X,LIMITE_Y,LIMITE_XY"),
        Prop(kPlot, u"DrawPlotLineFront", PT_BOOL, u"F"),
        Prop(kPlot, u"PlotOutOfRange", PT_ENUM, u"ALL", u"ALL,DELETEDATA,FLATMAXMINDATA,FLATMAXMINPLOT"),
        Prop(kPlot, u"PlotLineSize", PT_INTEGER, u"1"),
        Prop(kPlot, u"PlotBarSize", PT_INTEGER, u"0"),
        Prop(kPlot, u"PlotPointSize", PT_INTEGER, u"0"),
        Prop(kPlot, u"PlotLackLineSize", PT_INTEGER, u"1"),
        Prop(kPlot, u"PlotLackPointSize", PT_INTEGER, u"0"),
        Prop(kPlot, u"PlotBarAdjustment", PT_BOOL, u"F"),
        Prop(kPlot, u"PlotLackLineStyle", PT_ENUM, u"DOT", kLineStyleItems),
        Prop(kPlot, u"PlotColorBarAlpha", PT_NUMBER, u"1"),
        Prop(kPlot, u"PlotColorBarColor", PT_TEXT, u"#00FF00,#FF0000"),
        Prop(kLack, u"DiffForLack", PT_NUMBER, u"0"),  // 0: gaps never make a lack
        Prop(kLack, u"ValueForLack", PT_STRING, u""),
        Prop(kLack, u"ValueForLackType", PT_ENUM, u"NONE", u"NONE,NULL,STR,NUM"),
        Prop(kSpace, u"SpaceX", PT_NUMBER, u"0"),
        Prop(kSpace, u"SpaceY", PT_NUMBER, u"0"),
        Prop(kGrid, u"GridSpaceX", PT_NUMBER, u"0"),
        Prop(kGrid, u"GridLineX", PT_BOOL, u"T"),
        Prop(kGrid, u"GridLineY", PT_BOOL, u"T"),
        Prop(kGrid, u"GridLineBound", PT_BOOL, u"T"),
        Prop(kGrid, u"GridLineColor", PT_COLOR, u"#808080"),
        Prop(kGrid, u"GridLineStyle", PT_ENUM, u"DOT", kLineStyleItems),
        Prop(kGrid, u"GridCountX", PT_INTEGER, u"10"),
        Prop(kGrid, u"GridCountY", PT_INTEGER, u"5"),
        Prop(kFormat, u"FormatNumber", PT_NUMBER_FORMAT, u"@NUMBER.1"),
        Prop(kTitle, u"TitleLeft", PT_STRING, u""),
        Prop(kTitle, u"TitleRight", PT_STRING, u""),
        Prop(kTitle, u"TitleTop", PT_STRING, u""),
        Prop(kTitle, u"TitleBottom", PT_STRING, u""),
        Prop(kText, u"TextFont", PT_FONT, kDefaultFont),
        Prop(kText, u"TextColor", PT_COLOR, u"@ChartTextColor"),
        Prop(kText, u"AutoChangeTextColor", PT_BOOL, u"F"),
    },
    OmitEntries(BorderEntries(u"T"), {u"BorderLine"}),
    std::array{
        Prop(kFill, u"Fill", PT_BOOL, u"T"),
        Prop(kFill, u"FillGrid", PT_BOOL, u"T"),
        Prop(kFill, u"FillColor", PT_COLOR, u"@FillColor", {}, 1, 1, kPropertyColor),
        Prop(kFill, u"FillGridColor", PT_COLOR, u"#FFFFFF", {}, 1, 1, kPropertyColor),
    });

// After the axis formats.
inline constexpr std::array kAutoDeleteEntries = {
    Prop(kGraph, u"AutoDeleteMode", PT_ENUM, u"NONE", u"NONE,OUTOFSCREEN"),
};

inline constexpr std::array kProbeEvents = {
    EventInfo{kControl, u"OnProbeChanged",
              u"penno,expect1,expect2,nearest1,nearest2,min,max,ave,validcnt,lackcnt"},
    EventInfo{kControl, u"OnProbeChanging", u"probeno,pos"},
    EventInfo{kControl, u"OnRangeControlerChanging", u"displayLow,displayHigh"},
    EventInfo{kControl, u"OnSelectedGroupChanged", u"groupno"},
    EventInfo{kControl, u"OnSelectedPenChanged", u"penno"},
};

inline constexpr std::array kMouseZoomEvents = {
    EventInfo{kControl, u"OnChangeMouseZoom", u"state"},
};

}  // namespace plotter_properties

// The base of the graphs that plot pens of samples.
class CNPPlotter : public CNPControl {
 protected:
  CNPPlotter() = default;
};
