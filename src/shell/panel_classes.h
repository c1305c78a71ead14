#pragma once

#include "objects/object_registry.h"

// Registers every class of the runtime under its clid, once, at program start: with its palette
// category ("" for the classes that only files and scripts create), display name, shape kind
// and palette order. False when a clid was taken already (that class keeps its first record).
bool RegisterPanelClasses(CNObjectRegistry& registry);

// Takes every class of RegisterPanelClasses out again, at program end.
void UnregisterPanelClasses(CNObjectRegistry& registry);
