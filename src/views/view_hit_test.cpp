#include "views/view_hit_test.h"

#include <vector>

#include "objects/property_read.h"

namespace {

// The deepest visible object under `at` below parent (not parent itself); null when none.
// Iterative: a search goes down one branch per level.
CNPObject* FindTopmost(CNObject& parent, const CNPoint& at) {
  struct Level {
    CNObject* node;
    int32_t next;  // the next child to look at, counting down
  };
  std::vector<Level> open{{&parent, parent.GetChildCount() - 1}};
  while (!open.empty()) {
    Level& level = open.back();
    if (level.next < 0) {
      // No child of this group took the point: the group itself, when it is under it.
      CNObject* group = level.node;
      open.pop_back();
      if (open.empty()) return nullptr;
      if (static_cast<CNPObject*>(group)->HitTest(at)) return static_cast<CNPObject*>(group);
      continue;
    }
    auto* child = dynamic_cast<CNPObject*>(level.node->GetChild(level.next--));
    if (!child || !child->IsVisible()) continue;
    if (child->GetChildCount() > 0) {
      open.push_back({child, child->GetChildCount() - 1});
      continue;
    }
    if (child->HitTest(at)) return child;
  }
  return nullptr;
}

// Whether every screen object from object up to form passes the test.
template <class Test>
bool AllUpTo(const CNPObject& object, const CNPObject& form, Test&& test) {
  for (const CNObject* at = &object; at; at = at->GetParent()) {
    const auto* screen = dynamic_cast<const CNPObject*>(at);
    if (screen && !test(*screen)) return false;
    if (at == &form) return true;
  }
  return false;  // no longer in the form
}

}  // namespace

bool TakesInput(const CNPObject& object) {
  return PropertyBool(object, u"Enabled", true) && PropertyBool(object, u"EnabledInput", true);
}

bool IsShownWithin(const CNPObject& object, const CNPObject& form) {
  return AllUpTo(object, form, [](const CNPObject& at) { return at.IsVisible(); });
}

bool TakesInputWithin(const CNPObject& object, const CNPObject& form) {
  return AllUpTo(object, form, [](const CNPObject& at) { return at.IsVisible() && TakesInput(at); });
}

CNPObject* FindInputTarget(CNPObject& form, const CNPoint& at) {
  if (!form.IsVisible() || !TakesInput(form)) return nullptr;
  CNPObject* hit = FindTopmost(form, at);
  if (!hit) return &form;
  // The outermost object on the way down that does not take input hands it to its holder.
  std::vector<CNPObject*> path;
  for (CNObject* node = hit; node && node != &form; node = node->GetParent())
    if (auto* screen = dynamic_cast<CNPObject*>(node)) path.push_back(screen);
  CNPObject* target = &form;
  for (auto it = path.rbegin(); it != path.rend(); ++it) {
    if (!TakesInput(**it)) break;
    target = *it;
  }
  return target;
}
