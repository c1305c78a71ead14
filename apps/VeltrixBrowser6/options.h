#pragma once

#include <optional>
#include <string>

#include "support/message_box.h"

// The host program's command line:
//   VeltrixBrowser6 [--headless] PROJECT [--size WxH] [--seconds N] [--default-answer yes|no]
//                   [--node HOST] [--port N] [--user NAME] [--password TEXT] [--policy FILE]
//                   [--screenshot FILE.png] [--screenshot-every SECONDS DIR]
// --size is the window's first size (the operator may resize it);
// --node, --port, --user and --password replace the project's own server and login settings,
// as a container's values do. The screenshots (without a window only) are what the window would
// show: --screenshot when the run ends, --screenshot-every into DIR as screenshot-0001.png,
// screenshot-0002.png... every SECONDS from the project's opening.
struct CHostOptions {
  std::string project;
  bool headless = false;
  std::optional<double> seconds;  // run that long; unset: until the project shuts down
  MessageBoxAnswer defaultAnswer = IDYES;
  std::optional<std::string> node, user, password;
  std::optional<uint32_t> port;
  int width = 1024;
  int height = 768;
  bool help = false;  // --help or -h: print the usage and run nothing
  std::string policy;  // --policy FILE: the site's policy for project scripts, instead of the stored one
  std::string screenshot;  // --screenshot FILE.png
  std::string screenshotDir;  // --screenshot-every SECONDS DIR
  double screenshotEvery = 0;
};

// False, with the reason in error, for a command line it cannot use.
bool ReadHostOptions(int argc, char** argv, CHostOptions& options, std::string& error);

// Printed to stdout for --help, to stderr after a bad command line.
inline constexpr const char* kHostUsage =
    "usage: VeltrixBrowser6 [--headless] PROJECT [--size WxH] [--seconds N] [--default-answer yes|no]\n"
    "                       [--node HOST] [--port N] [--user NAME] [--password TEXT] [--policy FILE]\n"
    "                       [--screenshot FILE.png] [--screenshot-every SECONDS DIR]   (with --headless)\n";
