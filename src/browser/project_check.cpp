#include "browser/project_check.h"

#include <string_view>

#include "browser/form_lookup.h"
#include "browser/name_list.h"
#include "browser/project_script_check.h"
#include "browser/root_client_browser.h"
#include "controls/form.h"
#include "controls/form_folder.h"
#include "objects/property_read.h"
#include "support/utf16_text.h"

namespace {

using Problems = std::vector<CNProjectProblem>;

std::u16string NumberText(int64_t number) {
  return AsciiToUtf16(std::to_string(number));
}

void CheckRevision(const CNPRootClientBrowser& project, Problems& problems) {
  if (!project.NeedsRevisionQuestion()) return;
  problems.push_back({{},
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
      problems.push_back(
          {{}, {}, u"HiddenForm (" + std::u16string(name) + u")", 0, 0, u"Can't find hidden form."});
  const std::u16string defaultForm = project.SettingText(u"DefaultForm");
  if (!FindFormByName(project, defaultForm))
    problems.push_back({{}, {}, u"DefaultForm (" + defaultForm + u")", 0, 0, u"Can't find default form."});
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
      problems.push_back(
          {{}, {}, std::u16string(setting.Name()), 0, 0, u"can't read " + name + u": " + Utf8ToUtf16(error)});
  }
}

// Every event script and bind script compiles.
void CheckScripts(const CNPRootClientBrowser& project, Problems& problems) {
  CheckProjectScripts(project, problems);
}

using Check = void (*)(const CNPRootClientBrowser&, Problems&);

// Every check, in the order its problems are listed; a new check joins here.
constexpr Check kChecks[] = {CheckRevision, CheckStartForms, CheckConfigFiles, CheckScripts};

}  // namespace

std::u16string CNProjectProblem::Format() const {
  std::u16string text = form.empty() ? std::u16string(u"project") : form;
  if (!objectPath.empty()) text += u"/" + objectPath;
  if (!member.empty()) text += u": " + member;
  if (line > 0) text += u": line " + NumberText(line) + u", column " + NumberText(column);
  return text + u": " + message;
}

std::vector<CNProjectProblem> CheckProject(const CNPRootClientBrowser& project) {
  Problems problems;
  for (Check check : kChecks) check(project, problems);
  return problems;
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
