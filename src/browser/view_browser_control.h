#pragma once

#include <string_view>

#include "browser/view_browser.h"

// The view inside a "ViewControl" screen object of another form: its forms fire that object's
// own "OnBeforeOpenForm" and "OnAfterOpenForm" after the root's, and its history is bounded by
// the object's "MaxFormHistory". The object owns the view and outlives it.
class CNPViewBrowserControl : public CNPViewBrowser {
 public:
  CNPViewBrowserControl(CNPViewHost& host, std::u16string_view name, CNPObject& control) : CNPViewBrowser(host, name) {
    SetOwnerControl(&control);
  }
};
