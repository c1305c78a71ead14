// veltrix-check PROJECT [--save OUT] [--format json] [--tags FILE | --server HOST:PORT]
// veltrix-check PROJECT --render FORM --out FILE.png [--size WxH]
// veltrix-check --capabilities PROJECT
// veltrix-check --reference classes|functions
//
// Loads a project (a path, an http:// address or a .brw file) as the runtime opens it, checks
// it, prints one line per problem and then the counts (--format json: one JSON object per
// problem instead, for editors and CI); --save writes the project back with its own
// omit-defaults choice; --tags and --server compare the tag names the project uses with those
// of a tag file or of a running server (check_tags.h). --render opens the project without a
// window or server and paints one form into a PNG file instead. --capabilities lists, per
// capability family, the calls the project's event scripts make of functions a site policy may
// refuse, and those it cannot resolve ("dynamic"). --reference prints a reference generated
// from the class or method tables (docs/reference/ holds them). Exit 0 when no error was found
// (warnings allowed), 1 when one was, 2 for a bad command line (the usage goes to stderr;
// --help prints it to stdout and exits 0).

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "check/check_load_context.h"
#include "check/check_reference.h"
#include "check/project_capabilities.h"
#include "check/project_check.h"
#include "check_tags.h"
#include "project/root_client_browser.h"
#include "render_form.h"
#include "render_form.h"
#include "shell/panel_classes.h"
#include "support/message_box.h"
#include "support/utf16_text.h"

namespace {

// Keeps what the loader tells the operator, as problems; questions are answered No.
class ProblemMessageBox : public CRMessageBox {
 public:
  MessageBoxAnswer Show(std::u16string_view text, std::u16string_view, MessageBoxButtons buttons,
                        MessageBoxIcon) override {
    m_texts.emplace_back(text);
    return buttons == MB_OK ? IDOK : buttons == MB_OKCANCEL ? IDCANCEL : IDNO;
  }
  const std::vector<std::u16string>& GetTexts() const { return m_texts; }

 private:
  std::vector<std::u16string> m_texts;
};

// A path given on the command line, made absolute: opening a project makes its folder the
// working folder, and the files named here are the caller's.
std::string FromHere(const char* path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? std::string(path) : absolute.string();
}

constexpr const char* kUsage =
    "usage: veltrix-check PROJECT [--save OUT] [--format json] [--tags FILE | --server HOST:PORT]\n"
    "       veltrix-check PROJECT --render FORM --out FILE.png [--size WxH]\n"
    "       veltrix-check --capabilities PROJECT\n"
    "       veltrix-check --reference classes|functions\n";

struct Options {
  std::string project;
  std::string reference;  // "classes" or "functions": print that reference instead
  std::string saveTo;
  bool json = false;
  CNTagSource tags;
  bool render = false;
  bool help = false;  // --help or -h: print the usage and check nothing
  bool capabilities = false;  // --capabilities
  CNRenderRequest request;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  std::string size;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return true;
    }
    if (arg == "--capabilities") {
      options.capabilities = true;
    } else if (arg == "--save" && hasValue) {
      options.saveTo = FromHere(argv[++i]);
    } else if (arg == "--format" && hasValue) {
      options.json = std::string_view(argv[++i]) == "json";
      if (!options.json && std::string_view(argv[i]) != "text") return false;
    } else if ((arg == "--tags" || arg == "--server") && hasValue && options.tags.argument.empty()) {
      options.tags = {arg == "--server", arg == "--tags" ? FromHere(argv[++i]) : argv[++i]};
    } else if (arg == "--render" && hasValue) {
      options.render = true;
      options.request.form = argv[++i];
    } else if (arg == "--out" && hasValue) {
      options.request.out = FromHere(argv[++i]);
    } else if (arg == "--size" && hasValue) {
      size = argv[++i];
    } else if (arg == "--reference" && hasValue && argc == 3) {
      options.reference = argv[++i];
      return options.reference == "classes" || options.reference == "functions";
    } else if (!arg.starts_with("-") && options.project.empty()) {
      options.project = arg;
    } else {
      return false;
    }
  }
  if (options.project.empty()) return false;
  if (options.capabilities) return !options.render && options.saveTo.empty() && size.empty();
  if (!options.render) return options.request.out.empty() && size.empty();
  if (options.json || !options.tags.argument.empty()) return false;
  options.request.project = options.project;
  if (!size.empty() && !ParseRenderSize(size, options.request.size.emplace())) {
    std::fprintf(stderr, "veltrix-check: --size %s: give WIDTHxHEIGHT, each 1 to %d\n", size.c_str(), kMaxRenderSide);
    return false;
  }
  return !options.request.form.empty() && !options.request.out.empty() && options.saveTo.empty();
}

void PrintLine(std::u16string_view text) {
  std::printf("%s\n", Utf16ToUtf8(text).c_str());
}

// Loads, checks and saves; returns the problems found.
std::vector<CNProjectProblem> Run(const Options& options, CNProjectCounts& counts) {
  ProblemMessageBox box;
  CRMessageBox* previous = CRMessageBox::SetCurrent(&box);
  const CRPtr<CNPRootClientBrowser> project = CRPtr<CNPRootClientBrowser>::Make();
  CNCheckLoadContext context(*project);
  std::vector<CNProjectProblem> problems;
  if (!project->OpenProject(Utf8ToUtf16(options.project), context)) {
    std::u16string message = project->GetErrorText();
    if (!project->GetErrorDetail().empty()) message += u" (" + Utf8ToUtf16(project->GetErrorDetail()) + u")";
    problems.push_back({"unreadable-project", CNProblemSeverity::kError, {}, {}, {}, 0, 0, message});
  } else if (options.capabilities) {
    std::fputs(FormatCapabilityCalls(FindCapabilityCalls(*project)).c_str(), stdout);
  } else {
    // The load's own messages; an unknown class is told with its place among the load's problems.
    for (const std::u16string& text : box.GetTexts())
      if (!text.starts_with(u"Can't create control. "))
        problems.push_back({"load-message", CNProblemSeverity::kError, {}, {}, {}, 0, 0, text});
    problems.insert(problems.end(), context.GetProblems().begin(), context.GetProblems().end());
    const std::unique_ptr<CNTagDirectory> tags = MakeTagDirectory(options.tags);
    for (CNProjectProblem& problem : CheckProject(*project, tags.get()))
      problems.push_back(std::move(problem));
    counts = CountProject(*project);
    std::string error;
    if (!options.saveTo.empty() && !project->SaveProject(Utf8ToUtf16(options.saveTo), error))
      problems.push_back(
          {"save-failed", CNProblemSeverity::kError, {}, {}, u"--save", 0, 0, Utf8ToUtf16(error)});
  }
  CRMessageBox::SetCurrent(previous);
  return problems;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  RegisterPanelClasses(CPanelControls::Instance());
  if (!options.reference.empty()) {
    const CPanelControls& classes = CPanelControls::Instance();
    const std::string text =
        options.reference == "classes" ? ClassReference(classes) : FunctionReference(classes);
    std::fwrite(text.data(), 1, text.size(), stdout);
    UnregisterPanelClasses(CPanelControls::Instance());
    CPanelControls::ReleaseInstance();
    return 0;
  }
  if (options.render) {
    std::string error;
    const bool rendered = RenderForm(options.request, error);
    UnregisterPanelClasses(CPanelControls::Instance());
    CPanelControls::ReleaseInstance();
    if (!rendered) std::fprintf(stderr, "veltrix-check: %s\n", error.c_str());
    return rendered ? 0 : 1;
  }
  CNProjectCounts counts;
  const std::vector<CNProjectProblem> problems = Run(options, counts);
  UnregisterPanelClasses(CPanelControls::Instance());
  CPanelControls::ReleaseInstance();

  for (const CNProjectProblem& problem : problems) {
    if (options.json) {
      std::printf("%s\n", problem.FormatJson().c_str());
    } else {
      PrintLine(problem.Format());
    }
  }
  if (options.capabilities) return HasErrors(problems) ? 1 : 0;
  if (!options.json)
    std::printf("folders: %u, forms: %u, objects: %u, problems: %zu\n", counts.folders, counts.forms,
                counts.objects, problems.size());
  return HasErrors(problems) ? 1 : 0;
}
