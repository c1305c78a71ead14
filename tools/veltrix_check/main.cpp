// veltrix-check PROJECT [--save OUT]
// veltrix-check PROJECT --render FORM --out FILE.png [--size WxH]
// veltrix-check --capabilities PROJECT
//
// Loads a project (a path, an http:// address or a .brw file) as the runtime opens it, checks
// it, prints one line per problem and then the counts; --save writes the project back with its
// own omit-defaults choice. --render opens the project without a window or server and paints
// one form into a PNG file instead. Exit 0 when nothing failed, 1 when something did, 2 for a
// bad command line (the usage goes to stderr; --help prints it to stdout and exits 0).
// --capabilities lists, per capability family, the calls the project's event scripts make of
// functions a site policy may refuse, and those it cannot resolve ("dynamic").

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "browser/project_capabilities.h"
#include "browser/project_check.h"
#include "browser/root_client_browser.h"
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
    "usage: veltrix-check PROJECT [--save OUT]\n"
    "       veltrix-check PROJECT --render FORM --out FILE.png [--size WxH]\n"
    "       veltrix-check --capabilities PROJECT\n";

struct Options {
  std::string project;
  std::string saveTo;
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
    } else if (arg == "--render" && hasValue) {
      options.render = true;
      options.request.form = argv[++i];
    } else if (arg == "--out" && hasValue) {
      options.request.out = FromHere(argv[++i]);
    } else if (arg == "--size" && hasValue) {
      size = argv[++i];
    } else if (!arg.starts_with("-") && options.project.empty()) {
      options.project = arg;
    } else {
      return false;
    }
  }
  if (options.project.empty()) return false;
  if (options.capabilities) return !options.render && options.saveTo.empty() && size.empty();
  if (!options.render) return options.request.out.empty() && size.empty();
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
  CNFormLoadContext context;
  std::vector<CNProjectProblem> problems;
  if (!project->OpenProject(Utf8ToUtf16(options.project), context)) {
    std::u16string message = project->GetErrorText();
    if (!project->GetErrorDetail().empty()) message += u" (" + Utf8ToUtf16(project->GetErrorDetail()) + u")";
    problems.push_back({{}, {}, {}, 0, 0, message});
  } else if (options.capabilities) {
    std::fputs(FormatCapabilityCalls(FindCapabilityCalls(*project)).c_str(), stdout);
  } else {
    for (const std::u16string& text : box.GetTexts()) problems.push_back({{}, {}, {}, 0, 0, text});
    for (CNProjectProblem& problem : CheckProject(*project)) problems.push_back(std::move(problem));
    counts = CountProject(*project);
    std::string error;
    if (!options.saveTo.empty() && !project->SaveProject(Utf8ToUtf16(options.saveTo), error))
      problems.push_back({{}, {}, u"--save", 0, 0, Utf8ToUtf16(error)});
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

  for (const CNProjectProblem& problem : problems) PrintLine(problem.Format());
  if (options.capabilities) return problems.empty() ? 0 : 1;
  std::printf("folders: %u, forms: %u, objects: %u, problems: %zu\n", counts.folders, counts.forms,
              counts.objects, problems.size());
  return problems.empty() ? 0 : 1;
}
