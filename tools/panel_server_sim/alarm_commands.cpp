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
  AlarmSubscription subscribed = subscription;
  subscribed.oversizedPushes = context.server.faults.alarmOversizedPush;
  alarms.Subscribe(connection, subscribed, callback);
  if (context.server.faults.alarmDropCallback)
    context.afterAnswer = [callback] { callback->Shutdown(); };
  else
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

// get_alarm_script_result := value, value; answers ok and the second value
uint16_t HandleGetAlarmScriptResult(CommandContext& context) {
  ArgReader args(context.request);
  CNValue first;
  CNValue second;
  if (!args.ReadValue(first) || !args.ReadValue(second)) return kStatusBadArguments;
  WriteConfirmation(context.plain, true);
  context.plain.AddValue(second);
  return kStatusOk;
}

// Every alarm command passes the service's faults first: a stall leaves it unanswered, a
// refusal answers ok 0, and the N-th answer of the shutdown fault is followed by the shutdown.
template <CommandHandler handler>
uint16_t WithFaults(CommandContext& context) {
  const FaultSettings& faults = context.server.faults;
  if (faults.alarmStall) return kStatusNoAnswer;
  uint16_t status = kStatusOk;
  if (faults.alarmRefuse)
    WriteConfirmation(context.plain, false, u"Alarm service refused.");
  else
    status = handler(context);
  AlarmService& alarms = context.server.alarms;
  if (alarms.CountAnswer() == faults.alarmShutdownAfter && faults.alarmShutdown) {
    context.afterAnswer = [&alarms, then = std::move(context.afterAnswer)] {
      if (then) then();
      alarms.Shutdown();
    };
  }
  return status;
}

constexpr CommandEntry kCommands[] = {
    {u"SubscribeSummary", WithFaults<HandleSubscribeSummary>},
    {u"SubscribeHistorical", WithFaults<HandleSubscribeHistorical>},
    {u"SubscribeRealtime", WithFaults<HandleSubscribeRealtime>},
    {u"CancelSubscribe", WithFaults<HandleCancelSubscribe>},
    {u"Ack", WithFaults<HandleAck>},
    {u"AckPage", WithFaults<HandleAckPage>},
    {u"AckAll", WithFaults<HandleAckAll>},
    {u"FireAlarm", WithFaults<HandleFireAlarm>},
    {u"ReloadAlarmMaster", WithFaults<ConfirmCommand>},
    {u"RefreshServer", WithFaults<ConfirmCommand>},
    {u"GetAlarmMasterInfo", WithFaults<HandleGetAlarmMasterInfo>},
    {u"GetAlarmScriptResult", WithFaults<HandleGetAlarmScriptResult>},
};

}  // namespace

std::span<const CommandEntry> AlarmCommands() { return kCommands; }

}  // namespace panel_sim
