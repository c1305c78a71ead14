// veltrix-script FILE [--call NAME] [--arg LITERAL]...
//
// Compiles FILE as the event script of an object under a bare root and runs OnInitialize (or
// NAME, with the given arguments, and then prints NAME's result). Every ::Trace argument is
// printed on a line of its own; errors go to stderr, a run-time error with the function and
// line where it stopped. Exit 0, 1 after a compile error (or an unreadable file), 2 after a
// run-time error or for a bad command line (the usage goes to stderr; --help prints it to
// stdout and exits 0).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "objects/object_registry.h"
#include "project/capability_policy_file.h"
#include "script_host.h"
#include "shell/panel_classes.h"
#include "support/utf16_text.h"

namespace {

constexpr const char* kUsage =
    "usage: veltrix-script FILE [--call NAME] [--arg LITERAL]... [--policy FILE]\n";
constexpr int kBadCommandLine = 2;

struct Options {
  bool help = false;  // --help or -h: print the usage and run nothing
  std::string file;
  std::u16string call;
  std::vector<CNValue> args;
  std::string policy;  // --policy FILE
};

// A value literal as the command line gives it: a scalar literal, "#NOTHING#" or c(...).
bool ReadLiteral(const char* text, CNValue& value) {
  const std::u16string literal = Utf8ToUtf16(text);
  if (!literal.starts_with(u"c(") && literal != u"#NOTHING#" && !CNValue::IsLiteral(literal)) return false;
  return value.FromLiteral(literal, true);
}

bool ReadOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      options.help = true;
      return true;
    }
    if (std::strcmp(argv[i], "--call") == 0 && hasValue) {
      options.call = Utf8ToUtf16(argv[++i]);
    } else if (std::strcmp(argv[i], "--arg") == 0 && hasValue) {
      if (!ReadLiteral(argv[++i], options.args.emplace_back())) {
        std::fprintf(stderr, "veltrix-script: not a value literal: %s\n", argv[i]);
        return false;
      }
    } else if (std::strcmp(argv[i], "--policy") == 0 && hasValue) {
      options.policy = argv[++i];
    } else if (argv[i][0] != '-' && options.file.empty()) {
      options.file = argv[i];
    } else {
      std::fputs(kUsage, stderr);
      return false;
    }
  }
  if (options.file.empty()) std::fputs(kUsage, stderr);
  return !options.file.empty();
}

bool ReadText(const std::string& file, std::u16string& text) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  text = Utf8ToUtf16(bytes);
  return true;
}

int Run(const Options& options, std::u16string_view text) {
  CPanelControls& registry = CPanelControls::Instance();
  RegisterPanelClasses(registry);
  int code = 0;
  {
    CScriptHost host(registry);
    if (!options.policy.empty()) {
      std::string refused;
      host.SetCapabilityPolicy(LoadCapabilityPolicy(options.policy, true, refused));
      if (!refused.empty()) std::fprintf(stderr, "veltrix-script: %s\n", refused.c_str());
    }
    code = host.Load(text);
    if (code == 0) {
      std::vector<CNValue> args = options.args;
      const bool asked = !options.call.empty();
      code = host.Call(asked ? std::u16string_view(options.call) : u"OnInitialize", args, asked);
    }
  }
  UnregisterPanelClasses(registry);
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ReadOptions(argc, argv, options)) return kBadCommandLine;
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  std::u16string text;
  if (!ReadText(options.file, text)) {
    std::fprintf(stderr, "veltrix-script: cannot read %s\n", options.file.c_str());
    return 1;
  }
  const int code = Run(options, text);
  std::fflush(stdout);
  return code;
}
