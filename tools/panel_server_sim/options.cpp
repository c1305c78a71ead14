#include "panel_server_sim/options.h"

#include <charconv>
#include <string_view>

namespace panel_sim {

namespace {

constexpr std::string_view kValueOptions[] = {"--port", "--http-port", "--tags", "--users", "--fault"};

bool IsValueOption(std::string_view name) {
  for (const std::string_view option : kValueOptions)
    if (option == name) return true;
  return false;
}

bool ParsePort(std::string_view text, uint16_t& port) {
  const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), port);
  return !text.empty() && status == std::errc() && end == text.data() + text.size();
}

}  // namespace

bool ParseOptions(int argc, const char* const* argv, ServerOptions& options, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string_view name = argv[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    std::string_view value;
    const size_t equals = name.find('=');
    const bool inlineValue = name.starts_with("--") && equals != std::string_view::npos;
    if (inlineValue) {
      value = name.substr(equals + 1);
      name = name.substr(0, equals);
    }
    if (!IsValueOption(name)) {
      error = "unknown option \"" + std::string(argv[i]) + "\"";
      return false;
    }
    if (!inlineValue && i + 1 < argc) value = argv[++i];
    if (value.empty()) {
      error = "option " + std::string(name) + " needs a value";
      return false;
    }
    if (name == "--port" || name == "--http-port") {
      uint16_t port = 0;
      if (!ParsePort(value, port)) {
        error = "bad port for " + std::string(name) + ": \"" + std::string(value) + "\"";
        return false;
      }
      if (name == "--port") {
        options.port = port;
      } else {
        options.httpPort = port;
      }
    } else if (name == "--tags") {
      options.tagsFile = value;
    } else if (name == "--users") {
      options.usersFile = value;
    } else if (!ParseFault(value, options.faults, error)) {
      return false;
    }
  }
  return true;
}

std::string UsageText() {
  return "usage: panel-server-sim [--port 6001] [--http-port PORT] [--tags FILE] [--users FILE]\n"
         "                        [--fault NAME[=ARG]]...\n"
         "\n"
         "A panel server for tests and demonstrations: tags, login, services and alarms over TCP,\n"
         "and a SOAP/HTTP gateway to them with --http-port. Port 0 picks a free port. Prints\n"
         "\"listening on PORT\" (then \"http on PORT\") once ready; stops on SIGTERM or SIGINT.\n"
         "\n"
         "--tags FILE   one tag per line: NAME TYPE VALUE [GENERATOR ARGS]\n"
         "              TYPE: number bool string time; VALUE: a value literal\n"
         "              GENERATOR: sine PERIOD_MS LOW HIGH | ramp STEP PERIOD_MS |\n"
         "                         toggle PERIOD_MS | random LOW HIGH PERIOD_MS\n"
         "              without it a built-in set of demo tags is served\n"
         "--users FILE  one user per line: USER PASSWORD LEVEL\n"
         "              without it: user wqxa 1, admin admin 9\n"
         "In both files \"#\" starts a comment.\n"
         "\n"
         "Faults (--fault may be given several times):\n" +
         FaultHelpText();
}

}  // namespace panel_sim
