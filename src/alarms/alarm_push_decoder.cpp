#include "alarms/alarm_push_decoder.h"

#include <string>

#include "comm/service_answer.h"
#include "support/trace.h"
#include "support/utf16_text.h"

std::u16string_view AlarmTypeName(uint32_t code) {
  static constexpr std::u16string_view kNames[] = {u"new", u"recover", u"ack", u"change"};
  return code < std::size(kNames) ? kNames[code] : std::u16string_view();
}

namespace {

bool Drop(const char* why, std::u16string_view name) {
  CRTrace::Printf("[CNExternalAlarmServerStub::OnCallback] frame dropped: %s (%s)", why,
                  Utf16ToUtf8(name).c_str());
  return false;
}

// header := u8 id, u16 status, u16 name bytes n, name (n bytes), u16 NUL
bool ReadHeader(CNPacketHolder& payload, uint16_t& status, std::u16string& name) {
  uint8_t id = 0;
  uint16_t bytes = 0;
  return payload.ReadU8(id) && payload.ReadU16(status) && payload.ReadU16(bytes) && bytes % 2 == 0 &&
         payload.ReadText(name) && name.size() * 2 == bytes;
}

bool ReadFlag(const CNServiceAnswer& args, uint32_t i, bool& flag) {
  uint32_t v = 0;
  if (!args.GetU32(i, v)) return false;
  flag = v != 0;
  return true;
}

// notification := type, time, id, recovered, acked, n, n x comment, brand new
bool ReadRecord(const CNServiceAnswer& args, CNAlarmRecord& record) {
  uint32_t count = 0;
  if (!args.GetU32(0, record.typeCode) || !args.GetU64(1, record.date) || !args.GetText(2, record.alarmId) ||
      !ReadFlag(args, 3, record.recovered) || !ReadFlag(args, 4, record.acked) || !args.GetU32(5, count))
    return false;
  // The count is checked against the arguments there are before anything is reserved for it.
  if (args.GetCount() != 7 + static_cast<uint64_t>(count)) return false;
  record.comments.resize(count);
  for (uint32_t i = 0; i < count; ++i)
    if (!args.GetText(6 + i, record.comments[i])) return false;
  return ReadFlag(args, 6 + count, record.brandNew);
}

// done := complete, show, search, actual show, actual search, time of the last record
bool ReadDone(const CNServiceAnswer& args, CNAlarmDone& done) {
  return args.GetCount() == 6 && ReadFlag(args, 0, done.complete) && args.GetU32(1, done.showRecordCount) &&
         args.GetU32(2, done.searchRecordCount) && args.GetU32(3, done.actualShowRecordCount) &&
         args.GetU32(4, done.actualSearchRecordCount) && args.GetU64(5, done.lastRecordDate);
}

}  // namespace

bool DecodeAlarmPush(CNPacketHolder& payload, CNAlarmPush& push) {
  uint16_t status = 0;
  std::u16string name;
  if (!payload.Seek(0, CNPacketHolder::kSeekBegin) || !ReadHeader(payload, status, name))
    return Drop("no command header", name);
  if (status != 0) return Drop("failure status", name);
  CNServiceAnswer args;
  if (!args.Read(payload)) return Drop("truncated arguments", name);
  if (name == u"AlarmNotification") {
    push.kind = CNAlarmPush::kRecord;
    return ReadRecord(args, push.record) || Drop("bad record", name);
  }
  if (name == u"AlarmNotificationDone") {
    push.kind = CNAlarmPush::kDone;
    return ReadDone(args, push.done) || Drop("bad counts", name);
  }
  if (name == u"AlarmNotificationStart" || name == u"AlarmServerShutdown") {
    push.kind = name == u"AlarmNotificationStart" ? CNAlarmPush::kStart : CNAlarmPush::kShutdown;
    return args.GetCount() == 0 || Drop("unexpected arguments", name);
  }
  return Drop("unknown name", name);
}
