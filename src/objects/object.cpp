#include "objects/object.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <typeinfo>

#include "objects/form_file_writer.h"
#include "objects/property_codec.h"
#include "support/utf16_text.h"

CNObject::~CNObject() { RemoveAllChildren(); }

// ---- tree

CNObject* CNObject::GetChild(int32_t i) const {
  return i >= 0 && i < GetChildCount() ? m_children[static_cast<size_t>(i)] : nullptr;
}

int CNObject::AddChild(CNObject* child) {
  if (!child) return 0;
  child->SetParent(this);
  child->SetStateWord(0);
  m_children.push_back(child);
  if (CNObjectOwner* owner = GetOwner()) owner->OnChildAdded(this, child);
  return 1;
}

int CNObject::AttachChild(CNObject* child) {
  if (!AddChild(child)) return 0;
  child->OnAttached();
  return 1;
}

int CNObject::RemoveChild(CNObject* child) {
  const auto it = std::find(m_children.begin(), m_children.end(), child);
  return it == m_children.end() ? 0 : RemoveChildAt(static_cast<int32_t>(it - m_children.begin()));
}

int CNObject::RemoveChildAt(int32_t i) {
  CNObject* child = GetChild(i);
  if (!child) return 0;
  m_children.erase(m_children.begin() + i);
  if (child->GetParent() == this) child->SetParent(nullptr);
  child->Release();
  return 1;
}

int CNObject::MoveChild(int32_t from, int32_t to) {
  const int32_t count = GetChildCount();
  if (from < 0 || from >= count || to < 0 || to > count) return 0;
  if (to == from || to == from + 1) return 1;
  CNObject* child = m_children[static_cast<size_t>(from)];
  m_children.erase(m_children.begin() + from);
  // Re-inserted before the element that was at `to`; indexes above from shifted down by one.
  const int32_t at = to > from ? to - 1 : to;
  m_children.insert(m_children.begin() + at, child);
  return 1;
}

int CNObject::RemoveAllChildren() {
  while (!m_children.empty()) RemoveChildAt(GetChildCount() - 1);
  return 1;
}

int32_t CNObject::GetIndexInParent() const {
  if (!m_pParent) return -1;
  const auto& siblings = m_pParent->m_children;
  const auto it = std::find(siblings.begin(), siblings.end(), this);
  return it == siblings.end() ? -1 : static_cast<int32_t>(it - siblings.begin());
}

int32_t CNObject::FindChildIndex(std::u16string_view name) const {
  for (size_t i = 0; i < m_children.size(); ++i)
    if (m_children[i]->GetName() == name) return static_cast<int32_t>(i);
  return -1;
}

CNObject* CNObject::FindChild(std::u16string_view name) const { return GetChild(FindChildIndex(name)); }

std::vector<int32_t> CNObject::GetIndexPath(std::u16string_view ancestorClid) const {
  std::vector<int32_t> path;
  for (const CNObject* o = this; o->m_pParent; o = o->m_pParent) {
    path.push_back(o->GetIndexInParent());
    if (!ancestorClid.empty() && o->m_pParent->GetClassId() == ancestorClid) break;
  }
  std::reverse(path.begin(), path.end());
  return path;
}

CNObject* CNObject::FindByIndexPath(const std::vector<int32_t>& path) {
  CNObject* o = this;
  for (int32_t index : path)
    if (!(o = o->GetChild(index))) return nullptr;
  return o;
}

CNObject* CNObject::GetRoot() {
  CNObject* o = this;
  while (o->m_pParent) o = o->m_pParent;
  return o;
}

CNObjectOwner* CNObject::GetOwner() const {
  for (const CNObject* o = this; o; o = o->m_pParent)
    if (o->m_pOwner) return o->m_pOwner;
  return nullptr;
}

std::u16string CNObject::MakeUniqueChildName(std::u16string_view base) const {
  int64_t largest = 0;
  for (const CNObject* child : m_children) {
    const std::u16string& name = child->GetName();
    if (name.size() <= base.size() || name.compare(0, base.size(), base) != 0) continue;
    const std::u16string_view rest = std::u16string_view(name).substr(base.size());
    if (IsDigitAscii(rest[0])) largest = std::max<int64_t>(largest, ParseLeadingInt32(rest));
  }
  char digits[24];
  std::snprintf(digits, sizeof digits, "%02lld", static_cast<long long>(largest + 1));
  return std::u16string(base) + AsciiToUtf16(digits);
}

// ---- properties

const CNClassProperties& CNObject::GetClassProperties() const {
  static const CNClassProperties s_none({}, {});
  return s_none;
}

uint32_t CNObject::GetPropertyCount() const { return GetClassProperties().GetCount() + GetCustomPropertyCount(); }

const PropertyInfo* CNObject::GetPropertyInfo(uint32_t i) const {
  const CNClassProperties& table = GetClassProperties();
  if (i < table.GetCount()) return &table.GetInfo(i);
  i -= table.GetCount();
  return i < m_custom.size() ? &m_custom[i]->info : nullptr;
}

std::u16string_view CNObject::GetPropertyName(uint32_t i) const {
  const PropertyInfo* info = GetPropertyInfo(i);
  return info ? info->name : std::u16string_view();
}

int32_t CNObject::FindPropertyIndex(std::u16string_view name) const {
  const CNClassProperties& table = GetClassProperties();
  const int32_t i = table.Find(name);
  if (i >= 0) return i;
  for (size_t k = 0; k < m_custom.size(); ++k)
    if (m_custom[k]->name == name) return static_cast<int32_t>(table.GetCount() + k);
  return -1;
}

const PropertyInfo* CNObject::FindPropertyInfo(std::u16string_view name) const {
  const int32_t i = FindPropertyIndex(name);
  return i < 0 ? nullptr : GetPropertyInfo(static_cast<uint32_t>(i));
}

CNCustomProperty* CNObject::FindCustomProperty(std::u16string_view name) const {
  for (const auto& property : m_custom)
    if (property->name == name) return property.get();
  return nullptr;
}

bool CNObject::AddCustomProperty(std::unique_ptr<CNCustomProperty> property) {
  if (!property || FindPropertyIndex(property->name) >= 0) return false;
  property->info.name = property->name;
  property->info.list = property->list;
  m_custom.push_back(std::move(property));
  return true;
}

const CNValue* CNObject::StoredProperty(uint32_t i) const {
  const CNValue* stored = m_values.Find(i);
  return stored ? stored : GetClassProperties().GetDefault(i);
}

int CNObject::SetPropertyAt(uint32_t i, const CNValue& value) {
  const PropertyInfo& info = GetClassProperties().GetInfo(i);
  if (info.name == u"Name") {  // the object's own name
    SetName(value.GetTextEmptyNA(0));
    return 1;
  }
  // Converted straight into the stored value; a failed conversion leaves it as it was.
  bool added = false;
  if (ConvertPropertyValue(info, value, m_values.Obtain(i, added))) return 1;
  if (added) m_values.DropAdded(i);
  return 0;
}

int CNObject::GetPropertyAt(uint32_t i, CNValue& value) const {
  if (GetClassProperties().GetInfo(i).name == u"Name") {
    value.SetString(m_strName);
    return 1;
  }
  if (const CNValue* stored = StoredProperty(i)) {
    value.Assign(*stored);
  } else {
    value.Clear();  // known, but never set and without a default
  }
  return 1;
}

int CNObject::GetExtraProperty(std::u16string_view, CNValue&) const { return 0; }

int CNObject::GetExtraPropertyDefault(std::u16string_view, CNValue&) const { return 0; }

int CNObject::SetProperty(std::u16string_view name, const CNValue& value) {
  const int32_t i = FindPropertyIndex(name);
  if (i < 0) return 0;
  const uint32_t index = static_cast<uint32_t>(i);
  const uint32_t tableCount = GetClassProperties().GetCount();
  if (index < tableCount) {
    if (!SetPropertyAt(index, value)) return 0;
  } else {
    CNCustomProperty& custom = *m_custom[index - tableCount];
    CNValue converted;
    if (!ConvertPropertyValue(custom.info, value, converted)) return 0;
    custom.value = std::move(converted);
    custom.notDefined = false;
  }
  OnPropertySet(index);
  return 1;
}

int CNObject::SetPropertyText(std::u16string_view name, std::u16string_view text) {
  const int32_t i = GetClassProperties().Find(name);
  if (i >= 0) return SetClassPropertyText(static_cast<uint32_t>(i), text);
  CNValue value;  // a custom property, or no property at all
  value.SetString(text);
  return SetProperty(name, value);
}

int CNObject::SetClassPropertyText(uint32_t i, std::u16string_view text) {
  const CNClassProperties& table = GetClassProperties();
  const PropertyInfo& info = table.GetInfo(i);
  if (info.name == u"Name" || !StoresConvertedKnown(table, i)) {
    CNValue value;
    value.SetString(text);
    return SetProperty(info.name, value);
  }
  bool added = false;
  if (!ConvertPropertyText(info, text, m_values.Obtain(i, added))) {
    if (added) m_values.DropAdded(i);
    return 0;
  }
  OnPropertySet(i);
  return 1;
}

bool CNObject::StoresConvertedKnown(const CNClassProperties& table, uint32_t i) const {
  // The answer depends on the class alone, and asking walks the classes' overrides, which
  // compare names: asked once, and kept with the class's table (1 yes, 2 no).
  std::atomic<uint8_t>* answers = table.GetClassAnswers(typeid(*this));
  if (!answers) return StoresConverted(i);  // a class that shares its base's table
  uint8_t answer = answers[i].load(std::memory_order_relaxed);
  if (!answer) {
    answer = StoresConverted(i) ? 1 : 2;
    answers[i].store(answer, std::memory_order_relaxed);
  }
  return answer == 1;
}

int CNObject::GetProperty(std::u16string_view name, CNValue& value) const {
  const int32_t i = FindPropertyIndex(name);
  if (i < 0) return GetExtraProperty(name, value);
  const uint32_t tableCount = GetClassProperties().GetCount();
  if (static_cast<uint32_t>(i) < tableCount) return GetPropertyAt(static_cast<uint32_t>(i), value);
  value.Assign(m_custom[static_cast<uint32_t>(i) - tableCount]->value);
  return 1;
}

int CNObject::GetPropertyDefault(std::u16string_view name, CNValue& value) const {
  const int32_t i = GetClassProperties().Find(name);
  return i < 0 ? GetExtraPropertyDefault(name, value) : GetClassPropertyDefault(static_cast<uint32_t>(i), value);
}

int CNObject::GetClassPropertyDefault(uint32_t i, CNValue& value) const {
  const CNValue* def = GetClassProperties().GetDefault(i);
  if (!def) return 0;
  value.Assign(*def);
  return 1;
}

int CNObject::ResetProperty(std::u16string_view name) {
  CNValue def;
  return GetPropertyDefault(name, def) ? SetProperty(name, def) : 0;
}

// ---- form file

void CNObject::SaveXml(std::string& out, std::u16string_view elementName, bool omitDefaults) const {
  WriteObjectElement(*this, out, elementName, omitDefaults);
}
