#include "project/root_client.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "objects/custom_property_declarations.h"
#include "objects/form_file_text.h"
#include "objects/property_codec.h"
#include "project/name_list.h"
#include "support/utf16_text.h"
#include "values/enum_value.h"

namespace {

using namespace root_client_properties;

// Names that stand for a setting of the table.
struct Alias {
  std::u16string_view name;
  std::u16string_view target;
  bool writable;
};
constexpr Alias kAliases[] = {
    {u"PSPort", u"PSPanelPort", true},           {u"PSPort2", u"PSPanelPort2", true},
    {u"PermitShutdown", u"AllowShutdown", true}, {u"PermitResize", u"AllowResize", true},
    {u"PermitZoom", u"AllowZoom", true},         {u"RefreshBinding", u"RefreshRate", false},
};

const Alias* FindAlias(std::u16string_view name) {
  for (const Alias& alias : kAliases)
    if (alias.name == name) return &alias;
  return nullptr;
}

constexpr std::u16string_view kDefaultText = u"DEFAULT";

// Settings that keep "DEFAULT" as an empty text.
bool IsEmptyForDefault(const PropertyInfo& info) {
  return info.type == PT_LOCALE || info.name == u"NumberFormatConf";
}

void ReportEmptyAsDefault(const PropertyInfo& info, CNValue& value) {
  if (IsEmptyForDefault(info) && value.IsString(0) && value.GetStringView(0).empty())
    value.SetString(kDefaultText);
}

// The whole part of a number, NaN as 0, held within 64 bits.
int64_t WholeNumber(double number) {
  if (std::isnan(number)) return 0;
  if (number >= 9.2e18) return INT64_MAX;
  if (number <= -9.2e18) return INT64_MIN;
  return static_cast<int64_t>(number);
}

// What a value written to a setting becomes; false when it does not convert (a malformed
// colour), which leaves the setting as it was.
bool ConvertSetting(const PropertyInfo& info, const CNValue& in, CNValue& out) {
  if (IsEmptyForDefault(info) && EqualsIgnoreCaseAscii(in.GetTextEmptyNA(0), kDefaultText)) {
    out.SetString(u"");
    return true;
  }
  if (!ConvertPropertyValue(info, in, out)) {
    if (info.type != PT_ENUM) return false;
    out.SetString(CNEnum::ItemText(info.list, 0));  // an unknown item stores the first one
    return true;
  }
  if (info.name == u"PSTagDirectPathMark") {
    const std::u16string_view text = out.GetStringView(0);
    const size_t keep = text.size() > 1 && text[0] >= 0xD800 && text[0] <= 0xDBFF ? 2 : 1;
    if (text.size() > keep) out.SetString(std::u16string(text.substr(0, keep)));
  } else if (info.name == u"MaxFormHistory") {
    out.SetNumber(static_cast<int16_t>(static_cast<uint16_t>(WholeNumber(in.GetNumber(0)))));
  }
  return true;
}

bool IsReadOnly(std::u16string_view name) {
  return name == u"Product" || name == u"Ver" || name == u"Rev" || name == u"LibraryName";
}

int32_t RefreshPeriodFor(double rate) {
  if (rate <= 0) return 100;
  if (rate < 10) return 10;
  return static_cast<int32_t>(rate);
}

}  // namespace

const CNClassProperties& CNPRootClient::HiddenSettings() {
  static const CNClassProperties s_hidden(kHiddenSettings, {});
  return s_hidden;
}

CNPRootClient::CNPRootClient() {
  for (uint32_t i = 0; i < m_hidden.size(); ++i) m_hidden[i].Assign(*HiddenSettings().GetDefault(i));
}

int CNPRootClient::SetProperty(std::u16string_view name, const CNValue& value) {
  if (const Alias* alias = FindAlias(name)) return alias->writable ? SetProperty(alias->target, value) : 0;
  const int32_t hidden = HiddenSettings().Find(name);
  if (hidden < 0) return CNPFormFolder::SetProperty(name, value);
  CNValue converted;
  if (!ConvertSetting(HiddenSettings().GetInfo(static_cast<uint32_t>(hidden)), value, converted)) return 0;
  m_hidden[static_cast<uint32_t>(hidden)].Assign(converted);
  PropertyChanged(name);
  return 1;
}

int CNPRootClient::SetPropertyAt(uint32_t i, const CNValue& value) {
  const PropertyInfo& info = GetClassProperties().GetInfo(i);
  if (IsReadOnly(info.name)) return 0;
  CNValue converted;
  if (!ConvertSetting(info, value, converted) || !CNPFormFolder::SetPropertyAt(i, converted)) return 0;
  if (info.name == u"RefreshRate") {
    m_lRefreshPeriod = RefreshPeriodFor(converted.GetNumber(0));
  } else if (info.name == u"Customize") {
    DeclareListedSettings(converted.GetStringView(0));
  }
  return 1;
}

int CNPRootClient::GetPropertyAt(uint32_t i, CNValue& value) const {
  const PropertyInfo& info = GetClassProperties().GetInfo(i);
  if (info.name == u"Product") {
    value.SetString(kProgramProduct);
  } else if (info.name == u"Ver") {
    value.SetString(kProgramVersion);
  } else if (info.name == u"Rev") {
    value.SetString(kProgramRevision);
  } else if (info.name == u"LibraryName") {
    value.SetString(GetLibraryName());
  } else {
    CNPFormFolder::GetPropertyAt(i, value);
    if (value.IsEmpty() && info.name == u"FileRev") value.SetNumber(kFileRevision);
    if (value.IsEmpty() && info.name == u"FileSaveWithoutDefault") value.SetBool(false);
    ReportEmptyAsDefault(info, value);
  }
  return 1;
}

int CNPRootClient::GetClassPropertyDefault(uint32_t i, CNValue& value) const {
  if (!CNPFormFolder::GetClassPropertyDefault(i, value)) return 0;
  ReportEmptyAsDefault(GetClassProperties().GetInfo(i), value);
  return 1;
}

int CNPRootClient::GetExtraProperty(std::u16string_view name, CNValue& value) const {
  if (const Alias* alias = FindAlias(name)) return GetProperty(alias->target, value);
  if (const int32_t hidden = HiddenSettings().Find(name); hidden >= 0) {
    value.Assign(m_hidden[static_cast<uint32_t>(hidden)]);
    return 1;
  }
  if (name == u"MouseX" || name == u"MouseY") {
    int32_t x = 0;
    int32_t y = 0;
    const CNObjectOwner* owner = GetOwner();
    if (!owner || !owner->GetMousePosition(x, y)) x = y = 0;
    value.SetNumber(name == u"MouseX" ? x : y);
    return 1;
  }
  return CNPFormFolder::GetExtraProperty(name, value);
}

int CNPRootClient::GetExtraPropertyDefault(std::u16string_view name, CNValue& value) const {
  if (const Alias* alias = FindAlias(name)) return GetPropertyDefault(alias->target, value);
  if (const int32_t hidden = HiddenSettings().Find(name); hidden >= 0) {
    value.Assign(*HiddenSettings().GetDefault(static_cast<uint32_t>(hidden)));
    return 1;
  }
  return CNPFormFolder::GetExtraPropertyDefault(name, value);
}

void CNPRootClient::DeclareListedSettings(std::u16string_view list) {
  if (IsCustomPropertyDeclarationList(list)) return;  // declarations are the file reader's
  std::u16string declarations;
  for (std::u16string_view name : SplitNameList(list)) {
    CNValue known;
    if (FindPropertyIndex(name) < 0 && !GetExtraProperty(name, known))
      declarations += std::u16string(name) + u"=[string]\n";
  }
  if (!declarations.empty()) DeclareCustomProperties(*this, u"[Property]\n" + declarations);
}

void CNPRootClient::SaveXml(std::string& out, std::u16string_view elementName, bool omitDefaults) const {
  std::string hidden;
  for (uint32_t i = 0; i < m_hidden.size(); ++i) {
    if (omitDefaults && m_hidden[i].IsEqual(kCompareContents, *HiddenSettings().GetDefault(i))) continue;
    hidden += ' ';
    hidden += Utf16ToUtf8(HiddenSettings().GetInfo(i).name);
    hidden += "=\"";
    AppendFormText(hidden, m_hidden[i].GetText(0));
    hidden += '"';
  }
  const size_t start = out.size();
  CNPFormFolder::SaveXml(out, elementName, omitDefaults);
  // Escaped values hold no ">": the first one ends the start tag.
  const size_t tagEnd = out.find('>', start);
  if (tagEnd != std::string::npos) out.insert(tagEnd, hidden);
}

CNValue CNPRootClient::SettingValue(std::u16string_view name) const {
  CNValue value;
  if (!GetProperty(name, value) || value.IsEmpty()) GetPropertyDefault(name, value);
  return value;
}

std::u16string CNPRootClient::SettingText(CNTextSetting setting) const {
  return SettingValue(setting.Name()).GetTextEmptyNA(0);
}

int32_t CNPRootClient::SettingInt(CNIntSetting setting) const {
  const CNValue value = SettingValue(setting.Name());
  return static_cast<int32_t>(std::clamp<int64_t>(WholeNumber(value.GetNumber(0)), INT32_MIN, INT32_MAX));
}

bool CNPRootClient::SettingBool(CNBoolSetting setting) const {
  return SettingValue(setting.Name()).GetBool(0);
}

int32_t CNPRootClient::SettingItem(CNTextSetting setting) const {
  return CNEnum::ItemIndex(SettingEntry(setting.index).info.list, SettingText(setting));
}

CNServerSettings CNPRootClient::GetServerSettings() const {
  using Mode = CNServerSettings::LoginMode;
  CNServerSettings s;
  s.communicationType = static_cast<CNServerSettings::CommunicationType>(SettingItem(u"PSCommunicationType"));
  s.timeOutSeconds = SettingInt(u"PSTimeOut");
  s.timeOutConnect = SettingInt(u"PSTimeOutConnect");
  s.ping = SettingBool(u"PSPing");
  s.nodes[0] = {SettingText(u"PSNode"), static_cast<uint32_t>(SettingInt(u"PSPanelPort"))};
  s.nodes[1] = {SettingText(u"PSNode2"), static_cast<uint32_t>(SettingInt(u"PSPanelPort2"))};
  s.nodeRedundancy = SettingBool(u"PSNodeRedundancy");
  s.httpServers[0] = SettingText(u"PSHTTPServer");
  s.httpServers[1] = SettingText(u"PSHTTPServer2");
  s.httpRedundancy = SettingBool(u"PSHTTPRedundancy");
  s.httpUser = SettingText(u"PSHTTPUser");
  s.httpPassword = SettingText(u"PSHTTPPwd");
  s.loginMust = SettingBool(u"PSLoginMust");
  s.loginStartup = static_cast<Mode>(SettingItem(u"PSLoginStartup"));
  s.loginStartupError = SettingBool(u"PSLoginStartupError");
  s.loginMenu = static_cast<Mode>(SettingItem(u"PSLoginMenu"));
  s.loginScreen = SettingItem(u"PSLoginScreen");
  s.loginUser = SettingText(u"PSLoginUser");
  s.loginPassword = SettingText(u"PSLoginPwd");
  s.loginComment = SettingText(u"PSLoginComment");
  s.filePath = SettingText(u"PSFilePath");
  s.tagAccessPath = SettingText(u"PSTagAccessPath");
  s.tagDirectPathMark = SettingText(u"PSTagDirectPathMark");
  s.tagUpdateRateMs = SettingInt(u"PSTagUpdateRate");
  s.tagDebug = SettingBool(u"PSTagDebug");
  s.userLevel = SettingInt(u"PSUserLevel");
  s.bindWatchTime = SettingInt(u"BindWatchTime");
  return s;
}
