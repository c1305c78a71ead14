#include "browser/login_dialog.h"

#include "browser/browser_host.h"
#include "project/login_file.h"
#include "project/login_memory.h"

bool CNPLoginDialog::Run(CNLoginFile& file) {
  CNLoginMemory memory = CNLoginMemory::Load(m_store);
  if (!file.node.empty()) {
    memory.node = file.node;
    memory.port = file.port;
  }
  if (!file.user.empty()) memory.user = file.user;
  if (!file.password.empty()) memory.password = file.password;
  if (!file.project.empty()) memory.project = file.project;
  memory.savePassword = memory.savePassword || file.savePassword;
  if (!m_host.AskLogin(memory)) return false;
  const std::u16string password = memory.password;
  if (!memory.savePassword) memory.password.clear();
  memory.Save(m_store);
  file.node = memory.node;
  file.port = memory.port;
  file.user = memory.user;
  file.password = password;
  file.project = memory.project;
  file.savePassword = memory.savePassword;
  return true;
}
