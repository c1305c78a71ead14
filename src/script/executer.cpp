#include "script/executer.h"

#include "script/expression_shortcuts.h"
#include "script/script_engine_impl.h"

namespace {

// Ticks between two looks at the clock.
constexpr uint64_t kClockInterval = 1024;

// Values this big are let go at the end of a run rather than kept in a reused stack entry.
bool IsLarge(const CNValue& value) {
  return value.GetCount() > 64 || (value.IsString(0) && value.GetStringView(0).size() > 256);
}

uintptr_t StackAddress() { return reinterpret_cast<uintptr_t>(__builtin_frame_address(0)); }

}  // namespace

// Brackets one run from outside the engine; the outermost one starts the budget.
class CSCExecuter::CRunScope {
 public:
  explicit CRunScope(CSCExecuter& executer) : m_Executer(executer) {
    if (m_Executer.m_uRuns++ == 0) m_Executer.BeginRun();
  }
  ~CRunScope() {
    if (--m_Executer.m_uRuns == 0) m_Executer.EndRun();
  }
  CRunScope(const CRunScope&) = delete;
  CRunScope& operator=(const CRunScope&) = delete;

 private:
  CSCExecuter& m_Executer;
};

// Keeps the running statement and its frame across a nested call or preparation, which run
// statements of their own: errors after it are told at the caller's place.
class CSCExecuter::CPlaceScope {
 public:
  explicit CPlaceScope(CSCExecuter& executer)
      : m_Executer(executer), m_pStatement(executer.m_pStatement), m_pFrame(executer.m_pFrame) {}
  ~CPlaceScope() {
    m_Executer.m_pStatement = m_pStatement;
    m_Executer.m_pFrame = m_pFrame;
  }
  CPlaceScope(const CPlaceScope&) = delete;
  CPlaceScope& operator=(const CPlaceScope&) = delete;

 private:
  CSCExecuter& m_Executer;
  const CSCStatement* m_pStatement;
  const CSCFrame* m_pFrame;
};

CSCExecuter::CSCExecuter(CNScriptImpl& engine) : m_Engine(engine), m_Expressions(*this) {}

void CSCExecuter::BeginRun() {
  const CScriptLimits& limits = m_Engine.GetLimits();
  m_ulTicks = 0;
  m_ulNextCheck = limits.statementLimit ? std::min(limits.statementLimit, kClockInterval) : kClockInterval;
  m_Deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limits.timeLimitMs);
  m_uStackBase = StackAddress();
}

void CSCExecuter::EndRun() {
  m_pStatement = nullptr;
  m_pFrame = nullptr;
  const auto trim = [](CNValue& value) {
    if (IsLarge(value)) value.Clear();
  };
  m_Operands.ForEach([&](COperand& operand) { trim(operand.value); });
  m_Slots.ForEach([&](CSlot& slot) { trim(slot.own); });
}

bool CSCExecuter::Initialise(CScriptEntry& script) {
  CRunScope run(*this);
  return Prepare(script);
}

bool CSCExecuter::Prepare(CScriptEntry& script) {
  if (script.initialised) return true;
  script.initialised = true;
  CPlaceScope place(*this);
  CSCFrame frame;
  frame.script = &script;
  frame.owner = script.scope.GetOwner();
  const CRPtr<CNObject> keep = CRPtr<CNObject>::Retain(frame.owner);
  for (const auto& declaration : script.scope.GetVariables())
    if (Execute(*declaration, frame) == FLOW_ERROR) return false;
  return true;
}

bool CSCExecuter::Run(CScriptEntry& script, const CSCFunctionStatement& function, CNValue* args, uint32_t count,
                      CNValue* result) {
  CRunScope run(*this);
  const CRPtr<CNObject> keep = CRPtr<CNObject>::Retain(script.scope.GetOwner());
  const auto mark = m_Operands.GetMark();
  COperand* operands = m_Operands.Push(count);
  for (uint32_t i = 0; i < count; ++i) operands[i].SetVariable(&args[i], false);
  const bool ok = Prepare(script) && Invoke(script, script.scope.GetOwner(), function, operands, count, result);
  for (uint32_t i = 0; i < count; ++i) operands[i].Release();
  m_Operands.Restore(mark);
  return ok;
}

bool CSCExecuter::Invoke(CScriptEntry& script, CNObject* owner, const CSCFunctionStatement& function,
                         COperand* args, uint32_t count, CNValue* result) {
  const auto& parameters = function.GetParameters();
  if (count != parameters.size()) return Fail(CE_ARGUMENT_COUNT, function.GetName());
  if (!EnterCall(function)) return false;
  CPlaceScope place(*this);
  const auto slotMark = m_Slots.GetMark();
  const uint32_t slotCount = function.GetSlotCount();
  CSCFrame frame;
  frame.script = &script;
  frame.owner = owner;
  frame.function = &function;
  frame.slots = m_Slots.Push(slotCount);
  frame.result = result;
  for (uint32_t i = 0; i < slotCount; ++i) {
    CSlot& slot = frame.slots[i];
    slot.variable = &slot.own;
    slot.commit = false;
    if (i >= count) {
      slot.own.Clear();
    } else if (args[i].IsPlace() && parameters[i]->IsByReference()) {
      CExpressionExecuter::BindReference(args[i], slot);
    } else if (!args[i].IsPlace() && args[i].read == &args[i].value) {
      // A result nobody else sees (the operand outlives the call): used and changed in place.
      slot.variable = &args[i].value;
    } else {
      CExpressionExecuter::Take(args[i], slot.own);
    }
  }
  const bool ok = ExecuteList(function.GetBody(), 0, frame) != FLOW_ERROR;
  if (result && !frame.returned) result->Clear();
  m_Slots.Restore(slotMark);
  --m_uDepth;
  return ok;
}

bool CSCExecuter::EnterCall(const CSCFunctionStatement& function) {
  const CScriptLimits& limits = m_Engine.GetLimits();
  const uintptr_t here = StackAddress();
  const uintptr_t used = m_uStackBase > here ? m_uStackBase - here : here - m_uStackBase;
  if (m_uDepth >= limits.callDepth || used > limits.stackBytes)
    return Fail(CE_FUNCTION_STOPPED, function.GetName());
  ++m_uDepth;
  return true;
}

bool CSCExecuter::Fail(CompilerErrorCode code, std::u16string_view detail) {
  if (m_Error.IsError()) return false;
  m_Error = CCompilerError(code, detail, m_pStatement ? m_pStatement->GetStart() : 0,
                           m_pStatement ? m_pStatement->GetLine() : 0, 0);
  if (m_pFrame) {
    m_strErrorPath = m_pFrame->script->scope.GetPath();
    m_strErrorFunction = m_pFrame->function ? m_pFrame->function->GetName() : std::u16string();
  }
  return false;
}

bool CSCExecuter::Stop(const CSCFrame& frame) {
  return Fail(CE_FUNCTION_STOPPED, frame.function ? std::u16string_view(frame.function->GetName())
                                                  : std::u16string_view(frame.script->scope.GetPath()));
}

bool CSCExecuter::CheckBudget(const CSCFrame& frame) {
  const CScriptLimits& limits = m_Engine.GetLimits();
  if (limits.statementLimit && m_ulTicks >= limits.statementLimit) return Stop(frame);
  if (limits.timeLimitMs && std::chrono::steady_clock::now() >= m_Deadline) return Stop(frame);
  const uint64_t left = limits.statementLimit ? limits.statementLimit - m_ulTicks : kClockInterval;
  m_ulNextCheck = m_ulTicks + std::min(left, kClockInterval);
  return true;
}

// ---- statements

Flow CSCExecuter::Execute(const CSCStatement& statement, CSCFrame& frame) {
  m_pStatement = &statement;
  m_pFrame = &frame;
  if (!Tick(frame)) return FLOW_ERROR;
  if (CSCObject::CKVDebuggerCallback* debugger = frame.script->scope.GetDebuggerCallback())
    debugger->OnStatement(frame.script->scope, statement);
  switch (statement.GetKind()) {
    case SK_DECLARE:
      return ExecuteDeclaration(static_cast<const CSCDeclareStatement&>(statement), frame);
    case SK_EXPRESSION:
      return m_Expressions.Run(static_cast<const CSCExpressionStatement&>(statement).GetExpression(), frame)
                 ? FLOW_NEXT
                 : FLOW_ERROR;
    case SK_BRACE:
      return ExecuteList(static_cast<const CSCBraceStatement&>(statement).GetStatements(), 0, frame);
    case SK_WITH:
      return ExecuteWith(static_cast<const CSCWithStatement&>(statement), frame);
    case SK_BREAK:
      return FLOW_BREAK;
    case SK_CONTINUE:
      return FLOW_CONTINUE;
    case SK_RETURN: {
      const CSCExpression& value = static_cast<const CSCReturnStatement&>(statement).GetExpression();
      if (value.IsEmpty()) return FLOW_RETURN;
      frame.returned = frame.result != nullptr;
      const bool ok = frame.result ? m_Expressions.Evaluate(value, frame, *frame.result)
                                   : m_Expressions.Run(value, frame);
      return ok ? FLOW_RETURN : FLOW_ERROR;
    }
    case SK_IF_ELSE_IF: {
      const auto& chain = static_cast<const CSCIfElseIfStatement&>(statement);
      for (const auto& branch : chain.GetBranches()) {
        bool truth = false;
        if (!Test(branch->GetCondition(), frame, truth)) return FLOW_ERROR;
        if (truth) return Execute(branch->GetBody(), frame);
      }
      return chain.GetElse() ? Execute(*chain.GetElse(), frame) : FLOW_NEXT;
    }
    case SK_FOR: {
      const auto& loop = static_cast<const CSCForStatement&>(statement);
      const Flow flow = ExecuteList(loop.GetInitialisation(), 0, frame);
      if (flow != FLOW_NEXT) return flow;
      return ExecuteLoop(loop, loop.GetCondition(), loop.GetStep(), loop.GetBody(), frame);
    }
    case SK_WHILE: {
      const auto& loop = static_cast<const CSCWhileStatement&>(statement);
      return ExecuteLoop(loop, &loop.GetCondition(), nullptr, loop.GetBody(), frame);
    }
    case SK_SWITCH:
      return ExecuteSwitch(static_cast<const CSCSwitchCaseStatement&>(statement), frame);
    case SK_NOP:
    case SK_CASE:
    case SK_FUNCTION:
    case SK_IF:
      return FLOW_NEXT;
  }
  return FLOW_NEXT;
}

Flow CSCExecuter::ExecuteList(const StatementList& statements, size_t first, CSCFrame& frame) {
  for (size_t i = first; i < statements.size(); ++i) {
    const Flow flow = Execute(*statements[i], frame);
    if (flow != FLOW_NEXT) return flow;
  }
  return FLOW_NEXT;
}

Flow CSCExecuter::ExecuteLoop(const CSCStatement& loop, const CSCExpressionStatement* condition,
                              const CSCExpressionStatement* step, const CSCStatement& body, CSCFrame& frame) {
  // Every round runs the body, a statement, which counts against the budget.
  for (;;) {
    m_pStatement = &loop;
    bool truth = true;
    if (condition && !Test(*condition, frame, truth)) return FLOW_ERROR;
    if (!truth) return FLOW_NEXT;
    const Flow flow = Execute(body, frame);
    if (flow == FLOW_BREAK) return FLOW_NEXT;
    if (flow == FLOW_RETURN || flow == FLOW_ERROR) return flow;
    if (step) {
      m_pStatement = step;
      if (!m_Expressions.Run(step->GetExpression(), frame)) return FLOW_ERROR;
    }
  }
}

Flow CSCExecuter::ExecuteSwitch(const CSCSwitchCaseStatement& statement, CSCFrame& frame) {
  CNValue value;
  if (!m_Expressions.Evaluate(statement.GetCondition().GetExpression(), frame, value)) return FLOW_ERROR;
  const CSCCaseStatement* start = statement.GetDefault();
  CNValue label;
  CNValue equal;
  for (const CSCCaseStatement* candidate : statement.GetCases()) {
    if (!m_Expressions.Evaluate(candidate->GetValue(), frame, label)) return FLOW_ERROR;
    CNValue::Operate(VOP_EQUAL, equal, value, label);
    if (equal.GetBoolAll(0)) {
      start = candidate;
      break;
    }
  }
  if (!start) return FLOW_NEXT;
  const Flow flow = ExecuteList(statement.GetBody().GetStatements(), start->GetBodyIndex(), frame);
  return flow == FLOW_BREAK ? FLOW_NEXT : flow;
}

Flow CSCExecuter::ExecuteWith(const CSCWithStatement& statement, CSCFrame& frame) {
  CRPtr<CNObject> object;
  if (!m_Expressions.FindObject(statement.GetObject(), frame, object)) return FLOW_ERROR;
  frame.withs.emplace_back(&statement, std::move(object));
  const Flow flow = ExecuteList(statement.GetStatements(), 0, frame);
  frame.withs.pop_back();
  return flow;
}

Flow CSCExecuter::ExecuteDeclaration(const CSCDeclareStatement& declaration, CSCFrame& frame) {
  CNValue& variable = frame.function ? *frame.slots[declaration.GetSlot()].variable
                                     : frame.script->scope.GetVariableValue(declaration.GetSlot());
  if (declaration.GetInitialiser().IsEmpty()) {
    variable.Clear();
    return FLOW_NEXT;
  }
  return m_Expressions.Evaluate(declaration.GetInitialiser(), frame, variable) ? FLOW_NEXT : FLOW_ERROR;
}

bool CSCExecuter::Test(const CSCExpressionStatement& condition, CSCFrame& frame, bool& truth) {
  return m_Expressions.Test(condition.GetExpression(), frame, truth);
}
