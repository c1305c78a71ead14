#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "objects/object.h"

// Visits root and every object below it, parents before their children, in child order, until
// visit(CNObject&) returns false. Iterative, so that no depth of nesting can exhaust the stack.
// Returns the object the visit stopped at, null when it went through the whole tree.
template <class Visit>
CNObject* WalkObjectTree(CNObject& root, Visit&& visit) {
  if (!visit(root)) return &root;
  std::vector<std::pair<CNObject*, int32_t>> open{{&root, 0}};  // each with its next child
  while (!open.empty()) {
    auto& [parent, next] = open.back();
    CNObject* child = parent->GetChild(next++);
    if (!child) {
      open.pop_back();
      continue;
    }
    if (!visit(*child)) return child;
    open.emplace_back(child, 0);
  }
  return nullptr;
}

// The object a dotted path of child names leads to from root ("Form1.Button1"); root for an
// empty path, null when a name is missing.
inline CNObject* FindObjectByPath(CNObject& root, std::u16string_view path) {
  CNObject* object = &root;
  while (object && !path.empty()) {
    const size_t dot = path.find(u'.');
    object = object->FindChild(path.substr(0, dot));
    path = dot == std::u16string_view::npos ? std::u16string_view() : path.substr(dot + 1);
  }
  return object;
}
