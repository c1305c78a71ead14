#pragma once

#include <memory>
#include <string>

#include "check/project_check.h"

// The tags of a running panel server at HOST:PORT: the names are linked as the runtime links
// them, the server's answer tells which it knows, and they are released again.
std::unique_ptr<CNTagDirectory> MakeServerTagDirectory(const std::string& hostAndPort);
