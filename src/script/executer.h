#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "objects/object.h"
#include "script/compiler_error.h"
#include "script/expression_executer.h"
#include "script/operand.h"
#include "script/script_table.h"
#include "script/stable_stack.h"

class CNScriptImpl;

// How a statement ended.
enum Flow : uint8_t {
  FLOW_NEXT,      // go on with the next statement
  FLOW_BREAK,     // leave the innermost loop or switch
  FLOW_CONTINUE,  // next round of the innermost loop
  FLOW_RETURN,    // leave the function
  FLOW_ERROR,     // a run-time error stopped the function (CSCExecuter::GetError)
};

// One local variable or parameter of a running function. Slots live on one stack that calls
// reuse, so the storage of locals keeps its memory from call to call.
struct CSlot {
  CNValue* variable = nullptr;  // own, or the caller's variable, or a result handed over
  bool commit = false;          // stores must be committed: bound to a property or a slice
  CNValue own;                  // the slot's storage when it is a value of its own
};

// One running function, or the top-level declarations of a script while they run.
struct CSCFrame {
  CScriptEntry* script = nullptr;  // whose code runs
  CNObject* owner = nullptr;       // "this"
  const CSCFunctionStatement* function = nullptr;  // null for the top-level declarations
  CSlot* slots = nullptr;
  CNValue* result = nullptr;  // where "return" puts its value; null: dropped
  bool returned = false;      // a "return" gave result its value
  // The objects of the with statements being run, innermost last.
  std::vector<std::pair<const CSCWithStatement*, CRPtr<CNObject>>> withs;
};

// Runs compiled scripts: statements, function calls, the budget and the call-depth guard. One
// executer serves a whole engine; the events a running script fires run nested in it and share
// the budget of the run they are part of.
class CSCExecuter {
 public:
  explicit CSCExecuter(CNScriptImpl& engine);

  // ---- entry points of one run from outside the engine
  // Runs the top-level declarations of script, in order.
  bool Initialise(CScriptEntry& script);
  // Runs function of script with the arguments; reference parameters are bound to args.
  // result, if given, receives the return value (the empty value when there is none).
  bool Run(CScriptEntry& script, const CSCFunctionStatement& function, CNValue* args, uint32_t count,
           CNValue* result);
  // The run-time error that failed the last run; stays until cleared.
  const CCompilerError& GetError() const { return m_Error; }
  // Where that error stopped the run: the path of the script and the function (empty for the
  // script's top-level declarations); the error's line is in the function's script.
  const std::u16string& GetErrorPath() const { return m_strErrorPath; }
  const std::u16string& GetErrorFunction() const { return m_strErrorFunction; }
  void ClearError() {
    m_Error = CCompilerError();
    m_strErrorPath.clear();
    m_strErrorFunction.clear();
  }

  // ---- for CExpressionExecuter
  // Calls function of script on owner with the operands as arguments.
  bool Invoke(CScriptEntry& script, CNObject* owner, const CSCFunctionStatement& function, COperand* args,
              uint32_t count, CNValue* result);
  // Runs the top-level declarations of a script the first time one of its functions is used.
  bool Prepare(CScriptEntry& script);
  // Records a run-time error about the running statement; returns false.
  bool Fail(CompilerErrorCode code, std::u16string_view detail);
  // "Function execution stops for " and the running function's name.
  bool Stop(const CSCFrame& frame);
  CNScriptImpl& GetEngine() { return m_Engine; }
  CStableStack<COperand>& GetOperands() { return m_Operands; }

 private:
  class CRunScope;
  class CPlaceScope;

  Flow Execute(const CSCStatement& statement, CSCFrame& frame);
  Flow ExecuteList(const StatementList& statements, size_t first, CSCFrame& frame);
  Flow ExecuteLoop(const CSCStatement& loop, const CSCExpressionStatement* condition,
                   const CSCExpressionStatement* step, const CSCStatement& body, CSCFrame& frame);
  Flow ExecuteSwitch(const CSCSwitchCaseStatement& statement, CSCFrame& frame);
  Flow ExecuteWith(const CSCWithStatement& statement, CSCFrame& frame);
  Flow ExecuteDeclaration(const CSCDeclareStatement& declaration, CSCFrame& frame);
  bool Test(const CSCExpressionStatement& condition, CSCFrame& frame, bool& truth);
  // One statement of the budget; false when the run is out of it.
  bool Tick(const CSCFrame& frame) { return ++m_ulTicks < m_ulNextCheck || CheckBudget(frame); }
  bool CheckBudget(const CSCFrame& frame);
  bool EnterCall(const CSCFunctionStatement& function);
  void BeginRun();
  void EndRun();

  CNScriptImpl& m_Engine;
  CExpressionExecuter m_Expressions;
  CStableStack<COperand> m_Operands;
  CStableStack<CSlot> m_Slots;
  CCompilerError m_Error;
  const CSCStatement* m_pStatement = nullptr;  // the statement running, for the error's line
  const CSCFrame* m_pFrame = nullptr;          // the frame it runs in, for the error's place
  std::u16string m_strErrorPath;
  std::u16string m_strErrorFunction;
  uint32_t m_uRuns = 0;                        // runs from outside, nested in each other
  uint32_t m_uDepth = 0;                       // functions active
  uint64_t m_ulTicks = 0;
  uint64_t m_ulNextCheck = 0;
  std::chrono::steady_clock::time_point m_Deadline;
  uintptr_t m_uStackBase = 0;
};
