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

// Each line alone on a lamp: the property it declares, or PT_NONE when it is dropped.
TEST_F(FormFileTest, DeclarationsGiveTypesOptionsAndInitialValues) {
  struct Case {
    std::u16string_view line;
    PropertyType type;
    const char* list = "";
    const char* initial = "";  // literal of the initial value
    bool showProperty = false, showBind = false, notDefined = false, decimalPlaces = false,
         allowEmpty = false;
  };
  const Case cases[] = {
      {u"_DisplayDate=[string];ShowBind:F;List:DAY,MONTH,YEAR", PT_ENUM, "DAY,MONTH,YEAR", "#NOTHING#", 1, 0,
       0, 1, 0},
      {u" _Plain = [ String ] ; List: ", PT_STRING, "", "\"\"", 1, 1, 0, 1, 0},
      {u"_On=[BOOL];ShowProperty:F", PT_BOOL, "", "F", 0, 1, 0, 1, 0},
      {u"_Count=[integer];List:A,B", PT_INTEGER, "", "0", 1, 1, 0, 1, 0},
      {u"_Ratio=[number];showbind:false;Unknown:1;NoColon", PT_NUMBER, "", "0", 1, 0, 0, 1, 0},
      {u"_Tint=[color]", PT_COLOR, "", "\"#000000\"", 1, 1, 0, 1, 0},
      {u"_Note=[multilinestring];AllowEmpty:T", PT_TEXT, "", "\"\"", 1, 1, 0, 1, 1},
      {u"_Fmt=[numberformat];DecimalPlaces:F", PT_NUMBER_FORMAT, "", "\"\"", 1, 1, 0, 0, 0},
      // Tag properties are never offered to binds.
      {u"_Level=[tag_in];NotDefined:#NOTDEF#;ShowBind:T", PT_TAG_IN, "", "#NOTHING#", 1, 0, 1, 1, 0},
      {u"_Set=[tag_out];NotDefined:12.5", PT_TAG_OUT, "", "12.5", 1, 0, 0, 1, 0},
      {u"_Both=[tag_inout]", PT_TAG_INOUT, "", "#NOTHING#", 1, 0, 0, 1, 0},
      {u"_Widget=[widget]", PT_NONE},
      {u"_NoBrackets=string", PT_NONE},
      {u"_Open=[bool", PT_NONE},
      {u"=[bool]", PT_NONE},
      {u"_a b=[bool]", PT_NONE},
      {u"1st=[bool]", PT_NONE},
      {u"Bind=[string]", PT_NONE},  // would clash with the element's own attributes
      {u"clid=[string]", PT_NONE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.line));
    CTestLamp lamp;
    ASSERT_EQ(DeclareCustomProperties(lamp, c.line), c.type == PT_NONE ? 0u : 1u);
    if (c.type == PT_NONE) continue;
    const CNCustomProperty& property = *lamp.GetCustomProperty(0);
    EXPECT_EQ(property.info.type, c.type);
    EXPECT_EQ(U8(property.info.list), c.list);
    EXPECT_EQ(U8(property.value.ToLiteral(true)), c.initial);
    EXPECT_EQ(property.showProperty, c.showProperty);
    EXPECT_EQ(property.info.bindable, property.showBind ? 1 : 0);
    EXPECT_EQ(property.showBind, c.showBind);
    EXPECT_EQ(property.notDefined, c.notDefined);
    EXPECT_EQ(property.decimalPlaces, c.decimalPlaces);
    EXPECT_EQ(property.allowEmpty, c.allowEmpty);
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
