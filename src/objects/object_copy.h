#pragma once

#include "objects/object.h"
#include "support/ref_cnt.h"

class CNObjectRegistry;

// A new object of source's class with source's name, properties, custom properties, bind and
// event texts, and copies of its children; null when the registry cannot make one of them.
CRPtr<CNObject> CopyObjectTree(const CNObject& source, CNObjectRegistry& registry);
