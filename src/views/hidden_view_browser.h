#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "views/view_browser.h"

// A view without a window for a form that runs without being shown (the project's hidden
// forms): it ticks and refreshes like any view but never asks for a repaint.
class CNPHiddenViewBrowser : public CNPViewBrowser {
 public:
  using CNPViewBrowser::CNPViewBrowser;

 protected:
  void Repaint() override {}
};

// The hidden views of a project, one per hidden form, named after the form; they live until the
// project closes.
class CNPHiddenViewBrowsers {
 public:
  explicit CNPHiddenViewBrowsers(CNPViewHost& host) : m_host(host) {}

  // Opens the form into a new hidden view (with the form's own stretch mode); null when it
  // cannot be opened, and then no view is kept. A form already open in a hidden view is given
  // back as it is.
  CNPObject* Open(std::u16string_view basedFormName, std::u16string_view formName, const CNValue& openParam);
  // The hidden view showing formName; null when none.
  CNPHiddenViewBrowser* Find(std::u16string_view formName) const;
  CNPHiddenViewBrowser* FindByForm(const CNObject& form) const;
  // Closes every hidden form and drops the views.
  void CloseAll();
  void Tick(int32_t code);
  void Refresh(int32_t phase);
  size_t GetCount() const { return m_views.size(); }

 private:
  // The views as they are now, held, so that handlers may change the list.
  std::vector<std::shared_ptr<CNPHiddenViewBrowser>> Snapshot() const { return m_views; }

  CNPViewHost& m_host;
  std::vector<std::shared_ptr<CNPHiddenViewBrowser>> m_views;
};
