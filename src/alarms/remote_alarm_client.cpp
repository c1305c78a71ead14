#include "alarms/remote_alarm_client.h"

#include "browser/project_browser.h"
#include "project/root_client.h"

int CNPExternalAlarmClient::SetProperty(std::u16string_view name, const CNValue& value) {
  if (name.starts_with(u"PS")) return GetConnectionSettings().Set(name, value) ? 1 : 0;
  return CNPControl::SetProperty(name, value);
}

void CNPExternalAlarmClient::PropertyChanged(std::u16string_view name) {
  CNPControl::PropertyChanged(name);
  if (name != u"AlarmStateMonitor") return;
  CNValue text;
  GetProperty(name, text);
  GetStateMonitor().SetDefinition(text.GetTextEmptyNA(0));
}

bool CNPExternalAlarmClient::ConnectServer() {
  const auto* root = dynamic_cast<const CNPRootClient*>(GetRoot());
  return Connect(GetHandle(), root ? root->GetServerSettings() : CNServerSettings());
}

void CNPExternalAlarmClient::OnStartRunning() {
  CNPControl::OnStartRunning();
  if (auto* browser = dynamic_cast<CNPProjectBrowser*>(GetOwner())) SetDeliveryLoop(&browser->GetLoop());
  PropertyChanged(u"AlarmStateMonitor");
}

namespace {

// The comments as a one-dimensional value of texts; the empty value when there are none.
CNValue CommentsValue(const std::vector<std::u16string>& comments) {
  CNValue value;
  const uint32_t count = static_cast<uint32_t>(comments.size());
  if (count == 0 || !value.SetDimensions(1, &count)) return value;
  for (uint32_t i = 0; i < count; ++i) value.SetStringAt(i, comments[i]);
  value.SetQuality(VQ_GOOD);
  return value;
}

}  // namespace

void CNPExternalAlarmClient::Deliver(const CNAlarmPush& push) {
  switch (push.kind) {
    case CNAlarmPush::kStart:
      FireEvent(u"OnAlarmNotificationStart");
      return;
    case CNAlarmPush::kRecord: {
      const CNAlarmRecord& r = push.record;
      CNValue args[7];
      args[0].SetString(AlarmTypeName(r.typeCode));
      args[1].SetTime(r.date);
      args[2].SetString(r.alarmId);
      args[3].SetBool(r.recovered);
      args[4].SetBool(r.acked);
      args[5] = CommentsValue(r.comments);
      args[6].SetBool(r.brandNew);
      FireEvent(u"OnAlarmNotification", args, 7);
      return;
    }
    case CNAlarmPush::kDone: {
      const CNAlarmDone& d = push.done;
      CNValue args[6];
      args[0].SetBool(d.complete);
      args[1].SetNumber(d.showRecordCount);
      args[2].SetNumber(d.searchRecordCount);
      args[3].SetNumber(d.actualShowRecordCount);
      args[4].SetNumber(d.actualSearchRecordCount);
      args[5].SetTime(d.lastRecordDate);
      FireEvent(u"OnAlarmNotificationDone", args, 6);
      return;
    }
    case CNAlarmPush::kShutdown:
      FireEvent(u"OnAlarmServerShutdown");
      return;
  }
}

void CNPExternalAlarmClient::StateChanged(std::u16string_view name, bool state) {
  CNValue args[2];
  args[0].SetString(name);
  args[1].SetBool(state);
  FireEvent(u"OnAlarmStateChanged", args, 2);
}
