// The alarm service's commands, with length-prefixed arguments.
#include "panel_server_sim/alarm_service.h"
#include "panel_server_sim/arg_reader.h"
#include "panel_server_sim/command_context.h"
#include "panel_server_sim/command_packet.h"

namespace panel_sim {

namespace {

// Records the subscription and, once it is answered, pushes its first batch.
uint16_t Subscribe(CommandContext& context, const AlarmSubscription& subscription) {
  std::shared_ptr<PeerSocket> callback = context.connection.shared->GetCallback();
  if (!callback) {
    WriteConfirmation(context.plain, false, u"No callback channel.");
    return kStatusOk;
  }
  AlarmService& alarms = context.server.alarms;
  const uint64_t connection = context.connection.shared->GetId();
  alarms.Subscribe(connection, subscription, std::move(callback));
  context.afterAnswer = [&alarms, connection] { alarms.SendFirstBatch(connection); };
  return ConfirmCommand(context);
}

// A count argument, when one follows.
bool ReadOptionalCount(ArgReader& args, int32_t& count) {
  uint32_t value = 0;
  if (args.AtEnd()) return true;
  if (!args.ReadInt32(value)) return false;
  count = static_cast<int32_t>(value);
  return true;
}

// subscribe_summary := filter
uint16_t HandleSubscribeSummary(CommandContext& context) {
  AlarmSubscription subscription;
  if (!ArgReader(context.request).ReadText(subscription.filter)) return kStatusBadArguments;
  return Subscribe(context, subscription);
}

// subscribe_historical := filter [, count [, start time, end time [, further options]]]
uint16_t HandleSubscribeHistorical(CommandContext& context) {
  AlarmSubscription subscription;
  subscription.kind = AlarmSubscriptionKind::kHistorical;
  ArgReader args(context.request);
  if (!args.ReadText(subscription.filter) || !ReadOptionalCount(args, subscription.count)) return kStatusBadArguments;
  if (!args.AtEnd() && (!args.ReadTime(subscription.start) || !args.ReadTime(subscription.end)))
    return kStatusBadArguments;
  return Subscribe(context, subscription);
}

// subscribe_realtime := filter [, count [, second count]]
uint16_t HandleSubscribeRealtime(CommandContext& context) {
  AlarmSubscription subscription;
  subscription.kind = AlarmSubscriptionKind::kRealtime;
  ArgReader args(context.request);
  if (!args.ReadText(subscription.filter) || !ReadOptionalCount(args, subscription.count)) return kStatusBadArguments;
  return Subscribe(context, subscription);
}

uint16_t HandleCancelSubscribe(CommandContext& context) {
  context.server.alarms.Unsubscribe(context.connection.shared->GetId());
  return ConfirmCommand(context);
}

// ack := alarm id
uint16_t HandleAck(CommandContext& context) {
  std::u16string id;
  if (!ArgReader(context.request).ReadText(id)) return kStatusBadArguments;
  WriteConfirmation(context.plain, context.server.alarms.Ack(id), u"No such alarm.");
  return kStatusOk;
}

// ack_page := alarm ids: texts or values holding texts, in any number of arguments
uint16_t HandleAckPage(CommandContext& context) {
  ArgReader args(context.request);
  std::vector<std::u16string> ids;
  while (!args.AtEnd())
    if (!args.ReadTexts(ids)) return kStatusBadArguments;
  for (const std::u16string& id : ids) context.server.alarms.Ack(id);
  return ConfirmCommand(context);
}

uint16_t HandleAckAll(CommandContext& context) {
  context.server.alarms.AckAll();
  return ConfirmCommand(context);
}

// fire_alarm := alarm id, values; every element of the values becomes a comment
uint16_t HandleFireAlarm(CommandContext& context) {
  ArgReader args(context.request);
  std::u16string id;
  if (!args.ReadText(id) || id.empty()) return kStatusBadArguments;
  std::vector<std::u16string> comments;
  while (!args.AtEnd()) {
    CNValue value;
    if (!args.ReadValue(value)) return kStatusBadArguments;
    for (uint32_t i = 0; i < value.GetCount(); ++i) comments.push_back(value.GetText(i));
  }
  WriteConfirmation(context.plain, context.server.alarms.Fire(id, std::move(comments)), u"Too many alarms.");
  return kStatusOk;
}

// get_alarm_master_info := texts and values; answers ok and the ids of the watched limits
uint16_t HandleGetAlarmMasterInfo(CommandContext& context) {
  WriteConfirmation(context.plain, true);
  context.plain.AddValue(TextList(context.server.alarms.GetLimitAlarmIds()));
  return kStatusOk;
}

constexpr CommandEntry kCommands[] = {
    {u"SubscribeSummary", HandleSubscribeSummary},
    {u"SubscribeHistorical", HandleSubscribeHistorical},
    {u"SubscribeRealtime", HandleSubscribeRealtime},
    {u"CancelSubscribe", HandleCancelSubscribe},
    {u"Ack", HandleAck},
    {u"AckPage", HandleAckPage},
    {u"AckAll", HandleAckAll},
    {u"FireAlarm", HandleFireAlarm},
    {u"ReloadAlarmMaster", ConfirmCommand},
    {u"RefreshServer", ConfirmCommand},
    {u"GetAlarmMasterInfo", HandleGetAlarmMasterInfo},
};

}  // namespace

std::span<const CommandEntry> AlarmCommands() { return kCommands; }

}  // namespace panel_sim
