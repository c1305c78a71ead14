// What the host window gets from the runtime: the views and their rectangles, the frame set's
// spacing, repaints of bound values, the mouse position objects read, Tab out of an edit box.
#include <gtest/gtest.h>

#include "draw/painter.h"
#include "draw/surface.h"
#include "editing/edit_box.h"
#include "editing/in_place_edit_keys.h"
#include "methods/runtime_host.h"
#include "objects/property_read.h"
#include "project/tick_schedule.h"
#include "runtime_fixture.h"
#include "views/basis_dialog.h"
#include "views/views.h"

namespace {

constexpr const char* kChildren =
    "<OBJ clid=\"Label\" Name=\"Value\" Left=\"100\" Top=\"50\" Width=\"50\" Height=\"20\" Bind=\"[Text]$D0\"/>\r\n"
    "<OBJ clid=\"EditBox\" Name=\"E1\" Left=\"10\" Top=\"200\" Width=\"60\" Height=\"20\" TabStop=\"T\"/>\r\n"
    "<OBJ clid=\"EditBox\" Name=\"E2\" Left=\"100\" Top=\"200\" Width=\"60\" Height=\"20\" TabStop=\"T\"/>\r\n";

class ViewWindow : public RuntimeTest {
 protected:
  CNPView& OpenMain() {
    Browser().SetHostSize({400, 300});
    EXPECT_TRUE(Open("p.xml", "DefaultForm=\"Main\" Stretch=\"NONE\"", Form("Main", "", kChildren)));
    const std::vector<CNShownView> shown = Browser().GetShownViews();
    EXPECT_EQ(shown.size(), 1u);
    return *shown.front().view;
  }
  CNObject& Object(std::u16string_view name) {
    return *Browser().GetViews().FindView(u"")->GetForm()->FindChild(name);
  }
  void WriteTag(std::u16string_view name, double number) {
    CNPTagServerSuite& tags = *Browser().GetTagServer();
    CNPTag* tag = tags.GetTag(name, 0, nullptr);
    ASSERT_NE(tag, nullptr);
    CNValue value;
    value.SetNumber(number);
    tags.SetValue(tag, value);
    tags.ReleaseTag(tag, nullptr);
  }
};

TEST_F(ViewWindow, TheMainViewFillsTheWindow) {
  CNPView& view = OpenMain();
  const CNShownView shown = Browser().GetShownViews().front();
  EXPECT_EQ(std::pair(shown.rect.width, shown.rect.height), std::pair(400.0, 300.0));
  EXPECT_EQ(view.GetForm()->GetName(), u"Main");
  Browser().SetHostSize({200, 100});
  EXPECT_EQ(Browser().GetShownViews().front().rect.width, 200);
  EXPECT_EQ(view.GetViewSize(), (CNSize{200, 100}));
  EXPECT_TRUE(Browser().GetOpenDialogs().empty());
}

TEST_F(ViewWindow, ABoundValueRepaintsItsObjectOnly) {
  CNPView& view = OpenMain();
  CRRectF area;
  EXPECT_TRUE(view.TakeDirtyArea(area));  // the first paint: everything
  EXPECT_FALSE(view.TakeDirtyArea(area));
  WriteTag(u"$D0", 42);
  Browser().OnTick(TICK_REFRESH);
  EXPECT_EQ(PropertyText(Object(u"Value"), u"Text"), u"42");
  ASSERT_TRUE(view.TakeDirtyArea(area));
  EXPECT_EQ((std::vector<double>{area.x, area.y, area.width, area.height}), (std::vector<double>{99, 49, 52, 22}));
  Browser().OnTick(TICK_REFRESH);
  EXPECT_FALSE(view.TakeDirtyArea(area));
}

TEST_F(ViewWindow, ObjectsReadTheMousePositionOfTheirView) {
  CNPView& view = OpenMain();
  CNValue x;
  EXPECT_EQ(Object(u"Value").GetProperty(u"MouseX", x), 1);
  EXPECT_TRUE(x.GetCount() == 1 && x.IsNA(0));  // the mouse never came
  view.MouseMove({110, 65});
  EXPECT_EQ(PropertyNumber(Object(u"Value"), u"MouseX", -1), 10);
  EXPECT_EQ(PropertyNumber(Object(u"Value"), u"MouseY", -1), 15);
  EXPECT_EQ(PropertyNumber(Object(u"E1"), u"MouseX", -1), 100);
  EXPECT_EQ(PropertyNumber(*Browser().GetRootClient(), u"MouseX", -1), 110);  // the active view's
}

TEST_F(ViewWindow, TabLeavesAnEditBoxForTheNextTabStop) {
  CNPView& view = OpenMain();
  view.MouseButton(MOUSE_LEFT, true, {20, 205});
  view.MouseButton(MOUSE_LEFT, false, {20, 205});
  auto& first = static_cast<CNPEditBox&>(Object(u"E1"));
  ASSERT_NE(first.GetEditor(), nullptr);
  view.TextInput(u"5");
  view.Key(kKeyTab, true, 0);
  view.Key(kKeyTab, false, 0);
  EXPECT_EQ(first.GetText(), u"5");
  EXPECT_EQ(view.GetFocusObject(), &Object(u"E2"));
  EXPECT_NE(static_cast<CNPEditBox&>(Object(u"E2")).GetEditor(), nullptr);
  view.Key(kKeyTab, true, kKeyFlagShift);
  EXPECT_EQ(view.GetFocusObject(), &first);
}

TEST_F(ViewWindow, FramesAndTheirSpacingCoverTheWindow) {
  Browser().SetHostSize({100, 80});
  const std::string frames =
      "DefaultFrame=\"&lt;FRAMESET Rows=&quot;30,*&quot; FrameSpacing=&quot;4&quot; "
      "FrameSpacingColor=&quot;#FF0000&quot;&gt;&lt;FRAME Name=&quot;Head&quot; FormName=&quot;Main&quot;/&gt;"
      "&lt;FRAME Name=&quot;Body&quot;/&gt;&lt;/FRAMESET&gt;\"";
  ASSERT_TRUE(Open("f.xml", "DefaultForm=\"Main\" DefaultView=\"Body\" " + frames, Form("Main")));
  const std::vector<CNShownView> shown = Browser().GetShownViews();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].view->GetName(), u"Head");
  EXPECT_EQ((std::vector<double>{shown[0].rect.height, shown[1].rect.y, shown[1].rect.height}),
            (std::vector<double>{30, 34, 46}));
  CRSurface window(100, 80);
  {
    CRPainter painter(window);
    Browser().PaintFrameSpacing(painter);
  }
  EXPECT_EQ(window.GetPixel(50, 31).red, 255);  // between the frames
  EXPECT_EQ(window.GetPixel(50, 33).red, 255);
}

TEST_F(ViewWindow, AModalDialogTakesTheInputFromTheOtherViews) {
  CNPView& view = OpenMain();
  CKVDialogParams params;
  params.baseFormName = u"Main";
  params.viewName = u"Dialog";
  params.modal = true;
  ASSERT_NE(Browser().GetViews().OpenDialog(params), nullptr);
  ASSERT_EQ(Browser().GetOpenDialogs().size(), 1u);
  view.MouseButton(MOUSE_LEFT, true, {20, 205});
  view.Key(kKeyTab, true, 0);
  EXPECT_EQ(view.GetFocusObject(), nullptr);
  CNPView& dialogView = Browser().GetOpenDialogs().front()->GetView();
  dialogView.SetViewSize({400, 300});
  dialogView.MouseButton(MOUSE_LEFT, true, {20, 205});
  EXPECT_NE(dialogView.GetFocusObject(), nullptr);
}

}  // namespace
