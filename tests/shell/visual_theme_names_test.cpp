// Every "@" name that a registered class gives as a default, or that the built-in dialogs set, is
// defined by every built-in theme with a value of the kind the property takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <vector>

#include "objects/property_codec.h"
#include "panel_classes_test_util.h"
#include "project/builtin_resources.h"
#include "project/project_test_util.h"
#include "screen/visual_themes.h"
#include "support/ref_cnt.h"
#include "values/enum_value.h"

namespace {

class VisualThemeNames : public PanelClassesTest {
 protected:
  void SetUp() override {
    PanelClassesTest::SetUp();
    CNVisualThemes set;
    for (const std::u16string& name : set.GetThemeNames())
      ASSERT_TRUE(set.GetTheme(name, m_themes.emplace_back()));
    ASSERT_EQ(m_themes.size(), 15u);
  }
  void TearDown() override {
    EXPECT_TRUE(m_box.GetRecords().empty());
    PanelClassesTest::TearDown();
  }

  // A property's text: an "@" name of a colour or border style must be defined by every theme as
  // a colour or as an item of the property's border styles; a theme name must be a built-in theme.
  void Check(const PropertyInfo& info, std::u16string_view text, const std::string& where) {
    if (info.type == PT_VISUAL_THEME && text != u"DEFAULT") {
      EXPECT_TRUE(std::any_of(m_themes.begin(), m_themes.end(),
                              [text](const CNVisualTheme& theme) { return theme.GetName() == text; }))
          << where << ": no theme " << U8(text);
    }
    // Elsewhere "@" opens the names of formats ("@NUMBER").
    if ((info.type != PT_COLOR && info.type != PT_BORDER_STYLE) || !IsThemeReference(text)) return;
    m_seen.emplace(text);
    for (const CNVisualTheme& theme : m_themes) {
      const std::u16string* value = theme.FindValue(text);
      const std::string what = where + " = " + U8(text) + " in " + U8(theme.GetName());
      if (!value) {
        ADD_FAILURE() << what << ": not defined";
        continue;
      }
      uint32_t color = 0;
      const bool fits =
          info.type == PT_COLOR ? ParseColorText(*value, color) : CNEnum::ItemIndex(info.list, *value) >= 0;
      EXPECT_TRUE(fits) << what << ": " << U8(*value);
    }
  }

  CRPtr<CNObject> Create(std::u16string_view clid) { return CRPtr<CNObject>::Adopt(m_registry.Create(clid)); }

  std::vector<CNVisualTheme> m_themes;
  std::set<std::u16string, std::less<>> m_seen;
};

TEST_F(VisualThemeNames, EveryClassDefaultIsDefinedByEveryBuiltInTheme) {
  for (const CNObjectClassRecord* record : AllRecords()) {
    CRPtr<CNObject> object = Create(record->clid);
    ASSERT_TRUE(object) << U8(record->clid);
    const CNClassProperties& table = object->GetClassProperties();
    for (uint32_t i = 0; i < table.GetCount(); ++i) {
      const PropertyInfo& info = table.GetInfo(i);
      CNValue def;
      if (object->GetPropertyDefault(info.name, def) && def.IsString(0))
        Check(info, def.GetStringView(0), U8(record->clid) + "." + U8(info.name));
    }
  }
  // The walk reaches the buttons, the edit boxes, the forms and the charts.
  for (const std::u16string_view name : {u"@ButtonColor", u"@BorderStyle3", u"@BorderStyle5", u"@FormColor",
                                         u"@ChartTextColor", u"@LightOnColor"})
    EXPECT_TRUE(m_seen.contains(name)) << U8(name);
}

TEST_F(VisualThemeNames, EveryNameTheBuiltInDialogsSetIsDefinedByEveryBuiltInTheme) {
  const std::span<const uint8_t> bytes = BuiltInResources().front().bytes;
  pugi::xml_document document;
  ASSERT_TRUE(document.load_buffer(bytes.data(), bytes.size()));
  size_t uses = 0;
  for (const pugi::xpath_node& node : document.select_nodes("//*[@clid]")) {
    const pugi::xml_node element = node.node();
    CRPtr<CNObject> object = Create(Utf8ToUtf16(element.attribute("clid").value()));
    ASSERT_TRUE(object) << element.attribute("clid").value();
    for (const pugi::xml_attribute attribute : element.attributes()) {
      const std::u16string text = Utf8ToUtf16(attribute.value());
      const PropertyInfo* info = object->FindPropertyInfo(Utf8ToUtf16(attribute.name()));
      if (!IsThemeReference(text) || !info) continue;
      ++uses;
      Check(*info, text, std::string(element.attribute("Name").value()) + "." + attribute.name());
    }
  }
  EXPECT_GT(uses, 0u);
}

}  // namespace
