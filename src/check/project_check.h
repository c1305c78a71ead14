#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CNObject;
class CNPRootClientBrowser;

enum class CNProblemSeverity { kError, kWarning };

// One problem found in a project: what kind it is, where it is and what it is.
struct CNProjectProblem {
  std::string_view code;  // stable, for editors and scripts: "unknown-attribute"
  CNProblemSeverity severity = CNProblemSeverity::kError;
  std::u16string form;        // empty: the project as a whole
  std::u16string objectPath;  // names from the form down to the object, joined with "."
  std::u16string member;      // a setting, property or event
  int32_t line = 0;           // in the member's script, from 1; 0 when not in a script
  int32_t column = 0;
  std::u16string message;

  // "Overview/grpPump.elpPump1: Visible: line 1, column 3: message", the parts that are empty
  // left out; "project" stands for the place when there is no form.
  std::u16string Format() const;
  // One JSON object on one line: code, severity, form, object, member, line, column, message.
  std::string FormatJson() const;
};

// True when at least one of problems is an error.
bool HasErrors(const std::vector<CNProjectProblem>& problems);

// Runs the checks of a loaded project, in order, and returns what they found: the revision
// check, the default and hidden forms the project opens with, the configuration files its
// settings name, the event and bind scripts, the names they use (events, properties, functions,
// forms, frame sets) and the object names.
// The tags a panel server knows, for comparing a project's tag names with.
class CNTagDirectory {
 public:
  virtual ~CNTagDirectory() = default;
  // For each name, whether the server has a tag of that name (known, in the order of names);
  // false with error set when the server could not be asked.
  virtual bool Lookup(const std::vector<std::u16string>& names, std::vector<bool>& known,
                      std::string& error) = 0;
};

// With tags, also the tag names the binds and the tag functions' literal arguments use.
std::vector<CNProjectProblem> CheckProject(const CNPRootClientBrowser& project,
                                           CNTagDirectory* tags = nullptr);

struct CNProjectCounts {
  uint32_t folders = 0;
  uint32_t forms = 0;
  uint32_t objects = 0;  // everything inside the forms
};

CNProjectCounts CountProject(const CNObject& root);
