#pragma once

#include "alarms/alarm_record.h"
#include "comm/packet_holder.h"

// Decodes a frame the alarm service pushed on the callback channel: a command payload (packet
// id, u16 status, u16 name length, UTF-16 name) whose length-prefixed arguments follow in the
// order the name defines:
//   "AlarmNotificationStart"  nothing
//   "AlarmNotification"       u32 type, u64 time, id text, u32 recovered, u32 acked, u32 count n,
//                             n comment texts, u32 brand new
//   "AlarmNotificationDone"   u32 complete, four u32 counts, u64 time of the last record
//   "AlarmServerShutdown"     nothing
// False, with a trace line saying why, for a frame to drop: a status other than 0, an unknown
// name, arguments missing, left over or of the wrong size, a comment count beyond the frame.
bool DecodeAlarmPush(CNPacketHolder& payload, CNAlarmPush& push);
