#include "objects/pobject.h"

#include "objects/script_engine.h"

const CNClassProperties& CNPObject::GetClassProperties() const {
  static const CNClassProperties s_properties(kProperties, kEvents);
  return s_properties;
}

bool CNPObject::HasEventHandler(std::u16string_view name) const {
  CNScript* script = GetOwner() ? GetOwner()->GetScript() : nullptr;
  return script && script->HasFunction(const_cast<CNPObject*>(this), name);
}

bool CNPObject::FireEvent(std::u16string_view name, CNValue* args, uint32_t count) {
  CNScript* script = GetOwner() ? GetOwner()->GetScript() : nullptr;
  if (!script || !script->HasFunction(this, name)) return false;
  return script->RunFunction(this, name, args, count, nullptr);
}

void CNPObject::PropertyChanged(std::u16string_view) {}

int CNPObject::SetProperty(std::u16string_view name, const CNValue& value) {
  if (!CNObject::SetProperty(name, value)) return 0;
  PropertyChanged(name);
  m_changed.emplace(name);
  return 1;
}

CNRect CNPObject::GetRect() const {
  CNValue v;
  CNRect rect;
  GetProperty(u"Left", v), rect.left = static_cast<int32_t>(v.GetNumber(0));
  GetProperty(u"Top", v), rect.top = static_cast<int32_t>(v.GetNumber(0));
  GetProperty(u"Width", v), rect.right = rect.left + static_cast<int32_t>(v.GetNumber(0));
  GetProperty(u"Height", v), rect.bottom = rect.top + static_cast<int32_t>(v.GetNumber(0));
  return rect;
}

void CNPObject::SetRect(const CNRect& rect) {
  CNValue v;
  v.SetNumber(rect.left), SetProperty(u"Left", v);
  v.SetNumber(rect.top), SetProperty(u"Top", v);
  v.SetNumber(rect.Width()), SetProperty(u"Width", v);
  v.SetNumber(rect.Height()), SetProperty(u"Height", v);
}

int CNPObject::GetExtraProperty(std::u16string_view name, CNValue& value) const {
  if (name == u"ChildObjCount") {
    value.SetNumber(GetChildCount());
  } else if (name == u"ClassId" || name == u"ClassId2") {
    value.SetString(GetClassId());
  } else {
    return CNObject::GetExtraProperty(name, value);
  }
  return 1;
}

int CNPObject::GetExtraPropertyDefault(std::u16string_view name, CNValue& value) const {
  if (name == u"StKeyCode") {
    value.SetNumber(0);
  } else if (name == u"CustomProp") {
    value.SetString(u"");
  } else if (name == u"EnabledBindOutput" || name == u"EnabledEvent") {
    value.SetBool(true);
  } else {
    return CNObject::GetExtraPropertyDefault(name, value);
  }
  return 1;
}
