#include <gtest/gtest.h>

#include <string>

#include "project/root_client.h"
#include "support/utf16_text.h"

namespace {

std::string Text(const CNObject& object, std::u16string_view name) {
  CNValue value;
  if (!object.GetProperty(name, value)) return "(unknown)";
  return Utf16ToUtf8(value.GetText(0));
}

std::string Default(const CNObject& object, std::u16string_view name) {
  CNValue value;
  if (!object.GetPropertyDefault(name, value)) return "(none)";
  return Utf16ToUtf8(value.GetText(0));
}

int Set(CNObject& object, std::u16string_view name, std::u16string_view text) {
  CNValue value;
  value.SetString(text);
  return object.SetProperty(name, value);
}

// Written text, and what reading it back gives; the conversions the settings make of their own.
TEST(RootClientSettings, WritesConvertToTheSettingsKind) {
  struct Case {
    std::u16string_view name;
    std::u16string_view written;
    const char* read;
  };
  const Case cases[] = {
      {u"Stretch", u"resize_keeprate", "RESIZE_KEEPRATE"},
      {u"Stretch", u"SIDEWAYS", "NONE"},  // not an item: the first item
      {u"PSLoginStartup", u"", "NONE"},
      {u"PSCommunicationType", u"http", "HTTP"},
      {u"PSCommunicationType", u"UDP", "DEFAULT"},
      {u"Locale", u"default", "DEFAULT"},
      {u"LocaleDateTime", u"ja-JP", "ja-JP"},
      {u"NumberFormatConf", u"Default", "DEFAULT"},
      {u"PSTagDirectPathMark", u"#!", "#"},
      {u"PSTagDirectPathMark", u"\U0001F600x", "\xF0\x9F\x98\x80"},  // one character, two units
      {u"MaxFormHistory", u"70000", "4464"},                         // 16 bits
      {u"MaxFormHistory", u"-1", "-1"},
      {u"PSPanelPort", u"6002.9", "6002"},
      {u"PSPing", u"TRUE", "T"},
      {u"ViewFillColor", u"#ff0000", "#FF0000"},
      {u"ViewFillColor", u"#12", "#808080"},  // malformed: unchanged
      {u"GridSize", u"4", "4"},
      {u"FileEncoding", u"65001", "65001"},
  };
  for (const Case& c : cases) {
    CNPRootClient root;
    Set(root, c.name, c.written);
    EXPECT_EQ(Text(root, c.name), c.read) << Utf16ToUtf8(c.name) << " = " << Utf16ToUtf8(c.written);
  }
  // "DEFAULT" is kept as an empty text.
  CNPRootClient root;
  Set(root, u"Locale", u"DEFAULT");
  Set(root, u"LocaleNumber", u"de-DE");
  std::string saved;
  root.SaveXml(saved, u"FORMROOT", true);
  EXPECT_EQ(saved.find("Locale="), std::string::npos);
  EXPECT_NE(saved.find(" LocaleNumber=\"de-DE\""), std::string::npos);
}

// Defaults come from the process's defaults, never from the project.
TEST(RootClientSettings, DefaultsIgnoreTheProjectsValues) {
  CNPRootClient root;
  for (auto [name, text] : {std::pair{u"PSPanelPort2", u"7000"},
                            {u"Locale", u"en-US"},
                            {u"PSCommunicationType", u"HTTP"},
                            {u"GridSize", u"3"},
                            {u"FileRev", u"2"},
                            {u"FileSaveWithoutDefault", u"T"}})
    Set(root, name, text);
  const std::pair<std::u16string_view, const char*> cases[] = {
      {u"PSPanelPort2", "6001"},
      {u"PSPort2", "6001"},
      {u"Locale", "DEFAULT"},
      {u"LocaleLanguage", "DEFAULT"},
      {u"NumberFormatConf", "DEFAULT"},
      {u"PSCommunicationType", "TCP"},
      {u"GridSize", "1"},
      {u"FileEncoding", "0"},
      {u"RefreshBinding", "0"},
      {u"LibraryName", ""},
      {u"FileRev", "(none)"},
      {u"FileSaveWithoutDefault", "(none)"},
      {u"Product", "(none)"},
      {u"Ver", "(none)"},
      {u"Rev", "(none)"},
      {u"MouseX", "(none)"},
      {u"NoSuchSetting", "(none)"},
  };
  for (const auto& [name, text] : cases) EXPECT_EQ(Default(root, name), text) << Utf16ToUtf8(name);
}

TEST(RootClientSettings, AliasesReadAndWriteTheirSetting) {
  CNPRootClient root;
  EXPECT_EQ(Set(root, u"PSPanelPort", u"6100"), 1);
  EXPECT_EQ(Text(root, u"PSPort"), "6100");
  EXPECT_EQ(Set(root, u"PSPort2", u"6200"), 1);
  EXPECT_EQ(Text(root, u"PSPanelPort2"), "6200");
  for (auto [alias, setting] : {std::pair{u"PermitShutdown", u"AllowShutdown"},
                                {u"PermitResize", u"AllowResize"},
                                {u"PermitZoom", u"AllowZoom"}}) {
    EXPECT_EQ(Set(root, alias, u"F"), 1);
    EXPECT_EQ(Text(root, setting), "F");
    EXPECT_EQ(Set(root, setting, u"T"), 1);
    EXPECT_EQ(Text(root, alias), "T");
  }
  // "RefreshBinding" only reads.
  Set(root, u"RefreshRate", u"250");
  EXPECT_EQ(Text(root, u"RefreshBinding"), "250");
  EXPECT_EQ(Set(root, u"RefreshBinding", u"500"), 0);
  EXPECT_EQ(Text(root, u"RefreshRate"), "250");
  // Names compare exactly.
  EXPECT_EQ(Set(root, u"psport", u"1"), 0);
  EXPECT_EQ(Text(root, u"PSPORT"), "(unknown)");
}

TEST(RootClientSettings, ProgramValuesAreReadOnly) {
  CNPRootClient root;
  for (auto [name, text] : {std::pair{u"Product", "Veltrix"}, {u"Ver", "6.0"}, {u"Rev", "12.1"}}) {
    EXPECT_EQ(Set(root, name, u"Solvane 11.17b"), 0);
    EXPECT_EQ(Text(root, name), text);
  }
  EXPECT_EQ(Set(root, u"LibraryName", u"Lib"), 0);
  EXPECT_EQ(Text(root, u"LibraryName"), "");
  EXPECT_EQ(Set(root, u"MouseX", u"5"), 0);
  // A file without a revision or an omit-defaults choice reads the program's revision and F.
  EXPECT_EQ(Text(root, u"FileRev"), "3");
  EXPECT_EQ(Text(root, u"FileSaveWithoutDefault"), "F");
}

TEST(RootClientSettings, RefreshPeriodFollowsTheRate) {
  const std::pair<const char16_t*, int32_t> cases[] = {{u"0", 100},   {u"1", 10},  {u"5", 10},
                                                       {u"9", 10},    {u"10", 10}, {u"250", 250},
                                                       {u"-40", 100}, {u"x", 100}};
  CNPRootClient root;
  EXPECT_EQ(root.GetRefreshPeriod(), 100);
  for (const auto& [rate, period] : cases) {
    Set(root, u"RefreshRate", rate);
    EXPECT_EQ(root.GetRefreshPeriod(), period) << Utf16ToUtf8(rate);
  }
}

// "Customize" names the project's own settings; each becomes a text setting saved as an
// attribute. Names the root already has stay what they are.
TEST(RootClientSettings, CustomizeListsOwnSettings) {
  CNPRootClient root;
  EXPECT_EQ(Set(root, u"Customize", u"BASEMODE, Line ,,PSNode,PSPort,"), 1);
  ASSERT_EQ(root.GetCustomPropertyCount(), 2u);
  EXPECT_EQ(Utf16ToUtf8(root.GetCustomProperty(1)->name), "Line");
  EXPECT_EQ(Set(root, u"BASEMODE", u"BRW"), 1);
  EXPECT_EQ(Text(root, u"BASEMODE"), "BRW");
  std::string saved;
  root.SaveXml(saved, u"FORMROOT", true);
  EXPECT_NE(saved.find(" Customize=\"BASEMODE, Line ,,PSNode,PSPort,\" BASEMODE=\"BRW\" Line=\"\">"),
            std::string::npos)
      << saved;
}

// Hidden settings are saved after the table's, when they differ from their defaults or when
// defaults are written too.
TEST(RootClientSettings, HiddenSettingsAreSaved) {
  CNPRootClient root;
  Set(root, u"PSCommunicationType", u"HTTP");
  Set(root, u"PSHTTPServer", u"http://gw/hgateway");
  Set(root, u"Event", u"x");  // not a setting
  root.SetEvent(u"a > b");
  std::string omitted;
  root.SaveXml(omitted, u"FORMROOT", true);
  EXPECT_NE(omitted.find(
                " Event=\"a &gt; b\" PSCommunicationType=\"HTTP\" PSHTTPServer=\"http://gw/hgateway\">\r\n"),
            std::string::npos)
      << omitted;
  std::string full;
  root.SaveXml(full, u"FORMROOT", false);
  EXPECT_NE(
      full.find(" PSHTTPRedundancy=\"F\" PSHTTPUser=\"\" PSHTTPPwd=\"\" GridSize=\"1\" FileEncoding=\"0\">"),
      std::string::npos)
      << full;
}

// The record the links and the login read: two nodes whatever the project says, list
// settings as item positions, hidden settings included.
TEST(RootClientSettings, ServerSettingsComeFromTheSettings) {
  CNPRootClient root;
  for (auto [name, text] : {std::pair{u"PSCommunicationType", u"HTTP"},
                            {u"PSNode", u"10.0.0.1"},
                            {u"PSPort", u"6101"},
                            {u"PSHTTPServer2", u"http://b/gw"},
                            {u"PSLoginStartup", u"MANUAL"},
                            {u"PSLoginScreen", u"DISABLE_USERPWD"},
                            {u"PSTagDirectPathMark", u"%%"}})
    Set(root, name, text);
  const CNServerSettings s = root.GetServerSettings();
  EXPECT_EQ(s.communicationType, CNServerSettings::kHttp);
  ASSERT_EQ(s.nodes.size(), 2u);
  EXPECT_EQ(Utf16ToUtf8(s.nodes[0].host), "10.0.0.1");
  EXPECT_EQ(s.nodes[0].port, 6101u);
  EXPECT_EQ(s.nodes[1].port, 6001u);
  ASSERT_EQ(s.httpServers.size(), 2u);
  EXPECT_EQ(Utf16ToUtf8(s.httpServers[1]), "http://b/gw");
  EXPECT_EQ(s.loginStartup, CNServerSettings::kLoginManual);
  EXPECT_EQ(s.loginScreen, 2);
  EXPECT_EQ(Utf16ToUtf8(s.tagDirectPathMark), "%");
  const CNServerSettings fresh = CNPRootClient().GetServerSettings();
  EXPECT_EQ(fresh.communicationType, CNServerSettings::kTcp);
  EXPECT_EQ(fresh.timeOutConnect, -1);
  EXPECT_EQ(Utf16ToUtf8(fresh.loginUser + u"/" + fresh.loginPassword), "user/wqxa");
}

}  // namespace

// The program's own reads: the project's value through any of its names, else the table's default.
TEST(RootClientSettings, TypedReadsGiveTheValueOrTheTablesDefault) {
  CNPRootClient root;
  EXPECT_EQ(root.SettingInt(u"PSTagUpdateRate"), 500);
  EXPECT_EQ(root.SettingInt(u"PSPanelPort"), 6001);
  EXPECT_TRUE(root.SettingBool(u"EnabledTranslation"));
  EXPECT_EQ(root.SettingText(u"PSCommunicationType"), u"TCP");  // a hidden setting
  EXPECT_EQ(root.SettingItem(u"PSCommunicationType"), 1);
  EXPECT_EQ(root.SettingText(u"Locale"), u"DEFAULT");
  Set(root, u"PSPort", u"7001");  // the alias writes the listed setting
  Set(root, u"TitleParent", u"T");
  Set(root, u"PSHTTPServer", u"gateway");
  Set(root, u"PSTimeOut", u"9e99");
  EXPECT_EQ(root.SettingInt(u"PSPanelPort"), 7001);
  EXPECT_TRUE(root.SettingBool(u"TitleParent"));
  EXPECT_EQ(root.SettingText(u"PSHTTPServer"), u"gateway");
  EXPECT_EQ(root.SettingInt(u"PSTimeOut"), INT32_MAX);
}
