#pragma once

#include <vector>

#include "browser/project_check.h"

class CNObject;

// Compiles the event script and every bind script of the project's root and of every form and
// object below it, and adds one problem per script that does not compile, with the form, the
// object's path, the member ("Event" or the bound property), the line and the column.
void CheckProjectScripts(const CNObject& root, std::vector<CNProjectProblem>& problems);
