#pragma once

#include <vector>

#include "check/project_check.h"
#include "project/form_file_reader.h"

class CNPXml;

// Loads a project for the checker: on top of loading, finds what the loader passes over in
// silence, with the line and column in the project file: attributes that are no property of
// their object, values their property does not take, and class ids no class is registered for.
class CNCheckLoadContext : public CNFormLoadContext {
 public:
  // document: the document being loaded, for the positions; registry: the classes.
  CNCheckLoadContext(const CNPXml& document, CPanelControls& registry = CPanelControls::Instance())
      : CNFormLoadContext(registry), m_document(document), m_classes(registry) {}

  void OnAttributeRead(const CNObject& object, std::string_view name, std::u16string_view value) override;
  void OnUnknownClass(pugi::xml_node element, const CNObject* parent) override;

  const std::vector<CNProjectProblem>& GetProblems() const { return m_problems; }

 private:
  void Add(std::string_view code, CNProblemSeverity severity, const CNObject* object, std::u16string member,
           const char* place, std::u16string message);

  const CNPXml& m_document;
  const CPanelControls& m_classes;
  std::vector<CNProjectProblem> m_problems;
};
