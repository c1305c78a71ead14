#include "shell/panel_classes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "controls/label_controls.h"
#include "panel_classes_test_util.h"
#include "project/project_test_util.h"
#include "support/ref_cnt.h"
#include "values/enum_value.h"

namespace {

class PanelClasses : public PanelClassesTest {};

// Persisted properties that have no default by design: the place of an object, its rotation
// centre, and the settings that the program or the file supplies.
const std::set<std::u16string_view> kWithoutDefault = {
    u"Top",     u"Left", u"Height", u"Width",   u"X1",
    u"Y1",      u"X2",   u"Y2",     u"RotateX", u"RotateY",
    u"Product", u"Ver",  u"Rev",    u"FileRev", u"FileSaveWithoutDefault",
};

// The model walk: every class created through the registry reports its primary clid, answers a
// default for every persisted property (a default text that does not convert, such as an item
// missing from the list or a malformed colour, is lost and shows here) and reads it when new,
// and refuses names it does not have. Other values of every property are kept through the
// form file walk.
TEST_F(PanelClasses, EveryClassReadsItsDefaultsAndRefusesUnknownNames) {
  const auto records = AllRecords();
  ASSERT_EQ(records.size(), 78u);
  for (const CNObjectClassRecord* record : records) {
    SCOPED_TRACE(U8(record->clid));
    const CRPtr<CNObject> object = CRPtr<CNObject>::Adopt(m_registry.Create(record->clid));
    ASSERT_TRUE(object);
    const std::u16string primary = record->clid == u"Calender" ? u"Calendar" : record->clid;
    EXPECT_EQ(U8(object->GetClassId()), U8(primary));

    const CNClassProperties& table = object->GetClassProperties();
    std::set<std::u16string_view> names;
    for (uint32_t i = 0; i < table.GetCount(); ++i) {
      const PropertyInfo& info = table.GetInfo(i);
      SCOPED_TRACE(U8(info.name));
      EXPECT_TRUE(names.insert(info.name).second) << "listed twice";
      const bool enumeration = info.type == PT_ENUM || info.type == PT_BORDER_STYLE;
      EXPECT_TRUE(!enumeration || CNEnum::ItemCount(info.list) > 1)
          << "an enumeration needs items to choose from";

      CNValue def;
      const bool hasDefault = object->GetPropertyDefault(info.name, def);
      if (!info.persisted) continue;
      EXPECT_TRUE(hasDefault || kWithoutDefault.contains(info.name)) << "no default";
      CNValue fresh;
      ASSERT_EQ(object->GetProperty(info.name, fresh), 1);
      EXPECT_TRUE(!hasDefault || fresh.IsEqual(kCompareContents, def)) << U8(fresh.ToLiteral(true));
    }
    std::set<std::u16string_view> events;
    for (const EventInfo& event : table.GetEvents())
      EXPECT_TRUE(events.insert(event.name).second) << U8(event.name);

    CNValue untouched;
    untouched.SetString(u"kept");
    EXPECT_EQ(object->SetProperty(u"NoSuchProperty", untouched), 0);
    EXPECT_EQ(object->GetProperty(u"NoSuchProperty", untouched), 0);
    EXPECT_EQ(object->GetPropertyDefault(u"NoSuchProperty", untouched), 0);
    EXPECT_EQ(untouched.GetStringView(0), u"kept");
    EXPECT_EQ(object->SetProperty(u"name", untouched), 0) << "names compare exactly";
  }
  EXPECT_TRUE(m_box.GetRecords().empty());
}

// Thirteen categories hold their classes in the order of registration; a palette class has a
// shape, a class outside the palette has none unless it is a folder, a form or the root.
TEST_F(PanelClasses, CategoriesHoldTheirClassesInOrderAndPaletteClassesHaveAShape) {
  EXPECT_EQ(m_registry.GetCategoryCount(), 13u);
  EXPECT_EQ(U8(m_registry.Find(u"PolygonMeter")->shapeKind), "POINT,*");
  int64_t lastOrder = -1;
  for (const auto& category : m_registry.GetCategories()) {
    for (const CNObjectClassRecord* record : category.classes) {
      SCOPED_TRACE(U8(record->clid));
      EXPECT_EQ(record->category, category.name);
      EXPECT_GT(record->order, lastOrder);
      lastOrder = record->order;
      const bool framed = record->clid == u"Folder" || record->clid == u"Form" || record->clid == u"Client";
      EXPECT_EQ(record->shapeKind.empty(), record->category.empty() && !framed);
    }
  }
}

TEST_F(PanelClasses, SecondRegistrationOfAClidIsRefusedAndTheFirstStays) {
  EXPECT_FALSE(RegisterObjectClass<CNPLabel>(m_registry, u"Rectangle", u"Basic Controls"));
  const auto shown = m_box.GetRecords();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(U8(shown[0].text), "Rectangle already registered");
  EXPECT_EQ(U8(shown[0].caption), "Warning");
  EXPECT_EQ(U8(m_registry.Find(u"Rectangle")->category), "2D Shapes");
  EXPECT_EQ(U8(CRPtr<CNObject>::Adopt(m_registry.Create(u"Rectangle"))->GetClassId()), "Rectangle");

  m_box.ClearRecords();
  EXPECT_FALSE(RegisterPanelClasses(m_registry));
  EXPECT_EQ(m_box.GetRecords().size(), AllRecords().size());
  EXPECT_EQ(m_registry.GetCategories()[1].classes.size(), 7u) << "nothing registered twice";
}

TEST_F(PanelClasses, UnregisteringEverythingEmptiesTheRegistry) {
  UnregisterPanelClasses(m_registry);
  EXPECT_EQ(m_registry.GetCategoryCount(), 0u);
  EXPECT_EQ(m_registry.Find(u"Form"), nullptr);
  // The process-wide registry goes away once its last category is gone.
  ASSERT_TRUE(RegisterPanelClasses(CPanelControls::Instance()));
  CPanelControls::ReleaseInstance();
  EXPECT_EQ(CPanelControls::Instance().GetCategoryCount(), 13u) << "still registered, so kept";
  UnregisterPanelClasses(CPanelControls::Instance());
  CPanelControls::ReleaseInstance();
  EXPECT_EQ(CPanelControls::Instance().GetCategoryCount(), 0u);
  CPanelControls::ReleaseInstance();
}

}  // namespace
