#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

#include "controls/buttons.h"
#include "controls/calendar.h"
#include "controls/collection.h"
#include "controls/form.h"
#include "controls/form_folder.h"
#include "project/form_file_reader.h"
#include "project_test_util.h"
#include "shapes/shapes.h"
#include "support/message_box.h"
#include "support/ref_cnt.h"

// A small class whose whole element fits in a golden text: one property of each kind that the
// element format treats in its own way.
class CTestLamp : public CNObjectClass<CTestLamp, CNObject> {
 public:
  static constexpr std::u16string_view kClassId = u"Lamp";
  static constexpr std::array kProperties = {
      Prop(u"Basic", u"Name", PT_STRING, u"", {}, 1, 0),
      Prop(u"Basic", u"Comment", PT_STRING, u""),
      Prop(u"Basic", u"Visible", PT_BOOL, u"T"),
      Prop(u"Position", u"Top", PT_INTEGER),  // no default
      Prop(u"Fill", u"Alpha", PT_NUMBER, u"1"),
      Prop(u"Fill", u"FillColor", PT_COLOR, u"@FormColor", {}, 1, 1, kPropertyColor),
      Prop(u"Fill", u"LineColor", PT_COLOR, u"#808080"),
      Prop(u"Fill", u"FillStyle", PT_ENUM, u"SOLID", u"SOLID,DASH,DOT"),
      Prop(u"Text", u"Text", PT_TEXT, u""),
      Prop(u"Position", u"MouseX", PT_INTEGER, nullptr, {}, 0, 0),  // run time only
      Prop(u"Library", u"Customize", PT_CUSTOMIZE, u"", {}, 1, 0),
  };
  static constexpr std::array<EventInfo, 0> kEvents{};
};

// A registry of its own with the lamp and the classes that forms are made of, a message box that
// records, and helpers from file text to objects and back.
class FormFileTest : public testing::Test {
 protected:
  void SetUp() override {
    m_previousBox = CRMessageBox::SetCurrent(&m_box);
    RegisterObjectClass<CTestLamp>(m_registry, u"Lamp", u"Test");
    RegisterObjectClass<CNPFormFolder>(m_registry, u"Folder", u"");
    RegisterObjectClass<CNPForm>(m_registry, u"Form", u"");
    RegisterObjectClass<CNPCollection>(m_registry, u"Group", u"");
    RegisterObjectClass<CNPCalendar>(m_registry, u"Calender", u"");
    RegisterObjectClass<CNPCalendar>(m_registry, u"Calendar", u"Basic Controls");
    RegisterObjectClass<CNPCommandButton>(m_registry, u"Button", u"Basic Controls");
    RegisterObjectClass<CNPRect>(m_registry, u"Rectangle", u"2D Shapes");
  }
  void TearDown() override { CRMessageBox::SetCurrent(m_previousBox); }

  // The object of the first element of text; null when the text does not parse or the element
  // was skipped.
  CRPtr<CNObject> Load(std::string_view text) {
    pugi::xml_document document;
    if (!document.load_buffer(text.data(), text.size(), kFormXmlParseOptions, pugi::encoding_utf8)) return {};
    return CRPtr<CNObject>::Adopt(LoadFormElement(document.first_child(), nullptr, m_context));
  }

  static std::string Save(const CNObject& object, bool omitDefaults) {
    std::string out;
    object.SaveXml(out, {}, omitDefaults);
    return out;
  }

  std::string MessageTexts() const {
    std::string texts;
    for (const auto& record : m_box.GetRecords()) texts += U8(record.text) + "\n";
    return texts;
  }

  CPanelControls m_registry;
  CNFormLoadContext m_context{m_registry};
  CRRecordingMessageBox m_box;
  CRMessageBox* m_previousBox = nullptr;
};

// Two trees are the same when they have the same classes, names, bind and event texts, custom
// property declarations and values, and property values (contents, element by element).
inline void ExpectSameTree(const CNObject& a, const CNObject& b) {
  SCOPED_TRACE(U8(a.GetClassId()) + " " + U8(a.GetName()));
  ASSERT_EQ(U8(a.GetClassId()), U8(b.GetClassId()));
  EXPECT_EQ(U8(a.GetName()), U8(b.GetName()));
  EXPECT_EQ(U8(a.GetBind()), U8(b.GetBind()));
  EXPECT_EQ(U8(a.GetEvent()), U8(b.GetEvent()));
  ASSERT_EQ(a.GetPropertyCount(), b.GetPropertyCount());
  for (uint32_t i = 0; i < a.GetPropertyCount(); ++i) {
    const PropertyInfo& info = *a.GetPropertyInfo(i);
    ASSERT_EQ(U8(info.name), U8(b.GetPropertyName(i)));
    EXPECT_EQ(info.type, b.GetPropertyInfo(i)->type) << U8(info.name);
    if (!info.persisted) continue;
    CNValue va;
    CNValue vb;
    a.GetProperty(info.name, va);
    b.GetProperty(info.name, vb);
    EXPECT_TRUE(va.IsEqual(kCompareContents, vb))
        << U8(info.name) << ": " << U8(va.ToLiteral(true)) << " / " << U8(vb.ToLiteral(true));
  }
  ASSERT_EQ(a.GetChildCount(), b.GetChildCount());
  for (int32_t i = 0; i < a.GetChildCount(); ++i) ExpectSameTree(*a.GetChild(i), *b.GetChild(i));
}
