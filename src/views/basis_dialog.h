#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "project/root_client.h"
#include "screen/pobject.h"
#include "views/view_browser.h"

struct CKVDialogParams;

// The frame of a dialog window.
enum class CNDialogType : uint8_t { kNormal, kSimple, kNoFrame, kFull };
// What a dialog's position counts from.
enum class CNDialogBase : uint8_t { kBrowser, kParent, kDesktop };
enum class CNDialogShow : uint8_t { kHide, kShow, kNormal };

// The areas a dialog can be placed in, in desktop coordinates: the control's, the parent
// view's and the desktop's.
struct CNDialogAreas {
  CNRect browser;
  CNRect parent;
  CNRect desktop;
};

// A named dialog window that shows one form in a view of its own.
//
// Placement: the left edge is "left" pixels from the left of the area "basePosX" names, the top
// "top" pixels below the top of the area "basePosY" names; a position left out centres the dialog
// in that area. A size left out is the form's own. A FULL dialog covers the base areas whatever
// the position and size say. What the request leaves out takes the project's settings
// ("CommonDialogType", "DialogBasePosX", "DialogBasePosY"), the form's ("Title", "Stretch"), or
// else: not resizable, shown normally.
class CNPBasisDialog {
 public:
  // The view inside the dialog; a hidden dialog asks for no repaint.
  class CNPViewBrowserForDlg : public CNPViewBrowser {
   public:
    CNPViewBrowserForDlg(CNPViewHost& host, CNPBasisDialog& dialog, std::u16string_view name, bool resource);
    CNPBasisDialog& GetDialog() const { return m_dialog; }

   protected:
    void Repaint() override;

   private:
    CNPBasisDialog& m_dialog;
  };

  // resource: the dialog shows a form of the built-in resource project (the system dialogs).
  CNPBasisDialog(CNPViewHost& host, std::u16string_view name, bool resource);
  CNPBasisDialog(const CNPBasisDialog&) = delete;
  CNPBasisDialog& operator=(const CNPBasisDialog&) = delete;

  // Places the dialog and opens the request's form into it; the form, null when it could not be
  // opened (the view's last error says why).
  CNPObject* Open(const CKVDialogParams& params, const CNDialogAreas& areas);
  // Fires the form's "OnDialogClose(&bClose)"; a handler setting bClose false keeps the dialog
  // open and the answer is false. force closes without asking.
  bool Close(bool force = false);
  bool IsOpen() const { return m_view.GetForm() != nullptr; }

  const std::u16string& GetName() const { return m_view.GetName(); }
  CNPViewBrowserForDlg& GetView() { return m_view; }
  const std::u16string& GetTitle() const { return m_strTitle; }
  const CNRect& GetRect() const { return m_rect; }
  CNDialogType GetType() const { return m_type; }
  bool IsResizable() const { return m_bResizable; }
  bool IsModal() const { return m_bModal; }
  void SetModal(bool modal) { m_bModal = modal; }
  CNDialogShow GetShowState() const { return m_show; }
  bool IsVisible() const { return m_show != CNDialogShow::kHide; }
  void Show(bool show) { m_show = show ? CNDialogShow::kShow : CNDialogShow::kHide; }

 private:
  // The dialog's rectangle for the request and the size of its form.
  CNRect Place(const CKVDialogParams& params, const CNDialogAreas& areas, CNSize formSize) const;
  // The request's word among items (ignoring case), else the project setting's, else fallback.
  int32_t Choice(std::u16string_view given, std::optional<CNTextSetting> setting, std::u16string_view items,
                 int32_t fallback) const;

  CNPViewHost& m_host;
  bool m_bResource;
  CNPViewBrowserForDlg m_view;
  std::u16string m_strTitle;
  CNRect m_rect;
  CNDialogType m_type = CNDialogType::kSimple;
  bool m_bResizable = false;
  bool m_bModal = false;
  CNDialogShow m_show = CNDialogShow::kNormal;
};
