#pragma once

#include <cstdint>

#include "screen/pobject.h"

// The handle that stands for object in object values. Only screen objects (CNPObject) leave the
// handle table when they die, so any other object gets 0, which names no object.
inline uint32_t HandleOf(CNObject* object) {
  const auto* screenObject = dynamic_cast<const CNPObject*>(object);
  return screenObject ? screenObject->GetHandle() : 0;
}
