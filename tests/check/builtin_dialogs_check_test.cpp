// The built-in dialogs pass the checker: every class, property, event and function their
// scripts and binds name exists.
#include "check/project_check.h"
#include "controls/label_controls.h"
#include "editing/edit_box.h"
#include "methods/builtin_methods.h"
#include "project/builtin_resources.h"
#include "project/form_file_test_util.h"
#include "project/root_client_browser.h"

namespace {

class BuiltInDialogs : public FormFileTest {};

TEST_F(BuiltInDialogs, CheckWithoutAProblem) {
  RegisterBuiltInMethods();
  RegisterObjectClass<CNPLabel>(m_registry, u"Label", u"Basic Controls");
  RegisterObjectClass<CNPEditBox>(m_registry, u"EditBox", u"Basic Controls");
  CNPRootClientBrowser root;
  ASSERT_TRUE(
      root.OpenResourceProject(BuiltInResources(), kResourceProjectId, kResourceProjectType, m_context));
  std::string problems;
  for (const CNProjectProblem& problem : CheckProject(root)) problems += U8(problem.Format()) + "\n";
  EXPECT_EQ(problems, "");
}

}  // namespace
