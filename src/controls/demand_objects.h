#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Electric power demand monitoring: the master keeps the demand period and the target, each
// demand object measures one feeder from its energy pulse tag and reports to its master.
namespace demand_properties {

inline constexpr std::u16string_view kDemand = u"Demand";

inline constexpr std::array kMasterEntries = {
    Prop(kDemand, u"DemandPeriod", PT_INTEGER, u"30", u"60,1"),  // minutes
    Prop(kDemand, u"TargetDemand", PT_NUMBER, u"0"),             // kW
    Prop(kDemand, u"WarningRate", PT_NUMBER, u"90", u"100,0"),   // percent of the target
};

inline constexpr std::array kDemandEntries = {
    Prop(kDemand, u"DemandMaster", PT_STRING, u""),  // name of the master object
    Prop(kDemand, u"PulseTag", PT_TAG_IN, u""),
    Prop(kDemand, u"PulseRate", PT_NUMBER, u"1"),  // kWh per pulse
};

inline constexpr std::array kDemandEvents = {
    EventInfo{control_properties::kControl, u"OnDemandChanged", u"demand,forecast,bWarning"},
};

}  // namespace demand_properties

class CNPDemandMaster : public CNObjectClass<CNPDemandMaster, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"DemandMaster";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(demand_properties::kMasterEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(demand_properties::kDemandEvents);
};

class CNPDemand : public CNObjectClass<CNPDemand, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Demand";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(demand_properties::kDemandEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(demand_properties::kDemandEvents);
};
