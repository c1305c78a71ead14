#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "objects/object_registry.h"
#include "objects/script_engine.h"
#include "script/builtin_tables.h"
#include "script/capability_policy.h"
#include "script/executer.h"
#include "script/script_limits.h"
#include "script/script_table.h"

// Where the engine reports errors when the host wants them rather than message boxes.
class IKVScriptErrorSink {
 public:
  virtual ~IKVScriptErrorSink() = default;
  // title is "Compilation Error" or "Runtime Error".
  virtual void OnScriptError(std::u16string_view title, std::u16string_view message) = 0;
};

// The script engine: the compiled event scripts of the open objects, run on demand.
//
//   CNScriptImpl engine(CPanelControls::Instance());
//   form->SetEvent(u"event OnInitialize() { ::Trace(\"hello\"); }");
//   engine.Load(form);                             // compiles, runs the top-level declarations
//   engine.RunFunction(form, u"OnInitialize", nullptr, 0, nullptr);
//
// A script's path is the names of its owner and the owner's ancestors below the root, joined
// with "." ("Form1.Button1"); the root's script has the path "root". Everything runs on the
// thread that owns the objects; nothing here is locked.
class CNScriptImpl : public CNScript, public IKVMethodHost {
 public:
  static constexpr std::u16string_view kCompilationError = u"Compilation Error";
  static constexpr std::u16string_view kRuntimeError = u"Runtime Error";

  // registry creates the objects of "new"; it must outlive the engine.
  explicit CNScriptImpl(CNObjectRegistry& registry);
  ~CNScriptImpl() override;
  CNScriptImpl(const CNScriptImpl&) = delete;
  CNScriptImpl& operator=(const CNScriptImpl&) = delete;

  // ---- scripts
  // Compiles the owner's Event text as its script, in place of any it had, and runs its
  // top-level declarations (while execution is off, before the first of its functions runs).
  // A compile error is reported, with its line and column, and leaves the owner without script.
  bool Load(CNObject* owner);
  // Drops the owner's script and its variables.
  void Release(CNObject* owner);
  // Drops the owner's script and the objects its script made with "new".
  void Remove(CNObject* owner);
  // Drops every script and every object scripts made.
  void Shutdown();
  CSCObject* FindScope(CNObject* owner);

  // ---- running: false when there is no such function, execution is off, or a run-time error
  // stopped it (the error is reported). args are in parameter order; a reference parameter is
  // bound to its argument.
  bool HasFunction(CNObject* owner, std::u16string_view name) override;
  bool RunFunction(CNObject* owner, std::u16string_view name, CNValue* args, uint32_t count,
                   CNValue* result) override;
  // By full name: the script's path, a point, the function's name.
  bool HasScopeFunction(std::u16string_view fullName);
  bool RunScopeFunction(std::u16string_view fullName, CNValue* args, uint32_t count, CNValue* result);
  bool RunScopeFunction(CSCObject& scope, std::u16string_view name, CNValue* args, uint32_t count,
                        CNValue* result);

  // ---- settings
  void EnableExecution(bool on) { m_bExecutionEnabled = on; }
  bool IsExecutionEnabled() const { return m_bExecutionEnabled; }
  void SetLimits(const CScriptLimits& limits) { m_Limits = limits; }
  const CScriptLimits& GetLimits() const { return m_Limits; }
  // Attaches a debugger to every script, loaded or to be loaded; null detaches it.
  void SetDebugger(CSCObject::CKVDebuggerCallback* debugger);
  // Null restores the message boxes.
  void SetErrorSink(IKVScriptErrorSink* sink) { m_pErrorSink = sink; }
  // Where "Trace" output goes; by default to the debug trace.
  void SetTraceOutput(std::function<void(const CNValue&)> output) { m_TraceOutput = std::move(output); }
  CKVBuiltIns& GetBuiltIns() { return m_BuiltIns; }
  // The tags "GetVal" and "WriteVal" reach; null leaves scripts without tags.
  void SetTagServer(CNPTagServer* server) { m_pTagServer = server; }
  CNPTagServer* GetTagServer() override { return m_pTagServer; }
  // The project runtime the view and dialog functions reach; null leaves them unanswered.
  void SetRuntime(IKVRuntime* runtime) { m_pRuntime = runtime; }
  IKVRuntime* GetRuntime() override { return m_pRuntime; }
  // The login the login and server functions use, with the connection settings and owner
  // identifier of a script's login; null leaves those functions failing.
  void SetLoginServer(CNPLoginServer* server, CNConnectionSettings* settings, uint32_t ownerId) {
    m_pLoginServer = server;
    m_pLoginSettings = settings;
    m_ulLoginOwner = ownerId;
  }
  CNPLoginServer* GetLoginServer(CNConnectionSettings*& settings, uint32_t& ownerId) override {
    settings = m_pLoginSettings;
    ownerId = m_ulLoginOwner;
    return m_pLoginServer;
  }

  // The site's policy for the built-in functions of capability families, and where the running
  // project came from; by default everything is allowed.
  void SetCapabilityPolicy(const CKVCapabilityPolicy& policy, ProjectSource source) {
    m_Policy = policy;
    m_Source = source;
  }
  // A refusal is traced once per function and object:
  // "Denied by policy: FAMILY: FUNCTION on PATH (SOURCE project)".
  bool MayCall(const MethodEntry& entry, const CNObject& caller) override;

  // ---- errors: to the error sink, else a message box with the message alone. Then once, to
  // the trace or stderr (CRTrace::Notice; with a sink only when tracing is on), the line
  // "title : message (at place)":
  // place names the script and function and the line, "Form1.Button1.OnMouseUp, line 3".
  void ReportError(std::u16string_view title, std::u16string_view message, std::u16string_view place = {});
  // While an error is reported: its place (empty when it has none), for sinks that tell it.
  const std::u16string& GetErrorPlace() const { return m_strErrorPlace; }

  // ---- for the executer
  CScriptTable& GetScripts() { return m_Scripts; }
  CNObjectRegistry& GetRegistry() { return m_Registry; }
  CNObjectRegistry* GetObjectRegistry() override { return &m_Registry; }
  // Keeps an object a script of owner made with "new" until the owner is removed.
  void KeepCreated(CNObject* owner, CRPtr<CNObject> object);
  // Lets go of an object a script made; false when no script made it.
  bool DropCreated(const CNObject* object);
  bool KeepObject(CNObject* keeper, CNObject* object) override;
  void TraceValue(const CNValue& value) override;

 private:
  bool Run(CScriptEntry& script, std::u16string_view name, CNValue* args, uint32_t count, CNValue* result);
  void ReportRunFailure();

  CNObjectRegistry& m_Registry;
  CScriptTable m_Scripts;
  CKVBuiltIns m_BuiltIns;
  CSCExecuter m_Executer{*this};
  CScriptLimits m_Limits;
  bool m_bExecutionEnabled = true;
  CSCObject::CKVDebuggerCallback* m_pDebugger = nullptr;
  IKVScriptErrorSink* m_pErrorSink = nullptr;
  std::u16string m_strErrorPlace;
  CNPTagServer* m_pTagServer = nullptr;
  IKVRuntime* m_pRuntime = nullptr;
  CNPLoginServer* m_pLoginServer = nullptr;
  CNConnectionSettings* m_pLoginSettings = nullptr;
  uint32_t m_ulLoginOwner = 0;
  std::function<void(const CNValue&)> m_TraceOutput;
  CKVCapabilityPolicy m_Policy;
  ProjectSource m_Source = ProjectSource::kLocal;
  std::set<std::u16string> m_DeniedTraced;  // "function path" of the refusals traced
  std::unordered_map<const CNObject*, std::vector<CRPtr<CNObject>>> m_Created;
};
