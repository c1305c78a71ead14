// The login dialog of a login request, and the keep-alive's registry value and watchdog.
#include "browser/login_dialog.h"

#include <gtest/gtest.h>

#include "browser/browser_host.h"
#include "browser/keep_alive.h"
#include "project/login_file.h"
#include "project/login_memory.h"
#include "project/project_test_util.h"
#include "support/registry_store.h"

namespace {

// Answers the login dialog by changing the user and keeping the rest.
struct AnsweringHost : CNPBrowserHost {
  bool answer = true;
  CNLoginMemory shown;
  bool AskLogin(CNLoginMemory& memory) override {
    shown = memory;
    memory.user = u"shift2";
    return answer;
  }
};

}  // namespace

TEST(LoginDialogTest, LastLoginThenFileFillTheDialogAndTheAnswerIsRemembered) {
  TempFolder folder;
  CRRegistryStore store(folder.Path("registry"));
  CNLoginMemory last;
  last.node = u"10.0.0.1";
  last.port = 6100;
  last.user = u"old";
  last.password = u"secret";
  last.savePassword = true;
  ASSERT_TRUE(last.Save(store));
  CRRegistryValue saved;
  ASSERT_TRUE(
      store.GetValue(u"SOFTWARE\\Tarnvale\\Panel Browser control Ver6\\Custom", u"LoginSavePwd", saved));
  EXPECT_EQ(saved.text.find(u"secret"), std::u16string::npos);  // enciphered
  EXPECT_EQ(DecipherLoginPassword(saved.text), u"secret");
  EXPECT_EQ(DecipherLoginPassword(u"not hex at all!!"), u"");

  AnsweringHost host;
  CNLoginFile file = ReadLoginFile(u"PSLoginProject=plant.xml\nPSLoginOpenDialog=T\n");
  ASSERT_TRUE(CNPLoginDialog(host, store).Run(file));
  // The file names no node: the last one stands.
  EXPECT_EQ(host.shown.node + u"|" + host.shown.password + u"|" + host.shown.project,
            u"10.0.0.1|secret|plant.xml");
  EXPECT_EQ(host.shown.port, 6100u);
  EXPECT_EQ(file.user + u"|" + file.password, u"shift2|secret");
  EXPECT_EQ(CNLoginMemory::Load(store).user, u"shift2");

  host.answer = false;
  CNLoginFile cancelled = ReadLoginFile(u"PSLoginUser=x\n");
  EXPECT_FALSE(CNPLoginDialog(host, store).Run(cancelled));
  EXPECT_EQ(cancelled.user, u"x");
  EXPECT_EQ(CNLoginMemory::Load(store).user, u"shift2");
}

TEST(KeepAliveTest, ValuePathAndWatchdogCommandLine) {
  EXPECT_EQ(KeepAliveValuePath(4242),
            u"SOFTWARE\\Tarnvale\\Panel Browser control Ver6\\Custom\\KeepAlive\\KeepAliveCnt\\4242");
  EXPECT_EQ(WatchdogCommandLine(1, 4242, reinterpret_cast<const void*>(0x1234), u"K\\1", u"opt", u"/out"),
            "Vigilo3.exe /app:1 /processid:4242 /mainwnd:0x1234 /counterinterval:60 /key:\"K\\1\" /delreg "
            "/lounchoption:\"opt\" /outputfolder:\"/out\"");
}
