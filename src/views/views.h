#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "views/basis_dialog.h"
#include "views/frame_wnd.h"
#include "views/frameset_wnd.h"
#include "views/hidden_view_browser.h"
#include "views/view_browser.h"

struct CKVDialogParams;
class CNPViewBrowserControl;
class CNPViewControl;

// The views of the open project: the control's area (the main view "MainView", or the frames of
// the "DefaultFrame" frame set), views that view controls add by name, dialogs in the order
// they were opened, and the hidden views. It keeps the active view and the active dialog and
// fires the root's "OnActiveViewChanged(viewname)" and "OnActiveDialogChanged(dialogname)" when
// they change.
//
// Opening a form into a view of the control's area or a named view makes that view the active
// one; opening a dialog makes it the active dialog, and closing the active dialog passes that on
// to the dialog opened last before it (none: "").
class CNPViews {
 public:
  static constexpr std::u16string_view kMainViewName = u"MainView";

  explicit CNPViews(CNPViewHost& host) : m_host(host), m_hidden(host) {}
  ~CNPViews();
  CNPViews(const CNPViews&) = delete;
  CNPViews& operator=(const CNPViews&) = delete;

  // ---- the control's area
  // Replaces the views of the control's area, closing their forms: the frame set frameText
  // defines, or, when it is empty, the single view "MainView". Text that is not a valid frame
  // set gives "MainView" too, and false with GetLastError telling why.
  bool CreateMainView(std::u16string_view frameText, CNPFramesetWnd::ConnectionPoint* listener = nullptr);
  // Opens the form of every frame that names one, with the frame's stretch mode; false when one
  // could not be opened (the others still are).
  bool OpenFrameForms();
  // The control's area and the desktop, in desktop coordinates; the views are laid out anew.
  void SetArea(const CNRect& area);
  void SetDesktop(const CNRect& desktop) { m_desktop = desktop; }
  // Null without a frame set.
  CNPFramesetWnd* GetFrameset() const { return m_frameset.get(); }
  // The window of the main view; null with a frame set.
  CNPFrameWnd* GetMainFrame() const { return m_mainFrame.get(); }

  // ---- named views and the views of view controls
  // A new empty view named name; null when the name is empty or taken.
  CNPViewBrowser* AddView(std::u16string_view name);
  // A new empty view for control, named name. It is added whatever the name: FindView finds it
  // by name while no view added before it has that name (an empty name is never found).
  std::shared_ptr<CNPViewBrowserControl> AddControlView(std::u16string_view name, CNPViewControl& control);
  // Closes the view's form and drops the view.
  void RemoveView(std::u16string_view name);
  void RemoveView(const CNPView& view);

  // ---- finding views
  // "" gives the frame set's default frame, else the main view; "MainView" the frame set's main
  // frame when no frame has that name; other names a frame, a view control's view, or a dialog's
  // view. Null when there is none. Hidden views are not found here.
  CNPViewBrowser* FindView(std::u16string_view name) const;
  // The view (hidden ones too) showing form; null when none does.
  CNPViewBrowser* FindViewOfForm(const CNObject& form) const;

  // ---- forms
  CNPObject* OpenForm(std::u16string_view viewName, std::u16string_view basedFormName, std::u16string_view formName,
                      int32_t stretch, const CNValue& openParam);
  CNPObject* OpenHiddenForm(std::u16string_view basedFormName, std::u16string_view formName,
                            const CNValue& openParam);
  // False when there is no such view.
  bool CloseForm(std::u16string_view viewName);
  CNPHiddenViewBrowsers& GetHiddenViews() { return m_hidden; }

  // ---- dialogs
  // Opens a dialog named params.viewName (empty: after its form); resource takes the form from
  // the built-in resource project. When a dialog of that name is open, "alreadyOpened" decides:
  // "show" shows it and gives its form, "reopen" closes it (its form may refuse) and opens anew,
  // anything else fails. The dialog's form, null on failure (GetLastError).
  CNPObject* OpenDialog(const CKVDialogParams& params, bool resource = false);
  // Closes the dialog (empty name: the active one) unless its form's "OnDialogClose" refuses;
  // force does not ask. False when it stays open or there is none.
  bool CloseDialog(std::u16string_view name, bool force = false);
  // Closes every dialog, the newest first; false when one refused.
  bool CloseAllDialogs(bool force = false);
  CNPBasisDialog* FindDialog(std::u16string_view name) const;
  // False when there is no such dialog.
  bool SetModalDialog(std::u16string_view name, bool modal);
  bool ShowDialog(std::u16string_view name, bool show);
  // The newest visible modal dialog, which takes the operator's input; null when none.
  CNPBasisDialog* GetModalDialog() const;
  const std::vector<std::shared_ptr<CNPBasisDialog>>& GetDialogs() const { return m_dialogs; }

  // ---- active view and dialog
  const std::u16string& GetActiveViewName() const { return m_strActiveView; }
  void SetActiveView(std::u16string_view name);
  const std::u16string& GetActiveDialogName() const { return m_strActiveDialog; }
  void SetActiveDialog(std::u16string_view name);

  // Empties every view, closes every dialog without asking and drops the hidden views; the
  // views of view controls stay, empty. The active names become empty without events.
  void CloseAll();
  // To the named views (the newest first, so that a view control's view has asked for the
  // repaint of its control before the view around it refreshes), the control's views, the
  // dialogs, then the hidden views.
  void Tick(int32_t code);
  void Refresh(int32_t phase);

  const std::u16string& GetLastError() const { return m_strLastError; }

 private:
  // Every named view (newest first), view of the control's area and dialog view, held.
  std::vector<std::shared_ptr<CNPViewBrowser>> ShownViews() const;
  void CloseAreaViews();
  CNDialogAreas GetDialogAreas() const;
  bool Fail(std::u16string text);

  CNPViewHost& m_host;
  std::unique_ptr<CNPFrameWnd> m_mainFrame;  // without a frame set
  std::unique_ptr<CNPFramesetWnd> m_frameset;
  std::vector<std::shared_ptr<CNPViewBrowser>> m_namedViews;
  std::vector<std::shared_ptr<CNPBasisDialog>> m_dialogs;
  CNPHiddenViewBrowsers m_hidden;
  CNRect m_area;
  CNRect m_desktop;
  std::u16string m_strActiveView;
  std::u16string m_strActiveDialog;
  std::u16string m_strLastError;
};
