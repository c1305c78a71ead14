#include "shell/panel_classes.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "controls/label_controls.h"
#include "support/message_box.h"
#include "support/ref_cnt.h"
#include "support/utf16_text.h"
#include "values/enum_value.h"

namespace {

std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

// A registry of its own for each test, and a message box that records what it would show.
class PanelClasses : public testing::Test {
 protected:
  void SetUp() override {
    m_previousBox = CRMessageBox::SetCurrent(&m_box);
    ASSERT_TRUE(RegisterPanelClasses(m_registry));
  }
  void TearDown() override { CRMessageBox::SetCurrent(m_previousBox); }

  std::vector<const CNObjectClassRecord*> AllRecords() const {
    std::vector<const CNObjectClassRecord*> records;
    for (const auto& category : m_registry.GetCategories())
      records.insert(records.end(), category.classes.begin(), category.classes.end());
    return records;
  }

  CPanelControls m_registry;
  CRRecordingMessageBox m_box;
  CRMessageBox* m_previousBox = nullptr;
};

// Releases an object made by the registry.
struct Created {
  explicit Created(CNObject* object) : object(object) {}
  ~Created() {
    if (object) object->Release();
  }
  CNObject* operator->() const { return object; }
  CNObject* object;
};

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
    Created object(m_registry.Create(record->clid));
    ASSERT_NE(object.object, nullptr);
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

TEST_F(PanelClasses, CategoriesListTheirClassesInTableOrder) {
  const std::vector<std::pair<std::u16string, std::u16string>> expected = {
      {u"",
       u"Folder,Form,Client,Group,BlinkFormatParser,NumberFormatParser,Calender,TimeGridRotary,Chart,Report,"
       u"DirectDAO,RemoteDAO,CopyFileWithMutex,Scheduler,ScheduleMaster,DateTime,Math,Search"},
      {u"2D Shapes", u"Line,Rectangle,Ellipse,Pie,Arc,Polygon,Polyline"},
      {u"Basic Controls",
       u"Label,HyperLink,Menu,EditBox,MultilineEditBox,Frame,3DFrame,Button,ToggleButton,RadioButton,"
       u"CheckBox,"
       u"ListBox,ComboBox,HorizontalScrollBar,VerticalScrollBar,HorizontalScale,VerticalScale,"
       u"HorizontalSlider,"
       u"VerticalSlider,GridLines,GridControl,Calendar,ViewControl,WebBrowser,SideMenu,TimeGridSeries"},
      {u"Image", u"Image,ImageLight,ImageSwitch,ImageSelect"},
      {u"Meter", u"RectangleMeter,EllipseMeter,PieMeter,PolygonMeter"},
      {u"Graph", u"PlotGraph,TrendGraph,HistoricalDataGraph,Chart2"},
      {u"Alarm", u"RemoteAlarmGrid,RemoteAlarmClient"},
      {u"Report", u"DayReportClient,DayReportGrid,SummaryReportGrid"},
      {u"Database", u"DirectQueryDB,RemoteQueryDB,HistoricalData"},
      {u"Multi Media", u"Sound,Speech"},
      {u"File", u"FileTransfer,TextDump"},
      {u"Demand", u"DemandMaster,Demand"},
      {u"Etc", u"TagBind"},
  };
  const auto& categories = m_registry.GetCategories();
  ASSERT_EQ(categories.size(), expected.size());
  EXPECT_EQ(m_registry.GetCategoryCount(), expected.size());
  uint32_t lastOrder = 0;
  bool first = true;
  for (size_t c = 0; c < expected.size(); ++c) {
    std::u16string clids;
    for (const CNObjectClassRecord* record : categories[c].classes) {
      clids += (clids.empty() ? u"" : u",") + record->clid;
      EXPECT_EQ(record->category, categories[c].name);
      EXPECT_TRUE(first || record->order > lastOrder) << U8(record->clid);
      lastOrder = record->order, first = false;
    }
    EXPECT_EQ(U8(categories[c].name), U8(expected[c].first));
    EXPECT_EQ(U8(clids), U8(expected[c].second));
  }
}

TEST_F(PanelClasses, DisplayNamesAndShapeKinds) {
  struct Case {
    std::u16string_view clid, displayName, shapeKind;
  };
  const Case cases[] = {
      {u"Folder", u"Folder", u"RECT"},
      {u"Form", u"Form", u"RECT"},
      {u"Client", u"Client", u"RECT"},
      {u"Group", u"Group", u""},
      {u"Calender", u"Calender", u""},
      {u"Math", u"Math", u""},
      {u"NumberFormatParser", u"NumberFormatParser", u""},
      {u"Line", u"Line", u"POINT,2"},
      {u"Rectangle", u"Rectangle", u"RECT"},
      {u"Polygon", u"Polygon", u"PATH,C"},
      {u"Polyline", u"Polyline", u"PATH,O"},
      {u"PolygonMeter", u"Polygon Meter", u"POINT,*"},
      {u"EditBox", u"Edit Box", u"RECT"},
      {u"HorizontalScale", u"Horizontal Scale Control", u"RECT"},
      {u"TimeGridSeries", u"Series Time Grid Control", u"RECT"},
      {u"Chart2", u"Chart Ver2", u"RECT"},
      {u"RemoteAlarmGrid", u"Remote alarm grid client", u"RECT"},
      {u"DirectQueryDB", u"Direct query database", u"RECT"},
      {u"TagBind", u"TagBind", u"RECT"},
  };
  for (const Case& c : cases) {
    const CNObjectClassRecord* record = m_registry.Find(c.clid);
    ASSERT_NE(record, nullptr) << U8(c.clid);
    EXPECT_EQ(U8(record->displayName), U8(c.displayName));
    EXPECT_EQ(U8(record->shapeKind), U8(c.shapeKind)) << U8(c.clid);
  }
  // The rule behind them: a palette class has a shape, a class outside the palette has none
  // unless it is a folder, a form or the root.
  for (const CNObjectClassRecord* record : AllRecords()) {
    const bool framed = record->clid == u"Folder" || record->clid == u"Form" || record->clid == u"Client";
    EXPECT_EQ(record->shapeKind.empty(), record->category.empty() && !framed) << U8(record->clid);
  }
}

TEST_F(PanelClasses, UnknownClidWarnsAndCreatesNothing) {
  EXPECT_EQ(m_registry.Create(u"NoSuchControl"), nullptr);
  EXPECT_EQ(m_registry.Create(u"rectangle"), nullptr);  // clids compare exactly
  const auto shown = m_box.GetRecords();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(U8(shown[0].text), "Can't create control. NoSuchControl");
  EXPECT_EQ(U8(shown[0].caption), "Warning");
  EXPECT_EQ(U8(shown[1].text), "Can't create control. rectangle");
}

TEST_F(PanelClasses, SecondRegistrationOfAClidIsRefusedAndTheFirstStays) {
  EXPECT_FALSE(RegisterObjectClass<CNPLabel>(m_registry, u"Rectangle", u"Basic Controls"));
  const auto shown = m_box.GetRecords();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(U8(shown[0].text), "Rectangle already registered");
  EXPECT_EQ(U8(shown[0].caption), "Warning");
  EXPECT_EQ(U8(m_registry.Find(u"Rectangle")->category), "2D Shapes");
  Created rectangle(m_registry.Create(u"Rectangle"));
  EXPECT_EQ(U8(rectangle->GetClassId()), "Rectangle");

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
