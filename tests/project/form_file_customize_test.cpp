// Custom-property declarations of the "Customize" text.
#include "form_file_test_util.h"
#include "objects/custom_property_declarations.h"

namespace {

TEST(CustomizeText, WhatCountsAsADeclarationList) {
  const std::pair<std::u16string_view, bool> cases[] = {
      {u"BASEMODE,", false},  // the project root's comma list of setting names
      {u"", false},
      {u"[property]", false},
      {u"[PropertyPage]\r\nx", false},
      {u"[Property]x", true},
      {u"[BindPage]\r\n  [Property]  \r\n", true},
      {u"a=b", true},
  };
  for (auto [text, isList] : cases) EXPECT_EQ(IsCustomPropertyDeclarationList(text), isList) << U8(text);
}

// The declared property as "list|initial literal|switches": p shown as a property, b offered to
// binds, n a not-defined value given, d decimal places shown, e empty allowed.
std::string Describe(const CNCustomProperty& property) {
  std::string text = U8(property.info.list) + "|" + U8(property.value.ToLiteral(true)) + "|";
  const std::pair<bool, char> switches[] = {{property.showProperty, 'p'},
                                            {property.showBind, 'b'},
                                            {property.notDefined, 'n'},
                                            {property.decimalPlaces, 'd'},
                                            {property.allowEmpty, 'e'}};
  for (auto [on, letter] : switches)
    if (on) text += letter;
  return text;
}

// Each line alone on a lamp: the property it declares, or PT_NONE when it is dropped.
TEST_F(FormFileTest, DeclarationsGiveTypesOptionsAndInitialValues) {
  const std::tuple<std::u16string_view, PropertyType, const char*> cases[] = {
      {u"_DisplayDate=[string];ShowBind:F;List:DAY,MONTH,YEAR", PT_ENUM, "DAY,MONTH,YEAR|#NOTHING#|pd"},
      {u" _Plain = [ String ] ; List: ", PT_STRING, "|\"\"|pbd"},
      {u"_On=[BOOL];ShowProperty:F", PT_BOOL, "|F|bd"},
      {u"_Count=[integer];List:A,B", PT_INTEGER, "|0|pbd"},
      {u"_Ratio=[number];showbind:false;Unknown:1;NoColon", PT_NUMBER, "|0|pd"},
      {u"_Tint=[color]", PT_COLOR, "|\"#000000\"|pbd"},
      {u"_Note=[multilinestring];AllowEmpty:T", PT_TEXT, "|\"\"|pbde"},
      {u"_Fmt=[numberformat];DecimalPlaces:F", PT_NUMBER_FORMAT, "|\"\"|pb"},
      // Tag properties are never offered to binds.
      {u"_Level=[tag_in];NotDefined:#NOTDEF#;ShowBind:T", PT_TAG_IN, "|#NOTHING#|pnd"},
      {u"_Set=[tag_out];NotDefined:12.5", PT_TAG_OUT, "|12.5|pd"},
      {u"_Both=[tag_inout]", PT_TAG_INOUT, "|#NOTHING#|pd"},
      {u"_Widget=[widget]", PT_NONE, ""},
      {u"_NoBrackets=string", PT_NONE, ""},
      {u"_Open=[bool", PT_NONE, ""},
      {u"=[bool]", PT_NONE, ""},
      {u"_a b=[bool]", PT_NONE, ""},
      {u"1st=[bool]", PT_NONE, ""},
      {u"Bind=[string]", PT_NONE, ""},  // would clash with the element's own attributes
      {u"clid=[string]", PT_NONE, ""},
  };
  for (const auto& [line, type, description] : cases) {
    SCOPED_TRACE(U8(line));
    CTestLamp lamp;
    ASSERT_EQ(DeclareCustomProperties(lamp, line), type == PT_NONE ? 0u : 1u);
    if (type == PT_NONE) continue;
    const CNCustomProperty& property = *lamp.GetCustomProperty(0);
    EXPECT_EQ(property.info.type, type);
    EXPECT_EQ(property.info.bindable, property.showBind ? 1 : 0);
    EXPECT_EQ(Describe(property), description);
  }
  EXPECT_TRUE(m_box.GetRecords().empty()) << MessageTexts();
}

TEST_F(FormFileTest, OnlyThePropertySectionDeclaresAndKnownNamesAreRefused) {
  CTestLamp lamp;
  EXPECT_EQ(DeclareCustomProperties(lamp,
                                    u"_Early=[bool]\r\n[PropertyPage]\r\n_Page=[bool]\r\n[Property]\r\n"
                                    u"_Late=[integer]\r\n_Early=[string]\r\nAlpha=[number]\r\n"
                                    u"[BindPage]\r\n_Bind=[bool]\r\n"),
            2u);
  EXPECT_EQ(U8(lamp.GetPropertyName(lamp.GetPropertyCount() - 2)), "_Early");
  EXPECT_EQ(U8(lamp.GetPropertyName(lamp.GetPropertyCount() - 1)), "_Late");
  lamp.SetName(u"Lamp1");
  EXPECT_EQ(DeclareCustomProperties(lamp, u"[Property]\n_Late=[bool]\n"), 0u);
  EXPECT_EQ(MessageTexts(),
            "Custom property name is already existed. ClassID:Lamp Name:(empty) Property:_Early\n"
            "Custom property name is already existed. ClassID:Lamp Name:(empty) Property:Alpha\n"
            "Custom property name is already existed. ClassID:Lamp Name:Lamp1 Property:_Late\n");
}

TEST_F(FormFileTest, CustomPropertiesPerObjectAreCapped) {
  std::u16string text;
  for (uint32_t i = 0; i <= kMaxCustomProperties; ++i)
    text += u"_p" + Utf8ToUtf16(std::to_string(i)) + u"=[bool]\n";
  CTestLamp lamp;
  EXPECT_EQ(DeclareCustomProperties(lamp, text), kMaxCustomProperties);
}

}  // namespace
