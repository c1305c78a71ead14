#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "panel_server_sim/faults.h"

namespace panel_sim {

inline constexpr uint16_t kDefaultPort = 6001;

// The command line: panel-server-sim [--port N] [--http-port N] [--tags FILE] [--users FILE]
// [--fault NAME[=ARG]]... Each option also reads as --option=VALUE.
struct ServerOptions {
  uint16_t port = kDefaultPort;
  std::optional<uint16_t> httpPort;  // no SOAP gateway without it
  std::string tagsFile;              // empty: the built-in demo tags
  std::string usersFile;             // empty: the default users
  FaultSettings faults;
  bool help = false;
};

// False with error set for an unknown option, a missing value or a bad port or fault.
bool ParseOptions(int argc, const char* const* argv, ServerOptions& options, std::string& error);

std::string UsageText();

}  // namespace panel_sim
