#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/file_time.h"

namespace panel_sim {

// Type codes of an "AlarmNotification".
enum AlarmEventType : uint32_t {
  kAlarmNew = 0,
  kAlarmRecover = 1,
  kAlarmAck = 2,
  kAlarmChange = 3,
};

struct AlarmRecord {
  uint32_t type = kAlarmNew;
  FileTime time = 0;
  std::u16string id;
  bool recovered = false;
  bool acked = false;
  std::vector<std::u16string> comments;
  bool brandNew = false;
};

// The closing counts of a batch of records.
struct AlarmBatchSummary {
  bool complete = true;
  uint32_t shown = 0;
  uint32_t found = 0;
  FileTime lastTime = 0;
};

// Complete frames of channel "C" pushed by the alarm service; each is a command payload whose
// arguments are length-prefixed.
std::vector<uint8_t> AlarmNotificationStartFrame();
std::vector<uint8_t> AlarmNotificationFrame(const AlarmRecord& record);
std::vector<uint8_t> AlarmNotificationDoneFrame(const AlarmBatchSummary& summary);
std::vector<uint8_t> AlarmServerShutdownFrame();

}  // namespace panel_sim
