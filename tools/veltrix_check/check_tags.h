#pragma once

#include <memory>
#include <string>

#include "check/project_check.h"

// Where the tag names a project uses are compared: a tag file in the panel server simulator's
// format (--tags FILE) or a running panel server (--server HOST:PORT).
struct CNTagSource {
  bool server = false;
  std::string argument;  // the file or HOST:PORT; empty: no comparison
};

// The directory the source names; null when it names none.
std::unique_ptr<CNTagDirectory> MakeTagDirectory(const CNTagSource& source);
