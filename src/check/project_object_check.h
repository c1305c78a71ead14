#pragma once

#include <vector>

#include "check/check_names.h"
#include "check/project_check.h"

class CNObject;

// Checks the project's root and every form and object below it in one walk: the event script
// and every bind text of each (CNNameCheck), each problem with the form, the object's path, the
// member (the event handler or the bound property), the line and the column, into problems;
// then the names of each parent's children (CNSiblingNameCheck), into nameProblems. Returns the
// tags the scripts use.
std::vector<CNTagUse> CheckProjectObjects(const CNObject& root, std::vector<CNProjectProblem>& problems,
                                          std::vector<CNProjectProblem>& nameProblems);
