// The script methods of the remote alarm client. A method the service refuses answers F, and
// "GetLastError" then tells why; a wrong argument count stops the script.
#include "alarms/alarm_client_methods.h"

#include <array>
#include <mutex>
#include <vector>

#include "alarms/remote_alarm_grid.h"
#include "methods/method_args.h"
#include "script/builtin_tables.h"

namespace {

CNPExternalAlarmClient* Target(const CMethodCall& call) {
  return dynamic_cast<CNPExternalAlarmClient*>(&call.target);
}

// A record count as the service takes it: 0 stands for no limit, sent as -1.
int32_t RecordCount(const CNValue& arg) {
  const int32_t count = ArgInt32(arg);
  return count == 0 ? -1 : count;
}

// A second count: missing or 0 gives the first.
int32_t SecondCount(const CMethodCall& call, size_t i, int32_t first) {
  const int32_t count = i < call.Count() ? ArgInt32(call.Arg(i)) : 0;
  return count == 0 ? first : count;
}

bool Flag(const CMethodCall& call, size_t i, bool fallback) {
  return i < call.Count() ? call.Arg(i).GetBool(0) : fallback;
}

// Runs operation (no more than maxArgs arguments, at least minArgs) and answers its success.
template <class Operation>
bool Answer(CMethodCall& call, size_t minArgs, size_t maxArgs, Operation&& operation) {
  CNPExternalAlarmClient* client = Target(call);
  if (!client || !ArgCountIn(call, minArgs, maxArgs)) return false;
  call.result.SetBool(operation(*client, client->GetServer()));
  return true;
}

bool Connect(CMethodCall& call) {
  return Answer(call, 0, 0, [](CNPExternalAlarmClient& client, INAlarmServer&) { return client.ConnectServer(); });
}

bool DisConnect(CMethodCall& call) {
  return Answer(call, 0, 0, [](CNPExternalAlarmClient&, INAlarmServer& server) {
    server.Close();
    return true;
  });
}

// "SubscribeSummary"(filter)
bool SubscribeSummary(CMethodCall& call) {
  return Answer(call, 1, 1, [&call](CNPExternalAlarmClient&, INAlarmServer& server) {
    return server.SubscribeSummary(ArgText(call.Arg(0)));
  });
}

// "SubscribeHistorical"(filter, count, start, end[, flag1 = T[, flag2 = T[, count2 = count[,
// flag3 = F]]]])
bool SubscribeHistorical(CMethodCall& call) {
  return Answer(call, 4, 8, [&call](CNPExternalAlarmClient&, INAlarmServer& server) {
    CNAlarmHistoricalQuery query;
    query.filter = ArgText(call.Arg(0));
    query.count = RecordCount(call.Arg(1));
    query.start = call.Arg(2).GetTime(0);
    query.end = call.Arg(3).GetTime(0);
    query.flag1 = Flag(call, 4, true);
    query.flag2 = Flag(call, 5, true);
    query.count2 = SecondCount(call, 6, query.count);
    query.flag3 = Flag(call, 7, false);
    return server.SubscribeHistorical(query);
  });
}

// "SubscribeRealtime"(filter, count[, count2 = count])
bool SubscribeRealtime(CMethodCall& call) {
  return Answer(call, 2, 3, [&call](CNPExternalAlarmClient&, INAlarmServer& server) {
    const int32_t count = RecordCount(call.Arg(1));
    return server.SubscribeRealtime(ArgText(call.Arg(0)), count, SecondCount(call, 2, count));
  });
}

bool CancelSubscribe(CMethodCall& call) {
  return Answer(call, 0, 0, [](CNPExternalAlarmClient&, INAlarmServer& server) { return server.CancelSubscribe(); });
}

// "Ack"(id) or "Ack"(c(id1, id2, ...)): a list of two or more ids is one page acknowledgement.
bool Ack(CMethodCall& call) {
  return Answer(call, 1, 1, [&call](CNPExternalAlarmClient&, INAlarmServer& server) {
    const CNValue& ids = call.Arg(0);
    return ids.GetCount() >= 2 ? server.AckPage(ArgNames(ids)) : server.Ack(ArgText(ids));
  });
}

bool AckAll(CMethodCall& call) {
  return Answer(call, 0, 0, [](CNPExternalAlarmClient&, INAlarmServer& server) { return server.AckAll(); });
}

// "FireAlarm"(id, value1[, value2]): a value not given is sent as the empty value.
bool FireAlarm(CMethodCall& call) {
  return Answer(call, 2, 3, [&call](CNPExternalAlarmClient&, INAlarmServer& server) {
    const CNValue empty;
    return server.FireAlarm(ArgText(call.Arg(0)), call.Arg(1), ArgOr(call, 2, empty));
  });
}

bool ReloadAlarmMaster(CMethodCall& call) {
  return Answer(call, 0, 0, [](CNPExternalAlarmClient&, INAlarmServer& server) { return server.ReloadAlarmMaster(); });
}

bool RefreshServer(CMethodCall& call) {
  return Answer(call, 0, 0, [](CNPExternalAlarmClient&, INAlarmServer& server) { return server.RefreshServer(); });
}

// Answers the service's value, or F when the call fails.
template <class Fetch>
bool AnswerValue(CMethodCall& call, size_t minArgs, size_t maxArgs, Fetch&& fetch) {
  CNPExternalAlarmClient* client = Target(call);
  if (!client || !ArgCountIn(call, minArgs, maxArgs)) return false;
  CNValue value;
  if (fetch(client->GetServer(), value))
    call.result.Assign(value);
  else
    call.result.SetBool(false);
  return true;
}

// "GetAlarmMasterInfo"(text, text, value, value, ...)
bool GetAlarmMasterInfo(CMethodCall& call) {
  return AnswerValue(call, 4, SIZE_MAX, [&call](INAlarmServer& server, CNValue& value) {
    std::vector<CNValue> rest;
    for (size_t i = 2; i < call.Count(); ++i) rest.push_back(call.Arg(i));
    return server.GetAlarmMasterInfo(ArgText(call.Arg(0)), ArgText(call.Arg(1)), rest, value);
  });
}

bool GetAlarmScriptResult(CMethodCall& call) {
  return AnswerValue(call, 2, 2, [&call](INAlarmServer& server, CNValue& value) {
    return server.GetAlarmScriptResult(call.Arg(0), call.Arg(1), value);
  });
}

bool GetLastError(CMethodCall& call) {
  CNPExternalAlarmClient* client = Target(call);
  if (!client || call.Count() != 0) return false;
  call.result.SetString(client->GetServer().GetAlarmLastError());
  return true;
}

constexpr std::array kAlarmClientMethods = {
    MethodEntry{u"Connect", "Connects to the alarm service", &Connect},
    MethodEntry{u"DisConnect", "Closes the connection to the alarm service", &DisConnect},
    MethodEntry{u"SubscribeSummary", "Subscribes to the summary of the alarms the filter selects",
                &SubscribeSummary},
    MethodEntry{u"SubscribeHistorical",
                "Subscribes to the alarm history between two times, up to a record count",
                &SubscribeHistorical},
    MethodEntry{u"SubscribeRealtime",
                "Subscribes to the live alarms the filter selects, up to a record count", &SubscribeRealtime},
    MethodEntry{u"CancelSubscribe", "Cancels the subscription", &CancelSubscribe},
    MethodEntry{u"Ack", "Acknowledges one alarm by id, or a list of ids as one page", &Ack},
    MethodEntry{u"AckAll", "Acknowledges every alarm", &AckAll},
    MethodEntry{u"FireAlarm", "Raises a one-shot alarm with one or two values", &FireAlarm},
    MethodEntry{u"ReloadAlarmMaster", "Makes the service read its alarm definitions again",
                &ReloadAlarmMaster},
    MethodEntry{u"RefreshServer", "Asks the service to send its alarms afresh", &RefreshServer},
    MethodEntry{u"GetAlarmMasterInfo", "Fields of the alarm definitions that match the given conditions",
                &GetAlarmMasterInfo},
    MethodEntry{u"GetLastError", "Why the latest call the service refused failed", &GetLastError},
    MethodEntry{u"GetAlarmScriptResult", "The result of an alarm script the service runs",
                &GetAlarmScriptResult},
};

}  // namespace

void RegisterAlarmMethods() {
  static std::once_flag s_registered;
  std::call_once(s_registered, [] {
    // The grid is a client too: its table comes first and holds the client's methods as well.
    static const std::vector<MethodEntry> s_gridEntries = [] {
      std::vector<MethodEntry> entries(kAlarmClientMethods.begin(), kAlarmClientMethods.end());
      entries.insert(entries.end(), AlarmGridMethodEntries().begin(), AlarmGridMethodEntries().end());
      return entries;
    }();
    static const CKVMethodTable s_grid(s_gridEntries);
    static const CKVMethodTable s_client(kAlarmClientMethods);
    CKVBuiltIns::RegisterClassTable(
        [](const CNObject& target) { return dynamic_cast<const CNPExternalAlarmGrid*>(&target) != nullptr; },
        s_grid);
    CKVBuiltIns::RegisterClassTable(
        [](const CNObject& target) { return dynamic_cast<const CNPExternalAlarmClient*>(&target) != nullptr; },
        s_client);
  });
}
