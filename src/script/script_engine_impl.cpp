#include "script/script_engine_impl.h"

#include <algorithm>
#include <charconv>

#include "script/parser.h"
#include "support/message_box.h"
#include "support/trace.h"
#include "support/utf16_text.h"
#include "values/value_display.h"

namespace {

// The names of the owner and its ancestors below the root, joined with "."; "root" for the root.
std::u16string PathOf(const CNObject& owner) {
  if (!owner.GetParent()) return u"root";
  std::u16string path = owner.GetName();
  for (const CNObject* above = owner.GetParent(); above->GetParent(); above = above->GetParent())
    path = above->GetName() + u'.' + path;
  return path;
}

std::u16string Number(uint32_t n) {
  char digits[12];
  const char* end = std::to_chars(digits, digits + sizeof digits, n).ptr;
  return AsciiToUtf16(std::string_view(digits, end - digits));
}

// "message (line L, column C)".
std::u16string Located(const CCompilerError& error) {
  return error.GetMessage() + u" (line " + Number(error.GetLine()) + u", column " + Number(error.GetColumn()) + u')';
}

}  // namespace

CNScriptImpl::CNScriptImpl(CNObjectRegistry& registry) : m_Registry(registry) {}

CNScriptImpl::~CNScriptImpl() { Shutdown(); }

// ---- scripts

bool CNScriptImpl::Load(CNObject* owner) {
  if (!owner) return false;
  CScriptEntry& script = m_Scripts.Add(owner, PathOf(*owner));
  CKVParser parser;
  if (!parser.Parse(owner->GetEvent(), script.scope)) {
    const std::u16string path = script.scope.GetPath();
    m_Scripts.Remove(owner);
    ReportError(kCompilationError, Located(parser.GetError()), path);
    return false;
  }
  script.scope.SetDebuggerCallback(m_pDebugger);
  if (m_bExecutionEnabled) {
    m_Scripts.BeginRun();
    if (!m_Executer.Initialise(script)) ReportRunFailure();
    m_Scripts.EndRun();
  }
  return true;
}

void CNScriptImpl::Release(CNObject* owner) { m_Scripts.Remove(owner); }

void CNScriptImpl::Remove(CNObject* owner) {
  Release(owner);
  m_Created.erase(owner);
}

void CNScriptImpl::Shutdown() {
  m_Scripts.Clear();
  m_Created.clear();
  m_pDebugger = nullptr;
}

CSCObject* CNScriptImpl::FindScope(CNObject* owner) {
  CScriptEntry* script = m_Scripts.Find(owner);
  return script ? &script->scope : nullptr;
}

// ---- running

bool CNScriptImpl::HasFunction(CNObject* owner, std::u16string_view name) {
  const CSCObject* scope = FindScope(owner);
  return scope && scope->FindFunction(name);
}

bool CNScriptImpl::RunFunction(CNObject* owner, std::u16string_view name, CNValue* args, uint32_t count,
                               CNValue* result) {
  CScriptEntry* script = m_Scripts.Find(owner);
  return script && Run(*script, name, args, count, result);
}

bool CNScriptImpl::HasScopeFunction(std::u16string_view fullName) {
  const size_t point = fullName.rfind(u'.');
  if (point == std::u16string_view::npos) return false;
  const CScriptEntry* script = m_Scripts.FindByPath(fullName.substr(0, point));
  return script && script->scope.FindFunction(fullName.substr(point + 1));
}

bool CNScriptImpl::RunScopeFunction(std::u16string_view fullName, CNValue* args, uint32_t count, CNValue* result) {
  const size_t point = fullName.rfind(u'.');
  if (point == std::u16string_view::npos) return false;
  CScriptEntry* script = m_Scripts.FindByPath(fullName.substr(0, point));
  return script && Run(*script, fullName.substr(point + 1), args, count, result);
}

bool CNScriptImpl::RunScopeFunction(CSCObject& scope, std::u16string_view name, CNValue* args, uint32_t count,
                                    CNValue* result) {
  CScriptEntry* script = m_Scripts.Find(scope.GetOwner());
  return script && &script->scope == &scope && Run(*script, name, args, count, result);
}

bool CNScriptImpl::Run(CScriptEntry& script, std::u16string_view name, CNValue* args, uint32_t count,
                       CNValue* result) {
  const CSCFunctionStatement* function = script.scope.FindFunction(name);
  if (!function || !m_bExecutionEnabled) return false;
  m_Scripts.BeginRun();
  const bool ok = m_Executer.Run(script, *function, args, count, result);
  if (!ok) ReportRunFailure();
  m_Scripts.EndRun();
  return ok;
}

void CNScriptImpl::ReportRunFailure() {
  const CCompilerError& error = m_Executer.GetError();
  std::u16string place = m_Executer.GetErrorPath();
  if (!m_Executer.GetErrorFunction().empty()) place += u"." + m_Executer.GetErrorFunction();
  if (error.GetLine() > 0) place += u", line " + Number(error.GetLine());
  ReportError(kRuntimeError, error.GetMessage(), place);
  m_Executer.ClearError();
}

// ---- settings

void CNScriptImpl::SetDebugger(CSCObject::CKVDebuggerCallback* debugger) {
  m_pDebugger = debugger;
  m_Scripts.ForEach([debugger](CScriptEntry& script) { script.scope.SetDebuggerCallback(debugger); });
}

void CNScriptImpl::ReportError(std::u16string_view title, std::u16string_view message,
                               std::u16string_view place) {
  m_strErrorPlace = place;
  if (m_pErrorSink) {
    m_pErrorSink->OnScriptError(title, message);
  } else {
    CRMessageBox::GetCurrent().Show(message, title, MB_OK, MB_ICONERROR);
  }
  std::string line = Utf16ToUtf8(title) + " : " + Utf16ToUtf8(message);
  if (!place.empty()) line += " (at " + Utf16ToUtf8(place) + ")";
  // A sink tells the error its own way; the trace has it whenever it is on.
  if (!m_pErrorSink || CRTrace::IsEnabled()) CRTrace::Notice(line);
  m_strErrorPlace.clear();
}

// ---- for the executer

void CNScriptImpl::KeepCreated(CNObject* owner, CRPtr<CNObject> object) {
  m_Created[owner].push_back(std::move(object));
}

bool CNScriptImpl::KeepObject(CNObject* keeper, CNObject* object) {
  if (!object) return false;
  KeepCreated(keeper, CRPtr<CNObject>::Retain(object));
  return true;
}

bool CNScriptImpl::DropCreated(const CNObject* object) {
  for (auto& [owner, objects] : m_Created) {
    const auto found = std::find_if(objects.begin(), objects.end(),
                                    [object](const CRPtr<CNObject>& made) { return made.Get() == object; });
    if (found != objects.end()) {
      objects.erase(found);
      return true;
    }
  }
  return false;
}

namespace {

// The names from the form down to object ("Form1.Panel1.Button1"); "root" for the root.
std::u16string ObjectPath(const CNObject& object) {
  std::u16string path;
  for (const CNObject* at = &object; at && at->GetParent(); at = at->GetParent())
    path = path.empty() ? at->GetName() : at->GetName() + u"." + path;
  return path.empty() ? u"root" : path;
}

}  // namespace

bool CNScriptImpl::MayCall(const MethodEntry& entry, const CNObject& caller) {
  if (m_Policy.Allows(m_Source, entry.family)) return true;
  const std::u16string path = ObjectPath(caller);
  if (m_DeniedTraced.insert(std::u16string(entry.name) + u" " + path).second)
    CRTrace::Printf("Denied by policy: %.*s: %s on %s (%.*s project)",
                    static_cast<int>(CapabilityFamilyName(entry.family).size()),
                    CapabilityFamilyName(entry.family).data(), Utf16ToUtf8(entry.name).c_str(),
                    Utf16ToUtf8(path).c_str(), static_cast<int>(ProjectSourceName(m_Source).size()),
                    ProjectSourceName(m_Source).data());
  return false;
}

void CNScriptImpl::TraceValue(const CNValue& value) {
  if (m_TraceOutput) {
    m_TraceOutput(value);
  } else {
    CRTrace::Line(DisplayText(value));
  }
}
