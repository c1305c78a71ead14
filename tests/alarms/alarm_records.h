#pragma once

#include <string>
#include <vector>

#include "alarms/alarm_record.h"

// A record of the alarm, recovered and acknowledged or not, with its comments.
inline CNAlarmRecord AlarmRecord(std::u16string_view id, bool recovered = false, bool acked = false,
                                 std::vector<std::u16string> comments = {}) {
  CNAlarmRecord record;
  record.alarmId = id;
  record.recovered = recovered;
  record.acked = acked;
  record.comments = std::move(comments);
  return record;
}
