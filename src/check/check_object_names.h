#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "check/project_check.h"

class CNObject;

// Finds objects named like an earlier child of the same parent: a script or bind that names
// them reaches the first one only. A walk over the tree hands it each parent before its
// children, then the children in order; what it finds is kept per depth in lists it reuses, so
// that a walk allocates little.
class CNSiblingNameCheck {
 public:
  explicit CNSiblingNameCheck(std::vector<CNProjectProblem>& problems) : m_problems(problems) {}

  // The walk reaches the children of parent, which has depth ancestors.
  void BeginChildren(const CNObject& parent, size_t depth);
  // Child number index of that parent.
  void CheckChild(const CNObject& child, int32_t index, size_t depth);

 private:
  std::vector<CNProjectProblem>& m_problems;
  std::vector<std::vector<bool>> m_repeated;  // by the parent's depth: per child, named as an earlier one
  std::vector<std::pair<std::u16string_view, int32_t>> m_names;  // one parent's named children
};
