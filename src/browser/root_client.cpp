#include "browser/root_client.h"

#include <cmath>
#include <cstdint>

#include "browser/name_list.h"
#include "objects/custom_property_declarations.h"
#include "objects/form_file_text.h"
#include "objects/property_codec.h"
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

CNServerSettings CNPRootClient::GetServerSettings() const {
  CNValue value;
  auto text = [&](std::u16string_view name) {
    GetProperty(name, value);
    return value.GetTextEmptyNA(0);
  };
  auto number = [&](std::u16string_view name) {
    GetProperty(name, value);
    return static_cast<int32_t>(WholeNumber(value.GetNumber(0)));
  };
  auto flag = [&](std::u16string_view name) {
    GetProperty(name, value);
    return value.GetBool(0);
  };
  auto item = [&](std::u16string_view name) {
    const PropertyInfo* info = FindPropertyInfo(name);
    const int32_t hidden = HiddenSettings().Find(name);
    const std::u16string_view list =
        info ? info->list : HiddenSettings().GetInfo(static_cast<uint32_t>(hidden)).list;
    return CNEnum::ItemIndex(list, text(name));
  };
  CNServerSettings s;
  s.communicationType = static_cast<CNServerSettings::CommunicationType>(item(u"PSCommunicationType"));
  s.timeOutSeconds = number(u"PSTimeOut");
  s.timeOutConnect = number(u"PSTimeOutConnect");
  s.ping = flag(u"PSPing");
  s.nodes[0] = {text(u"PSNode"), static_cast<uint32_t>(number(u"PSPanelPort"))};
  s.nodes[1] = {text(u"PSNode2"), static_cast<uint32_t>(number(u"PSPanelPort2"))};
  s.nodeRedundancy = flag(u"PSNodeRedundancy");
  s.httpServers[0] = text(u"PSHTTPServer");
  s.httpServers[1] = text(u"PSHTTPServer2");
  s.httpRedundancy = flag(u"PSHTTPRedundancy");
  s.httpUser = text(u"PSHTTPUser");
  s.httpPassword = text(u"PSHTTPPwd");
  s.loginMust = flag(u"PSLoginMust");
  s.loginStartup = static_cast<CNServerSettings::LoginMode>(item(u"PSLoginStartup"));
  s.loginStartupError = flag(u"PSLoginStartupError");
  s.loginMenu = static_cast<CNServerSettings::LoginMode>(item(u"PSLoginMenu"));
  s.loginScreen = item(u"PSLoginScreen");
  s.loginUser = text(u"PSLoginUser");
  s.loginPassword = text(u"PSLoginPwd");
  s.loginComment = text(u"PSLoginComment");
  s.filePath = text(u"PSFilePath");
  s.tagAccessPath = text(u"PSTagAccessPath");
  s.tagDirectPathMark = text(u"PSTagDirectPathMark");
  s.tagUpdateRateMs = number(u"PSTagUpdateRate");
  s.tagDebug = flag(u"PSTagDebug");
  s.userLevel = number(u"PSUserLevel");
  s.bindWatchTime = number(u"BindWatchTime");
  return s;
}
