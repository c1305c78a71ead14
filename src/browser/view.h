#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "browser/stretch_geometry.h"
#include "objects/pobject.h"
#include "support/ref_cnt.h"

class CNValue;

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
  ~CNPView() override = default;
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

 protected:
  // Puts form on show (null: none) with the stretch mode and lays it out; its size as the
  // definition gives it is the base that the RESIZE modes work from.
  void ShowForm(CRPtr<CNPObject> form, int32_t stretch);
  void SetStretchInForce(int32_t mode);
  void SetZoomFactor(double zoom);
  // Lays the form on show out for the view's size, stretch and zoom: the RESIZE modes resize it
  // (and its objects follow their "AutoResize" settings); then the window is told.
  void Layout();
  // Whether a repaint was asked for since the last call (by RequestPaint, a layout, or an object
  // of the form that needs paint); clears the requests.
  bool TakePaintRequest();

 private:
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
  bool m_bPaintRequested = false;
  FrameWindowConnectionPoint* m_pFrameWindow = nullptr;
};
