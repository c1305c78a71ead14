#include "views/view_control.h"

#include <gtest/gtest.h>

#include <string>

#include "support/utf16_text.h"

namespace {

std::string U8(std::u16string_view text) {
  return Utf16ToUtf8(text);
}

std::string Names(const CNObject& object, uint32_t from, uint32_t count) {
  std::string names;
  for (uint32_t i = from; i < from + count; ++i)
    names += (names.empty() ? "" : ",") + U8(object.GetPropertyName(i));
  return names;
}

TEST(ViewControl, TableListsTheViewGroupsBetweenBasicAndPosition) {
  CNPViewControl view;
  EXPECT_EQ(Names(view, 0, 11),
            "Name,Comment,EditLock,Visible,Enabled,EnabledInput,Focusable,TabStop,TabIndex,"
            "MaskOutputBindTillInput,TranslationProp");
  EXPECT_EQ(Names(view, 11, 10),
            "BasedFormName,FormName,ViewName,Stretch,ClipView,ScrollPosX,ScrollPosY,MaxFormHistory,MinWidth,"
            "MinHeight");
  EXPECT_EQ(Names(view, 21, 13),
            "TitleBar,TitleBarColor,TitleHeight,Title,TitleFont,TitleColor,TitleAlignX,ShowCloseButton,"
            "ShowMaxButton,AllowMove,AllowResize,AllowBringToFront,BringToFrontLevel");
  EXPECT_EQ(Names(view, 34, 5), "FillAlpha,Border,BorderColor,BorderWidth,BorderLine");
  EXPECT_EQ(U8(view.GetPropertyName(39)), "Top");
  EXPECT_EQ(U8(view.GetPropertyName(view.GetPropertyCount() - 1)), "Customize");

  const PropertyInfo* scroll = view.FindPropertyInfo(u"ScrollPosY");
  EXPECT_EQ(scroll->persisted, 0);
  EXPECT_EQ(scroll->bindable, 1);
  EXPECT_EQ(U8(view.FindPropertyInfo(u"Stretch")->list),
            "NONE,STRETCH_FULL,STRETCH_KEEPRATE,RESIZE_FULL,RESIZE_KEEPRATE,FORM");
  EXPECT_EQ(U8(view.FindPropertyInfo(u"BorderWidth")->list), ",1");
}

TEST(ViewControl, EventsAreTheCommonOnesThenTheTitleBarAndFormEvents) {
  CNPViewControl view;
  const auto& table = view.GetClassProperties();
  const auto events = table.GetEvents();
  ASSERT_EQ(events.size(), 24u);
  EXPECT_EQ(U8(events[19].name), "OnCommonEvent");
  EXPECT_EQ(table.FindEvent(u"OnInitializeDone"), -1);
  EXPECT_EQ(U8(events[20].name), "OnClickTitleBar");
  EXPECT_EQ(U8(events[20].group), "Control");
  EXPECT_EQ(U8(events[21].parameters), "basedFormName,&isOpen,&stretchMode,&openParam,formName");
  EXPECT_EQ(U8(events[22].parameters), "basedFormName,objForm,formName");
  EXPECT_EQ(U8(events[23].name), "OnFormLButtonDown");
}

}  // namespace
