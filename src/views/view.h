#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "draw/geometry.h"
#include "project/stretch_geometry.h"
#include "screen/pobject.h"
#include "support/ref_cnt.h"
#include "views/tab_order.h"
#include "views/view_dirty_area.h"
#include "views/view_transform.h"

class CNDrawContext;
class CNPRootClient;
class CNImageSource;
class CNValue;
class CRPainter;

// What the objects of the form on show reach their view through.
class CNPViewConnectionPoint {
 public:
  virtual ~CNPViewConnectionPoint() = default;
  // An object of the form changed its look; the view asks for a repaint at the next drawing
  // refresh.
  virtual void RequestPaint(CNObject& object) = 0;
};

// A rectangular area that shows one form at a time: its name, the form on show, the stretch
// mode in force, the zoom factor, the scroll position and the layout that follows from them.
// The runtime's views (CNPViewBrowser) open and close the forms.
//
// The window that shows the view paints it (Paint, after TakeDirtyArea tells what changed) and
// hands it the operator's input in view pixels (the view's top-left corner is 0,0):
// - The mouse goes to the object under it (view_hit_test.h says which): it gets "OnMouseIn"
//   when the mouse comes onto it, "OnMouseMove" while it moves there and "OnMouseOut" when the
//   mouse leaves it for another object or leaves the view.
// - A press holds the mouse for the object pressed until the last button is released: it gets
//   every move and the release, wherever they happen, and no other object gets the mouse
//   meanwhile. When the mouse leaves it meanwhile it gets "OnMouseOut" (which cancels the press
//   unless the object holds the mouse or is dragged) and "OnMouseIn" when it comes back. An
//   object whose hold bit is set, or that is being dragged, keeps the mouse the same way.
// - A press (or the second press of a double click) on an object that can have the focus
//   ("Focusable") moves the focus to it first; a press elsewhere leaves the focus where it is.
// - Keys go to the object with the focus, the form when none has it. Tab and Shift+Tab move the
//   focus along the form's tab order instead, unless the object with the focus takes Tab itself
//   (an edit box with its editor open commits and moves on).
// - Typed text and an input method's committed text go to the edit box with the focus; with a
//   view control focused, to the edit box with the focus in the view inside it.
// - The wheel goes to the object under the mouse (or holding it).
// Objects that do not take input ("Enabled" or "EnabledInput" false, also of a group around
// them) get none of it; while AcceptsInput is false (a modal dialog elsewhere) the view ignores
// input.
class CNPView : public CNPViewConnectionPoint {
 public:
  // The window that shows a view, told when what it shows changes.
  class FrameWindowConnectionPoint {
   public:
    virtual ~FrameWindowConnectionPoint() = default;
    // The form's place, scale or size changed (another form, stretch, zoom, the view's size).
    virtual void ViewLayoutChanged(CNPView& view) = 0;
    // Something on show needs repainting.
    virtual void ViewNeedsPaint(CNPView& view) = 0;
  };

  explicit CNPView(std::u16string_view name) : m_strName(name) {}
  ~CNPView() override;
  CNPView(const CNPView&) = delete;
  CNPView& operator=(const CNPView&) = delete;

  const std::u16string& GetName() const { return m_strName; }
  CNPObject* GetForm() const { return m_form.Get(); }
  // The mode in force, one of the five concrete ones; NONE until a form was opened.
  int32_t GetStretch() const { return m_lStretch; }
  double GetZoom() const { return m_dZoom; }
  const CNStretchLayout& GetLayout() const { return m_layout; }

  CNSize GetViewSize() const { return m_viewSize; }
  // The area the window gives the view; the form is laid out anew.
  void SetViewSize(CNSize size);
  // Where a form smaller than the view sits (centred by default).
  void SetAlignment(CNAlign x, CNAlign y);
  // The scroll position, kept between 0 and how far the form reaches beyond the view.
  CNPoint GetScrollPos() const { return m_scroll; }
  void SetScrollPos(CNPoint position);

  void SetFrameWindow(FrameWindowConnectionPoint* window) { m_pFrameWindow = window; }
  FrameWindowConnectionPoint* GetFrameWindow() const { return m_pFrameWindow; }

  // Opens the form definition basedFormName under formName (empty: the based name) with the
  // stretch mode and open parameter; the form now on show, null when nothing was opened.
  virtual CNPObject* OpenForm(std::u16string_view basedFormName, std::u16string_view formName, int32_t stretch,
                              const CNValue& openParam) = 0;
  // Releases the form on show; the view is empty afterwards.
  virtual void CloseForm() = 0;
  // Phase 0 re-evaluates the bound properties of the form, phase 1 asks for the repaint of what
  // changed.
  virtual void Refresh(int32_t phase) = 0;
  // A tick code of the project's cycle.
  virtual void Tick(int32_t code) = 0;

  void RequestPaint(CNObject& object) override;

  // ---- painting
  // Paints area (view pixels) of the view: the view's colour around the form (the form's
  // "ViewFillColor", else the project's), the form at its place, scale and scroll position with
  // the form's visual theme, then the focus and hover frames the form's groups ask for
  // ("FocusRect", "FocusHover"). Nothing outside area is touched.
  void Paint(CRPainter& painter, const CRRectF& area, CNImageSource* images);
  // The bounding rectangle (view pixels) of what needs repainting since the last call: the old
  // and new places of the objects that asked for a redraw, or the whole view after a layout,
  // scroll, zoom or another form; false when nothing does.
  bool TakeDirtyArea(CRRectF& area);
  // Where the form on show lands in the view now.
  CNViewTransform GetTransform() const;

  // ---- the operator's input, in view pixels
  void MouseMove(CNPoint at);
  // The mouse left the view.
  void MouseLeave();
  void MouseButton(CNMouseButton button, bool down, CNPoint at);
  // The second press of a double click, in place of its MouseButton press; its release comes
  // through MouseButton.
  void MouseDoubleClick(CNMouseButton button, CNPoint at);
  void MouseWheel(int16_t delta, CNPoint at);
  // keyCode: the virtual-key numbers of in_place_edit_keys.h; flags: kKeyFlag* bits.
  void Key(uint32_t keyCode, bool down, uint32_t flags);
  // Typed text, or what an input method commits.
  void TextInput(std::u16string_view text);
  // What an input method is composing (not yet committed) and its cursor, for the edit box
  // with the focus to show at its caret. An empty text ends the composition.
  void TextEditing(std::u16string_view composition, int32_t cursor);
  // Where the operator types now (view pixels): the edit box with the focus, for the input
  // method to place its candidate list beside; false when keys reach no edit box.
  bool GetTextInputArea(CRRectF& area) const;
  // The last mouse position in the view, in form coordinates ("MouseX", "MouseY"); false until
  // the mouse came into the view.
  bool GetMousePosition(CNPoint& at) const;
  // The object the mouse is in; null when none.
  CNPObject* GetMouseObject() const { return m_hover.Get(); }

  // ---- focus and tab order
  CNPObject* GetFocusObject() const { return m_focus.Get(); }
  // Moves the focus (null: none) with "OnFocusOut" and "OnFocusIn".
  void SetFocusObject(CNPObject* object);
  // "first", "next", or anything else for the previous tab stop; false when there is none.
  bool MoveTabStop(std::u16string_view how);
  void RefreshTabOrder() { m_tabOrder.Reset(); }

 protected:
  // The project's settings ("ViewFillColor", "FocusHoverType", "FocusHoverColor1",
  // "FocusHoverColor2"); null without a project.
  virtual const CNPRootClient* GetProjectSettings() const { return nullptr; }
  // Whether the operator's input reaches the view now.
  virtual bool AcceptsInput() const { return true; }

  // Puts form on show (null: none) with the stretch mode and lays it out; its size as the
  // definition gives it is the base that the RESIZE modes work from.
  void ShowForm(CRPtr<CNPObject> form, int32_t stretch);
  void SetStretchInForce(int32_t mode);
  void SetZoomFactor(double zoom);
  // Lays the form on show out for the view's size, stretch and zoom: the RESIZE modes resize it
  // (and its objects follow their "AutoResize" settings); then the window is told.
  void Layout();
  // Whether a repaint was asked for since the last call (by RequestPaint, a layout, or an object
  // of the form that needs paint); clears the requests. What needs it stays for TakeDirtyArea.
  bool TakePaintRequest();

 private:
  // ---- input (view_input.cpp)
  // The object that holds the mouse: the one pressed while a button is held, or the one the
  // mouse is in while it holds the mouse or is dragged; null when none.
  CNPObject* GetMouseHolder() const;
  // Follows the mouse to `at`: mouse-in and mouse-out transitions, then "OnMouseMove" when move
  // is set. False when a handler closed the view.
  bool TrackMouse(CNPoint at, bool move);
  void Press(CNMouseButton button, CNPoint at, bool doubleClick);
  void Release(CNMouseButton button, CNPoint at);
  // Whether object still belongs to the form on show and takes input.
  bool CanDeliver(const CNPObject& object) const;
  // The view inside the view control with the focus; null when the focus is elsewhere.
  CNPView* GetFocusedInnerView() const;
  // Forgets the mouse, the press and the composition without events (another form).
  void DropInput();
  // The object's look follows its input state: its place is repainted.
  void RepaintObject(CNPObject* object);

  // ---- painting (view_paint.cpp)
  // The hover frame of the object the mouse is in and the focus frame of the object with the
  // focus, when the group or form holding each asks for it.
  void PaintFrames(CNDrawContext& context);

  std::u16string m_strName;
  CRPtr<CNPObject> m_form;
  CNSize m_baseFormSize;
  bool m_bResized = false;  // the form's size was set by a RESIZE mode
  int32_t m_lStretch = 0;
  double m_dZoom = 1.0;
  CNSize m_viewSize;
  CNAlign m_alignX = CNAlign::kCenter;
  CNAlign m_alignY = CNAlign::kCenter;
  CNStretchLayout m_layout;
  CNPoint m_scroll;
  CNPViewDirtyArea m_dirty;
  FrameWindowConnectionPoint* m_pFrameWindow = nullptr;

  CRPtr<CNPObject> m_focus;
  CNPTabOrder m_tabOrder;
  CRPtr<CNPObject> m_hover;    // the object the mouse is in
  CRPtr<CNPObject> m_pressed;  // the object pressed, while a button is held
  uint32_t m_ulButtons = 0;    // a bit (1 << button) per button held
  bool m_bHasMouse = false;
  CNPoint m_mouse;             // view pixels
  bool m_bTabTaken = false;    // the last Tab press moved the focus
  // False once the view is destroyed: a handler may close the view that delivers its event.
  std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
