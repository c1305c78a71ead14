// Login requests against the real server program: the login file's server and user open the
// project named in it; a refused login opens nothing.
#include <unistd.h>

#include <filesystem>

#include "comm_e2e/server_process.h"
#include "runtime_fixture.h"

TEST_F(RuntimeTest, LoginRequestLogsInAndOpensTheProjectWithItsValues) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const std::string project =
      m_folder.Write("plant.xml", ProjectText("DefaultForm=\"Main\" PSNode=\"elsewhere\" PSTimeOut=\"2\"", Form("Main")));
  const std::string port = std::to_string(server.Port());
  const std::string good = m_folder.Write(
      "good.login", "PSNode=127.0.0.1\nPSPanelPort=" + port + "\nPSLoginUser=admin\nPSLoginPwd=admin\nPSLoginProject=" +
                        project + "\nPSLoginComment=night\n");
  ASSERT_TRUE(Browser().OpenProject(u"login://[del]" + Utf8ToUtf16(good))) << Utf16ToUtf8(Browser().GetLastError());
  EXPECT_FALSE(std::filesystem::exists(good));  // a "[del]" file goes once read
  EXPECT_EQ(
      Properties(*Browser().GetRootClient(), {u"PSNode", u"PSPanelPort", u"PSLoginUser", u"PSLoginComment"}),
      "127.0.0.1|" + port + "|admin|night|");

  const std::string refused = m_folder.Write(
      "bad.login", "PSNode=127.0.0.1\nPSPanelPort=" + port + "\nPSLoginUser=admin\nPSLoginPwd=wrong\nPSLoginProject=" +
                       project + "\n");
  EXPECT_FALSE(Browser().OpenProject(u"login://" + Utf8ToUtf16(refused)));
  EXPECT_TRUE(std::filesystem::exists(refused));  // not a temporary file: kept
  EXPECT_FALSE(Browser().IsOpen());
  EXPECT_FALSE(Messages().empty());

  // A login file may not lead to another login request.
  const std::string loop = m_folder.Write("loop.login", "PSLoginProject=login://" + m_folder.Path("loop.login") + "\n");
  EXPECT_FALSE(Browser().OpenProject(u"login://" + Utf8ToUtf16(loop)));
}
