#include "views/tab_order.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "objects/property_read.h"
#include "screen/pobject.h"
#include "support/utf16_text.h"
#include "values/enum_value.h"

namespace {

enum TabMode : int32_t { TAB_NONE = 0, TAB_INDEX = 1, TAB_DOWN = 2, TAB_RIGHT = 3, TAB_TABINDEX = 4 };
constexpr std::u16string_view kTabModeItems = u"NONE,INDEX,DOWN,RIGHT,TABINDEX";

bool IsShownAndEnabled(const CNPObject& object) {
  return PropertyBool(object, u"Visible", true) && PropertyBool(object, u"Enabled", true);
}

bool IsTabStop(const CNPObject& object) {
  return IsShownAndEnabled(object) && PropertyBool(object, u"Focusable", false) &&
         PropertyBool(object, u"TabStop", false);
}

// The tab stops below parent in child order, depth first, not entering hidden or disabled objects.
void CollectTabStops(CNObject& parent, std::vector<CRPtr<CNPObject>>& out) {
  std::vector<std::pair<CNObject*, int32_t>> open{{&parent, 0}};
  while (!open.empty()) {
    auto& [node, next] = open.back();
    CNObject* child = node->GetChild(next++);
    if (!child) {
      open.pop_back();
      continue;
    }
    auto* object = dynamic_cast<CNPObject*>(child);
    if (!object || !IsShownAndEnabled(*object)) continue;
    if (IsTabStop(*object)) out.push_back(CRPtr<CNPObject>::Retain(object));
    open.emplace_back(child, 0);
  }
}

}  // namespace

const std::vector<CRPtr<CNPObject>>& CNPTabOrder::Get(CNPObject& form) {
  if (!m_bBuilt) Build(form);
  return m_order;
}

void CNPTabOrder::Build(CNPObject& form) {
  m_order.clear();
  m_bBuilt = true;
  const int32_t mode = CNEnum::ItemIndex(kTabModeItems, PropertyText(form, u"TabMode"));
  if (mode <= TAB_NONE) return;
  CollectTabStops(form, m_order);
  const auto sortBy = [this](auto key) {
    std::stable_sort(m_order.begin(), m_order.end(),
                     [&key](const CRPtr<CNPObject>& a, const CRPtr<CNPObject>& b) { return key(*a) < key(*b); });
  };
  switch (mode) {
    case TAB_DOWN:
      sortBy([](const CNPObject& o) { return std::tuple(o.GetRect().top, o.GetRect().left); });
      break;
    case TAB_RIGHT:
      sortBy([](const CNPObject& o) { return std::tuple(o.GetRect().left, o.GetRect().top); });
      break;
    case TAB_TABINDEX:
      sortBy([](const CNPObject& o) { return PropertyInt(o, u"TabIndex"); });
      break;
    default:
      break;
  }
}

CNPObject* CNPTabOrder::Move(CNPObject& form, const CNPObject* current, std::u16string_view how) {
  const std::vector<CRPtr<CNPObject>>& order = Get(form);
  if (order.empty()) return nullptr;
  const size_t count = order.size();
  const auto found = std::find_if(order.begin(), order.end(),
                                  [current](const CRPtr<CNPObject>& o) { return o.Get() == current; });
  const bool known = found != order.end();
  const size_t at = static_cast<size_t>(found - order.begin());
  if (EqualsIgnoreCaseAscii(how, u"first")) return order.front().Get();
  if (EqualsIgnoreCaseAscii(how, u"next")) return known ? order[(at + 1) % count].Get() : order.front().Get();
  return known ? order[(at + count - 1) % count].Get() : order.back().Get();
}
