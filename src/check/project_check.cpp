#include "check/project_check.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string_view>

#include "check/project_object_check.h"
#include "controls/form.h"
#include "controls/form_folder.h"
#include "objects/property_read.h"
#include "project/form_lookup.h"
#include "project/name_list.h"
#include "project/root_client_browser.h"
#include "support/utf16_text.h"

namespace {

using Problems = std::vector<CNProjectProblem>;

// What the checks of one project share.
struct CheckRun {
  const CNPRootClientBrowser& project;
  CNTagDirectory* tags;
  Problems problems;
  std::vector<CNTagUse> tagUses;  // filled by the script check
};

std::u16string NumberText(int64_t number) {
  return AsciiToUtf16(std::to_string(number));
}

void CheckRevision(const CNPRootClientBrowser& project, Problems& problems) {
  if (!project.NeedsRevisionQuestion()) return;
  problems.push_back({"newer-revision",
                      CNProblemSeverity::kError,
                      {},
                      {},
                      u"FileRev",
                      0,
                      0,
                      u"the file's revision " + project.SettingText(u"FileRev") +
                          u" is newer than this program's (" +
                          NumberText(root_client_properties::kFileRevision) + u")"});
}

// The forms that opening the project shows first.
void CheckStartForms(const CNPRootClientBrowser& project, Problems& problems) {
  const std::u16string hidden = project.SettingText(u"HiddenForm");
  for (std::u16string_view name : SplitNameList(hidden))
    if (!FindFormByName(project, name))
      problems.push_back({"missing-form",
                          CNProblemSeverity::kError,
                          {},
                          {},
                          u"HiddenForm (" + std::u16string(name) + u")",
                          0,
                          0,
                          u"Can't find hidden form."});
  const std::u16string defaultForm = project.SettingText(u"DefaultForm");
  if (!FindFormByName(project, defaultForm))
    problems.push_back({"missing-form",
                        CNProblemSeverity::kError,
                        {},
                        {},
                        u"DefaultForm (" + defaultForm + u")",
                        0,
                        0,
                        u"Can't find default form."});
}

// The configuration files the project loads when it opens; built-in ones are always there.
void CheckConfigFiles(const CNPRootClientBrowser& project, Problems& problems) {
  for (CNTextSetting setting : {CNTextSetting(u"VisualThemeConf"), CNTextSetting(u"NumberFormatConf"),
                                CNTextSetting(u"DateTimeFormatConf"), CNTextSetting(u"BlinkConf"),
                                CNTextSetting(u"LanguageValueConf")}) {
    const std::u16string name = project.SettingText(setting);
    if (name.empty() || name == u"DEFAULT") continue;
    const CNProjectFile file = ResolveProjectFile(project.GetLocation(), name);
    if (file.kind == CNProjectFile::kBuiltin) continue;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadProjectFile(file, bytes, error))
      problems.push_back({"unreadable-file",
                          CNProblemSeverity::kError,
                          {},
                          {},
                          std::u16string(setting.Name()),
                          0,
                          0,
                          u"can't read " + name + u": " + Utf8ToUtf16(error)});
  }
}

// Every event script and bind script compiles, and what they name exists; then the names of
// the objects, listed after the scripts' problems.
void CheckObjects(CheckRun& run) {
  Problems nameProblems;
  run.tagUses = CheckProjectObjects(run.project, run.problems, nameProblems);
  run.problems.insert(run.problems.end(), std::make_move_iterator(nameProblems.begin()),
                      std::make_move_iterator(nameProblems.end()));
}

// The server knows every tag the project uses.
void CheckTags(CheckRun& run) {
  if (!run.tags || run.tagUses.empty()) return;
  std::vector<std::u16string> names;
  for (const CNTagUse& use : run.tagUses) names.push_back(use.tag);
  std::vector<bool> known;
  std::string error;
  if (!run.tags->Lookup(names, known, error)) {
    run.problems.push_back(
        {"tag-server", CNProblemSeverity::kError, {}, {}, u"tags", 0, 0, Utf8ToUtf16(error)});
    return;
  }
  for (size_t i = 0; i < run.tagUses.size() && i < known.size(); ++i) {
    if (known[i]) continue;
    CNProjectProblem problem = run.tagUses[i].place;
    problem.code = "unknown-tag";
    problem.message = u"the server has no tag " + run.tagUses[i].tag;
    run.problems.push_back(std::move(problem));
  }
}

// Adapts the checks that need nothing but the project and the list.
template <void (*check)(const CNPRootClientBrowser&, Problems&)>
void Plain(CheckRun& run) {
  check(run.project, run.problems);
}

using Check = void (*)(CheckRun&);

// Every check, in the order its problems are listed; a new check joins here.
constexpr Check kChecks[] = {Plain<CheckRevision>,
                             Plain<CheckStartForms>,
                             Plain<CheckConfigFiles>,
                             CheckObjects,
                             CheckTags};

// text as a JSON string, quotes included.
std::string JsonText(std::u16string_view text) {
  std::string json = "\"";
  for (const char c : Utf16ToUtf8(text)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      json += escaped;
    } else {
      json += c;
    }
  }
  return json + '"';
}

}  // namespace

std::u16string CNProjectProblem::Format() const {
  std::u16string text = form.empty() ? std::u16string(u"project") : form;
  if (!objectPath.empty()) text += u"/" + objectPath;
  if (!member.empty()) text += u": " + member;
  if (line > 0) text += u": line " + NumberText(line) + u", column " + NumberText(column);
  return text + u": " + message;
}

std::string CNProjectProblem::FormatJson() const {
  return "{\"code\":\"" + std::string(code) + "\",\"severity\":\"" +
         (severity == CNProblemSeverity::kError ? "error" : "warning") + "\",\"form\":" + JsonText(form) +
         ",\"object\":" + JsonText(objectPath) + ",\"member\":" + JsonText(member) +
         ",\"line\":" + std::to_string(line) + ",\"column\":" + std::to_string(column) +
         ",\"message\":" + JsonText(message) + "}";
}

bool HasErrors(const std::vector<CNProjectProblem>& problems) {
  return std::any_of(problems.begin(), problems.end(), [](const CNProjectProblem& problem) {
    return problem.severity == CNProblemSeverity::kError;
  });
}

std::vector<CNProjectProblem> CheckProject(const CNPRootClientBrowser& project, CNTagDirectory* tags) {
  CheckRun run{project, tags, {}, {}};
  for (Check check : kChecks) check(run);
  return std::move(run.problems);
}

CNProjectCounts CountProject(const CNObject& root) {
  CNProjectCounts counts;
  std::vector<const CNObject*> open{&root};
  while (!open.empty()) {
    const CNObject* object = open.back();
    open.pop_back();
    for (int32_t i = 0; i < object->GetChildCount(); ++i) {
      const CNObject* child = object->GetChild(i);
      const std::u16string_view clid = child->GetClassId();
      if (clid == CNPFormFolder::kClassId) {
        ++counts.folders;
      } else if (clid == CNPForm::kClassId) {
        ++counts.forms;
      } else {
        ++counts.objects;
      }
      open.push_back(child);
    }
  }
  return counts;
}
