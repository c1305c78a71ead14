// The element format, read: attribute handling, round trips through the writer, and broken or
// hostile elements.
#include "project/form_file_reader.h"

#include <vector>

#include "form_file_test_util.h"
#include "project/form_lookup.h"

namespace {

std::string Property(const CNObject& object, std::u16string_view name) {
  CNValue value;
  return object.GetProperty(name, value) ? U8(value.GetText(0)) : "(none)";
}

// A form as files hold it: a group with children, binds, an event script with CR LF and escaped
// operators, colours by name and by value, a custom property whose value comes before its
// declaration, and the calendar's second clid.
constexpr std::string_view kForm =
    "<OBJ clid=\"Form\" Name=\"Main\" Title=\"Boiler &amp;amp; pumps\" Height=\"600\" Width=\"800\" "
    "Stretch=\"RESIZE_FULL\" FillColor=\"#FFFF00\" "
    "Event=\"Sub OnInitialize()\r\n  If a &lt; b &amp;&amp; c &gt; &quot;x&quot; Then ' keep\r\n"
    "End Sub\">\r\n"
    "<OBJ clid=\"Group\" Name=\"Pump\" Top=\"10\" Left=\"20\" Height=\"100\" Width=\"200\" "
    "InnerFrame=\"T\">\r\n"
    "<OBJ clid=\"Rectangle\" Name=\"Body\" Top=\"10\" Left=\"20\" Height=\"50\" Width=\"60\" "
    "FillColor=\"@ButtonColor2\" Alpha=\"0.35\" Bind=\"[Visible]$Pump1.Running == T[Alpha]$A\"/>\r\n"
    "<OBJ clid=\"Button\" Name=\"Start\" Text=\"Start\" _Format=\"@DATETIME\" "
    "Customize=\"[Property]&#13;&#10;_Format=[string]&#13;&#10;\"/>\r\n"
    "</OBJ>\r\n"
    "<OBJ clid=\"Calender\" Name=\"Day\" FirstDayOfWeek=\"MONDAY\"/>\r\n"
    "</OBJ>\r\n";

TEST_F(FormFileTest, ReadsTheFormatsEdgeCases) {
  CRPtr<CNObject> form = Load(kForm);
  ASSERT_TRUE(form);
  EXPECT_EQ(Property(*form, u"Title"), "Boiler & pumps");  // decoded twice
  EXPECT_EQ(U8(form->GetEvent()), "Sub OnInitialize()\r\n  If a < b && c > \"x\" Then ' keep\r\nEnd Sub");
  ASSERT_EQ(form->GetChildCount(), 2);
  CNObject* group = form->GetChild(0);
  EXPECT_EQ(U8(group->GetChild(0)->GetBindSection(u"Visible")), "$Pump1.Running == T");
  EXPECT_EQ(Property(*group->GetChild(1), u"_Format"), "@DATETIME");
  EXPECT_NE(dynamic_cast<CNPCalendar*>(form->GetChild(1)), nullptr);
  EXPECT_EQ(Property(*form->GetChild(1), u"FirstDayOfWeek"), "MONDAY");
  EXPECT_TRUE(m_box.GetRecords().empty()) << MessageTexts();
}

// Load, save, load again: the same tree with the same values, written either way; saving the
// reloaded tree gives the same bytes, and the calendar is written under its primary clid.
TEST_F(FormFileTest, RoundTripKeepsTreeAndValuesWithAndWithoutDefaults) {
  CRPtr<CNObject> original = Load(kForm);
  ASSERT_TRUE(original);
  for (bool omitDefaults : {false, true}) {
    SCOPED_TRACE(omitDefaults ? "defaults omitted" : "defaults written");
    const std::string saved = Save(*original, omitDefaults);
    EXPECT_NE(saved.find("<OBJ clid=\"Calendar\" Name=\"Day\" "), std::string::npos);
    CRPtr<CNObject> reloaded = Load(saved);
    ASSERT_TRUE(reloaded);
    ExpectSameTree(*original, *reloaded);
    EXPECT_EQ(Save(*reloaded, omitDefaults), saved);
  }
}

TEST_F(FormFileTest, ValuesEqualToTheirDefaultsAreLeftOutAndReadBackAsDefaults) {
  CRPtr<CNObject> lamp = Load(
      "<OBJ clid=\"Lamp\" Name=\"\" Comment=\"\" Visible=\"T\" Top=\"3\" Alpha=\"1.0\" "
      "FillColor=\"@FormColor\" "
      "LineColor=\"#808080\" FillStyle=\"solid\" Text=\"\" Customize=\"\" Bind=\"\" Event=\"\"/>");
  ASSERT_TRUE(lamp);
  const std::string saved = Save(*lamp, true);
  EXPECT_EQ(saved, "<OBJ clid=\"Lamp\" Top=\"3\">\r\n</OBJ>\r\n");
  CRPtr<CNObject> back = Load(saved);
  ASSERT_TRUE(back);
  ExpectSameTree(*lamp, *back);
}

TEST_F(FormFileTest, UnknownClidWarnsAndSkipsTheWholeSubtree) {
  CRPtr<CNObject> form = Load(
      "<OBJ clid=\"Form\"><OBJ clid=\"Lamp\" Name=\"before\"/>"
      "<OBJ clid=\"Gauge3D\"><OBJ clid=\"Lamp\" Name=\"inside\"/></OBJ>"
      "<OBJ clid=\"lamp\"/><NOTE clid=\"Lamp\"/><OBJ clid=\"Lamp\" Name=\"after\"/></OBJ>");
  ASSERT_TRUE(form);
  ASSERT_EQ(form->GetChildCount(), 2);
  EXPECT_EQ(U8(form->GetChild(1)->GetName()), "after");
  EXPECT_EQ(MessageTexts(), "Can't create control. Gauge3D\nCan't create control. lamp\n");
}

TEST_F(FormFileTest, CallerNameWinsAndTheContextHearsOfEachObjectBeforeItJoins) {
  struct Recorder : CNFormLoadContext {
    using CNFormLoadContext::CNFormLoadContext;
    void OnObjectLoaded(CNObject& object) override {
      seen.push_back(U8(object.GetName()) + "<" + std::to_string(object.GetParent()->GetChildCount()));
    }
    std::vector<std::string> seen;
  } recorder(m_registry);
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string("<OBJ clid=\"Form\" Name=\"InFile\"><OBJ clid=\"Lamp\" Name=\"a\"/></OBJ>",
                                   kFormXmlParseOptions));
  CNPFormFolder folder;
  CNObject* form = LoadFormElement(document.first_child(), &folder, recorder, u"Given");
  EXPECT_EQ(folder.GetChild(0), form);
  EXPECT_EQ(recorder.seen, (std::vector<std::string>{"Given<0", "a<0"}));
}

TEST_F(FormFileTest, FormsAreFoundByExactNameThroughNestedFolders) {
  CRPtr<CNObject> root = Load(
      "<OBJ clid=\"Folder\"><OBJ clid=\"Form\" Name=\"Main\"><OBJ clid=\"Form\" Name=\"Inner\"/></OBJ>"
      "<OBJ clid=\"Group\"><OBJ clid=\"Form\" Name=\"InGroup\"/></OBJ>"
      "<OBJ clid=\"Folder\" Name=\"Resource\"><OBJ clid=\"Folder\">"
      "<OBJ clid=\"Form\" Name=\"RCNumKey\" Title=\"first\"/></OBJ></OBJ>"
      "<OBJ clid=\"Folder\"><OBJ clid=\"Form\" Name=\"RCNumKey\" Title=\"second\"/></OBJ></OBJ>");
  ASSERT_TRUE(root);
  ASSERT_NE(FindFormByName(*root, u"RCNumKey"), nullptr);
  EXPECT_EQ(Property(*FindFormByName(*root, u"RCNumKey"), u"Title"), "first");
  EXPECT_EQ(FindFormByName(*root, u"Main"), root->GetChild(0));
  for (std::u16string_view absent : {u"rcnumkey", u"Inner", u"InGroup", u"Resource", u""})
    EXPECT_EQ(FindFormByName(*root, absent), nullptr) << U8(absent);
}

// Broken elements load what they can: a value that does not convert leaves the default.
TEST_F(FormFileTest, MalformedElementsLoadWhatTheyCan) {
  struct Case {
    const char* element;
    const char* property;  // null: nothing is created
    const char* value;
  };
  const Case cases[] = {
      {"<OBJ Name=\"x\"/>", nullptr, nullptr},
      {"<OBJ clid=\"\"/>", nullptr, nullptr},
      {"<OBJ clid=\"Lamp\" LineColor=\"#12345\"/>", "LineColor", "#808080"},
      {"<OBJ clid=\"Lamp\" LineColor=\"#GG0000\"/>", "LineColor", "#808080"},
      {"<OBJ clid=\"Lamp\" LineColor=\"\"/>", "LineColor", ""},  // no colour
      {"<OBJ clid=\"Lamp\" FillStyle=\"WAVY\"/>", "FillStyle", "SOLID"},
      {"<OBJ clid=\"Lamp\" FillStyle=\"7\"/>", "FillStyle", "SOLID"},
      {"<OBJ clid=\"Lamp\" Top=\"1e300\"/>", "Top", "2147483647"},
      {"<OBJ clid=\"Lamp\" Visible=\"true\" NoSuch=\"1\" name=\"n\" clid=\"Form\"/>", "Visible", "T"},
      {"<OBJ clid=\"Lamp\" Comment=\"a\" Comment=\"b\" Name=\"x\" Name=\"y\"/>", "Comment", "b"},
      {"<OBJ clid=\"Lamp\" Customize=\"Comment=[string]\" Comment=\"kept\"/>", "Comment", "kept"},
      {"<OBJ clid=\"Lamp\" Customize=\"\xff\xfe=[bool]\"/>", "\xef\xbf\xbd\xef\xbf\xbd", "F"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    CRPtr<CNObject> object = Load(c.element);
    ASSERT_EQ(static_cast<bool>(object), c.property != nullptr);
    if (object) {
      EXPECT_EQ(Property(*object, Utf8ToUtf16(c.property)), c.value);
      EXPECT_NE(U8(object->GetName()), "y");
    }
  }
  EXPECT_EQ(MessageTexts(),
            "Can't create control. \nCan't create control. \n"
            "Custom property name is already existed. ClassID:Lamp Name:(empty) Property:Comment\n");
}

// No object is placed below kMaxObjectDepth ancestors, counted from the root of the tree.
TEST_F(FormFileTest, HostileNestingStopsAtTheDepthLimit) {
  constexpr int kLevels = 100'000;
  std::string text;
  for (int i = 0; i < kLevels; ++i) text += "<OBJ clid=\"Lamp\">";
  for (int i = 0; i < kLevels; ++i) text += "</OBJ>";
  CRPtr<CNObject> top = Load(text);
  ASSERT_TRUE(top);
  const CNObject* bottom = top.Get();
  int32_t depth = 0;
  for (; bottom->GetChildCount() > 0; bottom = bottom->GetChild(0)) ++depth;
  EXPECT_EQ(depth, kMaxObjectDepth);

  pugi::xml_document document;
  ASSERT_TRUE(document.load_string("<OBJ clid=\"Lamp\"/>", kFormXmlParseOptions));
  EXPECT_EQ(LoadFormElement(document.first_child(), const_cast<CNObject*>(bottom), m_context), nullptr);
  EXPECT_NE(LoadFormElement(document.first_child(), bottom->GetParent(), m_context), nullptr);
}

}  // namespace
