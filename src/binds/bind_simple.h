#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "binds/bind_script_parser.h"

// A bind whose script is one name: the property follows a tag or another property (input), or
// is written to one (output), with no compiled script in between. A name in single quotes
// longer than the two quotes loses them.
class CNPBindScriptParserSimple : public CNBindScriptParser {
 public:
  // False, with "Missing Identifier ", when the text holds no name.
  bool Compile(std::u16string_view script) override;
  bool Connect(void* argument) override;
  void Disconnect(void* argument) override;
  void GetNames(std::vector<std::u16string>& names) const override;
  const CTagParserCompilerError& GetError() const override { return m_Error; }

  const std::u16string& GetName() const { return m_strName; }

 protected:
  // direction: 1 for a name that is read, 0 for one that is only written.
  explicit CNPBindScriptParserSimple(uint32_t direction) : m_uDirection(direction) {}

  uint32_t GetHandle() const { return m_uHandle; }
  void* GetArgument() const { return m_pArgument; }
  // The run-time error "Unable to Resolve Identifier " with the name; returns false.
  bool Unresolved();
  void ClearError();

 private:
  std::u16string m_strName;
  CTagParserCompilerError m_Error;
  uint32_t m_uDirection;
  uint32_t m_uHandle = 0;
  void* m_pArgument = nullptr;
};

class CNPBindScriptParserSimpleInput : public CNPBindScriptParserSimple {
 public:
  CNPBindScriptParserSimpleInput() : CNPBindScriptParserSimple(1) {}
  // Reads the name when forced or dirty (clearing the flag); false, value untouched, when the
  // name has no value or its value is empty.
  bool Evaluate(bool force, CNValue& value) override;

 private:
  CNValue m_Value;
};

class CNPBindScriptParserSimpleOutput : public CNPBindScriptParserSimple {
 public:
  CNPBindScriptParserSimpleOutput() : CNPBindScriptParserSimple(0) {}
  // Writes value to the name when dirty (or forced) and connected, clearing the flag; true when
  // the owner took the write.
  bool Evaluate(bool force, CNValue& value) override;
};
