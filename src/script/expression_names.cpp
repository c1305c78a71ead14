// Names of running expressions: what each stands for, in the order of the language.
#include "objects/property_value.h"
#include "script/executer.h"
#include "script/expression_executer.h"
#include "script/object_handle.h"
#include "script/script_engine_impl.h"

bool CExpressionExecuter::PushName(const CSCName& name, CSCFrame& frame, COperand& out, size_t parts) {
  const std::vector<std::u16string>& names = name.GetParts();
  parts = std::min(parts, names.size());
  size_t next = 1;
  if (name.GetBase() == NB_PLAIN) {
    if (name.GetLocalSlot() >= 0) {
      const CSlot& slot = frame.slots[name.GetLocalSlot()];
      out.SetVariable(slot.variable, slot.commit);
    } else if (name.GetScopeVariable() >= 0) {
      out.SetVariable(&frame.script->scope.GetVariableValue(static_cast<uint32_t>(name.GetScopeVariable())), false);
    } else {
      // Not declared by the script: the objects of the enclosing with statements, innermost
      // first, then the owner.
      bool found = false;
      for (const CSCWithStatement* with = name.GetWith(); with && !found; with = with->GetOuter())
        if (CNObject* object = WithObject(frame, with)) found = Member(*object, names.front(), out);
      if (!found && !Member(*frame.owner, names.front(), out)) return Unresolved(name);
    }
  } else {
    CNObject* object = name.GetBase() == NB_WITH ? WithObject(frame, name.GetWith()) : BaseObject(name.GetBase(), frame);
    if (!object) return Unresolved(name);
    if (parts == 0) {
      PushObject(object, out);
      return true;
    }
    if (!Member(*object, names.front(), out)) return Unresolved(name);
  }
  // Every further part is a member of the object the name so far stands for.
  for (; next < parts; ++next) {
    CNObject* object = ObjectOf(*out.read);
    out.Release();
    if (!object || !Member(*object, names[next], out)) return Unresolved(name);
  }
  return true;
}

bool CExpressionExecuter::Member(CNObject& object, std::u16string_view part, COperand& out) {
  auto property = CRPtr<CNPropertyValue>::Make(&object, part);
  if (object.GetProperty(part, *property)) {
    out.holder = std::move(property);
    out.SetHeldPlace();
    return true;
  }
  if (CScriptEntry* script = m_Executer.GetEngine().GetScripts().Find(&object)) {
    if (const CSCDeclareStatement* variable = script->scope.FindVariable(part)) {
      out.SetVariable(&script->scope.GetVariableValue(static_cast<uint32_t>(variable->GetSlot())), false);
      return true;
    }
  }
  if (CNObject* child = object.FindChild(part)) {
    PushObject(child, out);
    return true;
  }
  return false;
}

CNObject* CExpressionExecuter::BaseObject(NameBase base, const CSCFrame& frame) const {
  switch (base) {
    case NB_THIS: return frame.owner;
    case NB_PARENT: return frame.owner->GetParent();
    case NB_ROOT: return frame.owner->GetRoot();
    default: return nullptr;
  }
}

CNObject* CExpressionExecuter::WithObject(const CSCFrame& frame, const CSCWithStatement* with) {
  for (auto entry = frame.withs.rbegin(); entry != frame.withs.rend(); ++entry)
    if (entry->first == with) return entry->second.Get();
  return nullptr;
}

void CExpressionExecuter::PushObject(CNObject* object, COperand& out) {
  out.value.SetObject(HandleOf(object));
  out.SetValue();
}

bool CExpressionExecuter::Unresolved(const CSCName& name) {
  return m_Executer.Fail(CE_UNRESOLVED_IDENTIFIER, name.GetText());
}
