// Property and event tables of the forms, groups, shapes, meters, buttons and edit boxes.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "controls/buttons.h"
#include "controls/collection.h"
#include "controls/edit_box.h"
#include "controls/form.h"
#include "controls/form_folder.h"
#include "controls/meters.h"
#include "controls/shapes.h"
#include "value_test_util.h"
#include "values/enum_value.h"

namespace {

using Names = std::vector<std::u16string_view>;

template <class T>
CRPtr<CNObject> Make() {
  return CRPtr<CNObject>::Adopt(new T);
}

// One class: its clid, its entry count, and the names that open and close its own groups (the
// entries between the common "Basic" ones and "Top"), and names it must not have.
struct ClassCase {
  std::u16string_view clid;
  CRPtr<CNObject> (*make)();
  uint32_t count;
  Names ownFirst;
  Names ownLast;
  Names absent;
};

// clang-format off
const std::vector<ClassCase>& ScreenClasses() {
  static const std::vector<ClassCase> cases = {
      {u"Rectangle", Make<CNPRect>, 66, {u"SwitchType", u"SwitchValue", u"Text"},
       {u"Alpha", u"RotateX", u"RotateY", u"Angle"}, {}},
      {u"Ellipse", Make<CNPEllipse>, 65, {u"SwitchType", u"SwitchValue", u"Text"},
       {u"FillColorBack", u"Alpha", u"RotateX", u"RotateY", u"Angle"}, {u"BorderRound", u"Points"}},
      {u"Pie", Make<CNPPie>, 60, {u"SwitchType", u"SwitchValue", u"Border"},
       {u"Alpha", u"StartAngle", u"EndAngle", u"RotateX", u"RotateY", u"Angle"}, {u"Text", u"BorderRound"}},
      {u"Arc", Make<CNPArc>, 55, {u"SwitchType", u"SwitchValue", u"LineColor"},
       {u"EndAngle", u"RotateX", u"RotateY", u"Angle", u"Alpha"}, {u"Border", u"Fill", u"LineEndcap"}},
      {u"Line", Make<CNPLine>, 60, {u"SwitchType", u"SwitchValue", u"Border", u"BorderColor", u"BorderWidth",
       u"BorderLine", u"X1", u"Y1", u"X2", u"Y2", u"LineColor"}, {u"LineEndcap", u"LineEndcap2", u"Alpha"}, {u"Fill", u"Angle"}},
      {u"Polygon", Make<CNPPolygon>, 60, {u"SwitchType", u"SwitchValue", u"Border"},
       {u"Alpha", u"Points", u"RotateX", u"RotateY", u"Angle"}, {u"Text"}},
      {u"Polyline", Make<CNPPolyline>, 57, {u"SwitchType", u"SwitchValue", u"Points", u"LineColor"},
       {u"LineJoin", u"RotateX", u"RotateY", u"Angle", u"Alpha"}, {u"Fill", u"Border"}},
      {u"RectangleMeter", Make<CNPRectMeter>, 65, {u"SwitchType", u"SwitchValue", u"Text"},
       {u"Min", u"MeterFillColor", u"MeterFillStyle", u"MeterFillDirection", u"Center", u"CenterLine",
        u"CenterLineColor", u"CenterValue"}, {u"Alpha", u"FillColorPush"}},
      {u"EllipseMeter", Make<CNPEllipseMeter>, 61, {u"SwitchType", u"SwitchValue", u"Text"},
       {u"Min", u"MeterFillColor", u"MeterFillStyle", u"MeterFillDirection"}, {u"Center"}},
      {u"PieMeter", Make<CNPPieMeter>, 62, {u"SwitchType", u"SwitchValue", u"Text"},
       {u"MeterFillStyle", u"StartAngle", u"EndAngle"}, {u"MeterFillDirection"}},
      {u"PolygonMeter", Make<CNPPolygonMeter>, 63, {u"SwitchType", u"SwitchValue", u"Text"},
       {u"MeterFillDirection", u"Points"}, {}},
      {u"Button", Make<CNPCommandButton>, 85, {u"SwitchType", u"SwitchValue", u"PushType", u"Text"},
       {u"LightBottom", u"ImageFile", u"ImageColor", u"ImageLeft", u"ImageTop", u"ImageRight", u"ImageBottom",
        u"ImageSizeX", u"ImageSizeY"}, {u"TextColorOn", u"GroupObject"}},
      {u"ToggleButton", Make<CNPToggleButton>, 80, {u"SwitchValue", u"PushType"},
       {u"ImageSizeY", u"GroupObject", u"GroupValue", u"GroupThisValue"}, {u"SwitchType", u"Light", u"LightValue"}},
      {u"CheckBox", Make<CNPCheckBox>, 61, {u"SwitchValue", u"Text"},
       {u"MarkSize", u"MarkStyle"}, {u"SwitchType", u"GroupObject"}},
      {u"RadioButton", Make<CNPRadioButton>, 63, {u"SwitchValue", u"Text"},
       {u"MarkSize", u"GroupObject", u"GroupValue", u"GroupThisValue"}, {u"SwitchType", u"MarkStyle"}},
      {u"Group", Make<CNPCollection>, 49, {u"FocusRect", u"FocusHover", u"SwitchType"},
       {u"SwitchValue", u"InnerFrame", u"InnerFrameColor", u"InnerFrameWidth"}, {u"Title"}},
      {u"EditBox", Make<CNPEditBox>, 68, {u"TabAfterEnter", u"TextType"},
       {u"Border3DShadow", u"FillColor", u"FillStyle"}, {u"Fill", u"VerticalScroll", u"SwitchValue"}},
      {u"MultilineEditBox", Make<CNPMultilineEditBox>, 69, {u"TabAfterEnter", u"TextType"},
       {u"FillStyle", u"VerticalScroll"}, {}},
  };
  return cases;
}
// clang-format on

// Every class of this family, with the forms' tree classes.
std::vector<CRPtr<CNObject>> AllObjects() {
  std::vector<CRPtr<CNObject>> objects;
  for (const ClassCase& c : ScreenClasses()) objects.push_back(c.make());
  objects.push_back(Make<CNPForm>());
  objects.push_back(Make<CNPFormFolder>());
  return objects;
}

Names PropertyNames(const CNObject& o) {
  Names names;
  for (uint32_t i = 0; i < o.GetPropertyCount(); ++i) names.push_back(o.GetPropertyName(i));
  return names;
}

std::string Utf8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

// Names as UTF-8, so that a mismatch prints readably.
std::vector<std::string> Utf8(const Names& names) {
  std::vector<std::string> texts;
  for (std::u16string_view name : names) texts.push_back(Utf8(name));
  return texts;
}

constexpr std::u16string_view kHatches =
    u"SOLID,HORIZONTAL,VERTICAL,FORWARD DIAGONAL,BACKWARD DIAGONAL,CROSS,DIAGONAL CROSS";
constexpr std::u16string_view kLineStyles = u"SOLID,DASH,DOT,DASHDOT,DASHDOTDOT";
constexpr std::u16string_view kEndcaps =
    u"FLAT,ROUND,SQUARE,TRIANGLE,SQUARE_ANCHOR,ROUND_ANCHOR,DIAMOND_ANCHOR,ARROW_ANCHOR";
constexpr std::u16string_view kSunkBorderStyles = u"FLAT,3D_FRAME,3D_RAISE1,3D_SUNK1,3D_RAISE2,3D_SUNK2";

// The item list an enumeration of that class must offer; none for a name with no expectation.
std::optional<std::u16string> ExpectedItems(std::u16string_view clid, std::u16string_view name) {
  if (name == u"FillStyle") {
    const bool gradients = clid == u"Rectangle" || clid == u"Ellipse" || clid == u"Pie" || clid == u"Polygon";
    if (!gradients) return std::u16string(kHatches);
    return std::u16string(kHatches) +
           u",GD_HORIZONTAL1,GD_HORIZONTAL2,GD_HORIZONTAL3,GD_HORIZONTAL4"
           u",GD_VERTICAL1,GD_VERTICAL2,GD_VERTICAL3,GD_VERTICAL4"
           u",GD_FORWARDDIAGONAL1,GD_FORWARDDIAGONAL2,GD_FORWARDDIAGONAL3,GD_FORWARDDIAGONAL4"
           u",GD_BACKWARDDIAGONAL1,GD_BACKWARDDIAGONAL2,GD_BACKWARDDIAGONAL3,GD_BACKWARDDIAGONAL4"
           u",GD_CENTER1,GD_CENTER2";
  }
  if (name == u"BorderStyle") {
    if (clid == u"Button") return u"FLAT,3D_FRAME,3D_RAISE1,3D_RAISE2";
    if (clid == u"ToggleButton") return u"FLAT,3D_FRAME,3D_RAISE1,3D_RAISE2,TABTOP,TABBOTTOM";
    return std::u16string(kSunkBorderStyles);
  }
  static const std::vector<std::pair<std::u16string_view, std::u16string_view>> items = {
      {u"AutoResizeX", u"LEFT,RIGHT,LEFTRIGHT,CENTER"},
      {u"AutoResizeY", u"TOP,BOTTOM,TOPBOTTOM,CENTER"},
      {u"ToolTipType", u"NONE,TEXT,EVENT"},
      {u"ToolTipX", u"MOUSE,CENTER,INNER_LEFT,INNER_RIGHT,OUTER_RIGHT,OUTER_LEFT"},
      {u"ToolTipY", u"MOUSE,CENTER,INNER_TOP,INNER_BOTTOM,OUTER_TOP,OUTER_BOTTOM"},
      {u"SwitchType", u"A_SWITCH,B_SWITCH,ON_SWITCH,OFF_SWITCH,ALTERNATE_SWITCH"},
      {u"BorderLine", kLineStyles},
      {u"LineStyle", kLineStyles},
      {u"MeterFillStyle", kHatches},
      {u"LineEndcap", kEndcaps},
      {u"BorderJoin", u"ROUND,MITER,BEVEL"},
      {u"LineJoin", u"ROUND,MITER,BEVEL"},
      {u"MeterFillDirection", u"BOTTOM_TO_TOP,TOP_TO_BOTTOM,LEFT_TO_RIGHT,RIGHT_TO_LEFT"},
      {u"PushType", u"NONE,MOUSE,VALUE"},
      {u"TextAlignX", u"LEFT,CENTER,RIGHT"},
      {u"TextAlignY", u"TOP,CENTER,BOTTOM"},
      {u"FillType", u"NONE,FULL,TOP,BOTTOM,LEFT,RIGHT"},
      {u"TextAlign", u"LEFT,RIGHT"},
      {u"MarkStyle", u"TICK,CROSS"},
      {u"TextType", u"TEXT,NUMBER,PASSWORD"},
      {u"IMEMode", u"NONE,ON,OFF"},
      {u"StartCursor", u"NONE,MOUSE,LEFT,RIGHT,SELECTALL"},
      {u"TabMode", u"NONE,INDEX,DOWN,RIGHT,TABINDEX"},
      {u"DrawMode", u"NORMAL,ACCELERATE"},
      {u"Stretch", u"CURRENT,ROOT,NONE,STRETCH_FULL,STRETCH_KEEPRATE,RESIZE_FULL,RESIZE_KEEPRATE"},
      {u"AllowZoom", u"DEFAULT,TRUE,FALSE"},
  };
  if (name == u"LineEndcap2") return std::u16string(kEndcaps) + u",DEFAULT";
  for (const auto& [n, list] : items)
    if (n == name) return std::u16string(list);
  return std::nullopt;
}

}  // namespace

TEST(ClassTables, ScreenClassesHaveTheirIdsCountsAndGroupOrder) {
  for (const ClassCase& c : ScreenClasses()) {
    SCOPED_TRACE(Utf8(c.clid));
    const CRPtr<CNObject> o = c.make();
    EXPECT_EQ(o->GetClassId(), c.clid);
    const Names names = PropertyNames(*o);
    ASSERT_EQ(names.size(), c.count);
    // Every class opens with the common "Basic" entries and closes with the common Position,
    // State, Tooltip and Library ones.
    EXPECT_EQ(names.front(), u"Name");
    EXPECT_EQ(names[12], u"TranslationProp");
    EXPECT_EQ(names[names.size() - 29], u"Top");
    EXPECT_EQ(names[names.size() - 10], u"EnabledLibrary");
    EXPECT_EQ(names.back(), u"Customize");
    EXPECT_EQ(Utf8(Names(names.begin() + 13, names.begin() + 13 + c.ownFirst.size())), Utf8(c.ownFirst));
    const auto top = names.end() - 29;
    EXPECT_EQ(Utf8(Names(top - static_cast<ptrdiff_t>(c.ownLast.size()), top)), Utf8(c.ownLast));
    for (std::u16string_view name : c.absent) EXPECT_EQ(o->FindPropertyInfo(name), nullptr) << Utf8(name);
  }
}

TEST(ClassTables, FormAndFolderOpenAndCloseWithTheirOwnEntries) {
  const CRPtr<CNObject> form = Make<CNPForm>();
  EXPECT_EQ(form->GetClassId(), u"Form");
  const Names names = PropertyNames(*form);
  ASSERT_EQ(names.size(), 45u);
  EXPECT_EQ(Utf8(Names(names.begin(), names.begin() + 10)),
            Utf8(Names{u"Name", u"Comment", u"Enabled", u"EnabledInput", u"Focusable", u"FocusRect",
                       u"FocusHover", u"Title", u"TabMode", u"TranslationProp"}));
  EXPECT_EQ(Utf8(Names(names.begin() + 24, names.begin() + 36)),
            Utf8(Names{u"ViewFillColor", u"ScrollPosX", u"ScrollPosY", u"StFocusIn", u"StMouseIn",
                       u"StMouseL", u"StMouseR", u"StMouseM", u"MenuCandidate", u"MenuFilter", u"MenuParam",
                       u"EnabledLibrary"}));

  const CRPtr<CNObject> folder = Make<CNPFormFolder>();
  EXPECT_EQ(folder->GetClassId(), u"Folder");
  EXPECT_EQ(folder->GetPropertyCount(), 12u);
  EXPECT_EQ(folder->GetPropertyName(1), u"Comment");
  EXPECT_EQ(folder->GetPropertyName(2), u"EnabledLibrary");
  EXPECT_TRUE(folder->GetClassProperties().GetEvents().empty());
}

TEST(ClassTables, NamesAreUniqueAndEveryEnumerationOffersItsItems) {
  for (const CRPtr<CNObject>& o : AllObjects()) {
    SCOPED_TRACE(Utf8(o->GetClassId()));
    Names names = PropertyNames(*o);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
    for (uint32_t i = 0; i < o->GetPropertyCount(); ++i) {
      const PropertyInfo& info = *o->GetPropertyInfo(i);
      if (info.type != PT_ENUM && info.type != PT_BORDER_STYLE) continue;
      const std::optional<std::u16string> items = ExpectedItems(o->GetClassId(), info.name);
      ASSERT_TRUE(items.has_value()) << "unexpected enumeration " << Utf8(info.name);
      EXPECT_EQ(info.list, *items) << Utf8(info.name);
      EXPECT_EQ(info.type, info.name == u"BorderStyle" ? PT_BORDER_STYLE : PT_ENUM) << Utf8(info.name);
    }
  }
}

TEST(ClassTables, TrickyEntriesCarryTheirKindsAndFlags) {
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
  const std::vector<CRPtr<CNObject>> objects = AllObjects();
  for (const Flags& f : flags) {
    SCOPED_TRACE(Utf8(f.clid) + "." + Utf8(f.name));
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

TEST(ClassTables, EventTablesAddTheirOwnEventsAfterTheCommonOnes) {
  using Events = std::vector<std::pair<std::u16string_view, std::u16string_view>>;
  const Events switched = {{u"OnSwitchChanged", u"value"}};
  const Events grouped = {{u"OnSwitchChanged", u"value"}, {u"OnGroupValueChanged", u"value"}};
  const Events edit = {{u"OnTextChanged", u"&text"},
                       {u"OnTextChanging", u"&text"},
                       {u"OnTextFormatError", u"text"},
                       {u"OnEditBoxValueChanged", u"&value"}};
  const std::vector<std::pair<std::u16string_view, Events>> expected = {
      {u"Form", {{u"OnBeforeInitialize", u""}, {u"OnDialogClose", u"&bClose"}}},
      {u"Group", switched},
      {u"Rectangle", switched},
      {u"Polyline", switched},
      {u"PieMeter", switched},
      {u"Button", switched},
      {u"CheckBox", switched},
      {u"ToggleButton", grouped},
      {u"RadioButton", grouped},
      {u"EditBox", edit},
      {u"MultilineEditBox", edit},
  };
  const size_t common = common_properties::kCommonEvents.size();
  for (const CRPtr<CNObject>& o : AllObjects()) {
    const auto it = std::find_if(expected.begin(), expected.end(),
                                 [&](const auto& e) { return e.first == o->GetClassId(); });
    if (it == expected.end()) continue;
    SCOPED_TRACE(Utf8(it->first));
    const auto events = o->GetClassProperties().GetEvents();
    ASSERT_EQ(events.size(), common + it->second.size());
    EXPECT_EQ(events[0].name, u"OnInitialize");
    for (size_t k = 0; k < it->second.size(); ++k) {
      EXPECT_EQ(events[common + k].name, it->second[k].first);
      EXPECT_EQ(events[common + k].parameters, it->second[k].second);
      EXPECT_NE(events[common + k].group, u"Common");
    }
  }
}
