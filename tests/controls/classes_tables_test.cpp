// What the property tables of the screen classes say beyond the class reference: whether an
// entry is stored in the file, bindable and how it is handled; and the lookup by UTF-8 bytes.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/buttons.h"
#include "controls/collection.h"
#include "controls/edit_box.h"
#include "controls/form.h"
#include "controls/form_folder.h"
#include "controls/meters.h"
#include "controls/shapes.h"
#include "support/utf16_text.h"

namespace {

template <class... T>
std::vector<CRPtr<CNObject>> Objects() {
  return {CRPtr<CNObject>::Adopt(new T)...};
}

TEST(ClassTables, EntriesCarryTheirKindsAndFlags) {
  struct Flags {
    std::u16string_view clid;
    std::u16string_view name;
    int32_t type;
    int32_t persisted;
    int32_t bindable;
    int32_t options;
    std::u16string_view list;
  };
  const Flags flags[] = {
      {u"Form", u"Title", PT_STRING, 1, 0, 0, u""},
      {u"Form", u"TranslationProp", PT_TEXT, 1, 0, kPropertyDesignTime, u""},
      {u"Form", u"VisualTheme", PT_VISUAL_THEME, 1, 0, 0, u"DEFAULT"},
      {u"Form", u"LocaleLanguage", PT_LOCALE, 1, 0, 0, u""},
      {u"Form", u"ImageFile", PT_FILE, 1, 1, 0, control_properties::kImageFilter},
      {u"Form", u"ViewFillColor", PT_COLOR, 1, 1, kPropertyColor, u""},
      {u"Form", u"ScrollPosY", PT_INTEGER, 0, 1, 0, u""},
      {u"Form", u"MenuParam", PT_TEXT, 1, 0, 0, u""},
      {u"Folder", u"Customize", PT_CUSTOMIZE, 1, 0, kPropertyDesignTime, u""},
      {u"Group", u"SwitchType", PT_ENUM, 1, 0, 0, u"A_SWITCH,B_SWITCH,ON_SWITCH,OFF_SWITCH,ALTERNATE_SWITCH"},
      {u"Group", u"SwitchValue", PT_BOOL, 1, 1, kPropertySwitchValue, u""},
      {u"Group", u"InnerFrameWidth", PT_INTEGER, 1, 1, 0, u",1"},
      {u"Rectangle", u"FillColorPush", PT_COLOR, 1, 1, kPropertyColor, u""},
      {u"Rectangle", u"BorderRound", PT_INTEGER, 1, 1, 0, u",0"},
      {u"Rectangle", u"Alpha", PT_NUMBER, 1, 1, 0, u"1,0"},
      {u"Rectangle", u"MouseY", PT_INTEGER, 0, 0, 0, u""},
      {u"Pie", u"EndAngle", PT_INTEGER, 1, 1, 0, u"360,-360"},
      {u"Polygon", u"Points", PT_STRING, 1, 1, 0, u""},
      {u"RectangleMeter", u"CenterValue", PT_NUMBER, 1, 1, 0, u""},
      {u"ToggleButton", u"GroupObject", PT_STRING, 1, 0, 0, u""},
      {u"ToggleButton", u"GroupValue", PT_NUMBER, 0, 1, kPropertySwitchValue, u""},
      {u"EditBox", u"Text", PT_TEXT, 1, 1, kPropertySwitchValue, u""},
      {u"EditBox", u"Value", PT_STRING, 0, 1, kPropertySwitchValue, u""},
      {u"EditBox", u"TextMarginRight", PT_INTEGER, 0, 0, 3, u""},
      {u"EditBox", u"PlaceHolderColor", PT_COLOR, 1, 1, kPropertyColor, u""},
      {u"EditBox", u"TextColor", PT_COLOR, 1, 1, 0, u""},
  };
  const std::vector<CRPtr<CNObject>> objects = Objects<CNPForm, CNPFormFolder, CNPCollection, CNPRect, CNPPie,
                                                       CNPPolygon, CNPRectMeter, CNPToggleButton, CNPEditBox>();
  for (const Flags& f : flags) {
    SCOPED_TRACE(Utf16ToUtf8(f.clid) + "." + Utf16ToUtf8(f.name));
    const auto o = std::find_if(objects.begin(), objects.end(),
                                [&](const auto& p) { return p->GetClassId() == f.clid; });
    ASSERT_NE(o, objects.end());
    const PropertyInfo* info = (*o)->FindPropertyInfo(f.name);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->type, f.type);
    EXPECT_EQ(info->persisted, f.persisted);
    EXPECT_EQ(info->bindable, f.bindable);
    EXPECT_EQ(info->options, f.options);
    EXPECT_EQ(info->list, f.list);
  }
}

// The loader looks property names up by their UTF-8 bytes; that lookup must agree with the
// UTF-16 one, also for names that differ only in the middle, in length or outside ASCII.
TEST(ClassProperties, NamesFoundByTheirUtf8BytesAsByTheirUtf16Text) {
  const CNClassProperties& table = CNPRect().GetClassProperties();
  std::vector<std::string> names;
  for (uint32_t i = 0; i < table.GetCount(); ++i) {
    const std::string name = Utf16ToUtf8(table.GetInfo(i).name);
    names.push_back(name);
    std::string middle = name;
    middle[middle.size() / 2] ^= 0x20;
    names.insert(names.end(), {middle, name + "x", name.substr(0, name.size() - 1), name + "\xC3\xA9"});
  }
  names.insert(names.end(), {"", "FillColorPushX", "BorderColour", "L\xC3\xA9" "ft", "\xFF\xFE"});
  for (const std::string& name : names)
    EXPECT_EQ(table.Find(std::string_view(name)), table.Find(Utf8ToUtf16(name))) << name;
}

}  // namespace
