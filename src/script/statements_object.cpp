#include "script/statements_object.h"

std::u16string CSCObject::GetFullName(std::u16string_view name) const {
  std::u16string fullName = m_strPath;
  fullName += u'.';
  fullName += name;
  return fullName;
}

const CSCDeclareStatement* CSCObject::FindVariable(std::u16string_view name) const {
  const auto found = m_VariableIndex.find(name);
  return found == m_VariableIndex.end() ? nullptr : m_Variables[found->second].get();
}

const CSCFunctionStatement* CSCObject::FindFunction(std::u16string_view name) const {
  const auto found = m_FunctionIndex.find(name);
  return found == m_FunctionIndex.end() ? nullptr : m_Functions[found->second].get();
}

bool CSCObject::IsDeclared(std::u16string_view name) const {
  return m_VariableIndex.contains(name) || m_FunctionIndex.contains(name);
}

CSCDeclareStatement& CSCObject::AddVariable(std::unique_ptr<CSCDeclareStatement> declaration) {
  m_VariableIndex.emplace(declaration->GetName(), static_cast<uint32_t>(m_Variables.size()));
  m_Values.emplace_back();
  return *m_Variables.emplace_back(std::move(declaration));
}

CSCFunctionStatement& CSCObject::AddFunction(std::unique_ptr<CSCFunctionStatement> function) {
  m_FunctionIndex.emplace(function->GetName(), static_cast<uint32_t>(m_Functions.size()));
  return *m_Functions.emplace_back(std::move(function));
}

void CSCObject::Clear() {
  m_VariableIndex.clear();
  m_FunctionIndex.clear();
  m_Values.clear();
  m_Variables.clear();
  m_Functions.clear();
}
