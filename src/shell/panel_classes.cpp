#include "shell/panel_classes.h"

#include <cstdint>
#include <string_view>

#include "alarms/alarm_client_methods.h"
#include "alarms/remote_alarm_client.h"
#include "alarms/remote_alarm_grid.h"
#include "controls/buttons.h"
#include "controls/calendar.h"
#include "controls/collection.h"
#include "controls/database_objects.h"
#include "controls/date_time_object.h"
#include "controls/demand_objects.h"
#include "controls/file_objects.h"
#include "controls/form.h"
#include "controls/form_folder.h"
#include "controls/frames.h"
#include "controls/grid_controls.h"
#include "controls/images.h"
#include "controls/label_controls.h"
#include "controls/list_controls.h"
#include "controls/media_objects.h"
#include "controls/menu_controls.h"
#include "controls/range_controls.h"
#include "controls/reports.h"
#include "controls/schedule_objects.h"
#include "controls/search_object.h"
#include "controls/tag_bind.h"
#include "controls/time_grids.h"
#include "controls/web_browser.h"
#include "editing/edit_box.h"
#include "formats/blink_format_parser.h"
#include "formats/number_format_parser.h"
#include "graphs/charts.h"
#include "graphs/graph_methods.h"
#include "graphs/plot_graph.h"
#include "graphs/trend_graph.h"
#include "methods/builtin_methods.h"
#include "methods/math_object.h"
#include "project/root_client.h"
#include "shapes/meters.h"
#include "shapes/shapes.h"
#include "views/view_control.h"

namespace {

using RegisterFunction = bool (*)(CNObjectRegistry&, std::u16string_view clid, std::u16string_view category,
                                  std::u16string_view displayName, std::u16string_view shapeKind,
                                  uint32_t order);

struct PanelClass {
  std::u16string_view category;
  std::u16string_view clid;
  RegisterFunction registerClass;
  std::u16string_view displayName = {};  // empty: the clid
  std::u16string_view shapeKind = {};    // empty: "RECT" in a palette category, none outside one
};

constexpr std::u16string_view kNoCategory = u"";
constexpr std::u16string_view k2DShapes = u"2D Shapes";
constexpr std::u16string_view kBasicControls = u"Basic Controls";
constexpr std::u16string_view kImage = u"Image";
constexpr std::u16string_view kMeter = u"Meter";
constexpr std::u16string_view kGraph = u"Graph";
constexpr std::u16string_view kAlarm = u"Alarm";
constexpr std::u16string_view kReport = u"Report";
constexpr std::u16string_view kDatabase = u"Database";
constexpr std::u16string_view kMultiMedia = u"Multi Media";
constexpr std::u16string_view kFile = u"File";
constexpr std::u16string_view kDemand = u"Demand";
constexpr std::u16string_view kEtc = u"Etc";

constexpr std::u16string_view kRect = u"RECT";

// Palette order is table order.
constexpr PanelClass kPanelClasses[] = {
    {kNoCategory, u"Folder", RegisterObjectClass<CNPFormFolder>, {}, kRect},
    {kNoCategory, u"Form", RegisterObjectClass<CNPForm>, {}, kRect},
    {kNoCategory, u"Client", RegisterObjectClass<CNPRootClient>, {}, kRect},
    {kNoCategory, u"Group", RegisterObjectClass<CNPCollection>},
    {kNoCategory, u"BlinkFormatParser", RegisterObjectClass<CNPBlinkFormatParser>},
    {kNoCategory, u"NumberFormatParser", RegisterObjectClass<CNPNumberFormatParser>},
    {kNoCategory, u"Calender", RegisterObjectClass<CNPCalendar>},  // the calendar's second clid
    {kNoCategory, u"TimeGridRotary", RegisterObjectClass<CNPTimeGridRotary>},
    {kNoCategory, u"Chart", RegisterObjectClass<CNPChart>},
    {kNoCategory, u"Report", RegisterObjectClass<CNPReport>},
    {kNoCategory, u"DirectDAO", RegisterObjectClass<CNPDirectDAO>},
    {kNoCategory, u"RemoteDAO", RegisterObjectClass<CNPRemoteDAO>},
    {kNoCategory, u"CopyFileWithMutex", RegisterObjectClass<CNPCopyFileWithMutex>},
    {kNoCategory, u"Scheduler", RegisterObjectClass<CNPScheduler>},
    {kNoCategory, u"ScheduleMaster", RegisterObjectClass<CNPMasterSchedule>},
    {kNoCategory, u"DateTime", RegisterObjectClass<CNPDateTime>},
    {kNoCategory, u"Math", RegisterObjectClass<CNPMath>},
    {kNoCategory, u"Search", RegisterObjectClass<CNPSearch>},

    {k2DShapes, u"Line", RegisterObjectClass<CNPLine>, {}, u"POINT,2"},
    {k2DShapes, u"Rectangle", RegisterObjectClass<CNPRect>},
    {k2DShapes, u"Ellipse", RegisterObjectClass<CNPEllipse>},
    {k2DShapes, u"Pie", RegisterObjectClass<CNPPie>},
    {k2DShapes, u"Arc", RegisterObjectClass<CNPArc>},
    {k2DShapes, u"Polygon", RegisterObjectClass<CNPPolygon>, {}, u"PATH,C"},
    {k2DShapes, u"Polyline", RegisterObjectClass<CNPPolyline>, {}, u"PATH,O"},

    {kBasicControls, u"Label", RegisterObjectClass<CNPLabel>},
    {kBasicControls, u"HyperLink", RegisterObjectClass<CNPHyperLink>},
    {kBasicControls, u"Menu", RegisterObjectClass<CNPMenu>},
    {kBasicControls, u"EditBox", RegisterObjectClass<CNPEditBox>, u"Edit Box"},
    {kBasicControls, u"MultilineEditBox", RegisterObjectClass<CNPMultilineEditBox>, u"Multiline Edit Box"},
    {kBasicControls, u"Frame", RegisterObjectClass<CNPFrame>},
    {kBasicControls, u"3DFrame", RegisterObjectClass<CNP3DFrame>},
    {kBasicControls, u"Button", RegisterObjectClass<CNPCommandButton>},
    {kBasicControls, u"ToggleButton", RegisterObjectClass<CNPToggleButton>, u"Toggle Button"},
    {kBasicControls, u"RadioButton", RegisterObjectClass<CNPRadioButton>, u"Radio Button"},
    {kBasicControls, u"CheckBox", RegisterObjectClass<CNPCheckBox>, u"Check Box"},
    {kBasicControls, u"ListBox", RegisterObjectClass<CNPListBox>, u"List Box"},
    {kBasicControls, u"ComboBox", RegisterObjectClass<CNPComboBox>},
    {kBasicControls, u"HorizontalScrollBar", RegisterObjectClass<CNPHScrollControl>,
     u"Horizontal Scroll Bar"},
    {kBasicControls, u"VerticalScrollBar", RegisterObjectClass<CNPVScrollControl>, u"Vertical Scroll Bar"},
    {kBasicControls, u"HorizontalScale", RegisterObjectClass<CNPHScaleControl>, u"Horizontal Scale Control"},
    {kBasicControls, u"VerticalScale", RegisterObjectClass<CNPVScaleControl>, u"Vertical Scale Control"},
    {kBasicControls, u"HorizontalSlider", RegisterObjectClass<CNPHSliderControl>,
     u"Horizontal Slider Control"},
    {kBasicControls, u"VerticalSlider", RegisterObjectClass<CNPVSliderControl>, u"Vertical Slider Control"},
    {kBasicControls, u"GridLines", RegisterObjectClass<CNPGridLines>, u"Grid Lines"},
    {kBasicControls, u"GridControl", RegisterObjectClass<CNPGridControl>, u"Grid Control"},
    {kBasicControls, u"Calendar", RegisterObjectClass<CNPCalendar>},
    {kBasicControls, u"ViewControl", RegisterObjectClass<CNPViewControl>, u"View Control"},
    {kBasicControls, u"WebBrowser", RegisterObjectClass<CNPWebBrowser>},
    {kBasicControls, u"SideMenu", RegisterObjectClass<CNPSideMenu>, u"Side Menu"},
    {kBasicControls, u"TimeGridSeries", RegisterObjectClass<CNPTimeGridSeries>, u"Series Time Grid Control"},

    {kImage, u"Image", RegisterObjectClass<CNPImageSimple>},
    {kImage, u"ImageLight", RegisterObjectClass<CNPImageLight>, u"Image Light"},
    {kImage, u"ImageSwitch", RegisterObjectClass<CNPImageSwitch>, u"Image Switch"},
    {kImage, u"ImageSelect", RegisterObjectClass<CNPImageSelect>, u"Image Select"},

    {kMeter, u"RectangleMeter", RegisterObjectClass<CNPRectMeter>, u"Rectangle Meter"},
    {kMeter, u"EllipseMeter", RegisterObjectClass<CNPEllipseMeter>, u"Ellipse Meter"},
    {kMeter, u"PieMeter", RegisterObjectClass<CNPPieMeter>, u"Pie Meter"},
    {kMeter, u"PolygonMeter", RegisterObjectClass<CNPPolygonMeter>, u"Polygon Meter", u"POINT,*"},

    {kGraph, u"PlotGraph", RegisterObjectClass<CNPPlotGraph>, u"Plot Graph"},
    {kGraph, u"TrendGraph", RegisterObjectClass<CNPTrendGraph>, u"Trend Graph"},
    {kGraph, u"HistoricalDataGraph", RegisterObjectClass<CNPHistoricalDataGraph>, u"Historical Data Graph"},
    {kGraph, u"Chart2", RegisterObjectClass<CNPChart2>, u"Chart Ver2"},

    {kAlarm, u"RemoteAlarmGrid", RegisterObjectClass<CNPExternalAlarmGrid>, u"Remote alarm grid client"},
    {kAlarm, u"RemoteAlarmClient", RegisterObjectClass<CNPExternalAlarmClient>, u"Remote alarm client"},

    {kReport, u"DayReportClient", RegisterObjectClass<CNPDayReportClient>, u"Daily report client"},
    {kReport, u"DayReportGrid", RegisterObjectClass<CNPDayReportGrid>, u"Daily report grid"},
    {kReport, u"SummaryReportGrid", RegisterObjectClass<CNPSummaryReportGrid>, u"Summary report grid"},

    {kDatabase, u"DirectQueryDB", RegisterObjectClass<CNPDirectSQL>, u"Direct query database"},
    {kDatabase, u"RemoteQueryDB", RegisterObjectClass<CNPRemoteSQL>, u"Remote query database"},
    {kDatabase, u"HistoricalData", RegisterObjectClass<CNPHistoricalData>},

    {kMultiMedia, u"Sound", RegisterObjectClass<CNPSound>},
    {kMultiMedia, u"Speech", RegisterObjectClass<CNPSpeech>},

    {kFile, u"FileTransfer", RegisterObjectClass<CNPFileTransfer>, u"File transfer"},
    {kFile, u"TextDump", RegisterObjectClass<CNPTextDump>, u"Text dump"},

    {kDemand, u"DemandMaster", RegisterObjectClass<CNPDemandMaster>, u"Demand master"},
    {kDemand, u"Demand", RegisterObjectClass<CNPDemand>},

    {kEtc, u"TagBind", RegisterObjectClass<CNPTagBind>},
};

}  // namespace

bool RegisterPanelClasses(CNObjectRegistry& registry) {
  RegisterBuiltInMethods();
  RegisterGraphMethods();
  RegisterAlarmMethods();
  bool all = true;
  uint32_t order = 0;
  for (const PanelClass& c : kPanelClasses) {
    const std::u16string_view shapeKind = !c.shapeKind.empty() ? c.shapeKind
                                          : c.category.empty() ? std::u16string_view()
                                                               : kRect;
    all &= c.registerClass(registry, c.clid, c.category, c.displayName, shapeKind, order++);
  }
  return all;
}

void UnregisterPanelClasses(CNObjectRegistry& registry) {
  for (const PanelClass& c : kPanelClasses) registry.Unregister(c.clid, c.category);
}
