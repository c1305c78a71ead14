#include "panel_server_sim/alarm_frames.h"

#include <atomic>
#include <functional>
#include <string_view>

#include "comm/frame.h"
#include "comm/packet_creator.h"
#include "panel_server_sim/command_packet.h"

namespace panel_sim {

namespace {

// Frames the server starts carry ids of their own counter.
uint8_t NextPushId() {
  static std::atomic<uint8_t> s_id{0};
  return static_cast<uint8_t>(s_id.fetch_add(1, std::memory_order_relaxed) + 1);
}

std::vector<uint8_t> PushFrame(std::u16string_view name, const std::function<void(CNDAPacketCreator&)>& arguments) {
  CNPacketHolder packet;
  BeginFrame(packet);
  WriteCommandHeader(packet, NextPushId(), 0, name);
  CNDAPacketCreator args(packet);
  if (arguments) arguments(args);
  FinishFrame(packet, kChannelCallback);
  return FrameBytes(packet);
}

}  // namespace

std::vector<uint8_t> AlarmNotificationStartFrame() { return PushFrame(u"AlarmNotificationStart", nullptr); }

std::vector<uint8_t> AlarmNotificationFrame(const AlarmRecord& record) {
  return PushFrame(u"AlarmNotification", [&record](CNDAPacketCreator& args) {
    args.AddInt32(record.type);
    args.AddInt64(record.time);
    args.AddText(record.id);
    args.AddInt32(record.recovered ? 1 : 0);
    args.AddInt32(record.acked ? 1 : 0);
    args.AddInt32(static_cast<uint32_t>(record.comments.size()));
    for (const std::u16string& comment : record.comments) args.AddText(comment);
    args.AddInt32(record.brandNew ? 1 : 0);
  });
}

std::vector<uint8_t> AlarmNotificationDoneFrame(const AlarmBatchSummary& summary) {
  return PushFrame(u"AlarmNotificationDone", [&summary](CNDAPacketCreator& args) {
    args.AddInt32(summary.complete ? 1 : 0);
    args.AddInt32(summary.shown);
    args.AddInt32(summary.found);
    args.AddInt32(summary.shown);
    args.AddInt32(summary.found);
    args.AddInt64(summary.lastTime);
  });
}

std::vector<uint8_t> AlarmServerShutdownFrame() { return PushFrame(u"AlarmServerShutdown", nullptr); }

}  // namespace panel_sim
