#pragma once

#include <vector>

#include "support/ref_cnt.h"

class CNObject;
class CNPObject;

// The screen objects of a tree, the root first, then in child order depth first; each held,
// so that handlers run while walking the list may delete objects from the tree.
std::vector<CRPtr<CNPObject>> CollectScreenObjects(CNObject& root);

// Initialises a form after it was opened: "OnInitialize" on every screen object of the tree,
// then "OnInitializeDone" on each once all of them run.
void InitializeScreenObjects(CNObject& root);
