#include "views/view_browser.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "binds/object_binder.h"
#include "objects/property_read.h"
#include "project/form_objects.h"
#include "project/root_client.h"
#include "project/stretch_mode.h"
#include "support/utf16_text.h"
#include "views/view_host.h"

CNPViewBrowser::~CNPViewBrowser() { CloseForm(); }

void CNPViewBrowser::SetOwnerControl(CNPObject* control) {
  m_pOwnerControl = control;
  if (control)
    m_historyLimit = static_cast<uint16_t>(std::clamp(PropertyInt(*control, u"MaxFormHistory", 20), 0, 0xFFFF));
}

// ---- forms

CNPObject* CNPViewBrowser::OpenForm(std::u16string_view basedFormName, std::u16string_view formName,
                                    int32_t stretch, const CNValue& openParam) {
  CNPFormHistoryEntry request{std::u16string(basedFormName), std::u16string(formName), stretch, openParam};
  return Open(std::move(request), true);
}

CNPObject* CNPViewBrowser::Open(CNPFormHistoryEntry request, bool record) {
  m_strLastError.clear();
  CNObject* based = m_host.FindBasedForm(request.basedFormName, m_bResourceForms);
  if (!based) {
    m_strLastError = u"Can't find form. Name:" + request.basedFormName;
    return nullptr;
  }
  if (request.formName.empty()) request.formName = request.basedFormName;
  if (!FireBeforeOpen(request)) return nullptr;
  request.stretch = ResolveStretch(request.stretch, based);
  const CRPtr<CNPObject> form = m_host.AcquireForm(*based, request.formName);
  if (!form) {
    m_strLastError = u"Can't create form. Name:" + request.formName;
    return nullptr;
  }
  m_strBasedFormName = request.basedFormName;
  m_strFormName = request.formName;
  m_openParam.Assign(request.openParam);
  const int32_t stretch = request.stretch;
  if (record) m_history.Record(std::move(request), GetHistoryLimit());

  const CRPtr<CNPObject> previous = CRPtr<CNPObject>::Retain(GetForm());
  SetFocusObject(nullptr);
  ShowForm(form, stretch);
  if (previous && previous != form) m_host.ReleaseForm(*previous);
  if (!StillShows(*form)) return GetForm();
  FormShown();
  if (!StillShows(*form)) return GetForm();
  RefreshTreeBinds(*form, true);
  Refresh(1);

  FireAfterOpen(*form);
  if (!StillShows(*form)) return GetForm();
  form->FireEvent(u"SystemAfterOpenForm");
  if (!StillShows(*form)) return GetForm();
  form->FireEvent(u"OnBeforeInitialize");
  if (!StillShows(*form)) return GetForm();
  InitializeScreenObjects(*form);
  return GetForm();
}

bool CNPViewBrowser::FireBeforeOpen(CNPFormHistoryEntry& request) {
  // The view control's handler has the root's parameters without the view name.
  CNValue args[6];
  args[0].SetString(GetName());
  args[1].SetString(request.basedFormName);
  args[2].SetBool(true);
  args[3].SetString(StretchModeName(request.stretch));
  args[4].Assign(request.openParam);
  args[5].SetString(request.formName);
  m_host.FireRootEvent(u"OnBeforeOpenForm", args, 6);
  if (m_pOwnerControl) m_pOwnerControl->FireEvent(u"OnBeforeOpenForm", args + 1, 5);
  if (!args[2].GetBool(0)) return false;
  request.stretch = StretchModeFromValue(args[3]);
  request.openParam.Assign(args[4]);
  return true;
}

void CNPViewBrowser::FireAfterOpen(CNPObject& form) {
  CNValue args[4];
  args[0].SetString(GetName());
  args[1].SetString(m_strBasedFormName);
  args[2].SetObject(form.GetHandle());
  args[3].SetString(m_strFormName);
  m_host.FireRootEvent(u"OnAfterOpenForm", args, 4);
  if (m_pOwnerControl && StillShows(form)) m_pOwnerControl->FireEvent(u"OnAfterOpenForm", args + 1, 3);
}

int32_t CNPViewBrowser::ResolveStretch(int32_t mode, const CNObject* form) const {
  // The project may defer to the form and the form to the project: a few steps settle every
  // sensible choice, a circle ends as NONE.
  for (int step = 0; step < 4 && !IsConcreteStretchMode(mode); ++step) {
    switch (mode) {
      case kStretchForm: mode = form ? StretchModeFromText(PropertyText(*form, u"Stretch")) : kStretchNone; break;
      case kStretchDefault:
        mode = StretchModeFromText(m_host.GetSettings().SettingText(u"Stretch"));
        break;
      case kStretchCurrent: mode = GetStretch(); break;
      default: mode = kStretchNone; break;
    }
  }
  return IsConcreteStretchMode(mode) ? mode : kStretchNone;
}

uint32_t CNPViewBrowser::GetHistoryLimit() const {
  if (m_historyLimit) return *m_historyLimit;
  return static_cast<uint32_t>(std::max(m_host.GetSettings().SettingInt(u"MaxFormHistory"), 0));
}

void CNPViewBrowser::CloseForm() {
  const CRPtr<CNPObject> previous = CRPtr<CNPObject>::Retain(GetForm());
  if (!previous) return;
  SetFocusObject(nullptr);
  m_strBasedFormName.clear();
  m_strFormName.clear();
  m_openParam.Clear();
  ShowForm(nullptr, GetStretch());
  m_host.ReleaseForm(*previous);
}

bool CNPViewBrowser::Navigate(const CNPFormHistoryEntry* (CNPFormHistory::*step)()) {
  const CNPFormHistory before = m_history;
  const CNPFormHistoryEntry* entry = (m_history.*step)();
  if (!entry) return false;
  if (Open(*entry, false)) return true;
  m_history = before;
  return false;
}

bool CNPViewBrowser::OpenPrevForm() { return Navigate(&CNPFormHistory::StepBack); }

bool CNPViewBrowser::OpenNextForm() { return Navigate(&CNPFormHistory::StepForward); }

CNPObject* CNPViewBrowser::OpenHomeForm() {
  const std::u16string home = m_host.GetSettings().SettingText(u"DefaultForm");
  return OpenForm(home, home, kStretchDefault, CNValue());
}

// ---- zoom and stretch

bool CNPViewBrowser::IsZoomAllowed() const {
  const std::u16string formZoom = GetForm() ? PropertyText(*GetForm(), u"AllowZoom") : std::u16string();
  if (EqualsIgnoreCaseAscii(formZoom, u"TRUE")) return true;
  if (EqualsIgnoreCaseAscii(formZoom, u"FALSE")) return false;
  return m_host.GetSettings().SettingBool(u"AllowZoom");
}

bool CNPViewBrowser::SetZoom(double factor) {
  if (std::isnan(factor) || !IsZoomAllowed()) return false;
  factor = std::clamp(factor, kMinZoom, kMaxZoom);
  if (factor == GetZoom()) return true;
  SetZoomFactor(factor);
  if (TakePaintRequest()) Repaint();
  return true;
}

void CNPViewBrowser::ResetZoom() {
  if (GetZoom() == 1.0) return;
  SetZoomFactor(1.0);
  if (TakePaintRequest()) Repaint();
}

bool CNPViewBrowser::SetZoomInRatio(double ratio) {
  if (!std::isfinite(ratio) || ratio <= 0) return false;
  m_dZoomInRatio = ratio;
  return true;
}

void CNPViewBrowser::SetStretch(int32_t mode) {
  SetStretchInForce(ResolveStretch(mode, GetForm()));
  if (TakePaintRequest()) Repaint();
}

// ---- the project's cycle

void CNPViewBrowser::Refresh(int32_t phase) {
  const CRPtr<CNPObject> form = CRPtr<CNPObject>::Retain(GetForm());
  if (phase == 0 && form) RefreshTreeBinds(*form, false);
  if (phase == 1 && TakePaintRequest()) Repaint();
}

void CNPViewBrowser::Tick(int32_t code) {
  if (!GetForm()) return;
  if (code == 1) {
    for (const CRPtr<CNPObject>& object : CollectScreenObjects(*GetForm()))
      if (object->IsRunning()) object->HeartBeat();
    Refresh(0);
    Refresh(1);
  } else if (code == 0 || code == 6) {
    for (const CRPtr<CNPObject>& object : CollectScreenObjects(*GetForm())) object->Cycle();
  }
}

void CNPViewBrowser::Repaint() {
  m_host.InvalidateView(*this);
  if (GetFrameWindow()) GetFrameWindow()->ViewNeedsPaint(*this);
}

const CNPRootClient* CNPViewBrowser::GetProjectSettings() const {
  return &m_host.GetSettings();
}
