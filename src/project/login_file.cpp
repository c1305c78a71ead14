#include "project/login_file.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>

#include "support/utf16_text.h"

namespace {

bool ReadBool(std::u16string_view value) {
  return !value.empty() && (value[0] == u'T' || value[0] == u't' || value[0] == u'1');
}

bool ReadNumber(std::u16string_view value, int64_t& number) {
  if (value.empty() || value.size() > 10) return false;
  int64_t n = 0;
  size_t i = value[0] == u'-' ? 1 : 0;
  if (i == value.size()) return false;
  for (; i < value.size(); ++i) {
    if (value[i] < u'0' || value[i] > u'9') return false;
    n = n * 10 + (value[i] - u'0');
  }
  number = value[0] == u'-' ? -n : n;
  return true;
}

void ReadPort(std::u16string_view value, uint32_t& port) {
  int64_t number = 0;
  if (ReadNumber(value, number) && number >= 0 && number <= 65535) port = static_cast<uint32_t>(number);
}

void ApplyLine(std::u16string_view key, std::u16string_view value, CNLoginFile& file) {
  int64_t number = 0;
  if (key == u"PSNode") file.node = value;
  else if (key == u"PSPanelPort") ReadPort(value, file.port);
  else if (key == u"PSNode2") file.node2 = value;
  else if (key == u"PSPanelPort2") ReadPort(value, file.port2);
  else if (key == u"PSLoginUser") file.user = value;
  else if (key == u"PSLoginPwd") file.password = value;
  else if (key == u"PSLoginProject") file.project = value;
  else if (key == u"PSLoginSavePwd") file.savePassword = ReadBool(value);
  else if (key == u"PSTimeOutDirectLogin" && ReadNumber(value, number) && number >= INT32_MIN && number <= INT32_MAX)
    file.timeOutDirectLogin = static_cast<int32_t>(number);
  else if (key == u"PSLoginComment") file.comment = value;
  else if (key == u"PSUpdateModuleName") file.updateModuleName = value;
  else if (key == u"PSAllowDifferentProduct") file.allowDifferentProduct = ReadBool(value);
  else if (key == u"PSLoginOpenDialog") file.openDialog = ReadBool(value);
  else if (key == u"PSRestartAfterUpdate") file.restartAfterUpdate = ReadBool(value);
  else if (key == u"DebugUpdate") file.debugUpdate = ReadBool(value);
  else if (key == u"PSLoginWithNodeOfBrowserFile") file.loginWithNodeOfBrowserFile = ReadBool(value);
}

std::u16string Quoted(std::u16string_view path) { return u"\"" + std::u16string(path) + u"\""; }

}  // namespace

CNLoginFile ReadLoginFile(std::u16string_view text) {
  CNLoginFile file;
  while (!text.empty()) {
    const size_t end = text.find(u'\n');
    std::u16string_view line = text.substr(0, end);
    text = end == std::u16string_view::npos ? std::u16string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    const size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) continue;
    ApplyLine(line.substr(0, equals), line.substr(equals + 1), file);
  }
  return file;
}

std::u16string ComposeLoginFileText(std::u16string_view node, uint32_t port, std::u16string_view project,
                                    std::u16string_view user, std::u16string_view password) {
  std::u16string text = u"PSNode=";
  text += node;
  text += u"\nPSPanelPort=" + AsciiToUtf16(std::to_string(port));
  text += u"\nPSLoginProject=";
  text += project;
  text += u"\nPSLoginUser=";
  text += user;
  text += u"\nPSLoginPwd=";
  text += password;
  text += u"\n";
  return text;
}

bool WriteTemporaryLoginFile(std::u16string_view text, std::string& path) {
  const char* folder = std::getenv("TMPDIR");
  std::string pattern = (folder && *folder ? std::string(folder) : std::string("/tmp")) + "/kvtmpXXXXXX";
  const int fd = mkstemp(pattern.data());
  if (fd < 0) return false;
  const std::string bytes = Utf16ToUtf8(text);
  size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  const bool ok = written == bytes.size() && close(fd) == 0;
  if (!ok) unlink(pattern.c_str());
  if (ok) path = pattern;
  return ok;
}

std::u16string ComposeUpdateBatch(std::u16string_view oldModulePath, std::u16string_view updateTmpPath,
                                  std::u16string_view moduleName, bool restart, std::u16string_view hostProgram,
                                  std::u16string_view loginFile, std::u16string_view batchPath) {
  std::u16string text = u":P1\r\ntimeout 1\r\n";
  text += u"DEL " + Quoted(oldModulePath) + u"\r\n";
  text += u"IF EXIST " + Quoted(oldModulePath) + u" GOTO P1\r\n";
  text += u"REN " + Quoted(updateTmpPath) + u" " + Quoted(moduleName) + u"\r\n";
  if (restart) text += Quoted(hostProgram) + u" /Login:" + Quoted(loginFile) + u"\r\n";
  text += u"DEL " + Quoted(batchPath) + u"\r\n";
  return text;
}
