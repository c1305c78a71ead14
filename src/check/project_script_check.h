#pragma once

#include <vector>

#include "check/check_names.h"
#include "check/project_check.h"

class CNObject;

// Checks the event script and every bind text of the project's root and of every form and
// object below it (CNNameCheck), each problem with the form, the object's path, the member (the
// event handler or the bound property), the line and the column. Returns the tags they use.
std::vector<CNTagUse> CheckProjectScripts(const CNObject& root, std::vector<CNProjectProblem>& problems);
