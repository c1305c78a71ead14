#pragma once

#include <vector>

#include "check/project_check.h"

class CNObject;

// Finds objects named like an earlier child of the same parent: a script or bind that names
// them reaches the first one only.
void CheckObjectNames(const CNObject& root, std::vector<CNProjectProblem>& problems);
