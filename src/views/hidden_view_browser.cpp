#include "views/hidden_view_browser.h"

#include <algorithm>

#include "project/stretch_mode.h"

CNPObject* CNPHiddenViewBrowsers::Open(std::u16string_view basedFormName, std::u16string_view formName,
                                       const CNValue& openParam) {
  const std::u16string_view name = formName.empty() ? basedFormName : formName;
  if (CNPHiddenViewBrowser* open = Find(name)) return open->GetForm();
  auto view = std::make_shared<CNPHiddenViewBrowser>(m_host, name);
  m_views.push_back(view);
  CNPObject* form = view->OpenForm(basedFormName, name, kStretchForm, openParam);
  if (!form) std::erase(m_views, view);
  return form;
}

CNPHiddenViewBrowser* CNPHiddenViewBrowsers::Find(std::u16string_view formName) const {
  const auto found = std::find_if(m_views.begin(), m_views.end(),
                                  [formName](const auto& view) { return view->GetName() == formName; });
  return found == m_views.end() ? nullptr : found->get();
}

CNPHiddenViewBrowser* CNPHiddenViewBrowsers::FindByForm(const CNObject& form) const {
  const auto found = std::find_if(m_views.begin(), m_views.end(),
                                  [&form](const auto& view) { return view->GetForm() == &form; });
  return found == m_views.end() ? nullptr : found->get();
}

void CNPHiddenViewBrowsers::CloseAll() {
  const auto views = std::move(m_views);
  m_views.clear();
  for (const auto& view : views) view->CloseForm();
}

void CNPHiddenViewBrowsers::Tick(int32_t code) {
  for (const auto& view : Snapshot()) view->Tick(code);
}

void CNPHiddenViewBrowsers::Refresh(int32_t phase) {
  for (const auto& view : Snapshot()) view->Refresh(phase);
}
