#pragma once

#include <array>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/pobject.h"

// Database access without drawing: queries sent straight to a database through a connection
// string, queries sent through the panel server's database service, the historical-data
// service client, and the data access objects that scripts use for the same two routes.
namespace database_properties {

inline constexpr std::u16string_view kDatabase = u"Database";

inline constexpr std::array kDirectEntries = {
    Prop(kDatabase, u"ConnectionString", PT_STRING, u""),
};

inline constexpr std::array kRemoteEntries = {
    Prop(u"DatabaseServer", u"DatabaseServer", PT_STRING, u""),
};

inline constexpr std::array kTimeOutEntries = {
    Prop(kDatabase, u"TimeOut", PT_INTEGER, u"30", u",0"),  // seconds
};

inline constexpr std::array kQueryEntries =
    JoinProperties(std::array{Prop(kDatabase, u"SQL", PT_TEXT, u"")}, kTimeOutEntries);

inline constexpr std::array kHistoricalEntries = {
    Prop(u"HistoricalDataServer", u"HistoricalDataServer", PT_STRING, u""),
    Prop(kDatabase, u"TagNames", PT_TEXT, u""),              // one tag per line
    Prop(kDatabase, u"Interval", PT_INTEGER, u"60", u",1"),  // seconds between records
};

inline constexpr std::array kQueryEvents = {
    EventInfo{control_properties::kControl, u"OnQueryDone", u"bSuccess,records"},
};

}  // namespace database_properties

class CNPDirectSQL : public CNObjectClass<CNPDirectSQL, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"DirectQueryDB";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      database_properties::kDirectEntries, database_properties::kQueryEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(database_properties::kQueryEvents);
};

class CNPRemoteSQL : public CNObjectClass<CNPRemoteSQL, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"RemoteQueryDB";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      database_properties::kRemoteEntries, database_properties::kQueryEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(database_properties::kQueryEvents);
};

class CNPHistoricalData : public CNObjectClass<CNPHistoricalData, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"HistoricalData";
  static constexpr auto kProperties =
      control_properties::WithCommonProperties(database_properties::kHistoricalEntries);
  static constexpr auto kEvents = control_properties::WithCommonEvents(database_properties::kQueryEvents);
};

class CNPDirectDAO : public CNObjectClass<CNPDirectDAO, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"DirectDAO";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      database_properties::kDirectEntries, database_properties::kTimeOutEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};

class CNPRemoteDAO : public CNObjectClass<CNPRemoteDAO, CNPObject> {
 public:
  static constexpr std::u16string_view kClassId = u"RemoteDAO";
  static constexpr auto kProperties = control_properties::WithCommonProperties(
      database_properties::kRemoteEntries, database_properties::kTimeOutEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;
};
