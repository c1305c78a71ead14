#include "comm_e2e/alarm_commands.h"

#include "comm_e2e/link_commands.h"

namespace {

// A length-prefixed u32 argument.
bool ReadArgU32(CNPacketHolder& packet, uint32_t& value) {
  uint32_t length = 0;
  return packet.ReadU32(length) && length == 4 && packet.ReadU32(value);
}

uint32_t Confirmation(Answer answer) {
  uint32_t ok = 0;
  if (!answer.result.Succeeded() || !ReadArgU32(answer.packet, ok)) return 0;
  return ok;
}

}  // namespace

uint32_t Subscribe(CNDAClient& client, std::u16string_view filter) {
  return Confirmation(TransactPlain(client, u"SubscribeRealtime", [&](CNDAPacketCreator& args) { args.AddText(filter); }));
}

uint32_t FireAlarm(CNDAClient& client, std::u16string_view id, const CNValue& comments) {
  return Confirmation(TransactPlain(client, u"FireAlarm", [&](CNDAPacketCreator& args) {
    args.AddText(id);
    args.AddValue(comments);
  }));
}

AlarmNotification ParseAlarmNotification(const std::vector<uint8_t>& payload) {
  AlarmNotification notification;
  if (payload.size() < 5) return notification;
  CNPacketHolder packet;
  packet.Write(payload.data(), static_cast<uint32_t>(payload.size()));
  const uint32_t header = 7u + (payload[3] | (payload[4] << 8));
  uint32_t length = 0;
  uint32_t flag = 0;
  uint32_t count = 0;
  if (!packet.Seek(header, CNPacketHolder::kSeekBegin) || !ReadArgU32(packet, notification.type) ||
      !packet.ReadU32(length) || length != 8 || !packet.ReadU64(notification.time) || !packet.ReadU32(length) ||
      !packet.ReadText(notification.id) || !ReadArgU32(packet, flag) || !ReadArgU32(packet, flag) ||
      !ReadArgU32(packet, count))
    return notification;
  for (uint32_t i = 0; i < count; ++i) {
    std::u16string comment;
    if (!packet.ReadU32(length) || !packet.ReadText(comment)) return notification;
    notification.comments.push_back(comment);
  }
  notification.parsed = ReadArgU32(packet, flag) && packet.IsEnd();
  return notification;
}
