#include "script_host.h"

#include <cstdio>
#include <string>

#include "methods/builtin_methods.h"
#include "support/file_time.h"
#include "support/utf16_text.h"
#include "values/value_display.h"

namespace {

void WriteLine(FILE* stream, std::u16string_view text) {
  const std::string line = Utf16ToUtf8(text) + '\n';
  std::fwrite(line.data(), 1, line.size(), stream);
}

// A new object of the class under parent; null when the class is unknown.
CNObject* AddObject(CNObjectRegistry& registry, CNObject& parent, std::u16string_view clid,
                    std::u16string_view name) {
  CNObject* object = registry.Create(clid);
  if (!object) return nullptr;
  object->SetName(name);
  CNValue nameValue;
  nameValue.SetString(name);
  object->SetProperty(u"Name", nameValue);
  parent.AddChild(object);
  return object;
}

}  // namespace

CScriptHost::CScriptHost(CNObjectRegistry& registry) : m_Engine(registry) {
  RegisterBuiltInMethods();
  m_Tags.SetTimeBase(CurrentFileTime(), CRTickCount());
  CNTagServerStartInfo offline;
  offline.offline = true;
  m_Tags.Start(offline);
  m_Engine.SetTagServer(&m_Tags);
  m_pPreviousEvaluator = CNExpressionEvaluator::SetCurrent(&m_Expressions);
  m_Engine.SetErrorSink(this);
  m_Engine.SetTraceOutput([](const CNValue& value) { WriteLine(stdout, DisplayText(value)); });
  m_pRoot = registry.Create(u"Client");
  if (!m_pRoot) return;
  m_pRoot->SetOwner(this);
  AddObject(registry, *m_pRoot, u"Math", u"Math");
  m_pObject = AddObject(registry, *m_pRoot, u"Form", u"Script");
}

CScriptHost::~CScriptHost() {
  m_Engine.Shutdown();
  if (m_pRoot) m_pRoot->Release();
  CNExpressionEvaluator::SetCurrent(m_pPreviousEvaluator);
  m_Tags.Stop();
}

int CScriptHost::Load(std::u16string_view text) {
  if (!m_pObject) return 1;
  m_pObject->SetEvent(text);
  if (!m_Engine.Load(m_pObject)) return 1;
  return ExitCode();
}

int CScriptHost::Call(std::u16string_view name, std::vector<CNValue>& args, bool required) {
  if (!m_Engine.HasFunction(m_pObject, name)) {
    if (required)
      m_Engine.ReportError(CNScriptImpl::kRuntimeError, CCompilerError::FormatMessage(CE_UNRESOLVED_IDENTIFIER, name));
    return ExitCode();
  }
  CNValue result;
  if (m_Engine.RunFunction(m_pObject, name, args.data(), static_cast<uint32_t>(args.size()), &result) &&
      required)
    WriteLine(stdout, DisplayText(result));
  return ExitCode();
}

void CScriptHost::OnScriptError(std::u16string_view title, std::u16string_view message) {
  if (title == CNScriptImpl::kRuntimeError) m_bRuntimeError = true;
  std::u16string line(title);
  line += u" : ";
  line += message;
  // Where a run stopped; a compile error's message has its line and column already.
  if (title == CNScriptImpl::kRuntimeError && !m_Engine.GetErrorPlace().empty())
    line += u" (at " + m_Engine.GetErrorPlace() + u")";
  std::fflush(stdout);
  WriteLine(stderr, line);
}

int CScriptHost::ExitCode() const { return m_bRuntimeError ? 2 : 0; }
