#include "project/root_client.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/utf16_text.h"

namespace {

std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

// The settings table, checked where it is easy to get wrong: kinds that have their own type
// code, defaults with unusual text, the defaults that are absent, and the flags.
TEST(RootClient, SettingsCarryTheirKindsAndDefaults) {
  struct Case {
    std::u16string_view name;
    std::u16string_view group;
    PropertyType type;
    const char* defaultText;  // nullptr: no default
  };
  const Case cases[] = {
      {u"VisualTheme", u"Theme", PT_VISUAL_THEME, "GRAY_3D"},
      {u"VisualThemeConf", u"Theme", PT_VISUAL_THEME_CONF, ""},
      {u"LocaleNumber", u"Locale", PT_LOCALE, "DEFAULT"},  // stored empty, reported "DEFAULT"
      {u"TranslationFolder", u"Translation", PT_FOLDER, "translation"},
      {u"ConfigFile", u"Config", PT_FILE, "config\\system.cnf"},
      {u"EnabledInput", u"Browser", PT_BOOL, "T"},
      {u"Title", u"Browser", PT_STRING, "[COMPANY_PRODUCT]"},
      {u"TitleType", u"Browser", PT_ENUM, "FORM_ROOT"},
      {u"Stretch", u"Browser", PT_ENUM, "FORM"},
      {u"InifileSection", u"Browser", PT_STRING, "[Property]"},
      {u"StartupPosLeft", u"Browser", PT_INTEGER, "-1"},
      {u"ViewFillColor", u"Browser", PT_COLOR, "#808080"},
      {u"FocusHoverColor2", u"Browser", PT_COLOR, "#FFFFFF"},
      {u"ToolTipFont", u"Browser", PT_FONT, "Meiryo UI,-12,0,400,0,0,0,0,0"},
      {u"ShowCommentProperty", u"Browser", PT_STRING, "Comment"},
      {u"CommonDialogType", u"Dialog", PT_ENUM, "SIMPLE"},
      {u"AttachedFiles", u"Editor", PT_ATTACHED_FILES, ""},
      {u"PSLoginPwd", u"Login", PT_STRING, "wqxa"},
      {u"PSTimeOutConnect", u"Server", PT_INTEGER, "-1"},
      {u"PSPanelPort2", u"Server", PT_INTEGER, "6001"},
      {u"PSTagDirectPathMark", u"Server", PT_STRING, "_"},
      {u"Rev", u"Version", PT_STRING, nullptr},
      {u"FileRev", u"File", PT_INTEGER, nullptr},
      {u"FileSaveWithoutDefault", u"File", PT_BOOL, nullptr},
      {u"LibraryName", u"Library", PT_STRING, ""},
  };
  CNPRootClient root;
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.name));
    const PropertyInfo* info = root.FindPropertyInfo(c.name);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(U8(info->group), U8(c.group));
    EXPECT_EQ(info->type, c.type);
    CNValue def;
    ASSERT_EQ(root.GetPropertyDefault(c.name, def), c.defaultText ? 1 : 0);
    if (c.defaultText) {
      EXPECT_EQ(U8(def.GetText(0)), c.defaultText);
    }
  }
  // Colours are marked as such; settings take no bind scripts, the object switches do; the
  // library name is derived and never written.
  EXPECT_EQ(root.FindPropertyInfo(u"GridColor")->options, kPropertyColor);
  EXPECT_EQ(root.FindPropertyInfo(u"PSNode")->bindable, 0);
  EXPECT_EQ(root.FindPropertyInfo(u"Enabled")->bindable, 1);
  EXPECT_EQ(root.FindPropertyInfo(u"LibraryName")->persisted, 0);
  EXPECT_EQ(root.FindPropertyInfo(u"TranslationProp")->options, kPropertyDesignTime);
}

// The table's order is the order editors show; "Browser" and "Editor" settings interleave.
TEST(RootClient, SettingsFollowTheTableOrder) {
  CNPRootClient root;
  std::vector<std::string> groups;
  for (uint32_t i = 0; i < root.GetPropertyCount(); ++i) {
    const std::string group = U8(root.GetPropertyInfo(i)->group);
    if (groups.empty() || groups.back() != group) groups.push_back(group);
  }
  const std::vector<std::string> expected = {"Theme",  "Locale", "Translation", "Config", "Browser",
                                             "Dialog", "Editor", "Browser",     "Editor", "Guide",
                                             "Login",  "Server", "Version",     "File",   "Library"};
  EXPECT_EQ(groups, expected);
  EXPECT_EQ(root.GetPropertyCount(), 113u);
  EXPECT_EQ(U8(root.GetPropertyName(0)), "VisualTheme");
  EXPECT_EQ(U8(root.GetPropertyName(root.GetPropertyCount() - 1)), "LibraryName");
  EXPECT_EQ(root.FindPropertyIndex(u"ShowCommentProperty"),
            root.FindPropertyIndex(u"RunUserAppCommandLine") + 1);
}

// Hidden settings and the names that stand for other settings are not in the table, so that
// editors do not show them; nor is "Name", which every file sets apart from the settings.
TEST(RootClient, HiddenSettingsAndAliasesAreNotListed) {
  CNPRootClient root;
  for (std::u16string_view name :
       {u"PSCommunicationType", u"PSHTTPServer", u"PSHTTPPwd", u"GridSize", u"FileEncoding", u"MouseX",
        u"PSPort", u"PermitZoom", u"RefreshBinding", u"Name"})
    EXPECT_EQ(root.FindPropertyInfo(name), nullptr) << U8(name);
}

TEST(RootClient, IsAFolderWithTheRootEvents) {
  CNPRootClient root;
  EXPECT_NE(dynamic_cast<CNPFormFolder*>(&root), nullptr);
  EXPECT_EQ(U8(root.GetClassId()), "Client");
  const auto events = root.GetClassProperties().GetEvents();
  ASSERT_EQ(events.size(), 20u);
  EXPECT_EQ(U8(events.front().name), "OnInitialize");
  EXPECT_EQ(U8(events.back().name), "OnShutdown");
  const auto& table = root.GetClassProperties();
  EXPECT_EQ(U8(events[table.FindEvent(u"OnMouseDown")].parameters), "object,button");
  EXPECT_EQ(U8(events[table.FindEvent(u"OnBeforeOpenForm")].parameters),
            "viewName,basedFormName,&isOpen,&stretchMode,&openParam,formName");
  EXPECT_EQ(U8(events[table.FindEvent(u"OnAfterOpenForm")].parameters),
            "viewName,basedFormName,objForm,formName");
  for (const EventInfo& event : events) EXPECT_EQ(U8(event.group), "Common");
}

}  // namespace
