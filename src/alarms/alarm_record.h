#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/file_time.h"

// Type codes of a pushed "AlarmNotification" and the texts scripts see for them.
enum CNAlarmType : uint32_t {
  kAlarmTypeNew = 0,
  kAlarmTypeRecover = 1,
  kAlarmTypeAck = 2,
  kAlarmTypeChange = 3,
};

// "new", "recover", "ack" or "change"; an empty text for any other code.
std::u16string_view AlarmTypeName(uint32_t code);

// One alarm record as the server pushed it.
struct CNAlarmRecord {
  uint32_t typeCode = kAlarmTypeNew;
  FileTime date = 0;
  std::u16string alarmId;
  bool recovered = false;
  bool acked = false;
  std::vector<std::u16string> comments;
  bool brandNew = false;
};

// The closing counts of a batch of records ("AlarmNotificationDone").
struct CNAlarmDone {
  bool complete = false;
  uint32_t showRecordCount = 0;
  uint32_t searchRecordCount = 0;
  uint32_t actualShowRecordCount = 0;
  uint32_t actualSearchRecordCount = 0;
  FileTime lastRecordDate = 0;
};

// One pushed frame, decoded.
struct CNAlarmPush {
  enum Kind : uint8_t { kStart, kRecord, kDone, kShutdown };
  Kind kind = kStart;
  CNAlarmRecord record;  // kRecord
  CNAlarmDone done;      // kDone
};
