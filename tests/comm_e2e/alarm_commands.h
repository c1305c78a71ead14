#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "comm/da_client.h"
#include "support/file_time.h"
#include "values/value.h"

// The alarm service's commands, whose arguments are length-prefixed, and the notifications it
// pushes on the callback channel.

// "SubscribeRealtime" with a filter; the answer's ok flag, or 0 when the command failed.
uint32_t Subscribe(CNDAClient& client, std::u16string_view filter);
// "FireAlarm" with an alarm id and comments; the answer's ok flag, or 0 when the command failed.
uint32_t FireAlarm(CNDAClient& client, std::u16string_view id, const CNValue& comments);

struct AlarmNotification {
  bool parsed = false;
  uint32_t type = 0;
  FileTime time = 0;
  std::u16string id;
  std::vector<std::u16string> comments;
};
// An "AlarmNotification" payload: type, time, id, recovered, acked, comment count and
// comments, each argument with its u32 length.
AlarmNotification ParseAlarmNotification(const std::vector<uint8_t>& payload);
