#pragma once

#include <string_view>

class CNObject;

// The first form named name (compared exactly) in the project tree below root: root's children
// in child order, looking into folders (which may nest) where they stand. Null when there is none.
CNObject* FindFormByName(const CNObject& root, std::u16string_view name);
