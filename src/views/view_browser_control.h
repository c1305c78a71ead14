#pragma once

#include <string_view>

#include "views/view_browser.h"

class CNPViewControl;

// The view inside a "ViewControl" screen object of another form: its forms fire that object's
// own "OnBeforeOpenForm" and "OnAfterOpenForm" after the root's, and its history is bounded by
// the object's "MaxFormHistory". The view is painted as part of the object, and gets its input
// from it in view pixels that are the form units of the object's form.
class CNPViewBrowserControl : public CNPViewBrowser {
 public:
  CNPViewBrowserControl(CNPViewHost& host, std::u16string_view name, CNPViewControl& control);

  CNPViewControl* GetControl() const { return m_pControl; }
  // The object goes: the view stays on its own, empty, until it is dropped.
  void DetachControl();

 protected:
  // The object repaints, and the view with it.
  void Repaint() override;
  void FormShown() override;
  // The view around the object has already let the input through to it.
  bool AcceptsInput() const override { return m_pControl != nullptr; }

 private:
  CNPViewControl* m_pControl;
};
