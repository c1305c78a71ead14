#include "alarms/alarm_connection_settings.h"

#include <cmath>

#include "values/enum_value.h"

namespace {

constexpr std::u16string_view kCommunicationTypes = u"DEFAULT,TCP,HTTP";

int32_t Number(const CNValue& value) {
  const double n = value.GetNumber(0);
  return std::isfinite(n) && std::fabs(n) < 2147483648.0 ? static_cast<int32_t>(n) : 0;
}

using Apply = void (*)(CNServerSettings& s, const CNValue& v);

struct Entry {
  std::u16string_view name;
  std::u16string_view alias;
  Apply apply;
};

constexpr Entry kEntries[] = {
    {u"PSCommunicationType", {},
     [](CNServerSettings& s, const CNValue& v) {
       CNEnum item;
       item.FromValue(kCommunicationTypes, v);
       s.communicationType = static_cast<CNServerSettings::CommunicationType>(item.GetIndex());
     }},
    {u"PSTimeOut", {}, [](CNServerSettings& s, const CNValue& v) { s.timeOutSeconds = Number(v); }},
    {u"PSTimeOutConnect", {}, [](CNServerSettings& s, const CNValue& v) { s.timeOutConnect = Number(v); }},
    {u"PSPing", {}, [](CNServerSettings& s, const CNValue& v) { s.ping = v.GetBool(0); }},
    {u"PSNode", {}, [](CNServerSettings& s, const CNValue& v) { s.nodes[0].host = v.GetTextEmptyNA(0); }},
    {u"PSNode2", {}, [](CNServerSettings& s, const CNValue& v) { s.nodes[1].host = v.GetTextEmptyNA(0); }},
    {u"PSPanelPort", u"PSPort",
     [](CNServerSettings& s, const CNValue& v) { s.nodes[0].port = static_cast<uint32_t>(Number(v)); }},
    {u"PSPanelPort2", u"PSPort2",
     [](CNServerSettings& s, const CNValue& v) { s.nodes[1].port = static_cast<uint32_t>(Number(v)); }},
    {u"PSNodeRedundancy", {}, [](CNServerSettings& s, const CNValue& v) { s.nodeRedundancy = v.GetBool(0); }},
    {u"PSHTTPServer", {},
     [](CNServerSettings& s, const CNValue& v) { s.httpServers[0] = v.GetTextEmptyNA(0); }},
    {u"PSHTTPServer2", {},
     [](CNServerSettings& s, const CNValue& v) { s.httpServers[1] = v.GetTextEmptyNA(0); }},
    {u"PSHTTPRedundancy", {}, [](CNServerSettings& s, const CNValue& v) { s.httpRedundancy = v.GetBool(0); }},
    {u"PSHTTPUser", {}, [](CNServerSettings& s, const CNValue& v) { s.httpUser = v.GetTextEmptyNA(0); }},
    {u"PSHTTPPwd", {}, [](CNServerSettings& s, const CNValue& v) { s.httpPassword = v.GetTextEmptyNA(0); }},
};

const Entry* FindEntry(std::u16string_view name) {
  for (const Entry& entry : kEntries)
    if (entry.name == name || (!entry.alias.empty() && entry.alias == name)) return &entry;
  return nullptr;
}

}  // namespace

bool CNAlarmConnectionSettings::Set(std::u16string_view name, const CNValue& value) {
  const Entry* entry = FindEntry(name);
  if (!entry) return false;
  if (entry->name == u"PSCommunicationType" && !CNEnum().FromValue(kCommunicationTypes, value)) return false;
  m_values[std::u16string(entry->name)].Assign(value);
  return true;
}

CNServerSettings CNAlarmConnectionSettings::Apply(CNServerSettings settings) const {
  for (const auto& [name, value] : m_values) FindEntry(name)->apply(settings, value);
  return settings;
}
