#pragma once

#include <string_view>
#include <vector>

#include "binds/bind_expression_evaluator.h"
#include "objects/object.h"
#include "objects/object_registry.h"
#include "script/script_engine_impl.h"
#include "tags/tag_server_suite.h"

// The world veltrix-script runs a script in: a bare root with a Math object, the object whose
// event script the file is, and the memory and alias tags (panel-server tags stay local, as in
// a project run offline). Traces go to stdout, one line per value; errors to stderr as
// "title : message", a run-time error followed by " (at Script.Function, line L)".
class CScriptHost : public CNObjectOwner, public IKVScriptErrorSink {
 public:
  explicit CScriptHost(CNObjectRegistry& registry);
  ~CScriptHost() override;
  CScriptHost(const CScriptHost&) = delete;
  CScriptHost& operator=(const CScriptHost&) = delete;

  // Compiles text as the object's script and runs its top-level declarations. Exit code of the
  // tool so far: 0, 1 after a compile error, 2 after a run-time error.
  int Load(std::u16string_view text);
  // Runs the object's function name with the arguments; the exit code. A function asked for
  // (required) must exist, and its result is printed on stdout as a trace is.
  int Call(std::u16string_view name, std::vector<CNValue>& args, bool required);

  // The site's policy for the script's built-in functions; the script counts as a local project.
  void SetCapabilityPolicy(const CKVCapabilityPolicy& policy) {
    m_Engine.SetCapabilityPolicy(policy, ProjectSource::kLocal);
  }

  CNScript* GetScript() override { return &m_Engine; }
  void OnScriptError(std::u16string_view title, std::u16string_view message) override;

 private:
  int ExitCode() const;

  CNPTagServerSuite m_Tags;
  CNScriptImpl m_Engine;
  // "AddExpression" texts are bind expressions over the same tags.
  CNPBindExpressionEvaluator m_Expressions{CNBindEnvironment{&m_Tags, &m_Engine, 5}};
  CNExpressionEvaluator* m_pPreviousEvaluator = nullptr;
  CNObject* m_pRoot = nullptr;
  CNObject* m_pObject = nullptr;
  bool m_bRuntimeError = false;
};
