// Every registered class through its element: each persisted property set to a value other than
// its default (texts that need escaping, line breaks, colours, items), saved, loaded back and
// compared.
#include <gtest/gtest.h>

#include <set>

#include "project/form_file_test_util.h"
#include "objects/custom_property_declarations.h"
#include "panel_classes_test_util.h"
#include "values/enum_value.h"

namespace {

// The project root reports the program's own name and version whatever is set.
const std::set<std::u16string_view> kProgramValues = {u"Product", u"Ver", u"Rev"};

// Sets the first candidate that the property keeps as something other than its default.
bool SetOtherValue(CNObject& object, const PropertyInfo& info) {
  CNValue def;
  const bool hasDefault = object.GetPropertyDefault(info.name, def);
  const double base = hasDefault ? def.GetNumber(0) : 0;
  const double step = info.type == PT_INTEGER ? 3 : 0.25;
  const auto count = static_cast<int32_t>(CNEnum::ItemCount(info.list));
  const int32_t item = hasDefault ? CNEnum::ItemIndex(info.list, def.GetStringView(0)) + 1 : 1;
  std::vector<CNValue> candidates(2);
  switch (info.type) {
    case PT_BOOL:
      candidates[0].SetBool(!(hasDefault && def.GetBool(0)));
      break;
    case PT_INTEGER:
    case PT_NUMBER:
      candidates[0].SetNumber(base + step);
      candidates[1].SetNumber(base - step);
      break;
    case PT_ENUM:
    case PT_BORDER_STYLE:
      candidates[0].SetString(CNEnum::ItemText(info.list, item % count));
      break;
    case PT_COLOR:
      candidates = {Text(u"#12AB56"), Text(u"@TextColor")};
      break;
    case PT_FONT:
      candidates[0].SetString(u"Arial,-16,0,700,1,0,0,0,0");
      break;
    case PT_CUSTOMIZE:
      candidates[0].SetString(u"[Property]\r\n_Extra=[string]\r\n");
      break;
    default:  // every escaped character and a line break; else the syntax of point lists
      candidates = {Text(u"x1 <&> \"q\" 'a'\r\nline 2"), Text(u"[PATH]8,8,8,8,8,8,336,8,336,8,336,8")};
  }
  for (const CNValue& candidate : candidates) {
    CNValue back;
    if (object.SetProperty(info.name, candidate) && object.GetProperty(info.name, back) &&
        !(hasDefault && back.IsEqual(kCompareContents, def)))
      return true;
  }
  return false;
}

class FormFileClasses : public PanelClassesTest {};

TEST_F(FormFileClasses, EveryClassKeepsEveryPersistedPropertyThroughItsElement) {
  for (const CNObjectClassRecord* record : AllRecords()) {
    SCOPED_TRACE(U8(record->clid));
    CRPtr<CNObject> object = CRPtr<CNObject>::Adopt(m_registry.Create(record->clid));
    ASSERT_TRUE(object);
    object->SetName(u"N <&> \"1\"");
    // All are set before any is read again, so that a value kept in another's place shows.
    const CNClassProperties& table = object->GetClassProperties();
    std::vector<std::pair<std::u16string_view, CNValue>> kept;
    for (uint32_t i = 0; i < table.GetCount(); ++i) {
      const PropertyInfo& info = table.GetInfo(i);
      if (info.persisted && info.name != u"Name" && !kProgramValues.contains(info.name)) {
        EXPECT_TRUE(SetOtherValue(*object, info)) << U8(info.name) << " keeps no other value";
        object->GetProperty(info.name, kept.emplace_back(info.name, CNValue()).second);
      }
    }
    for (const auto& [name, value] : kept) {
      CNValue back;
      object->GetProperty(name, back);
      EXPECT_TRUE(back.IsEqual(kCompareContents, value)) << U8(name) << " changed by a later property";
    }
    CNValue customize;
    ASSERT_TRUE(object->GetProperty(u"Customize", customize));
    if (DeclareCustomProperties(*object, customize.GetText(0)) == 1)
      object->SetProperty(u"_Extra", Text(u"e <&>\r\n"));
    object->SetBind(u"[Visible]$A < 2 && $B > 1");
    object->SetEvent(u"Sub OnInitialize()\r\n  x = \"<&>\" ' note\r\nEnd Sub\r\n");

    for (bool omitDefaults : {false, true}) {
      std::string saved;
      object->SaveXml(saved, {}, omitDefaults);
      pugi::xml_document document;
      ASSERT_TRUE(
          document.load_buffer(saved.data(), saved.size(), kFormXmlParseOptions, pugi::encoding_utf8));
      CRPtr<CNObject> back =
          CRPtr<CNObject>::Adopt(LoadFormElement(document.first_child(), nullptr, m_context));
      ASSERT_TRUE(back);
      ExpectSameTree(*object, *back);
    }
  }
  EXPECT_TRUE(m_box.GetRecords().empty());
}

// Reading sets properties from their texts without making a string value where the class stores
// the property as converted; every class must answer as if the value had been made, for texts
// that convert and texts that do not.
TEST_F(FormFileClasses, EveryPropertySetFromTextAsFromAStringValue) {
  for (const CNObjectClassRecord* record : AllRecords()) {
    SCOPED_TRACE(U8(record->clid));
    CRPtr<CNObject> byValue = CRPtr<CNObject>::Adopt(m_registry.Create(record->clid));
    CRPtr<CNObject> byText = CRPtr<CNObject>::Adopt(m_registry.Create(record->clid));
    const CNClassProperties& table = byValue->GetClassProperties();
    for (uint32_t i = 0; i < table.GetCount(); ++i) {
      const PropertyInfo& info = table.GetInfo(i);
      const std::u16string_view texts[] = {u"",         u"T",          u"0",         u"-7.5", u"#1a2B3c",
                                           u"#12345",   u"@TextColor", u"[PATH]1,2,3,4,5,6",
                                           CNEnum::ItemText(info.list, 1)};
      for (const std::u16string_view text : texts) {
        EXPECT_EQ(byText->SetPropertyText(info.name, text), byValue->SetProperty(info.name, Text(text)))
            << U8(info.name) << " = " << U8(text);
        CNValue fromText;
        CNValue fromValue;
        byText->GetProperty(info.name, fromText);
        byValue->GetProperty(info.name, fromValue);
        EXPECT_TRUE(fromText.IsEqual(kCompareContents, fromValue) && fromText.GetFlags() == fromValue.GetFlags())
            << U8(info.name) << " = " << U8(text) << ": " << U8(fromText.ToLiteral(true)) << " against "
            << U8(fromValue.ToLiteral(true));
      }
    }
  }
}

}  // namespace
