#include "objects/object_registry.h"

#include <algorithm>

#include "support/message_box.h"

namespace {

std::unique_ptr<CPanelControls>& Singleton() {
  static std::unique_ptr<CPanelControls> s_registry;
  return s_registry;
}

}  // namespace

CPanelControls& CPanelControls::Instance() {
  auto& registry = Singleton();
  if (!registry) registry = std::make_unique<CPanelControls>();
  return *registry;
}

void CPanelControls::ReleaseInstance() {
  auto& registry = Singleton();
  if (registry && registry->GetCategoryCount() == 0) registry.reset();
}

const CNObjectClassRecord* CPanelControls::Find(std::u16string_view clid) const {
  const auto it = m_classes.find(clid);
  return it == m_classes.end() ? nullptr : &it->second;
}

CNObject* CPanelControls::Create(std::u16string_view clid) {
  const CNObjectClassRecord* record = Find(clid);
  if (!record) {
    CRMessageBox::GetCurrent().Show(u"Can't create control. " + std::u16string(clid), u"Warning", MB_OK,
                                    MB_ICONWARNING);
    return nullptr;
  }
  return record->factory->Create();
}

bool CPanelControls::Register(std::u16string_view clid, std::u16string_view displayName, uint32_t resource1,
                              std::u16string_view category, uint32_t order, uint32_t resource2,
                              std::u16string_view shapeKind, std::unique_ptr<CNObjectClassFactory> factory) {
  if (m_classes.find(clid) != m_classes.end() || !factory) {
    CRMessageBox::GetCurrent().Show(std::u16string(clid) + u" already registered", u"Warning", MB_OK,
                                    MB_ICONWARNING);
    return false;
  }
  CNObjectClassRecord record{std::u16string(clid), std::u16string(displayName), std::u16string(category),
                             resource1, resource2, order, std::u16string(shapeKind), std::move(factory)};
  const auto [it, inserted] = m_classes.emplace(record.clid, std::move(record));
  auto group = std::find_if(m_categories.begin(), m_categories.end(),
                            [&](const Category& c) { return c.name == category; });
  if (group == m_categories.end()) group = m_categories.insert(m_categories.end(), Category{std::u16string(category), {}});
  group->classes.push_back(&it->second);
  return inserted;
}

bool CPanelControls::Unregister(std::u16string_view clid, std::u16string_view category) {
  const auto it = m_classes.find(clid);
  if (it == m_classes.end()) return true;
  auto group = std::find_if(m_categories.begin(), m_categories.end(),
                            [&](const Category& c) { return c.name == category; });
  if (group != m_categories.end()) {
    std::erase(group->classes, &it->second);
    if (group->classes.empty()) m_categories.erase(group);
  }
  m_classes.erase(it);
  return true;
}
