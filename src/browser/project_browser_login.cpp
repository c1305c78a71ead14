// Login requests: a project path "login://" (or "login://[del]") followed by a login file.
#include <unistd.h>

#include "browser/login_dialog.h"
#include "browser/project_browser.h"
#include "methods/root_file_io.h"
#include "project/login_file.h"
#include "support/message_box.h"
#include "support/trace.h"
#include "support/utf16_text.h"

namespace {

constexpr std::u16string_view kCaption = u"Tarnvale Panel Browser control";

bool ReadLoginText(const std::u16string& path, std::u16string& text) {
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(Utf16ToUtf8(path), bytes, 1 << 20, error)) return false;
  return DecodeFileText({reinterpret_cast<const char*>(bytes.data()), bytes.size()}, text);
}

}  // namespace

bool CNPProjectBrowser::RequestLogin(std::u16string_view node, uint32_t port, std::u16string_view project,
                                     std::u16string_view user, std::u16string_view password) {
  std::string path;
  if (!WriteTemporaryLoginFile(ComposeLoginFileText(node, port, project, user, password), path)) {
    CRMessageBox::GetCurrent().Show(u"Fail to write login file. Fail to login.", kCaption, MB_OK, MB_ICONERROR);
    return false;
  }
  auto request = std::make_unique<CNPTickRequest>();
  request->path = u"login://[del]" + Utf8ToUtf16(path);
  PostRequest(TICK_OPEN, std::move(request));
  return true;
}

bool CNPProjectBrowser::HandleLoginRequest(const CNProjectLocation& location) {
  std::u16string text;
  const bool read = ReadLoginText(location.loginFile, text);
  if (location.deleteLoginFile) unlink(Utf16ToUtf8(location.loginFile).c_str());
  if (!read) {
    m_strLastError = u"Can't open file. " + location.loginFile;
    CRMessageBox::GetCurrent().Show(m_strLastError, kCaption, MB_OK, MB_ICONERROR);
    return false;
  }
  CNLoginFile file = ReadLoginFile(text);
  if (LocateProject(file.project).kind == CNProjectPathKind::kLogin) {
    // A login file may not lead to another login request: that could go round for ever.
    m_strLastError = u"Can't open file. " + file.project;
    CRMessageBox::GetCurrent().Show(m_strLastError, kCaption, MB_OK, MB_ICONERROR);
    return false;
  }
  if (file.openDialog && !CNPLoginDialog(m_host, m_store).Run(file)) return false;
  if (!file.updateModuleName.empty())
    CRTrace::Line(u"Module update offered for " + file.updateModuleName + u" (" + std::u16string(kModuleVersionText) +
                  (file.debugUpdate ? u" (DebugUpdate=T)" : u"") + u"): updates are installed by the package manager");

  CNServerSettings settings;
  settings.communicationType = CNServerSettings::kTcp;
  settings.timeOutSeconds = file.timeOutDirectLogin > 0 ? file.timeOutDirectLogin : 20;
  settings.timeOutConnect = -1;
  settings.nodes[0] = {file.node, file.port};
  settings.nodes[1] = {file.node2, file.port2};
  settings.nodeRedundancy = !file.node2.empty();
  auto connection = CRPtr<CNConnectionSettings>::Make(settings);
  uint32_t level = 0;
  {
    CNLoginStub stub(nullptr);
    if (!stub.Login(0, *connection, file.user, file.password, false, level, true)) {
      m_strLastError = stub.GetLoginLastError();
      CRMessageBox::GetCurrent().Show(m_strLastError, kCaption, MB_OK, MB_ICONERROR);
      return false;
    }
    stub.Logout();
  }
  CNProjectOverrides overrides;
  overrides.node = file.node;
  overrides.port = file.port;
  if (!file.node2.empty()) {
    overrides.node2 = file.node2;
    overrides.port2 = file.port2;
  }
  overrides.loginUser = file.user;
  overrides.loginPassword = file.password;
  if (!file.comment.empty()) overrides.loginComment = file.comment;
  m_overrides = overrides;
  return OpenProject(file.project);
}
