#include "project/login_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "browser/browser_host.h"
#include "browser/keep_alive.h"
#include "browser/login_dialog.h"
#include "browser/project_test_util.h"
#include "project/login_memory.h"
#include "support/registry_store.h"
#include "views/hot_key.h"

TEST(LoginFileTest, ScriptLoginTextReadsBackAsTheSameLogin) {
  const std::u16string text = ComposeLoginFileText(u"10.0.0.5", 6002, u"C:\\plant\\main.xml", u"op", u"pw");
  EXPECT_EQ(text,
            u"PSNode=10.0.0.5\nPSPanelPort=6002\nPSLoginProject=C:\\plant\\main.xml\nPSLoginUser=op\nPSLoginPwd=pw\n");
  const CNLoginFile file = ReadLoginFile(text);
  EXPECT_EQ(file.node, u"10.0.0.5");
  EXPECT_EQ(file.port, 6002u);
  EXPECT_EQ(file.project, u"C:\\plant\\main.xml");
  EXPECT_EQ(file.user, u"op");
  EXPECT_EQ(file.password, u"pw");
}

TEST(LoginFileTest, EveryKeyIsReadAndBadLinesAreIgnored) {
  const CNLoginFile file = ReadLoginFile(
      u"PSNode2=backup\r\nPSPanelPort2=7000\r\nPSLoginSavePwd=T\r\nPSTimeOutDirectLogin=15\r\n"
      u"PSLoginComment=night shift\r\nPSUpdateModuleName=panel.bin\r\nPSAllowDifferentProduct=T\r\n"
      u"PSLoginOpenDialog=TRUE\r\nPSRestartAfterUpdate=T\r\nDebugUpdate=T\r\nPSLoginWithNodeOfBrowserFile=T\r\n"
      u"no equals sign\r\nPSPanelPort=not a number\r\nPSPwd=x=y\r\nUnknown=1");
  EXPECT_EQ(file.node2, u"backup");
  EXPECT_EQ(file.port2, 7000u);
  EXPECT_EQ(file.port, 6001u);  // a port that is no number keeps the default
  EXPECT_TRUE(file.savePassword);
  EXPECT_EQ(file.timeOutDirectLogin, 15);
  EXPECT_EQ(file.comment, u"night shift");
  EXPECT_EQ(file.updateModuleName, u"panel.bin");
  EXPECT_TRUE(file.allowDifferentProduct && file.openDialog && file.restartAfterUpdate && file.debugUpdate &&
              file.loginWithNodeOfBrowserFile);
}

TEST(LoginFileTest, TemporaryFileIsNamedKvtmpAndHoldsTheText) {
  std::string path;
  ASSERT_TRUE(WriteTemporaryLoginFile(u"PSNode=a\n", path));
  EXPECT_NE(path.find("/kvtmp"), std::string::npos);
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "PSNode=a\n");
  unlink(path.c_str());
}

TEST(LoginFileTest, UpdateBatchWaitsForTheOldModuleThenRenamesAndCleansUp) {
  EXPECT_EQ(ComposeUpdateBatch(u"/opt/p/panel.bin", u"/opt/p/update.tmp", u"panel.bin", true, u"/opt/p/VeltrixBrowser6",
                               u"/tmp/kvtmp1", u"/opt/p/update.bat"),
            u":P1\r\ntimeout 1\r\nDEL \"/opt/p/panel.bin\"\r\nIF EXIST \"/opt/p/panel.bin\" GOTO P1\r\n"
            u"REN \"/opt/p/update.tmp\" \"panel.bin\"\r\n\"/opt/p/VeltrixBrowser6\" /Login:\"/tmp/kvtmp1\"\r\n"
            u"DEL \"/opt/p/update.bat\"\r\n");
  const std::u16string noRestart =
      ComposeUpdateBatch(u"a", u"b", u"c", false, u"host", u"login", u"bat");
  EXPECT_EQ(noRestart.find(u"/Login:"), std::u16string::npos);
}

TEST(KeepAliveTest, ValuePathAndWatchdogCommandLine) {
  EXPECT_EQ(KeepAliveValuePath(4242),
            u"SOFTWARE\\Tarnvale\\Panel Browser control Ver6\\Custom\\KeepAlive\\KeepAliveCnt\\4242");
  const std::string line = WatchdogCommandLine(1, 4242, reinterpret_cast<const void*>(0x1234), u"K\\1", u"opt", u"/out");
  EXPECT_EQ(line,
            "Vigilo3.exe /app:1 /processid:4242 /mainwnd:0x1234 /counterinterval:60 /key:\"K\\1\" /delreg "
            "/lounchoption:\"opt\" /outputfolder:\"/out\"");
}

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
  ASSERT_TRUE(store.GetValue(u"SOFTWARE\\Tarnvale\\Panel Browser control Ver6\\Custom", u"LoginSavePwd", saved));
  EXPECT_EQ(saved.text.find(u"secret"), std::u16string::npos);  // enciphered
  EXPECT_EQ(DecipherLoginPassword(saved.text), u"secret");
  EXPECT_EQ(DecipherLoginPassword(u"not hex at all!!"), u"");

  AnsweringHost host;
  CNLoginFile file = ReadLoginFile(u"PSLoginProject=plant.xml\nPSLoginOpenDialog=T\n");
  ASSERT_TRUE(CNPLoginDialog(host, store).Run(file));
  EXPECT_EQ(host.shown.node, u"10.0.0.1");  // the file names no node: the last one stands
  EXPECT_EQ(host.shown.port, 6100u);
  EXPECT_EQ(host.shown.password, u"secret");
  EXPECT_EQ(host.shown.project, u"plant.xml");
  EXPECT_EQ(file.user, u"shift2");
  EXPECT_EQ(file.password, u"secret");
  EXPECT_EQ(CNLoginMemory::Load(store).user, u"shift2");

  host.answer = false;
  CNLoginFile cancelled = ReadLoginFile(u"PSLoginUser=x\n");
  EXPECT_FALSE(CNPLoginDialog(host, store).Run(cancelled));
  EXPECT_EQ(cancelled.user, u"x");
  EXPECT_EQ(CNLoginMemory::Load(store).user, u"shift2");
}

TEST(HotKeyTest, RegistrationNameCarriesKeyAndProcess) {
  EXPECT_EQ(CNHotKey::Make(112, 4242).atom, u"hk112_4242");
}
