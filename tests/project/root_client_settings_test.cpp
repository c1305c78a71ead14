#include <gtest/gtest.h>

#include <string>

#include "project/root_client.h"
#include "project_test_util.h"

namespace {

std::string Read(const CNObject& object, std::u16string_view name) {
  CNValue value;
  return object.GetProperty(name, value) ? U8(value.GetText(0)) : "(unknown)";
}

std::string Default(const CNObject& object, std::u16string_view name) {
  CNValue value;
  return object.GetPropertyDefault(name, value) ? U8(value.GetText(0)) : "(none)";
}

std::string Saved(const CNObject& object, bool omitDefaults) {
  std::string saved;
  object.SaveXml(saved, u"FORMROOT", omitDefaults);
  return saved;
}

// One write into a fresh root: whether it was taken, and what a setting reads afterwards. The
// conversions the settings make of their own, the names that stand for other settings, and the
// values only the program sets.
TEST(RootClientSettings, WritesConvertToTheSettingsKindThroughAnyOfItsNames) {
  struct Case {
    std::u16string_view name, written;
    int taken;  // -1: either
    std::u16string_view readName;
    const char* read;
  };
  const Case cases[] = {
      {u"Stretch", u"resize_keeprate", 1, u"Stretch", "RESIZE_KEEPRATE"},
      {u"Stretch", u"SIDEWAYS", -1, u"Stretch", "NONE"},  // not an item: the first item
      {u"PSLoginStartup", u"", -1, u"PSLoginStartup", "NONE"},
      {u"PSCommunicationType", u"http", 1, u"PSCommunicationType", "HTTP"},
      {u"PSCommunicationType", u"UDP", -1, u"PSCommunicationType", "DEFAULT"},
      {u"Locale", u"default", 1, u"Locale", "DEFAULT"},
      {u"NumberFormatConf", u"Default", 1, u"NumberFormatConf", "DEFAULT"},
      {u"PSTagDirectPathMark", u"#!", 1, u"PSTagDirectPathMark", "#"},
      {u"PSTagDirectPathMark", u"\U0001F600x", 1, u"PSTagDirectPathMark", "\xF0\x9F\x98\x80"},  // two units
      {u"MaxFormHistory", u"70000", 1, u"MaxFormHistory", "4464"},                              // 16 bits
      {u"PSPanelPort", u"6002.9", 1, u"PSPanelPort", "6002"},
      {u"PSPing", u"TRUE", 1, u"PSPing", "T"},
      {u"ViewFillColor", u"#ff0000", 1, u"ViewFillColor", "#FF0000"},
      {u"ViewFillColor", u"#12", -1, u"ViewFillColor", "#808080"},  // malformed: unchanged
      // Aliases of listed settings; "RefreshBinding" only reads; names compare exactly.
      {u"PSPanelPort", u"6100", 1, u"PSPort", "6100"},
      {u"PSPort2", u"6200", 1, u"PSPanelPort2", "6200"},
      {u"AllowZoom", u"F", 1, u"PermitZoom", "F"},
      {u"RefreshRate", u"250", 1, u"RefreshBinding", "250"},
      {u"RefreshBinding", u"500", 0, u"RefreshRate", "0"},
      {u"psport", u"1", 0, u"PSPORT", "(unknown)"},
      // The program's own values; a file without a revision or an omit-defaults choice reads the
      // program's revision and F.
      {u"Product", u"Solvane 11.17b", 0, u"Product", "Veltrix"},
      {u"LibraryName", u"Lib", 0, u"LibraryName", ""},
      {u"MouseX", u"5", 0, u"FileRev", "3"},
      {u"MouseY", u"5", 0, u"FileSaveWithoutDefault", "F"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.name) + " = " + U8(c.written));
    CNPRootClient root;
    const int taken = root.SetProperty(c.name, Text(c.written));
    if (c.taken >= 0) {
      EXPECT_EQ(taken, c.taken);
    }
    EXPECT_EQ(Read(root, c.readName), c.read);
  }
}

// Defaults come from the process's defaults, never from the project.
TEST(RootClientSettings, DefaultsIgnoreTheProjectsValues) {
  CNPRootClient root;
  for (auto [name, text] : {std::pair{u"PSPanelPort2", u"7000"},
                            {u"PSCommunicationType", u"HTTP"},
                            {u"FileRev", u"2"},
                            {u"FileSaveWithoutDefault", u"T"}})
    root.SetProperty(name, Text(text));
  // A listed setting and its alias, a hidden one, the read-only alias, the program's own values,
  // a run-time value and an unknown name.
  const std::pair<std::u16string_view, const char*> cases[] = {
      {u"PSPanelPort2", "6001"}, {u"PSPort2", "6001"},         {u"PSCommunicationType", "TCP"},
      {u"RefreshBinding", "0"},  {u"FileRev", "(none)"},       {u"FileSaveWithoutDefault", "(none)"},
      {u"MouseX", "(none)"},     {u"NoSuchSetting", "(none)"},
  };
  for (const auto& [name, text] : cases) EXPECT_EQ(Default(root, name), text) << U8(name);
}

TEST(RootClientSettings, RefreshPeriodFollowsTheRate) {
  const std::pair<const char16_t*, int32_t> cases[] = {{u"0", 100},   {u"1", 10},  {u"5", 10},
                                                       {u"9", 10},    {u"10", 10}, {u"250", 250},
                                                       {u"-40", 100}, {u"x", 100}};
  CNPRootClient root;
  EXPECT_EQ(root.GetRefreshPeriod(), 100);
  for (const auto& [rate, period] : cases) {
    root.SetProperty(u"RefreshRate", Text(rate));
    EXPECT_EQ(root.GetRefreshPeriod(), period) << U8(rate);
  }
}

// "Customize" names the project's own settings; each becomes a text setting saved as an
// attribute. Names the root already has stay what they are. Hidden settings are saved after the
// table's when they differ from their defaults or when defaults are written too; "DEFAULT" is
// kept as an empty text.
TEST(RootClientSettings, OwnAndHiddenSettingsAreSaved) {
  CNPRootClient root;
  EXPECT_EQ(root.SetProperty(u"Customize", Text(u"BASEMODE, Line ,,PSNode,PSPort,")), 1);
  ASSERT_EQ(root.GetCustomPropertyCount(), 2u);
  EXPECT_EQ(root.SetProperty(u"BASEMODE", Text(u"BRW")), 1);
  EXPECT_EQ(Read(root, u"BASEMODE"), "BRW");
  for (auto [name, text] : {std::pair{u"PSCommunicationType", u"HTTP"},
                            {u"PSHTTPServer", u"http://gw/hgateway"},
                            {u"Event", u"x"},  // not a setting
                            {u"Locale", u"DEFAULT"},
                            {u"LocaleNumber", u"de-DE"}})
    root.SetProperty(name, Text(text));
  root.SetEvent(u"a > b");
  const std::string omitted = Saved(root, true);
  for (const char* part :
       {" LocaleNumber=\"de-DE\"",
        " Customize=\"BASEMODE, Line ,,PSNode,PSPort,\" BASEMODE=\"BRW\" Line=\"\" "
        "Event=\"a &gt; b\" PSCommunicationType=\"HTTP\" PSHTTPServer=\"http://gw/hgateway\">\r\n"})
    EXPECT_NE(omitted.find(part), std::string::npos) << part << "\n" << omitted;
  EXPECT_EQ(omitted.find("Locale="), std::string::npos);
  EXPECT_NE(Saved(root, false)
                .find(" PSHTTPRedundancy=\"F\" PSHTTPUser=\"\" PSHTTPPwd=\"\" GridSize=\"1\" "
                      "FileEncoding=\"0\">"),
            std::string::npos);
}

// The record the links and the login read: two nodes whatever the project says, list settings
// as item positions, hidden settings included.
TEST(RootClientSettings, ServerSettingsComeFromTheSettings) {
  CNPRootClient root;
  for (auto [name, text] : {std::pair{u"PSCommunicationType", u"HTTP"},
                            {u"PSNode", u"10.0.0.1"},
                            {u"PSPort", u"6101"},
                            {u"PSHTTPServer2", u"http://b/gw"},
                            {u"PSLoginStartup", u"MANUAL"},
                            {u"PSLoginScreen", u"DISABLE_USERPWD"},
                            {u"PSTagDirectPathMark", u"%%"}})
    root.SetProperty(name, Text(text));
  const CNServerSettings s = root.GetServerSettings();
  ASSERT_EQ(s.nodes.size(), 2u);
  ASSERT_EQ(s.httpServers.size(), 2u);
  EXPECT_EQ(U8(s.nodes[0].host + u" " + s.httpServers[1] + u" " + s.tagDirectPathMark),
            "10.0.0.1 http://b/gw %");
  EXPECT_EQ((std::vector<int64_t>{s.communicationType, s.nodes[0].port, s.nodes[1].port, s.loginStartup,
                                  s.loginScreen}),
            (std::vector<int64_t>{CNServerSettings::kHttp, 6101, 6001, CNServerSettings::kLoginManual, 2}));
  const CNServerSettings fresh = CNPRootClient().GetServerSettings();
  EXPECT_EQ(fresh.communicationType, CNServerSettings::kTcp);
  EXPECT_EQ(fresh.timeOutConnect, -1);
  EXPECT_EQ(U8(fresh.loginUser + u"/" + fresh.loginPassword), "user/wqxa");
}

// The program's own reads: the project's value through any of its names, else the table's default.
TEST(RootClientSettings, TypedReadsGiveTheValueOrTheTablesDefault) {
  CNPRootClient root;
  EXPECT_EQ(root.SettingInt(u"PSPanelPort"), 6001);
  EXPECT_EQ(root.SettingText(u"PSCommunicationType"), u"TCP");  // a hidden setting
  EXPECT_EQ(root.SettingItem(u"PSCommunicationType"), 1);
  for (auto [name, text] : {std::pair{u"PSPort", u"7001"},
                            {u"TitleParent", u"T"},
                            {u"PSHTTPServer", u"gateway"},
                            {u"PSTimeOut", u"9e99"}})
    root.SetProperty(name, Text(text));
  EXPECT_EQ(root.SettingInt(u"PSPanelPort"), 7001);
  EXPECT_TRUE(root.SettingBool(u"TitleParent"));
  EXPECT_EQ(root.SettingText(u"PSHTTPServer"), u"gateway");
  EXPECT_EQ(root.SettingInt(u"PSTimeOut"), INT32_MAX);
}

}  // namespace
