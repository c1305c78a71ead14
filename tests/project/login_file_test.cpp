#include "project/login_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "project_test_util.h"

TEST(LoginFileTest, ScriptLoginTextReadsBackAsTheSameLogin) {
  const std::u16string text = ComposeLoginFileText(u"10.0.0.5", 6002, u"C:\\plant\\main.xml", u"op", u"pw");
  EXPECT_EQ(text,
            u"PSNode=10.0.0.5\nPSPanelPort=6002\nPSLoginProject=C:\\plant\\main.xml\nPSLoginUser=op\n"
            u"PSLoginPwd=pw\n");
  const CNLoginFile file = ReadLoginFile(text);
  EXPECT_EQ(file.node + u"|" + file.project + u"|" + file.user + u"|" + file.password,
            u"10.0.0.5|C:\\plant\\main.xml|op|pw");
  EXPECT_EQ(file.port, 6002u);
}

TEST(LoginFileTest, EveryKeyIsReadAndBadLinesAreIgnored) {
  const CNLoginFile file = ReadLoginFile(
      u"PSNode2=backup\r\nPSPanelPort2=7000\r\nPSLoginSavePwd=T\r\nPSTimeOutDirectLogin=15\r\n"
      u"PSLoginComment=night shift\r\nPSUpdateModuleName=panel.bin\r\nPSAllowDifferentProduct=T\r\n"
      u"PSLoginOpenDialog=TRUE\r\nPSRestartAfterUpdate=T\r\nDebugUpdate=T\r\nPSLoginWithNodeOfBrowserFile="
      u"T\r\n"
      u"no equals sign\r\nPSPanelPort=not a number\r\nPSPwd=x=y\r\nUnknown=1");
  EXPECT_EQ(file.node2 + u"|" + file.comment + u"|" + file.updateModuleName, u"backup|night shift|panel.bin");
  EXPECT_EQ(file.port2, 7000u);
  EXPECT_EQ(file.port, 6001u);  // a port that is no number keeps the default
  EXPECT_EQ(file.timeOutDirectLogin, 15);
  EXPECT_TRUE(file.savePassword && file.allowDifferentProduct && file.openDialog && file.restartAfterUpdate &&
              file.debugUpdate && file.loginWithNodeOfBrowserFile);
}

TEST(LoginFileTest, TemporaryFileIsNamedKvtmpAndHoldsTheText) {
  std::string path;
  ASSERT_TRUE(WriteTemporaryLoginFile(u"PSNode=a\n", path));
  EXPECT_NE(path.find("/kvtmp"), std::string::npos);
  EXPECT_EQ(ReadText(path), "PSNode=a\n");
  unlink(path.c_str());
}

TEST(LoginFileTest, UpdateBatchWaitsForTheOldModuleThenRenamesAndCleansUp) {
  EXPECT_EQ(
      ComposeUpdateBatch(u"/opt/p/panel.bin", u"/opt/p/update.tmp", u"panel.bin", true,
                         u"/opt/p/VeltrixBrowser6", u"/tmp/kvtmp1", u"/opt/p/update.bat"),
      u":P1\r\ntimeout 1\r\nDEL \"/opt/p/panel.bin\"\r\nIF EXIST \"/opt/p/panel.bin\" GOTO P1\r\n"
      u"REN \"/opt/p/update.tmp\" \"panel.bin\"\r\n\"/opt/p/VeltrixBrowser6\" /Login:\"/tmp/kvtmp1\"\r\n"
      u"DEL \"/opt/p/update.bat\"\r\n");
  EXPECT_EQ(ComposeUpdateBatch(u"a", u"b", u"c", false, u"host", u"login", u"bat").find(u"/Login:"),
            std::u16string::npos);
}
