#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "script/statements.h"
#include "values/value.h"

class CNObject;

// The compiled script of one object: its top-level variables and its functions (event handlers
// are functions named after their event), the roots of the statement trees. The parser fills it;
// the values of the top-level variables live here as long as the script does.
class CSCObject {
 public:
  // owner is not owned: the object's script is released with the object. path is the owner's
  // path name, which begins the full name of every declaration ("path.name").
  CSCObject(CNObject* owner, std::u16string path) : m_pOwner(owner), m_strPath(std::move(path)) {}
  CSCObject(const CSCObject&) = delete;
  CSCObject& operator=(const CSCObject&) = delete;

  // The debugger hook: while a debugger is attached, told of every statement of this script
  // before it runs. It may hold the script there (a breakpoint, a single step) by not returning
  // until the debugger lets it go on.
  class CKVDebuggerCallback {
   public:
    virtual ~CKVDebuggerCallback() = default;
    virtual void OnStatement(const CSCObject& scope, const CSCStatement& statement) = 0;
  };
  // Null detaches; nothing is called then.
  void SetDebuggerCallback(CKVDebuggerCallback* callback) { m_pDebugger = callback; }
  CKVDebuggerCallback* GetDebuggerCallback() const { return m_pDebugger; }

  CNObject* GetOwner() const { return m_pOwner; }
  const std::u16string& GetPath() const { return m_strPath; }
  // "path.name".
  std::u16string GetFullName(std::u16string_view name) const;

  // The top-level declarations in the order of the text, which is the order to run them in when
  // the script is loaded.
  const std::vector<std::unique_ptr<CSCDeclareStatement>>& GetVariables() const { return m_Variables; }
  // The value of top-level variable index (CSCDeclareStatement::GetSlot); empty until set.
  CNValue& GetVariableValue(uint32_t index) { return m_Values[index]; }
  const std::vector<std::unique_ptr<CSCFunctionStatement>>& GetFunctions() const { return m_Functions; }

  // By declared name (not the full name); null when the script declares none.
  const CSCDeclareStatement* FindVariable(std::u16string_view name) const;
  const CSCFunctionStatement* FindFunction(std::u16string_view name) const;
  bool IsDeclared(std::u16string_view name) const;
  bool IsEmpty() const { return m_Variables.empty() && m_Functions.empty(); }

  // Building. Add* take a name that IsDeclared does not know yet.
  CSCDeclareStatement& AddVariable(std::unique_ptr<CSCDeclareStatement> declaration);
  CSCFunctionStatement& AddFunction(std::unique_ptr<CSCFunctionStatement> function);
  void Clear();

 private:
  CNObject* m_pOwner;
  std::u16string m_strPath;
  CKVDebuggerCallback* m_pDebugger = nullptr;
  std::vector<std::unique_ptr<CSCDeclareStatement>> m_Variables;
  std::vector<CNValue> m_Values;
  std::vector<std::unique_ptr<CSCFunctionStatement>> m_Functions;
  std::map<std::u16string, uint32_t, std::less<>> m_VariableIndex;
  std::map<std::u16string, uint32_t, std::less<>> m_FunctionIndex;
};
