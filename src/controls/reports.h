#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "controls/grid_controls.h"
#include "screen/pobject.h"

// Reports: the client of the panel server's daily report service, the grids that show a daily
// or a summary report, and the report object that fills a template file.
namespace report_properties {

using namespace control_properties;

inline constexpr std::u16string_view kReport = u"Report";

// The report service and the report it reads, as the service names them.
inline constexpr std::array kReportSourceEntries = {
    Prop(u"ReportServer", u"ReportServer", PT_STRING, u""),
    Prop(kReport, u"ReportName", PT_STRING, u""),
};

inline constexpr std::array kReportGridEntries = JoinProperties(kFormatNumberEntries, kFormatDateTimeEntries);

inline constexpr std::array kSummaryEntries = {
    Prop(kReport, u"SummaryType", PT_ENUM, u"MONTH", u"DAY,MONTH,YEAR"),
};

inline constexpr std::array kTemplateEntries = {
    Prop(kReport, u"TemplateFile", PT_FILE, u"", kAllFilesFilter),
    Prop(kReport, u"OutputFile", PT_STRING, u""),
};

inline constexpr std::array kReportEvents = {
    EventInfo{kControl, u"OnReportReceived", u"bComplete,recordCnt"},
};

}  // namespace report_properties

class CNPDayReportClient : public CNObjectClass<CNPDayReportClient, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"DayReportClient";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(report_properties::kReportSourceEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(report_properties::kReportEvents);
};

class CNPDayReportGrid : public CNObjectClass<CNPDayReportGrid, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"DayReportGrid";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      report_properties::kReportSourceEntries, report_properties::kReportGridEntries,
      grid_properties::kTableEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(report_properties::kReportEvents);
};

class CNPSummaryReportGrid : public CNObjectClass<CNPSummaryReportGrid, CNPControl> {
 public:
  static constexpr std::u16string_view kClassId = u"SummaryReportGrid";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      report_properties::kReportSourceEntries, report_properties::kSummaryEntries,
      report_properties::kReportGridEntries, grid_properties::kTableEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(report_properties::kReportEvents);
};

class CNPReport : public CNObjectClass<CNPReport, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Report";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(report_properties::kTemplateEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};
