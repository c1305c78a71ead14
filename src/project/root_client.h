#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "comm/server_settings.h"
#include "controls/form_folder.h"
#include "screen/common_properties.h"

// The root of a project's object tree (the FORMROOT element): a folder whose properties are the
// project settings and whose children are the folders and forms.
//
// Project settings kept out of the table, so that editors do not show them: kHiddenSettings and
// the read-only "MouseX", "MouseY". Names that stand for a listed setting: "PSPort" and
// "PSPort2" for the panel ports, "PermitShutdown", "PermitResize" and "PermitZoom" for the
// "Allow..." switches, and "RefreshBinding" (read only) for "RefreshRate".
namespace root_client_properties {

inline constexpr std::u16string_view kTheme = u"Theme";
inline constexpr std::u16string_view kLocale = u"Locale";
inline constexpr std::u16string_view kTranslation = u"Translation";
inline constexpr std::u16string_view kConfig = u"Config";
inline constexpr std::u16string_view kBrowser = u"Browser";
inline constexpr std::u16string_view kDialog = u"Dialog";
inline constexpr std::u16string_view kEditor = u"Editor";
inline constexpr std::u16string_view kGuide = u"Guide";
inline constexpr std::u16string_view kLogin = u"Login";
inline constexpr std::u16string_view kServer = u"Server";
inline constexpr std::u16string_view kVersion = u"Version";
inline constexpr std::u16string_view kFile = u"File";
inline constexpr std::u16string_view kLibrary = u"Library";

inline constexpr std::u16string_view kLoginItems = u"NONE,AUTO,MANUAL";
inline constexpr std::u16string_view kDialogBaseItems = u"BROWSER,PARENT,DESKTOP";

// A setting: stored in the file, but not a target of bind scripts.
constexpr PropertyEntry Setting(std::u16string_view group, std::u16string_view name, PropertyType type,
                                const char16_t* defaultText, std::u16string_view list = {},
                                int32_t options = 0) {
  return Prop(group, name, type, defaultText, list, 1, 0, options);
}

constexpr PropertyEntry ColorSetting(std::u16string_view group, std::u16string_view name,
                                     const char16_t* defaultText) {
  return Setting(group, name, PT_COLOR, defaultText, {}, kPropertyColor);
}

inline constexpr std::array kSettings = {
    Setting(kTheme, u"VisualTheme", PT_VISUAL_THEME, u"GRAY_3D"),
    Setting(kTheme, u"VisualThemeConf", PT_VISUAL_THEME_CONF, u""),
    // The locales are empty by default and read as "DEFAULT".
    Setting(kLocale, u"Locale", PT_LOCALE, u""),
    Setting(kLocale, u"LocaleLanguage", PT_LOCALE, u""),
    Setting(kLocale, u"LocaleNumber", PT_LOCALE, u""),
    Setting(kLocale, u"LocaleDateTime", PT_LOCALE, u""),
    Setting(kTranslation, u"EnabledTranslation", PT_BOOL, u"T"),
    Setting(kTranslation, u"TranslationFolder", PT_FOLDER, u"translation"),
    Setting(kTranslation, u"TranslationGroup", PT_STRING, u""),
    Setting(kConfig, u"NumberFormatConf", PT_FILE, u""),  // empty reads as "DEFAULT"
    Setting(kConfig, u"DateTimeFormatConf", PT_FILE, u""),
    Setting(kConfig, u"BlinkConf", PT_FILE, u""),
    Setting(kConfig, u"LanguageValueConf", PT_FILE, u""),
    Setting(kConfig, u"ConfigFile", PT_FILE, u"config\\system.cnf"),
    Prop(kBrowser, u"Comment", PT_STRING, u""),
    Prop(kBrowser, u"Enabled", PT_BOOL, u"T"),
    Prop(kBrowser, u"EnabledInput", PT_BOOL, u"T"),
    Setting(kBrowser, u"Title", PT_STRING, u"[COMPANY_PRODUCT]"),
    Setting(kBrowser, u"TitleType", PT_ENUM, u"FORM_ROOT", u"ROOT,FORM,ROOT_FORM,FORM_ROOT"),
    Setting(kBrowser, u"TitleParent", PT_BOOL, u"F"),
    Setting(kBrowser, u"DefaultForm", PT_STRING, u"Form01"),
    Setting(kBrowser, u"DefaultView", PT_STRING, u""),
    Setting(kBrowser, u"DefaultFrame", PT_STRING, u""),
    Setting(kBrowser, u"HiddenForm", PT_STRING, u""),
    Setting(kBrowser, u"Stretch", PT_ENUM, u"FORM",
            u"NONE,FORM,STRETCH_FULL,STRETCH_KEEPRATE,RESIZE_FULL,RESIZE_KEEPRATE"),
    Setting(kBrowser, u"RefreshRate", PT_INTEGER, u"0"),  // milliseconds; also read as "RefreshBinding"
    Setting(kBrowser, u"EscToReleaseFullScreen", PT_BOOL, u"T"),
    Setting(kBrowser, u"Inifile", PT_FILE, u""),
    Setting(kBrowser, u"InifileSection", PT_STRING, u"[Property]"),
    Setting(kBrowser, u"StartupMonitor", PT_INTEGER, u"0"),
    Setting(kBrowser, u"StartupSize", PT_ENUM, u"STANDARD",
            u"STANDARD,FULLSCREEN,DEFAULTFORM,MAXIMUM,MINIMUM,CUSTOMSIZE,CUSTOMSIZE2,TASKBARICON"),
    Setting(kBrowser, u"StartupSizeWidth", PT_INTEGER, u"800"),
    Setting(kBrowser, u"StartupSizeHeight", PT_INTEGER, u"600"),
    Setting(kBrowser, u"WindowMinWidth", PT_INTEGER, u"0"),
    Setting(kBrowser, u"WindowMinHeight", PT_INTEGER, u"0"),
    Setting(kBrowser, u"StartupCenter", PT_BOOL, u"F"),
    Setting(kBrowser, u"StartupPosLeft", PT_INTEGER, u"-1"),
    Setting(kBrowser, u"StartupPosTop", PT_INTEGER, u"-1"),
    Setting(kBrowser, u"StartupWaitingTime", PT_INTEGER, u"0"),
    Setting(kBrowser, u"ShowStatusBar", PT_BOOL, u"T"),
    Setting(kBrowser, u"ShowMenu", PT_BOOL, u"T"),
    Setting(kBrowser, u"ShowMaxButton", PT_BOOL, u"T"),
    Setting(kBrowser, u"ShowMinButton", PT_BOOL, u"T"),
    Setting(kBrowser, u"ShowTitleBar", PT_BOOL, u"T"),
    Setting(kBrowser, u"ShowSystemMenu", PT_BOOL, u"T"),
    Setting(kBrowser, u"ShowBrowserBorder", PT_BOOL, u"F"),
    ColorSetting(kBrowser, u"ViewFillColor", u"#808080"),
    Setting(kBrowser, u"FocusHoverType", PT_ENUM, u"DOUBLE1", u"DOUBLE1,SINGLE1,SINGLE2,SINGLE3"),
    ColorSetting(kBrowser, u"FocusHoverColor1", u"#000000"),
    ColorSetting(kBrowser, u"FocusHoverColor2", u"#FFFFFF"),
    Setting(kBrowser, u"MaxFormHistory", PT_INTEGER, u"20"),
    Setting(kBrowser, u"BindWatchTime", PT_INTEGER, u"5"),
    Setting(kBrowser, u"AllowShutdown", PT_BOOL, u"T"),  // also "PermitShutdown"
    Setting(kBrowser, u"AllowResize", PT_BOOL, u"T"),    // also "PermitResize"
    Setting(kBrowser, u"AllowZoom", PT_BOOL, u"T"),      // also "PermitZoom"
    // Face, height, width, weight, italic, underline, strike-out, escapement, orientation.
    Setting(kBrowser, u"ToolTipFont", PT_FONT, u"Meiryo UI,-12,0,400,0,0,0,0,0"),
    Setting(kBrowser, u"ToolTipOffsetX", PT_INTEGER, u"0"),
    Setting(kBrowser, u"ToolTipOffsetY", PT_INTEGER, u"0"),
    Setting(kBrowser, u"ToolTipTimer", PT_INTEGER, u"0"),
    Setting(kBrowser, u"KeepProcess", PT_BOOL, u"F"),
    Setting(kBrowser, u"DeveloperMode", PT_BOOL, u"F"),
    Setting(kBrowser, u"TranslationProp", PT_TEXT, u"", {}, kPropertyDesignTime),
    Setting(kDialog, u"DialogBasePosX", PT_ENUM, u"BROWSER", kDialogBaseItems),
    Setting(kDialog, u"DialogBasePosY", PT_ENUM, u"BROWSER", kDialogBaseItems),
    Setting(kDialog, u"CommonDialogType", PT_ENUM, u"SIMPLE", u"NORMAL,SIMPLE,NOFRAME,FULL"),
    Setting(kEditor, u"RunBrowserType", PT_ENUM, u"PANEL_BROWSER",
            u"PANEL_BROWSER,WEB_BROWSER,USER_APPLICATION"),
    Setting(kEditor, u"RunUserAppPath", PT_STRING, u""),
    Setting(kEditor, u"RunUserAppCommandLine", PT_STRING, u""),
    Setting(kBrowser, u"ShowCommentProperty", PT_STRING, u"Comment"),
    Setting(kBrowser, u"ShowCommentChildLevel", PT_INTEGER, u"1"),
    Setting(kEditor, u"DefaultFormWidth", PT_INTEGER, u"800"),
    Setting(kEditor, u"DefaultFormHeight", PT_INTEGER, u"600"),
    Setting(kEditor, u"SetupFolder", PT_FOLDER, u""),
    Setting(kEditor, u"SetupResourceFolder", PT_STRING, u"res"),
    Setting(kEditor, u"AttachedFiles", PT_ATTACHED_FILES, u""),
    Setting(kGuide, u"ShowGrid", PT_BOOL, u"T"),
    ColorSetting(kGuide, u"GridColor", u"#808080"),
    Setting(kGuide, u"GridType", PT_ENUM, u"POINT", u"POINT,LINE"),
    Setting(kGuide, u"GridHeight", PT_INTEGER, u"10"),
    Setting(kGuide, u"GridWidth", PT_INTEGER, u"10"),
    Setting(kGuide, u"AdjustGrid", PT_BOOL, u"T"),
    Setting(kGuide, u"ShowGuide", PT_BOOL, u"T"),
    Setting(kGuide, u"AdjustGuide", PT_BOOL, u"T"),
    Setting(kLogin, u"PSLoginMust", PT_BOOL, u"F"),
    Setting(kLogin, u"PSLoginStartup", PT_ENUM, u"NONE", kLoginItems),
    Setting(kLogin, u"PSLoginStartupError", PT_BOOL, u"F"),
    Setting(kLogin, u"PSLoginMenu", PT_ENUM, u"NONE", kLoginItems),
    Setting(kLogin, u"PSLoginScreen", PT_ENUM, u"NORMAL",
            u"NORMAL,DISABLE_CANCEL,DISABLE_USERPWD,DISABLE_CANCEL_USERPWD"),
    Setting(kLogin, u"PSLoginUser", PT_STRING, u"user"),
    Setting(kLogin, u"PSLoginPwd", PT_STRING, u"wqxa"),  // editors mask it
    Setting(kLogin, u"PSLoginComment", PT_STRING, u""),
    Setting(kServer, u"PSTimeOut", PT_INTEGER, u"20"),         // seconds
    Setting(kServer, u"PSTimeOutConnect", PT_INTEGER, u"-1"),  // -1: not set
    Setting(kServer, u"PSNodeRedundancy", PT_BOOL, u"F"),
    Setting(kServer, u"PSNode", PT_STRING, u""),
    Setting(kServer, u"PSNode2", PT_STRING, u""),
    Setting(kServer, u"PSPanelPort", PT_INTEGER, u"6001"),   // also "PSPort"
    Setting(kServer, u"PSPanelPort2", PT_INTEGER, u"6001"),  // also "PSPort2"
    Setting(kServer, u"PSPing", PT_BOOL, u"F"),
    Setting(kServer, u"PSFilePath", PT_FILE, u""),
    Setting(kServer, u"PSTagAccessPath", PT_STRING, u""),
    Setting(kServer, u"PSTagDirectPathMark", PT_STRING, u"_"),  // one character
    Setting(kServer, u"PSTagUpdateRate", PT_INTEGER, u"500"),   // milliseconds
    Setting(kServer, u"PSTagDebug", PT_BOOL, u"F"),
    Setting(kServer, u"PSUserLevel", PT_INTEGER, u"0"),
    // The program's own name and version, whatever the file says; no defaults.
    Setting(kVersion, u"Product", PT_STRING, nullptr),
    Setting(kVersion, u"Ver", PT_STRING, nullptr),
    Setting(kVersion, u"Rev", PT_STRING, nullptr),
    // Kept from the file; no defaults.
    Setting(kFile, u"FileRev", PT_INTEGER, nullptr),
    Setting(kFile, u"FileRevCheck", PT_BOOL, u"T"),
    Setting(kFile, u"FileSaveWithoutDefault", PT_BOOL, nullptr),
    // The names of the project's own settings, each followed by a comma.
    Setting(kLibrary, u"Customize", PT_CUSTOMIZE, u"", {}, kPropertyDesignTime),
    // Derived from the project, never stored.
    Prop(kLibrary, u"LibraryName", PT_STRING, u"", {}, 0, 0, kPropertyDesignTime),
};

// The settings kept out of the table. They are read, written and saved like the others.
inline constexpr std::array kHiddenSettings = {
    Setting(kServer, u"PSCommunicationType", PT_ENUM, u"TCP", u"DEFAULT,TCP,HTTP"),
    Setting(kServer, u"PSHTTPServer", PT_STRING, u""),
    Setting(kServer, u"PSHTTPServer2", PT_STRING, u""),
    Setting(kServer, u"PSHTTPRedundancy", PT_BOOL, u"F"),
    Setting(kServer, u"PSHTTPUser", PT_STRING, u""),
    Setting(kServer, u"PSHTTPPwd", PT_STRING, u""),
    Setting(kGuide, u"GridSize", PT_INTEGER, u"1"),
    Setting(kFile, u"FileEncoding", PT_INTEGER, u"0"),
};

// The position of a project setting: in kSettings, or after them in kHiddenSettings. Only for
// compile-time use: a name that is in neither table, or a setting of another kind than kind
// (PT_NONE: any), is not a constant, and the program does not compile.
consteval uint32_t SettingIndex(std::u16string_view name, PropertyType kind) {
  const auto matches = [&](const PropertyEntry& entry) {
    if (entry.info.name != name) return false;
    if (kind != PT_NONE && entry.info.type != kind) throw "the setting is of another kind";
    return true;
  };
  for (size_t i = 0; i < kSettings.size(); ++i)
    if (matches(kSettings[i])) return static_cast<uint32_t>(i);
  for (size_t i = 0; i < kHiddenSettings.size(); ++i)
    if (matches(kHiddenSettings[i])) return static_cast<uint32_t>(kSettings.size() + i);
  throw "no project setting of that name";
}

constexpr const PropertyEntry& SettingEntry(uint32_t index) {
  return index < kSettings.size() ? kSettings[index] : kHiddenSettings[index - kSettings.size()];
}

// A project setting named in the program: CNPRootClient::SettingText(u"DefaultForm"). The name
// is checked against the tables when the program is compiled.
template <PropertyType Kind>
struct CNSettingKey {
  consteval CNSettingKey(const char16_t* name)
      : index(SettingIndex(name, Kind)) {}  // NOLINT: implicit by design
  std::u16string_view Name() const { return SettingEntry(index).info.name; }
  uint32_t index;
};

// What the program reports for its read-only version settings, whatever a file says, and the
// file revision it writes.
inline constexpr std::u16string_view kProgramProduct = u"Veltrix";
inline constexpr std::u16string_view kProgramVersion = u"6.0";
inline constexpr std::u16string_view kProgramRevision = u"12.1";
inline constexpr int32_t kFileRevision = 3;

inline constexpr std::u16string_view kCommon = common_properties::kCommon;

// Besides its own events, the root sees the input events of every object, which it gets as
// "object".
inline constexpr std::array kEvents = {
    EventInfo{kCommon, u"OnInitialize", u""},
    EventInfo{kCommon, u"OnTerminate", u""},
    EventInfo{kCommon, u"OnLogin", u"login,level"},
    EventInfo{kCommon, u"OnHeartBeat", u""},
    EventInfo{kCommon, u"OnTagValueChanged", u"tagname,value"},
    EventInfo{kCommon, u"OnTimer", u"timerid,counter"},
    EventInfo{kCommon, u"OnKeyDown", u"keycode,flag"},
    EventInfo{kCommon, u"OnKeyUp", u"keycode,flag"},
    EventInfo{kCommon, u"OnMouseIn", u"object"},
    EventInfo{kCommon, u"OnMouseMove", u"object"},
    EventInfo{kCommon, u"OnMouseOut", u"object"},
    EventInfo{kCommon, u"OnMouseDown", u"object,button"},
    EventInfo{kCommon, u"OnMouseUp", u"object,button"},
    EventInfo{kCommon, u"OnMouseDblClick", u"object,button"},
    EventInfo{kCommon, u"OnCommonEvent", u"name,value"},
    EventInfo{kCommon, u"OnBeforeOpenForm",
              u"viewName,basedFormName,&isOpen,&stretchMode,&openParam,formName"},
    EventInfo{kCommon, u"OnAfterOpenForm", u"viewName,basedFormName,objForm,formName"},
    EventInfo{kCommon, u"OnActiveDialogChanged", u"dialogname"},
    EventInfo{kCommon, u"OnActiveViewChanged", u"viewname"},
    EventInfo{kCommon, u"OnShutdown", u""},
};

}  // namespace root_client_properties

using CNTextSetting = root_client_properties::CNSettingKey<PT_NONE>;  // any setting, read as its display text
using CNIntSetting = root_client_properties::CNSettingKey<PT_INTEGER>;
using CNBoolSetting = root_client_properties::CNSettingKey<PT_BOOL>;

// The settings behave as the table says, with these additions:
// - Names compare exactly. The hidden settings above and the alias names work like table names.
// - Writing converts the value to the setting's kind. A list value names an item (ignoring case)
//   and an unknown one stores the first item; the locales and "NumberFormatConf" store empty for
//   "DEFAULT" (ignoring case) and read back empty as "DEFAULT"; "PSTagDirectPathMark" keeps its
//   first character; "MaxFormHistory" is a 16-bit number.
// - "Product", "Ver" and "Rev" read the program's own values and refuse writes; "FileRev" reads
//   the file's revision (kFileRevision when the file has none) and "FileSaveWithoutDefault" the
//   file's choice (F when it has none); none of the five answers a default. "LibraryName" is
//   derived and refuses writes; "MouseX" and "MouseY" read the owner's mouse position.
// - Defaults come from the class tables, built once per process, never from the project.
// - "Customize" lists custom setting names, each followed by a comma ("BASEMODE,"); each listed
//   name becomes a text setting of its own, saved as an attribute.
class CNPRootClient : public CNObjectClass<CNPRootClient, CNPFormFolder> {
 public:
  static constexpr std::u16string_view kClassId = u"Client";
  static constexpr auto kProperties = root_client_properties::kSettings;
  static constexpr auto kEvents = root_client_properties::kEvents;

  CNPRootClient();

  int SetProperty(std::u16string_view name, const CNValue& value) override;
  int GetClassPropertyDefault(uint32_t i, CNValue& value) const override;
  // The table's settings, then the hidden ones that differ from their defaults (or all of
  // them when defaults are not omitted).
  void SaveXml(std::string& out, std::u16string_view elementName, bool omitDefaults) const override;

  // The period of the refresh tick in milliseconds, from "RefreshRate": 100 for 0 (and for
  // negative rates), 10 for 1 to 9, else the rate itself.
  int32_t GetRefreshPeriod() const { return m_lRefreshPeriod; }
  // A setting as the program reads it: its value, or the table's default when it holds none.
  // Text: the display text ("" for none). Int: the whole part, held within 32 bits.
  std::u16string SettingText(CNTextSetting setting) const;
  int32_t SettingInt(CNIntSetting setting) const;
  bool SettingBool(CNBoolSetting setting) const;
  // The position of an enumeration setting's item in its list; 0 when the text is none of them.
  int32_t SettingItem(CNTextSetting setting) const;

  // The settings the panel-server links and the login use, as they stand now.
  CNServerSettings GetServerSettings() const;

 protected:
  int SetPropertyAt(uint32_t i, const CNValue& value) override;
  int GetPropertyAt(uint32_t i, CNValue& value) const override;
  int GetExtraProperty(std::u16string_view name, CNValue& value) const override;
  int GetExtraPropertyDefault(std::u16string_view name, CNValue& value) const override;
  // "LibraryName": empty unless the document that holds the root knows better.
  virtual std::u16string GetLibraryName() const { return {}; }

 private:
  static const CNClassProperties& HiddenSettings();
  // The setting's value, or its default when it holds none.
  CNValue SettingValue(std::u16string_view name) const;
  void DeclareListedSettings(std::u16string_view list);

  std::array<CNValue, root_client_properties::kHiddenSettings.size()> m_hidden;
  int32_t m_lRefreshPeriod = 100;
};
