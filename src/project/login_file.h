#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The login file of a login request ("login://" or "login://[del]" before its path): lines of a
// key, "=" and a value.
struct CNLoginFile {
  std::u16string node;
  uint32_t port = 6001;
  std::u16string node2;
  uint32_t port2 = 6001;
  std::u16string user;
  std::u16string password;
  std::u16string project;  // opened after the login
  bool savePassword = false;
  int32_t timeOutDirectLogin = 0;
  std::u16string comment;
  std::u16string updateModuleName;
  bool allowDifferentProduct = false;
  bool openDialog = false;
  bool restartAfterUpdate = false;
  bool debugUpdate = false;
  bool loginWithNodeOfBrowserFile = false;
};

// Reads the keys it knows ("PSNode", "PSPanelPort", "PSNode2", "PSPanelPort2", "PSLoginUser",
// "PSLoginPwd", "PSLoginProject", "PSLoginSavePwd", "PSTimeOutDirectLogin", "PSLoginComment",
// "PSUpdateModuleName", "PSAllowDifferentProduct", "PSLoginOpenDialog", "PSRestartAfterUpdate",
// "DebugUpdate", "PSLoginWithNodeOfBrowserFile"); other lines are ignored. Line breaks may be
// LF or CR LF; a port that is not a number keeps 6001.
CNLoginFile ReadLoginFile(std::u16string_view text);

// The text a script's login request writes:
// "PSNode=%s\nPSPanelPort=%u\nPSLoginProject=%s\nPSLoginUser=%s\nPSLoginPwd=%s\n".
std::u16string ComposeLoginFileText(std::u16string_view node, uint32_t port, std::u16string_view project,
                                    std::u16string_view user, std::u16string_view password);

// Writes text (UTF-8) to a new temporary file named "kvtmp..." in $TMPDIR (else /tmp); false
// when it cannot be written.
bool WriteTemporaryLoginFile(std::u16string_view text, std::string& path);

// The program's version as the module update compares and shows it.
inline constexpr std::u16string_view kModuleVersionText = u"Veltrix 6.0.12.1";

// The batch text that replaces the program's module by the fetched update.tmp once the program
// has ended: the label ":P1", "timeout 1", DEL of the old module, IF EXIST of the old module
// GOTO P1, REN of update.tmp to the module's name, with restart a line that starts the host
// program with "/Login:" and the login file, and last a DEL of the batch file itself. File names
// are in double quotes; lines end in CR LF.
std::u16string ComposeUpdateBatch(std::u16string_view oldModulePath, std::u16string_view updateTmpPath,
                                  std::u16string_view moduleName, bool restart, std::u16string_view hostProgram,
                                  std::u16string_view loginFile, std::u16string_view batchPath);
