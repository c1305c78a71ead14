// Calls of script functions and built-in methods, "new" and "delete".
#include <array>

#include "objects/object_handles.h"
#include "script/executer.h"
#include "script/expression_executer.h"
#include "script/script_engine_impl.h"

// A call puts its result where its first argument was (or on top when it has none).
bool CExpressionExecuter::Call(const CSCName& name, CSCFrame& frame, COperand* args, uint32_t count) {
  const auto finish = [&](bool ok) {
    for (uint32_t i = 0; i < count; ++i) args[i].Release();
    args[0].SetValue();
    return ok;
  };
  if (const CSCFunctionStatement* function = name.GetFunction())
    return finish(m_Executer.Invoke(*frame.script, frame.owner, *function, args, count, &args[0].value));
  const std::vector<std::u16string>& parts = name.GetParts();
  if (parts.empty()) return finish(Unresolved(name));
  const std::u16string& method = parts.back();
  CallResult result = CALL_NOT_FOUND;
  if (name.GetBase() == NB_PLAIN && parts.size() == 1) {
    // A plain name: the with objects, innermost first, then the owner, then the root's global
    // functions.
    for (const CSCWithStatement* with = name.GetWith(); with && result == CALL_NOT_FOUND; with = with->GetOuter())
      if (CNObject* object = WithObject(frame, with))
        result = CallOn(*object, method, args, count, *frame.owner);
    if (result == CALL_NOT_FOUND) result = CallOn(*frame.owner, method, args, count, *frame.owner);
    if (result == CALL_NOT_FOUND && frame.owner->GetParent())
      result = CallOn(*frame.owner->GetRoot(), method, args, count, *frame.owner);
  } else {
    // The object the name leads to before the method's name; the entry above the arguments
    // is free to hold it.
    COperand& object = args[count];
    if (!PushName(name, frame, object, parts.size() - 1)) return finish(false);
    const CRPtr<CNObject> target = CRPtr<CNObject>::Retain(ObjectOf(*object.read));
    object.Release();
    if (target) result = CallOn(*target, method, args, count, *frame.owner);
  }
  return finish(result == CALL_NOT_FOUND ? Unresolved(name) : result == CALL_DONE);
}

// object's own script function of that name, else its built-in method.
CExpressionExecuter::CallResult CExpressionExecuter::CallOn(CNObject& object, std::u16string_view method,
                                                            COperand* args, uint32_t count,
                                                            const CNObject& caller) {
  CNScriptImpl& engine = m_Executer.GetEngine();
  if (CScriptEntry* script = engine.GetScripts().Find(&object)) {
    if (const CSCFunctionStatement* function = script->scope.FindFunction(method)) {
      const CRPtr<CNObject> keep = CRPtr<CNObject>::Retain(&object);
      const bool ok = m_Executer.Prepare(*script) &&
                      m_Executer.Invoke(*script, &object, *function, args, count, &args[0].value);
      return ok ? CALL_DONE : CALL_FAILED;
    }
  }
  const MethodEntry* builtIn = engine.GetBuiltIns().Find(object, method);
  if (!builtIn) return CALL_NOT_FOUND;
  return CallBuiltIn(object, *builtIn, args, count, caller) || m_Executer.Fail(CE_FUNCTION_STOPPED, method)
             ? CALL_DONE
             : CALL_FAILED;
}

bool CExpressionExecuter::CallBuiltIn(CNObject& object, const MethodEntry& method, COperand* args,
                                      uint32_t count, const CNObject& caller) {
  std::array<const CNValue*, 8> few;
  std::vector<const CNValue*> many;
  const CNValue** values = few.data();
  if (count > few.size()) {
    many.resize(count);
    values = many.data();
  }
  for (uint32_t i = 0; i < count; ++i) values[i] = args[i].read;
  CNValue result;
  CMethodCall call{object, {values, count}, result, m_Executer.GetEngine(), &caller};
  if (!InvokeMethod(method, call)) return false;
  args[0].value = std::move(result);
  return true;
}

// "new Class(...)": an object of the class, kept by the engine for the running script's owner.
bool CExpressionExecuter::NewObject(std::u16string_view className, CSCFrame& frame, COperand& out) {
  CNScriptImpl& engine = m_Executer.GetEngine();
  CRPtr<CNObject> object = CRPtr<CNObject>::Adopt(engine.GetRegistry().Create(className));
  if (!object) return m_Executer.Fail(CE_CANNOT_CREATE_OBJECT, className);
  PushObject(object.Get(), out);
  engine.KeepCreated(frame.script->scope.GetOwner(), std::move(object));
  return true;
}

// "delete name": the place the name stands for becomes empty; an object a script made with
// "new" that it held is let go.
bool CExpressionExecuter::Delete(const CSCName& name, CSCFrame& frame, COperand& out) {
  if (!PushName(name, frame, out)) return false;
  if (!out.IsPlace()) return NotAPlace(out);
  if (const CNObject* object = ObjectOf(*out.read)) m_Executer.GetEngine().DropCreated(object);
  COperand& nothing = (&out)[1];
  nothing.value.Clear();
  nothing.SetValue();
  Store(out, nothing);
  out.Release();
  out.value.Clear();
  out.SetValue();
  return true;
}
