#include "views/basis_dialog.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "methods/runtime_host.h"
#include "objects/property_read.h"
#include "project/root_client.h"
#include "project/stretch_mode.h"
#include "values/enum_value.h"
#include "views/view_host.h"

namespace {

constexpr std::u16string_view kDialogTypeItems = u"NORMAL,SIMPLE,NOFRAME,FULL";
constexpr std::u16string_view kDialogBaseItems = u"BROWSER,PARENT,DESKTOP";
constexpr std::u16string_view kShowItems = u"HIDE,SHOW,NORMAL";

const CNRect& BaseArea(CNDialogBase base, const CNDialogAreas& areas) {
  switch (base) {
    case CNDialogBase::kParent: return areas.parent;
    case CNDialogBase::kDesktop: return areas.desktop;
    case CNDialogBase::kBrowser: break;
  }
  return areas.browser;
}

// One axis of the placement: from, size within an area that starts at areaStart and is areaSize long.
std::pair<int32_t, int32_t> PlaceAxis(std::optional<int32_t> offset, int32_t size, int32_t areaStart,
                                      int32_t areaSize) {
  const int64_t from = offset ? int64_t{areaStart} + *offset : int64_t{areaStart} + (int64_t{areaSize} - size) / 2;
  return {CNRect::Saturate(from), CNRect::Saturate(from + size)};
}

}  // namespace

CNPBasisDialog::CNPViewBrowserForDlg::CNPViewBrowserForDlg(CNPViewHost& host, CNPBasisDialog& dialog,
                                                           std::u16string_view name, bool resource)
    : CNPViewBrowser(host, name), m_dialog(dialog) {
  UseResourceForms(resource);
}

void CNPBasisDialog::CNPViewBrowserForDlg::Repaint() {
  if (m_dialog.IsVisible()) CNPViewBrowser::Repaint();
}

CNPBasisDialog::CNPBasisDialog(CNPViewHost& host, std::u16string_view name, bool resource)
    : m_host(host), m_bResource(resource), m_view(host, *this, name, resource) {}

int32_t CNPBasisDialog::Choice(std::u16string_view given, std::optional<CNTextSetting> setting,
                               std::u16string_view items, int32_t fallback) const {
  int32_t index = CNEnum::ItemIndex(items, given);
  if (index < 0 && setting) index = CNEnum::ItemIndex(items, m_host.GetSettings().SettingText(*setting));
  return index < 0 ? fallback : index;
}

CNRect CNPBasisDialog::Place(const CKVDialogParams& params, const CNDialogAreas& areas, CNSize formSize) const {
  const auto baseX = static_cast<CNDialogBase>(
      Choice(params.basePosX, CNTextSetting(u"DialogBasePosX"), kDialogBaseItems, 0));
  const auto baseY = static_cast<CNDialogBase>(
      Choice(params.basePosY, CNTextSetting(u"DialogBasePosY"), kDialogBaseItems, 0));
  const CNRect& areaX = BaseArea(baseX, areas);
  const CNRect& areaY = BaseArea(baseY, areas);
  if (m_type == CNDialogType::kFull) return {areaX.left, areaY.top, areaX.right, areaY.bottom};
  const int32_t width = std::max(params.width.value_or(formSize.width), 1);
  const int32_t height = std::max(params.height.value_or(formSize.height), 1);
  const auto [left, right] = PlaceAxis(params.left, width, areaX.left, areaX.Width());
  const auto [top, bottom] = PlaceAxis(params.top, height, areaY.top, areaY.Height());
  return {left, top, right, bottom};
}

CNPObject* CNPBasisDialog::Open(const CKVDialogParams& params, const CNDialogAreas& areas) {
  const CNObject* based = m_host.FindBasedForm(params.baseFormName, m_bResource);
  const CNSize formSize = based ? CNSize{PropertyInt(*based, u"Width"), PropertyInt(*based, u"Height")} : CNSize{};
  m_type = static_cast<CNDialogType>(
      Choice(params.dialogType, CNTextSetting(u"CommonDialogType"), kDialogTypeItems, 1));
  m_rect = Place(params, areas, formSize);
  m_bResizable = params.resizable.value_or(false);
  m_bModal = params.modal;
  m_show = static_cast<CNDialogShow>(Choice(params.showState, std::nullopt, kShowItems, 2));
  m_strTitle = !params.title.empty() ? params.title : based ? PropertyText(*based, u"Title") : std::u16string();
  m_view.SetViewSize({m_rect.Width(), m_rect.Height()});
  const int32_t stretch = params.stretch.empty() ? kStretchForm : StretchModeFromText(params.stretch);
  return m_view.OpenForm(params.baseFormName, params.formName, stretch, CNValue());
}

bool CNPBasisDialog::Close(bool force) {
  const CRPtr<CNPObject> form = CRPtr<CNPObject>::Retain(m_view.GetForm());
  if (form && !force) {
    CNValue close;
    close.SetBool(true);
    form->FireEvent(u"OnDialogClose", &close, 1);
    if (!close.GetBool(0)) return false;
  }
  m_view.CloseForm();
  return true;
}
