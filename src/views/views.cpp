#include "views/views.h"

#include <algorithm>
#include <utility>

#include "methods/runtime_host.h"
#include "project/stretch_mode.h"
#include "support/utf16_text.h"
#include "views/view_browser_control.h"
#include "views/view_host.h"

namespace {

void FireNameEvent(CNPViewHost& host, std::u16string_view event, std::u16string_view name) {
  CNValue arg;
  arg.SetString(name);
  host.FireRootEvent(event, &arg, 1);
}

}  // namespace

CNPViews::~CNPViews() { CloseAll(); }

// ---- the control's area

void CNPViews::CloseAreaViews() {
  // The views outlive their windows here, so that closing a form reaches no window.
  std::vector<std::shared_ptr<CNPViewBrowser>> views;
  if (m_mainFrame) views.push_back(m_mainFrame->GetSharedView());
  if (m_frameset)
    for (const auto& frame : m_frameset->GetFrames()) views.push_back(frame->GetSharedView());
  m_mainFrame.reset();
  m_frameset.reset();
  for (const auto& view : views) view->CloseForm();
}

bool CNPViews::CreateMainView(std::u16string_view frameText, CNPFramesetWnd::ConnectionPoint* listener) {
  CloseAreaViews();
  m_strLastError.clear();
  bool valid = true;
  if (!frameText.empty()) {
    CNPFramesetDefinition definition;
    std::u16string error;
    if (ParseFramesetDefinition(frameText, definition, error)) {
      m_frameset = std::make_unique<CNPFramesetWnd>(m_host, std::move(definition));
      if (m_frameset->GetFrames().empty()) m_frameset.reset();
    }
    if (m_frameset) {
      m_frameset->SetConnectionPoint(listener);
      m_frameset->Layout(m_area);
    } else {
      valid = Fail(error.empty() ? u"The frame set has no frames." : error);
    }
  }
  if (!m_frameset) {
    CNPFrameDefinition main;
    main.name = kMainViewName;
    m_mainFrame = std::make_unique<CNPFrameWnd>(std::make_shared<CNPViewBrowser>(m_host, kMainViewName), main);
    m_mainFrame->SetRect(m_area);
  }
  m_strActiveView = FindView({})->GetName();
  return valid;
}

bool CNPViews::OpenFrameForms() {
  if (!m_frameset) return true;
  bool opened = true;
  for (const auto& frame : m_frameset->GetFrames()) {
    const CNPFrameDefinition& definition = frame->GetDefinition();
    if (definition.baseFormName.empty()) continue;
    if (!frame->GetView().OpenForm(definition.baseFormName, definition.formName, definition.stretch, CNValue()))
      opened = Fail(frame->GetView().GetLastError());
  }
  return opened;
}

void CNPViews::SetArea(const CNRect& area) {
  m_area = area;
  if (m_frameset) m_frameset->Layout(area);
  if (m_mainFrame) m_mainFrame->SetRect(area);
}

// ---- named views and the views of view controls

CNPViewBrowser* CNPViews::AddView(std::u16string_view name) {
  if (name.empty() || FindView(name)) return nullptr;
  m_namedViews.push_back(std::make_shared<CNPViewBrowser>(m_host, name));
  return m_namedViews.back().get();
}

std::shared_ptr<CNPViewBrowserControl> CNPViews::AddControlView(std::u16string_view name,
                                                                CNPViewControl& control) {
  auto view = std::make_shared<CNPViewBrowserControl>(m_host, name, control);
  m_namedViews.push_back(view);
  return view;
}

void CNPViews::RemoveView(std::u16string_view name) {
  if (CNPViewBrowser* view = FindView(name)) RemoveView(*view);
}

void CNPViews::RemoveView(const CNPView& view) {
  const auto found = std::find_if(m_namedViews.begin(), m_namedViews.end(),
                                  [&view](const auto& named) { return named.get() == &view; });
  if (found == m_namedViews.end()) return;
  const std::shared_ptr<CNPViewBrowser> held = *found;
  m_namedViews.erase(found);
  held->CloseForm();
}

// ---- finding views

CNPViewBrowser* CNPViews::FindView(std::u16string_view name) const {
  if (m_frameset) {
    if (name.empty()) return &m_frameset->GetDefaultFrame()->GetView();
    if (CNPFrameWnd* frame = m_frameset->FindFrame(name)) return &frame->GetView();
    if (name == kMainViewName) return &m_frameset->GetMainFrame()->GetView();
  } else if (m_mainFrame && (name.empty() || name == kMainViewName)) {
    return &m_mainFrame->GetView();
  }
  if (!name.empty())
    for (const auto& view : m_namedViews)
      if (view->GetName() == name) return view.get();
  if (CNPBasisDialog* dialog = FindDialog(name)) return &dialog->GetView();
  return nullptr;
}

CNPViewBrowser* CNPViews::FindViewOfForm(const CNObject& form) const {
  for (const auto& view : ShownViews())
    if (view->GetForm() == &form) return view.get();
  return m_hidden.FindByForm(form);
}

std::vector<std::shared_ptr<CNPViewBrowser>> CNPViews::ShownViews() const {
  std::vector<std::shared_ptr<CNPViewBrowser>> views(m_namedViews.rbegin(), m_namedViews.rend());
  if (m_mainFrame) views.push_back(m_mainFrame->GetSharedView());
  if (m_frameset)
    for (const auto& frame : m_frameset->GetFrames()) views.push_back(frame->GetSharedView());
  for (const auto& dialog : m_dialogs) views.emplace_back(dialog, &dialog->GetView());
  return views;
}

// ---- forms

CNPObject* CNPViews::OpenForm(std::u16string_view viewName, std::u16string_view basedFormName,
                              std::u16string_view formName, int32_t stretch, const CNValue& openParam) {
  m_strLastError.clear();
  CNPViewBrowser* view = FindView(viewName);
  if (!view) {
    Fail(u"Can't find view. Name:" + std::u16string(viewName));
    return nullptr;
  }
  const std::u16string name = view->GetName();  // the view may go while its handlers run
  const bool inDialog = FindDialog(name) != nullptr;
  CNPObject* form = view->OpenForm(basedFormName, formName, stretch, openParam);
  if (!form) {
    if (FindView(name) == view) m_strLastError = view->GetLastError();
    return nullptr;
  }
  if (!inDialog) SetActiveView(name);
  return form;
}

CNPObject* CNPViews::OpenHiddenForm(std::u16string_view basedFormName, std::u16string_view formName,
                                    const CNValue& openParam) {
  return m_hidden.Open(basedFormName, formName, openParam);
}

bool CNPViews::CloseForm(std::u16string_view viewName) {
  CNPViewBrowser* view = FindView(viewName);
  if (!view) return false;
  view->CloseForm();
  return true;
}

// ---- dialogs

CNDialogAreas CNPViews::GetDialogAreas() const {
  CNDialogAreas areas{m_area, m_area, m_desktop};
  if (m_frameset)
    if (CNPFrameWnd* frame = m_frameset->FindFrame(m_strActiveView)) areas.parent = frame->GetRect();
  return areas;
}

CNPObject* CNPViews::OpenDialog(const CKVDialogParams& params, bool resource) {
  m_strLastError.clear();
  std::u16string name = params.viewName;
  if (name.empty()) name = params.formName.empty() ? params.baseFormName : params.formName;
  if (CNPBasisDialog* open = FindDialog(name)) {
    if (EqualsIgnoreCaseAscii(params.alreadyOpened, u"show")) {
      open->Show(true);
      SetActiveDialog(name);
      return open->GetView().GetForm();
    }
    if (!EqualsIgnoreCaseAscii(params.alreadyOpened, u"reopen")) {
      Fail(u"The dialog is already open. Name:" + name);
      return nullptr;
    }
    if (!CloseDialog(name)) {
      Fail(u"The dialog refused to close. Name:" + name);
      return nullptr;
    }
  }
  auto dialog = std::make_shared<CNPBasisDialog>(m_host, name, resource);
  m_dialogs.push_back(dialog);
  CNPObject* form = dialog->Open(params, GetDialogAreas());
  if (!form) {
    std::erase(m_dialogs, dialog);
    m_strLastError = dialog->GetView().GetLastError();
    return nullptr;
  }
  SetActiveDialog(name);
  return form;
}

bool CNPViews::CloseDialog(std::u16string_view name, bool force) {
  const std::u16string closing(name.empty() ? std::u16string_view(m_strActiveDialog) : name);
  const auto found = std::find_if(m_dialogs.begin(), m_dialogs.end(),
                                  [&closing](const auto& dialog) { return dialog->GetName() == closing; });
  if (found == m_dialogs.end()) return false;
  const std::shared_ptr<CNPBasisDialog> dialog = *found;
  if (!dialog->Close(force)) return false;
  std::erase(m_dialogs, dialog);
  if (m_strActiveDialog == closing)
    SetActiveDialog(m_dialogs.empty() ? std::u16string_view() : std::u16string_view(m_dialogs.back()->GetName()));
  return true;
}

bool CNPViews::CloseAllDialogs(bool force) {
  bool closed = true;
  const auto dialogs = m_dialogs;
  for (auto dialog = dialogs.rbegin(); dialog != dialogs.rend(); ++dialog)
    closed = CloseDialog((*dialog)->GetName(), force) && closed;
  return closed;
}

CNPBasisDialog* CNPViews::FindDialog(std::u16string_view name) const {
  for (const auto& dialog : m_dialogs)
    if (dialog->GetName() == name) return dialog.get();
  return nullptr;
}

bool CNPViews::SetModalDialog(std::u16string_view name, bool modal) {
  CNPBasisDialog* dialog = FindDialog(name);
  if (dialog) dialog->SetModal(modal);
  return dialog != nullptr;
}

bool CNPViews::ShowDialog(std::u16string_view name, bool show) {
  CNPBasisDialog* dialog = FindDialog(name);
  if (dialog) dialog->Show(show);
  return dialog != nullptr;
}

CNPBasisDialog* CNPViews::GetModalDialog() const {
  for (auto dialog = m_dialogs.rbegin(); dialog != m_dialogs.rend(); ++dialog)
    if ((*dialog)->IsModal() && (*dialog)->IsVisible()) return dialog->get();
  return nullptr;
}

// ---- active view and dialog

void CNPViews::SetActiveView(std::u16string_view name) {
  if (name == m_strActiveView) return;
  m_strActiveView = name;
  FireNameEvent(m_host, u"OnActiveViewChanged", name);
}

void CNPViews::SetActiveDialog(std::u16string_view name) {
  if (name == m_strActiveDialog) return;
  m_strActiveDialog = name;
  FireNameEvent(m_host, u"OnActiveDialogChanged", name);
}

// ---- everything

void CNPViews::CloseAll() {
  m_hidden.CloseAll();
  const auto dialogs = std::move(m_dialogs);
  m_dialogs.clear();
  for (const auto& dialog : dialogs) dialog->Close(true);
  for (const auto& view : ShownViews()) view->CloseForm();
  m_strActiveView.clear();
  m_strActiveDialog.clear();
}

void CNPViews::Tick(int32_t code) {
  for (const auto& view : ShownViews()) view->Tick(code);
  m_hidden.Tick(code);
}

void CNPViews::Refresh(int32_t phase) {
  for (const auto& view : ShownViews()) view->Refresh(phase);
  m_hidden.Refresh(phase);
}

bool CNPViews::Fail(std::u16string text) {
  m_strLastError = std::move(text);
  return false;
}
