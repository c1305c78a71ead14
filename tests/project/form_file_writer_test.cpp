// The element format, written: golden texts of a small class.
#include "form_file_test_util.h"

namespace {

TEST_F(FormFileTest, FreshObjectWritesEveryPersistedPropertyOrNone) {
  CTestLamp lamp;
  EXPECT_EQ(Save(lamp, false),
            "<OBJ clid=\"Lamp\" Name=\"\" Comment=\"\" Visible=\"T\" Alpha=\"1\" FillColor=\"@FormColor\" "
            "LineColor=\"#808080\" FillStyle=\"SOLID\" Text=\"\" Customize=\"\" Bind=\"\" Event=\"\">\r\n"
            "</OBJ>\r\n");
  EXPECT_EQ(Save(lamp, true), "<OBJ clid=\"Lamp\">\r\n</OBJ>\r\n");
  // "Top" has no default to compare with: once set it is always written; the run-time "MouseX"
  // never is.
  lamp.SetProperty(u"Top", Text(u"0"));
  lamp.SetProperty(u"MouseX", Text(u"5"));
  EXPECT_EQ(Save(lamp, true), "<OBJ clid=\"Lamp\" Top=\"0\">\r\n</OBJ>\r\n");
}

TEST_F(FormFileTest, ValuesAreWrittenAsCanonicalTextEscapedAndNestedInChildOrder) {
  CRPtr<CNObject> root = CRPtr<CNObject>::Adopt(new CTestLamp);
  auto* lamp = new CTestLamp;
  root->AddChild(lamp);
  lamp->SetName(u"Lamp <1>");
  CNValue number;
  number.SetNumber(0x0000FF);  // a COLORREF: red in the low byte
  lamp->SetProperty(u"FillColor", number);
  number.SetNumber(12.75);  // integer: truncated
  lamp->SetProperty(u"Top", number);
  number.SetNumber(2);  // an item by its position
  lamp->SetProperty(u"FillStyle", number);
  lamp->SetProperty(u"Alpha", Text(u"0.350"));
  lamp->SetProperty(u"LineColor", Text(u"#80ff00"));
  lamp->SetProperty(u"Text", Text(u"it's\r\n\"two\" lines"));
  lamp->SetProperty(u"Visible", Text(u"TRUE"));  // equal to the default
  lamp->SetBind(u"[Visible]$A == 1");
  lamp->SetEvent(u"Sub OnInitialize()\r\n  If a < b && c > \"x\" Then ' note\r\nEnd Sub");
  auto* last = new CTestLamp;
  last->SetName(u"\u30dd\u30f3\u30d7");  // UTF-8 in the file
  root->AddChild(last);

  std::string out = "kept:";
  root->SaveXml(out, u"FORMROOT", true);
  EXPECT_EQ(out,
            "kept:<FORMROOT clid=\"Lamp\">\r\n"
            "<OBJ clid=\"Lamp\" Name=\"Lamp &lt;1&gt;\" Top=\"12\" Alpha=\"0.35\" FillColor=\"#FF0000\" "
            "LineColor=\"#80FF00\" FillStyle=\"DOT\" Text=\"it&#39;s\r\n&quot;two&quot; lines\" "
            "Bind=\"[Visible]$A == 1\" "
            "Event=\"Sub OnInitialize()\r\n  If a &lt; b &amp;&amp; c &gt; &quot;x&quot; Then &#39; note\r\n"
            "End Sub\">\r\n"
            "</OBJ>\r\n"
            "<OBJ clid=\"Lamp\" Name=\"\xe3\x83\x9d\xe3\x83\xb3\xe3\x83\x97\">\r\n</OBJ>\r\n"
            "</FORMROOT>\r\n");
}

TEST_F(FormFileTest, CustomPropertiesFollowTheTableAndOnesWithoutValueAreLeftOut) {
  CRPtr<CNObject> lamp = Load(
      "<OBJ clid=\"Lamp\" _Mode=\"b\" "
      "Customize=\"_Mode=[string];List:A,B&#10;_Tag=[tag_in];NotDefined:#NOTDEF#\"/>");
  ASSERT_TRUE(lamp);
  EXPECT_EQ(Save(*lamp, true),
            "<OBJ clid=\"Lamp\" Customize=\"_Mode=[string];List:A,B\n_Tag=[tag_in];NotDefined:#NOTDEF#\" "
            "_Mode=\"B\">\r\n</OBJ>\r\n");
}

}  // namespace
