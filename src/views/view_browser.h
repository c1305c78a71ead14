#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "views/form_history.h"
#include "views/view.h"
#include "views/view_host.h"

// The runtime's view: opens forms with the project's events, keeps their history, zooms and
// stretches them, moves the focus along the tab order and drives the objects of the form on show
// with the project's ticks.
//
// Opening a form (OpenForm, and the history and home operations):
//  1. the form definition is looked up (a missing one fails, nothing changes);
//  2. the root's "OnBeforeOpenForm(viewName,basedFormName,&isOpen,&stretchMode,&openParam,
//     formName)" fires, then, for a view inside a view control, that object's own
//     "OnBeforeOpenForm" without the view name; isOpen false abandons the open silently, and the
//     handlers may name another stretch mode or replace the open parameter;
//  3. the stretch mode is resolved: FORM the form's "Stretch", DEFAULT the project's, CURRENT
//     the view's own;
//  4. the host makes the form; the open is recorded in the history unless it came from it;
//  5. the previous form is released, the new one laid out, its binds evaluated and the view
//     repainted;
//  6. the root's "OnAfterOpenForm(viewName,basedFormName,objForm,formName)", then the view
//     control's, then the form's "SystemAfterOpenForm" when its script has one;
//  7. the form's "OnBeforeInitialize", then "OnInitialize" on the form and its objects, then
//     "OnInitializeDone" on each.
// A handler that opens another form into the view (or closes it) ends the open of the first at
// that point.
class CNPViewBrowser : public CNPView {
 public:
  static constexpr double kMinZoom = 0.002;
  static constexpr double kMaxZoom = 20.0;
  static constexpr double kDefaultZoomInRatio = 1.25;
  static constexpr uint32_t kDefaultHistoryLimit = 20;

  CNPViewBrowser(CNPViewHost& host, std::u16string_view name) : CNPView(name), m_host(host) {}
  // Releases the form on show.
  ~CNPViewBrowser() override;

  // The ViewControl screen object the view is embedded in (null: none). Its own
  // "OnBeforeOpenForm" and "OnAfterOpenForm" fire after the root's, and its "MaxFormHistory"
  // bounds the history. The object owns the view and outlives it.
  void SetOwnerControl(CNPObject* control);
  CNPObject* GetOwnerControl() const { return m_pOwnerControl; }
  // The view's own history limit; unset: the project's "MaxFormHistory".
  void SetHistoryLimit(std::optional<uint16_t> limit) { m_historyLimit = limit; }

  // ---- forms
  CNPObject* OpenForm(std::u16string_view basedFormName, std::u16string_view formName, int32_t stretch,
                      const CNValue& openParam) override;
  void CloseForm() override;
  // False, changing nothing, when there is no previous (next) form or it cannot be opened.
  bool OpenPrevForm();
  bool OpenNextForm();
  // Opens the project's "DefaultForm" with the project's stretch mode.
  CNPObject* OpenHomeForm();
  const CNPFormHistory& GetHistory() const { return m_history; }
  void ClearFormHistory() { m_history.Clear(); }
  // The names and the open parameter of the form on show; empty when none.
  const std::u16string& GetFormName() const { return m_strFormName; }
  const std::u16string& GetBasedFormName() const { return m_strBasedFormName; }
  const CNValue& GetOpenParam() const { return m_openParam; }
  // Why the last open failed; empty after success or a cancelled open.
  const std::u16string& GetLastError() const { return m_strLastError; }

  // ---- zoom and stretch
  // The form's "AllowZoom" when TRUE or FALSE, else the project's "AllowZoom".
  bool IsZoomAllowed() const;
  // Clamped to kMinZoom..kMaxZoom; false when zooming is not allowed or the factor is NaN.
  bool SetZoom(double factor);
  bool ZoomIn() { return SetZoom(GetZoom() * m_dZoomInRatio); }
  void ResetZoom();
  // False for a ratio that is not a positive finite number.
  bool SetZoomInRatio(double ratio);
  double GetZoomInRatio() const { return m_dZoomInRatio; }
  // Any mode; FORM, DEFAULT and CURRENT are resolved against the form on show.
  void SetStretch(int32_t mode);

  // ---- the project's cycle
  void Refresh(int32_t phase) override;
  // 1: "OnHeartBeat", timers and animations of every running object, then Refresh(0) and
  // Refresh(1); 0 and 6: the animations step; other codes do nothing.
  void Tick(int32_t code) override;

 protected:
  // Form definitions come from the built-in resource project (the system dialogs).
  void UseResourceForms(bool on) { m_bResourceForms = on; }
  // Asks the window to repaint the view.
  virtual void Repaint();
  // A form was put on show by an open (before its binds, after-open events and initialisation).
  virtual void FormShown() {}
  const CNPRootClient* GetProjectSettings() const override;
  // Not while a modal dialog of another view takes the input.
  bool AcceptsInput() const override { return !m_host.IsInputBlocked(*this); }

 private:
  CNPObject* Open(CNPFormHistoryEntry request, bool record);
  // Step 2: false when a handler cancelled; the request takes what the handlers left.
  bool FireBeforeOpen(CNPFormHistoryEntry& request);
  void FireAfterOpen(CNPObject& form);
  // A concrete mode for mode; form (may be null) answers FORM.
  int32_t ResolveStretch(int32_t mode, const CNObject* form) const;
  uint32_t GetHistoryLimit() const;
  bool Navigate(const CNPFormHistoryEntry* (CNPFormHistory::*step)());
  // Whether form is still on show after handlers ran.
  bool StillShows(const CNPObject& form) const { return GetForm() == &form; }

  CNPViewHost& m_host;
  CNPObject* m_pOwnerControl = nullptr;
  std::optional<uint16_t> m_historyLimit;
  bool m_bResourceForms = false;
  CNPFormHistory m_history;
  std::u16string m_strBasedFormName;
  std::u16string m_strFormName;
  CNValue m_openParam;
  std::u16string m_strLastError;
  double m_dZoomInRatio = kDefaultZoomInRatio;
};
