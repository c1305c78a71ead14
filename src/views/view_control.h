#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "controls/control_properties.h"
#include "screen/object_text_draw.h"
#include "screen/scrollable_object.h"
#include "views/view_control_layout.h"

class CNPViews;
class CNPViewBrowserControl;

// A window-like area on a form that shows another form in a view of its own, with an optional
// title bar, close and maximise buttons, and moving and resizing by the operator. A new one
// simply embeds its form: no title bar, no border, nothing the operator can move.
namespace view_control_properties {

using namespace control_properties;

inline constexpr std::u16string_view kView = u"View";
inline constexpr std::u16string_view kTitle = u"Title";

// Only the switches that make sense for a view; the image and mouse-up switches are not offered.
inline constexpr auto kBasicEntries =
    OmitEntries(common_properties::kBasicEntries, {u"EnabledImage", u"AllowMouseUpWithoutDown"});

inline constexpr std::array kViewEntries = JoinProperties(
    std::array{
        Prop(kView, u"BasedFormName", PT_STRING, u""),
        Prop(kView, u"FormName", PT_STRING, u""),
        Prop(kView, u"ViewName", PT_STRING, u""),
        Prop(kView, u"Stretch", PT_ENUM, u"FORM",
             u"NONE,STRETCH_FULL,STRETCH_KEEPRATE,RESIZE_FULL,RESIZE_KEEPRATE,FORM"),
        Prop(kView, u"ClipView", PT_BOOL, u"T"),
    },
    CNPScrollableObject::kScrollPositionEntries,
    std::array{
        Prop(kView, u"MaxFormHistory", PT_INTEGER, u"20", u",0"),
        Prop(kView, u"MinWidth", PT_INTEGER, u"40", u",1"),
        Prop(kView, u"MinHeight", PT_INTEGER, u"40", u",1"),
    });

inline constexpr std::array kTitleEntries = {
    Prop(kTitle, u"TitleBar", PT_ENUM, u"NONE", u"NONE,TOP,BOTTOM"),
    Prop(kTitle, u"TitleBarColor", PT_COLOR, u"@ButtonColor", {}, 1, 1, kPropertyColor),
    Prop(kTitle, u"TitleHeight", PT_INTEGER, u"24", u",0"),
    Prop(kTitle, u"Title", PT_STRING, u""),
    Prop(kTitle, u"TitleFont", PT_FONT, kDefaultFont),
    Prop(kTitle, u"TitleColor", PT_COLOR, u"@ButtonTextColor"),
    Prop(kTitle, u"TitleAlignX", PT_ENUM, u"LEFT", kAlignXItems),
    Prop(kTitle, u"ShowCloseButton", PT_BOOL, u"F"),
    Prop(kTitle, u"ShowMaxButton", PT_BOOL, u"F"),
    Prop(kTitle, u"AllowMove", PT_BOOL, u"F"),
    Prop(kTitle, u"AllowResize", PT_BOOL, u"F"),
    Prop(kTitle, u"AllowBringToFront", PT_BOOL, u"F"),
    Prop(kTitle, u"BringToFrontLevel", PT_INTEGER, u"0"),
};

inline constexpr std::array kFillAlphaEntries = {
    Prop(kFill, u"FillAlpha", PT_NUMBER, u"1", u"1,0"),
};

// The common events without "OnInitializeDone".
inline constexpr auto kCommonEvents = OmitEntries(common_properties::kCommonEvents, {u"OnInitializeDone"});

inline constexpr std::array kViewEvents = {
    EventInfo{kControl, u"OnClickTitleBar", u"state,msg"},
    EventInfo{kControl, u"OnBeforeOpenForm", u"basedFormName,&isOpen,&stretchMode,&openParam,formName"},
    EventInfo{kControl, u"OnAfterOpenForm", u"basedFormName,objForm,formName"},
    EventInfo{kControl, u"OnFormLButtonDown", u""},
};

}  // namespace view_control_properties

// What a view control finds through the owner of its object tree: the project's views, which
// it adds its own view to while it runs. Null when there are none.
class CNPViewControlSite {
 public:
  virtual ~CNPViewControlSite() = default;
  virtual CNPViews* GetControlViews() = 0;
};

// The view control object. While it runs it has a view of its own among the project's views
// (named "ViewName"), showing "FormName" based on "BasedFormName" with its "Stretch"; scripts
// open other forms into it by that name, and it moves through its own history.
//
// When the inner form is (re)opened:
//  - when the object starts running (before its own "OnInitialize");
//  - when a script or bind writes "FormName" or "BasedFormName" while it runs, and the pair
//    then names another form than the one on show: "FormName" opens that name based on
//    "BasedFormName" (an empty based name means the form of that name itself); "BasedFormName"
//    opens that form under its own name, so "FormName" becomes the same;
//  - an open refused by a handler leaves the properties as written and the form on show.
// When the view shows another form (an "OpenForm" by the view's name, history), "FormName" and
// "BasedFormName" take its names without opening anything. "Stretch", "MaxFormHistory" and
// "ScrollPosX"/"ScrollPosY" written while running apply to the view on show at once; "ViewName"
// is read when the object starts running. Views nest: a form shown in a view control may hold
// view controls itself, at most kMaxNesting deep (opens nested deeper are refused).
//
// The operator's input (view_control_input.cpp) and the drawing (view_control_draw.cpp) are
// described there.
class CNPViewControl : public CNObjectClass<CNPViewControl, CNPScrollableObject> {
 public:
  static constexpr std::u16string_view kClassId = u"ViewControl";
  static constexpr auto kProperties =
      JoinProperties(view_control_properties::kBasicEntries, view_control_properties::kViewEntries,
                     view_control_properties::kTitleEntries, view_control_properties::kFillAlphaEntries,
                     control_properties::BorderEntries(u"F"), common_properties::kPositionEntries,
                     common_properties::kStateEntries, common_properties::kTooltipEntries,
                     common_properties::kLibraryEntries);
  static constexpr auto kEvents =
      JoinEvents(view_control_properties::kCommonEvents, view_control_properties::kViewEvents);
  static constexpr int kMaxNesting = 8;

  CNPViewControl();
  ~CNPViewControl() override;

  // The view inside; null while the object does not run or no project gives it a view.
  CNPViewBrowserControl* GetView() const { return m_view.get(); }
  bool IsMaximized() const { return m_bMaximized; }
  // The parts of the object as they lie now.
  CNViewControlLayout GetLayout() const { return ComputeViewControlLayout(*this); }
  // Called by the inner view when it put a form on show.
  void InnerFormShown();

  // ---- input (view_control_input.cpp)
  void KeyDown(uint32_t keyCode, uint32_t flags) override;
  void KeyUp(uint32_t keyCode, uint32_t flags) override;
  void MouseMove(const CNPoint& at) override;
  void MouseOut(const CNPoint& at) override;
  void ButtonDown(CNMouseButton button, const CNPoint& at) override;
  void ButtonUp(CNMouseButton button, const CNPoint& at) override;
  void ButtonDblClick(CNMouseButton button, const CNPoint& at) override;
  void MouseWheel(int16_t delta, const CNPoint& at) override;

  // Without "ClipView" the inner form may show beyond the rectangle.
  CNRect GetPaintBounds() const override;

 protected:
  void OnStartRunning() override;
  void OnStopRunning() override;
  void OnPropertySet(uint32_t index) override;
  int GetPropertyAt(uint32_t i, CNValue& value) const override;
  // "WidthRatio" and "HeightRatio": the inner form's present scale.
  int GetExtraProperty(std::u16string_view name, CNValue& value) const override;
  // view_control_draw.cpp
  void OnDraw(CNDrawContext& context) override;

 private:
  enum class Drag : uint8_t { kNone, kMove, kResize };

  void AttachView();
  void DetachView();
  // Opens the form the properties name when it is not the one on show (see above).
  void OpenNamedForm();
  // The inner view's size follows the body of the layout.
  void FitView();
  // The form the inner view shows, where the inner form lies beyond the body (form
  // coordinates); the body when none.
  CNRect GetInnerExtent() const;

  // ---- input (view_control_input.cpp)
  void FireClickTitleBar(std::u16string_view state, std::u16string_view msg);
  // Maximises or restores; the "msg" the event reports: "MAX" or "NORMAL".
  std::u16string_view ToggleMaximized();
  void ResizeTo(const CNPoint& at);
  void BringToFrontAmongSiblings();
  CNPoint ToInner(const CNPoint& at) const;
  // Whether the press or release at `at` goes on to the inner view.
  bool RoutesToView(CNMouseButton button, const CNPoint& at) const;

  std::shared_ptr<CNPViewBrowserControl> m_view;
  bool m_bSyncingNames = false;

  Drag m_drag = Drag::kNone;
  CNViewControlPart m_resizePart = CNViewControlPart::kNone;
  CNViewControlPart m_pressedButton = CNViewControlPart::kNone;
  CNPoint m_pressAt;
  CNRect m_pressRect;
  bool m_bMaximized = false;
  CNRect m_restoreRect;
  uint32_t m_ulViewButtons = 0;  // a bit (1 << button) per button pressed through to the view

  CNTextLayoutCache m_titleText;
};
