#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CNObject;
class CNPRootClientBrowser;

// One problem found in a project: where it is and what it is.
struct CNProjectProblem {
  std::u16string form;        // empty: the project as a whole
  std::u16string objectPath;  // names from the form down to the object, joined with "."
  std::u16string member;      // a setting, property or event
  int32_t line = 0;           // in the member's script, from 1; 0 when not in a script
  int32_t column = 0;
  std::u16string message;

  // "Overview/grpPump.elpPump1: Visible: line 1, column 3: message", the parts that are empty
  // left out; "project" stands for the place when there is no form.
  std::u16string Format() const;
};

// Runs the checks of a loaded project, in order, and returns what they found: the revision
// check, the default and hidden forms the project opens with, the configuration files its
// settings name, and the event and bind scripts.
std::vector<CNProjectProblem> CheckProject(const CNPRootClientBrowser& project);

struct CNProjectCounts {
  uint32_t folders = 0;
  uint32_t forms = 0;
  uint32_t objects = 0;  // everything inside the forms
};

CNProjectCounts CountProject(const CNObject& root);
