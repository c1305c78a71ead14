// The view control's own view: made when the object starts running, the form the properties
// name opened into it, and the properties that reach the view while it runs.
#include "views/view_control.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "objects/property_read.h"
#include "project/stretch_mode.h"
#include "values/value.h"
#include "views/view_browser_control.h"
#include "views/views.h"

namespace {

// "Stretch" offers the five concrete modes by their codes, then "FORM".
constexpr int32_t kStretchItemForm = 5;

int32_t StretchCode(const CNObject& control) {
  const int32_t item = PropertyItem(control, u"Stretch", kStretchItemForm);
  return item >= 0 && item < kStretchItemForm ? item : kStretchForm;
}

// How many view controls are opening their forms on this thread, one inside the other: a form
// that shows itself in a view control (or handlers that keep opening forms) stop here.
thread_local int t_nestedOpens = 0;

class NestedOpen {
 public:
  NestedOpen() { ++t_nestedOpens; }
  ~NestedOpen() { --t_nestedOpens; }
  NestedOpen(const NestedOpen&) = delete;
  NestedOpen& operator=(const NestedOpen&) = delete;
  static bool Allowed() { return t_nestedOpens < CNPViewControl::kMaxNesting; }
};

bool IsName(const CNPViewControl& control, uint32_t index, std::u16string_view name) {
  return control.GetPropertyName(index) == name;
}

}  // namespace

CNPViewControl::CNPViewControl() = default;

CNPViewControl::~CNPViewControl() {
  if (m_view) m_view->DetachControl();
}

// ---- life cycle

void CNPViewControl::OnStartRunning() {
  CNPScrollableObject::OnStartRunning();
  AttachView();
  OpenNamedForm();
}

void CNPViewControl::OnStopRunning() {
  DetachView();
  m_drag = Drag::kNone;
  m_pressedButton = CNViewControlPart::kNone;
  m_ulViewButtons = 0;
  CNPScrollableObject::OnStopRunning();
}

void CNPViewControl::AttachView() {
  if (m_view) return;
  auto* site = dynamic_cast<CNPViewControlSite*>(GetOwner());
  CNPViews* views = site ? site->GetControlViews() : nullptr;
  if (!views) return;
  m_view = views->AddControlView(PropertyText(*this, u"ViewName"), *this);
  FitView();
}

void CNPViewControl::DetachView() {
  const std::shared_ptr<CNPViewBrowserControl> view = std::move(m_view);
  m_view.reset();
  if (!view) return;
  view->DetachControl();
  auto* site = dynamic_cast<CNPViewControlSite*>(GetOwner());
  if (CNPViews* views = site ? site->GetControlViews() : nullptr) views->RemoveView(*view);
}

void CNPViewControl::OpenNamedForm() {
  const std::shared_ptr<CNPViewBrowserControl> view = m_view;
  if (!view) return;
  std::u16string based = PropertyText(*this, u"BasedFormName");
  std::u16string name = PropertyText(*this, u"FormName");
  if (based.empty()) based = name;
  if (name.empty()) name = based;
  if (based.empty()) {
    view->CloseForm();
    return;
  }
  if (view->GetForm() && view->GetBasedFormName() == based && view->GetFormName() == name) return;
  if (!NestedOpen::Allowed()) return;
  NestedOpen nested;
  view->OpenForm(based, name, StretchCode(*this), CNValue());
}

void CNPViewControl::InnerFormShown() {
  if (!m_view || m_bSyncingNames) return;
  m_bSyncingNames = true;
  CNValue name;
  if (PropertyText(*this, u"BasedFormName") != m_view->GetBasedFormName()) {
    name.SetString(m_view->GetBasedFormName());
    SetProperty(u"BasedFormName", name);
  }
  if (PropertyText(*this, u"FormName") != m_view->GetFormName()) {
    name.SetString(m_view->GetFormName());
    SetProperty(u"FormName", name);
  }
  m_bSyncingNames = false;
}

// ---- properties

void CNPViewControl::OnPropertySet(uint32_t index) {
  CNPScrollableObject::OnPropertySet(index);
  if (!IsRunning() || !m_view) return;
  if (IsName(*this, index, u"BasedFormName") && !m_bSyncingNames) {
    // A new definition is shown under its own name.
    CNValue name;
    name.SetString(PropertyText(*this, u"BasedFormName"));
    m_bSyncingNames = true;
    SetProperty(u"FormName", name);
    m_bSyncingNames = false;
    OpenNamedForm();
  } else if (IsName(*this, index, u"FormName") && !m_bSyncingNames) {
    OpenNamedForm();
  } else if (IsName(*this, index, u"Stretch")) {
    m_view->SetStretch(StretchCode(*this));
  } else if (IsName(*this, index, u"MaxFormHistory")) {
    m_view->SetHistoryLimit(
        static_cast<uint16_t>(std::clamp(PropertyInt(*this, u"MaxFormHistory"), 0, 0xFFFF)));
  } else if (IsName(*this, index, u"ScrollPosX") || IsName(*this, index, u"ScrollPosY")) {
    // The value as written; reading gives the view's position.
    CNValue written;
    CNPScrollableObject::GetPropertyAt(index, written);
    CNPoint scroll = m_view->GetScrollPos();
    const double wanted = std::clamp(written.GetNumber(0), double{INT32_MIN}, double{INT32_MAX});
    (IsName(*this, index, u"ScrollPosX") ? scroll.x : scroll.y) =
        std::isnan(wanted) ? 0 : static_cast<int32_t>(wanted);
    m_view->SetScrollPos(scroll);
    RequestRedraw();
  } else {
    FitView();
  }
}

int CNPViewControl::GetPropertyAt(uint32_t i, CNValue& value) const {
  if (m_view && (IsName(*this, i, u"ScrollPosX") || IsName(*this, i, u"ScrollPosY"))) {
    const CNPoint scroll = m_view->GetScrollPos();
    value.SetNumber(IsName(*this, i, u"ScrollPosX") ? scroll.x : scroll.y);
    return 1;
  }
  return CNPScrollableObject::GetPropertyAt(i, value);
}

int CNPViewControl::GetExtraProperty(std::u16string_view name, CNValue& value) const {
  if (name != u"WidthRatio" && name != u"HeightRatio")
    return CNPScrollableObject::GetExtraProperty(name, value);
  const double scale = !m_view                 ? 1.0
                       : name == u"WidthRatio" ? m_view->GetLayout().scaleX
                                               : m_view->GetLayout().scaleY;
  value.SetNumber(scale);
  return 1;
}

void CNPViewControl::FitView() {
  if (!m_view) return;
  const CNRect body = GetLayout().body;
  const CNSize size{std::max(body.Width(), 0), std::max(body.Height(), 0)};
  if (size != m_view->GetViewSize()) m_view->SetViewSize(size);
}

CNRect CNPViewControl::GetInnerExtent() const {
  const CNRect body = GetLayout().body;
  if (!m_view || !m_view->GetForm()) return body;
  const CNStretchLayout& layout = m_view->GetLayout();
  const CNPoint scroll = m_view->GetScrollPos();
  const int32_t left = CNRect::Saturate(int64_t{body.left} + layout.offsetX - scroll.x);
  const int32_t top = CNRect::Saturate(int64_t{body.top} + layout.offsetY - scroll.y);
  return {left, top, CNRect::Saturate(int64_t{left} + layout.contentSize.width),
          CNRect::Saturate(int64_t{top} + layout.contentSize.height)};
}

CNRect CNPViewControl::GetPaintBounds() const {
  CNRect bounds = GetRect();
  if (PropertyBool(*this, u"ClipView", true)) return bounds;
  const CNRect inner = GetInnerExtent();
  return {std::min(bounds.left, inner.left), std::min(bounds.top, inner.top),
          std::max(bounds.right, inner.right), std::max(bounds.bottom, inner.bottom)};
}
