#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "binds/bind_program.h"
#include "binds/bind_script_parser.h"
#include "values/value.h"

// A bind script compiled into a case list. Evaluation walks the cases in order and gives the
// value of the expression of the first case whose condition is true. Names are resolved to
// table indexes when compiling and to the owner's handles when connecting; literals are parsed
// once; the value stack belongs to the bind and keeps its storage from one evaluation to the
// next, so a script over numbers and bools evaluates without allocating.
class CNBindScriptParserImpl : public CNBindScriptParser {
 public:
  CNBindScriptParserImpl();
  ~CNBindScriptParserImpl() override;

  bool Compile(std::u16string_view script) override;
  bool Connect(void* argument) override;
  void Disconnect(void* argument) override;
  void SetPeriod(uint32_t period) override { m_uPeriod = period; }
  void SetTick(uint32_t tick) override { m_uTick = tick; }
  void GetNames(std::vector<std::u16string>& names) const override;
  const CTagParserCompilerError& GetError() const override { return m_Error; }

  uint32_t GetPeriod() const { return m_uPeriod; }
  // What the script compiled to: its names and the functions it calls.
  const CBindProgram& GetProgram() const { return m_Program; }
  // The case the last evaluation selected; -1 for none.
  int32_t GetSelectedCase() const { return m_lSelected; }

 protected:
  // Walks the cases: the value of the selected case's expression, or null when no case was
  // selected, the evaluation failed, or the bind is being evaluated already. The value lives
  // until the next evaluation.
  const CNValue* EvaluateCases();
  // Input binds: due when forced, dirty, or when a period is set and tick / period changed
  // since the last time.
  bool IsDue(bool force);

 private:
  // One entry of the value stack: what it reads (its own value, or a literal), and for an
  // assignment target the name it stands for.
  struct COperand {
    const CNValue* read = nullptr;
    CNValue value;
    int32_t target = -1;
  };

  // Runs items [begin, end); the operand left on top, or null after a run-time error.
  const COperand* Run(uint32_t begin, uint32_t end);
  bool Call(const CBindItem& item, COperand*& top);
  void Unary(uint8_t op, COperand& operand);
  void Binary(int operation, COperand& left, const COperand& right);
  void Assign(COperand& target, const COperand& source);
  // Remembers the selected case; a change of case stops the periodic re-evaluation.
  void Select(int32_t index);
  bool RunError(CompilerErrorCode code, std::u16string_view detail, uint32_t position);

  std::u16string m_strScript;
  CBindProgram m_Program;
  CTagParserCompilerError m_Error;
  void* m_pArgument = nullptr;  // the argument of Connect, handed to every read
  std::unique_ptr<COperand[]> m_pStack;
  std::vector<const CNValue*> m_Arguments;
  CNValue m_Scratch;
  CNValue m_CallResult;
  CNValue m_LeftOut;
  int32_t m_lSelected = -1;
  uint32_t m_uPeriod = 0;
  uint32_t m_uTick = 0;
  uint32_t m_uQuotient = 0;
  bool m_bRunning = false;
};

// An input bind: computes the property's value from tags and properties.
class CNPBindScriptParserInput : public CNBindScriptParserImpl {
 public:
  // Evaluates when forced, dirty or due by its period (clearing the dirty flag). False, and
  // value untouched, when not due, when no case is selected, on a run-time error, and when the
  // result is the empty value.
  bool Evaluate(bool force, CNValue& value) override;
};

// An output bind: writes tags when the operator changed the property. The property's value is
// not used: the script names what it writes ("$Tag = $Value$").
class CNPBindScriptParserOutput : public CNBindScriptParserImpl {
 public:
  // Runs when dirty (or forced), clearing the flag; true when a case was selected and its
  // expression ran.
  bool Evaluate(bool force, CNValue& value) override;
};
