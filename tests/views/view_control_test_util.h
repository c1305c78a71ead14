#pragma once

// View controls on forms shown by a CNPViews of a fake project: the host gives the controls the
// views to add theirs to, and answers the mouse position of the view that shows an object (the
// drag routine is anchored there).

#include <string>
#include <vector>

#include "objects/property_read.h"
#include "project/form_objects.h"
#include "project/stretch_mode.h"
#include "view_test_util.h"
#include "views/view_browser_control.h"
#include "views/view_control.h"
#include "views/views.h"

class ViewControlHost : public FakeViewHost, public CNPViewControlSite {
 public:
  ViewControlHost() { EnableScripts(); }
  ~ViewControlHost() override { views.CloseAll(); }

  CNPViews* GetControlViews() override { return &views; }
  // Like the project's: every object of the form stops running, the innermost first.
  void ReleaseForm(CNPObject& form) override {
    released.push_back(U8(form.GetName()));
    const std::vector<CRPtr<CNPObject>> objects = CollectScreenObjects(form);
    for (auto it = objects.rbegin(); it != objects.rend(); ++it)
      if ((*it)->IsRunning()) (*it)->Terminate();
  }
  bool GetMousePositionOf(const CNObject& object, int32_t& x, int32_t& y) const override {
    for (const CNObject* at = &object; at; at = at->GetParent()) {
      if (at->GetClassId() != CNPForm::kClassId) continue;
      CNPViewBrowser* view = views.FindViewOfForm(*at);
      CNPoint point;
      if (!view || !view->GetMousePosition(point)) return false;
      x = point.x;
      y = point.y;
      return true;
    }
    return false;
  }

  // A view control placed on parent that shows based (under its own name) in the view viewName.
  CNPViewControl& AddControl(CNObject& parent, std::u16string_view name, std::u16string_view viewName,
                             std::u16string_view based, CNRect rect) {
    return AddObject<CNPViewControl>(
        parent, name, rect.left, rect.top, rect.Width(), rect.Height(),
        "ViewName=" + U8(viewName) + " BasedFormName=" + U8(based) + " FormName=" + U8(based));
  }

  // Shows form in the main view, sized to the form so that view pixels are form units.
  CNPViewBrowser& ShowMain(std::u16string_view form, int32_t width, int32_t height) {
    views.CreateMainView({});
    views.SetArea({0, 0, width, height});
    views.OpenForm({}, form, {}, kStretchNone, CNValue());
    return *views.FindView({});
  }

  CNPViews views{*this};
};

inline std::string RectText(const CNPObject& object) {
  const CNRect r = object.GetRect();
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.Width()) + "x" +
         std::to_string(r.Height());
}
