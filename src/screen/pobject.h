#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <vector>
#include <span>
#include <string>
#include <string_view>

#include "objects/bind_links.h"
#include "objects/object.h"
#include "objects/object_expressions.h"
#include "screen/animation.h"
#include "screen/common_properties.h"
#include "screen/easing.h"
#include "screen/object_timers.h"
#include "values/tag_listener.h"

class CNDrawContext;

// Bits of the interaction state word.
inline constexpr int32_t kStateFocus = 1;
inline constexpr int32_t kStateMouseIn = 2;
inline constexpr int32_t kStateLeftButton = 4;
inline constexpr int32_t kStateMiddleButton = 8;
inline constexpr int32_t kStateRightButton = 16;
inline constexpr int32_t kStateHold = 512;  // while set, leaving the object is ignored
inline constexpr int32_t kStateButtons = kStateLeftButton | kStateMiddleButton | kStateRightButton;

// An object's rectangle. Every object of a form, also inside groups, is placed in the form's
// coordinates: groups do not shift their children.
struct CNRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  // Saturated at the 32-bit limits, so that no rectangle read from a file can overflow.
  int32_t Width() const { return Saturate(int64_t{right} - left); }
  int32_t Height() const { return Saturate(int64_t{bottom} - top); }
  static int32_t Saturate(int64_t v) {
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v);
  }
  friend bool operator==(const CNRect&, const CNRect&) = default;
};

struct CNPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const CNPoint&, const CNPoint&) = default;
};

// The "button" argument of the mouse events.
enum CNMouseButton : int32_t {
  MOUSE_LEFT = 1,
  MOUSE_MIDDLE = 2,
  MOUSE_RIGHT = 3,
};

// What a drag moves: both coordinates, or one of them.
enum CNDragMode : int32_t {
  DRAG_NONE = 0,
  DRAG_XY = 1,
  DRAG_X = 2,
  DRAG_Y = 3,
};

// The base of every object that lives in a form: common properties, common events and their
// dispatch to the object's event script, interaction states, timers, animations and the link
// to bind scripts.
//
// Input handlers are called by the view with the mouse position in form coordinates. Each
// updates the state word and reports the state property's change, then (while forwarding is on,
// the default) hands the event to the owner's dispatcher, and then fires the object's own event.
class CNPObject : public CNObject {
 public:
  static constexpr auto kProperties = JoinProperties(
      common_properties::kBasicEntries, common_properties::kPositionEntries, common_properties::kStateEntries,
      common_properties::kTooltipEntries, common_properties::kLibraryEntries);
  static constexpr auto kEvents = common_properties::kCommonEvents;

  CNPObject() = default;
  ~CNPObject() override;

  const CNClassProperties& GetClassProperties() const override;

  // The handle that stands for this object in object values.
  uint32_t GetHandle() const;

  // ---- events
  // Runs the handler of that name in the object's event script with the arguments in
  // parameter order; false when there is no handler (or no script engine, or the class's
  // "EnabledEvent" is false).
  bool FireEvent(std::u16string_view name, CNValue* args = nullptr, uint32_t count = 0);
  bool HasEventHandler(std::u16string_view name) const;
  // Whether input events go to the owner's dispatcher before the object's own handler.
  bool IsForwardingEvents() const { return m_bForwardEvents; }
  void SetForwardingEvents(bool on) { m_bForwardEvents = on; }

  // ---- properties
  // After every change of a property, also of the state properties: while the object runs,
  // tells the binds (the property's output bind writes unless the change comes from an input
  // bind or the class's "EnabledBindOutput" is false) and the property listeners.
  virtual void PropertyChanged(std::u16string_view name);
  // The names of the properties set since the last clear.
  std::set<std::u16string_view> GetChangedProperties() const;
  bool IsPropertyChanged(std::u16string_view name) const;
  void ClearChangedProperties() { m_changed.Clear(); }

  int GetClassPropertyDefault(uint32_t i, CNValue& value) const override;
  // The default of "Visible".
  virtual bool GetVisibleDefault() const { return true; }

  // ---- interaction state
  bool HasState(int32_t bits) const { return (GetStateWord() & bits) != 0; }
  // While the hold bit is set or a drag runs, the mouse leaving the object is ignored.
  bool IsLeavingIgnored() const { return HasState(kStateHold) || m_dragMode != DRAG_NONE; }
  // The hold bit: while set, leaving the object is ignored (mouse capture).
  void SetHold(bool on) { SetStateBits(kStateHold, on); }

  // ---- input handlers, called by the view
  virtual void FocusIn();
  virtual void FocusOut();
  virtual void KeyDown(uint32_t keyCode, uint32_t flags);
  virtual void KeyUp(uint32_t keyCode, uint32_t flags);
  virtual void MouseIn(const CNPoint& at);
  virtual void MouseMove(const CNPoint& at);
  virtual void MouseOut(const CNPoint& at);
  virtual void ButtonDown(CNMouseButton button, const CNPoint& at);
  // Ignored when the button was not pressed on this object (or the press was cancelled by
  // leaving it), unless "AllowMouseUpWithoutDown" is true.
  virtual void ButtonUp(CNMouseButton button, const CNPoint& at);
  // Stands for the second press of a double click: the button counts as down until its release.
  virtual void ButtonDblClick(CNMouseButton button, const CNPoint& at);
  // Only controls answer the wheel.
  virtual void MouseWheel(int16_t /*delta*/, const CNPoint& /*at*/) {}

  // ---- dragging: while a drag runs, mouse moves move the object (along one axis for DRAG_X
  // and DRAG_Y) by the distance from where the drag started, and leaving the object is ignored.
  void StartDrag(CNDragMode mode);
  void StopDrag() { m_dragMode = DRAG_NONE; }
  CNDragMode GetDragMode() const { return m_dragMode; }

  // ---- position
  // From "Left", "Top", "Width" and "Height"; classes placed otherwise override both.
  virtual CNRect GetRect() const;
  // Writes the position properties that differ.
  virtual void SetRect(const CNRect& rect);
  // The view's last mouse position counted from the object's top-left corner ("MouseX",
  // "MouseY"); false when no view shows the object.
  bool GetMouseOffset(CNPoint& offset) const;
  // Follows "AutoResizeX" then "AutoResizeY" after the parent area changed size, then fires
  // "OnResize" when either is not "LEFT"/"TOP" or force is set.
  void AutoResize(int32_t oldWidth, int32_t oldHeight, int32_t newWidth, int32_t newHeight,
                  bool force = false);

  // ---- life cycle
  // The object runs from then on: OnStartRunning, then "OnInitialize".
  void Initialize();
  void InitializeDone() { FireEvent(u"OnInitializeDone"); }
  // Fires "OnTerminate", then drops timers, animations, any drag and the binds; the object stops
  // running.
  void Terminate();
  bool IsRunning() const { return m_bRunning; }
  // Every refresh tick: "OnHeartBeat", then the timers, then the animations.
  void HeartBeat();
  // The faster cycle tick: steps the animations only.
  void Cycle();

  // ---- timers ("OnTimer" with the id and the remaining count, unlimited reading -1)
  // False, changing nothing, when the object has a timer with that id.
  bool SetTimer(uint16_t id, uint32_t interval, uint32_t count = kTimerUnlimited, double catchUp = 0.0,
                uint32_t latenessCap = kTimerDefaultLatenessCap);
  bool KillTimer(uint16_t id) { return m_timers.Kill(id); }
  void KillAllTimers() { m_timers.KillAll(); }
  bool PauseTimer(uint16_t id, bool paused);
  const CNObjectTimers& GetTimers() const { return m_timers; }

  // ---- animations (animation.h)
  bool Animate(std::span<const CNAnimationTarget> targets, uint32_t duration, int32_t easing = kEasingDefault,
               std::u16string_view msg = {});
  void StopAnimate() { m_animations.Stop(*this); }
  const CNObjectAnimations& GetAnimations() const { return m_animations; }

  // ---- expressions and binds
  CNObjectExpressions& GetExpressions() { return m_expressions; }
  CNBindLinks& GetBindLinks() { return m_bindLinks; }
  // Stores the values of the input binds that are due (all of them when force is set); returns
  // how many properties they wrote.
  uint32_t RefreshBinds(bool force);

  // ---- painting
  // Draws the object when "Visible" is true and its paint bounds reach into the area being
  // repainted: the class's drawing (groups and forms draw their children as part of it).
  void Draw(CNDrawContext& context);
  bool IsVisible() const;
  // What the object paints, in form coordinates: its rectangle, unless a class paints beyond it
  // (a line's width, a pen centred on the edge). A repaint of this area redraws the object.
  virtual CNRect GetPaintBounds() const { return GetRect(); }
  // Whether a point in form coordinates is on the object; by default inside its rectangle.
  virtual bool HitTest(const CNPoint& at) const;
  // Asks the owner's view to repaint the object and marks it as needing paint.
  void RequestRedraw();
  bool NeedsPaint() const { return m_bNeedsPaint; }
  void ClearNeedsPaint() { m_bNeedsPaint = false; }

  // Where tag-value changes of the tags the object reads arrive.
  class ScriptTagServerConnectionPoint : public CNPTagServerConnectionPoint {
   public:
    explicit ScriptTagServerConnectionPoint(CNPObject& object) : m_object(object) {}
    // Only objects whose script handles "OnTagValueChanged" listen.
    uint32_t IsListening() override { return m_object.HasEventHandler(u"OnTagValueChanged") ? 1 : 0; }
    // Fires "OnTagValueChanged" with the tag name and its value.
    void TagChanged(CNPTag* tag, std::u16string_view name, const CNValue& value, uint32_t changed) override;

   private:
    CNPObject& m_object;
  };
  ScriptTagServerConnectionPoint& GetTagConnectionPoint() { return m_tagConnectionPoint; }

 protected:
  // The class's drawing, in the context's surface pixels.
  virtual void OnDraw(CNDrawContext& /*context*/) {}
  // Called by Initialize once the object runs, before "OnInitialize": a class's start values.
  virtual void OnStartRunning() {}
  // Called by Terminate after "OnTerminate", before the object stops running: what a class
  // started for its run ends here.
  virtual void OnStopRunning() {}
  int SetPropertyAt(uint32_t i, const CNValue& value) override;
  void OnPropertySet(uint32_t index) override;
  // Whether setting property index while running asks for a redraw; false for a property whose
  // class decides by itself when it is seen.
  virtual bool RedrawsWhenSet(uint32_t /*index*/) const { return true; }
  int GetPropertyAt(uint32_t i, CNValue& value) const override;
  int GetExtraProperty(std::u16string_view name, CNValue& value) const override;
  int GetExtraPropertyDefault(std::u16string_view name, CNValue& value) const override;

  void SetStateBits(int32_t bits, bool on) {
    SetStateWord(on ? GetStateWord() | bits : GetStateWord() & ~bits);
  }
  // Sets or clears state bits and reports the change of the state property.
  void ChangeState(int32_t bits, bool on, std::u16string_view property);
  // Steps 2 and 3 of every input event: the owner's dispatcher (when forwarding), then the
  // object's own handler. At most two arguments.
  void RaiseInputEvent(std::u16string_view name, CNValue* args = nullptr, uint32_t count = 0);

 private:
  // The class's bool property; absent when the class has no such property.
  bool ReadBool(std::u16string_view property, bool absent) const;
  void RaiseKeyEvent(std::u16string_view name, uint32_t keyCode, uint32_t flags);
  // Sets or clears the button's state bit, then raises the event with the button number.
  void RaiseButtonEvent(std::u16string_view name, CNMouseButton button, bool down);
  int32_t GetCenter(bool horizontal) const;
  void SetCenter(bool horizontal, double center);
  void DragTo(const CNPoint& at);

  // Properties set since the last clear, a bit by property index: the first ones inline (every
  // class table fits), so that setting them allocates nothing; custom properties beyond those
  // in a vector.
  class ChangedBits {
   public:
    void Set(uint32_t i) {
      if (i < kInline) {
        m_inline[i / 64] |= uint64_t{1} << (i % 64);
        return;
      }
      if (i - kInline >= m_more.size()) m_more.resize(i - kInline + 1);
      m_more[i - kInline] = true;
    }
    bool Test(uint32_t i) const {
      if (i < kInline) return (m_inline[i / 64] >> (i % 64) & 1) != 0;
      return i - kInline < m_more.size() && m_more[i - kInline];
    }
    // One past the largest index that may be set.
    uint32_t GetEnd() const { return kInline + static_cast<uint32_t>(m_more.size()); }
    void Clear() {
      m_inline = {};
      m_more.clear();
    }

   private:
    static constexpr uint32_t kInline = 256;
    std::array<uint64_t, kInline / 64> m_inline{};
    std::vector<bool> m_more;
  };
  ChangedBits m_changed;
  uint32_t m_ulKeyCode = 0;
  bool m_bForwardEvents = true;
  bool m_bRunning = false;
  bool m_bNeedsPaint = false;
  mutable bool m_bHasHandle = false;
  CNDragMode m_dragMode = DRAG_NONE;
  bool m_bDragAnchored = false;
  CNPoint m_dragAnchor;
  CNRect m_dragStart;
  CNObjectTimers m_timers;
  CNObjectAnimations m_animations;
  CNObjectExpressions m_expressions;
  CNBindLinks m_bindLinks;
  ScriptTagServerConnectionPoint m_tagConnectionPoint{*this};
};

// The base of the interactive and drawn objects.
class CNPControl : public CNPObject {
 public:
  // Fires "OnMouseWheel" with the signed wheel delta.
  void MouseWheel(int16_t delta, const CNPoint& at) override;

 protected:
  // Every class property but those CNPObject computes.
  bool StoresConverted(uint32_t i) const override;
};
