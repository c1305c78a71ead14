#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "browser/web_server.h"
#include "project/project_crypt.h"
#include "project/root_client_browser.h"
#include "project/web_file.h"
#include "project_test_util.h"
#include "support/utf16_text.h"

namespace {

using Answers = std::vector<std::pair<std::string, std::string>>;

// Answers the credentials dialog from a list, then declines.
class ScriptedPrompt : public CNWebCredentialsPrompt {
 public:
  explicit ScriptedPrompt(Answers answers) : m_answers(std::move(answers)) { m_previous = SetCurrent(this); }
  ~ScriptedPrompt() override { SetCurrent(m_previous); }
  bool Ask(std::string_view, std::string& user, std::string& password) override {
    if (m_asked >= m_answers.size()) return false;
    std::tie(user, password) = m_answers[m_asked++];
    return true;
  }
  size_t m_asked = 0;

 private:
  Answers m_answers;
  CNWebCredentialsPrompt* m_previous = nullptr;
};

const std::string kPlant = ProjectText("Name=\"WebPlant\" NumberFormatConf=\"config\\number.cnf\"");

class WebProjectTest : public testing::Test {
 protected:
  void SetUp() override {
    std::vector<uint8_t> encrypted(kPlant.begin(), kPlant.end());
    EncryptProjectBuffer(encrypted);
    std::vector<uint8_t> truncated(encrypted.begin(), encrypted.end() - 1);
    using Route = WebServer::Route;
    m_server.Add("/proj/plant.xml", WebServer::Body(200, kPlant));
    m_server.Add("/proj/plant.brw", WebServer::Body(200, std::string(encrypted.begin(), encrypted.end())));
    m_server.Add("/proj/cut.brw", WebServer::Body(200, std::string(truncated.begin(), truncated.end())));
    m_server.Add("/proj/config/number.cnf", WebServer::Body(200, "[Format]"));
    for (int status : {301, 302, 303})
      m_server.Add("/moved" + std::to_string(status), WebServer::Redirect(status, "/proj/plant.xml"));
    m_server.Add("/absolute", WebServer::Redirect(302, m_server.Url("/proj/plant.xml")));
    m_server.Add("/twice", WebServer::Redirect(302, "/moved302"));
    m_server.Add("/to-file", WebServer::Redirect(301, "file:///etc/passwd"));
    m_server.Add("/to-https", WebServer::Redirect(301, "https://127.0.0.1/proj/plant.xml"));
    m_server.Add("/big", WebServer::Body(200, std::string(5000, 'x')));
    m_server.Add("/big-stream", Route{200, {}, {}, false, 5000});
    m_server.Add("/small-stream", Route{200, {}, {}, false, 900});
    m_server.Add("/secure", Route{200, "secret", {}, true, 0});
  }

  bool Get(const std::string& url, std::string& body, std::string& error) {
    std::vector<uint8_t> bytes;
    const bool ok = GetWebFile(url, bytes, error, CNWebFileOptions{1000, 5000, 10000});
    body.assign(bytes.begin(), bytes.end());
    return ok;
  }

  WebServer m_server;
};

// One 301, 302 or 303 is followed, to a relative or absolute Location; a second is not.
TEST_F(WebProjectTest, OneRedirectIsFollowed) {
  for (const char* path : {"/moved301", "/moved302", "/moved303", "/absolute"}) {
    m_server.ClearRequests();
    std::string body;
    std::string error;
    ASSERT_TRUE(Get(m_server.Url(path), body, error)) << path << ": " << error;
    EXPECT_EQ(body, kPlant);
    const auto seen = m_server.Requests();
    ASSERT_EQ(seen.size(), 2u) << path;
    EXPECT_EQ(seen[1].url, "/proj/plant.xml");
  }
  std::string body;
  std::string error;
  EXPECT_FALSE(Get(m_server.Url("/twice"), body, error));
  EXPECT_EQ(error, m_server.Url("/moved302") + ": HTTP status 302");
}

TEST_F(WebProjectTest, FailuresGiveNoBody) {
  const std::pair<std::string, std::string> cases[] = {
      {m_server.Url("/missing"), m_server.Url("/missing") + ": HTTP status 404"},
      {m_server.Url("/big"), m_server.Url("/big") + ": larger than 1000 bytes"},
      {m_server.Url("/big-stream"), m_server.Url("/big-stream") + ": larger than 1000 bytes"},
      {m_server.Url("/to-file"), "Cannot work with 'file' protocol"},
      {m_server.Url("/to-https"), "Error: can only use URLs beginning with http://"},
      {"file:///etc/passwd", "Cannot work with 'file' protocol"},
      {"ftp://127.0.0.1/plant.xml", "Error: can only use URLs beginning with http://"},
      {"http://127.0.0.1:1/plant.xml", "http://127.0.0.1:1/plant.xml: Couldn't connect to server"},
  };
  for (const auto& [url, text] : cases) {
    std::string body = "stale";
    std::string error;
    EXPECT_FALSE(Get(url, body, error)) << url;
    EXPECT_EQ(error, text);
    EXPECT_EQ(body, "");
  }
  std::string body;
  std::string error;
  EXPECT_TRUE(Get(m_server.Url("/small-stream"), body, error)) << error;
  EXPECT_EQ(body.size(), 900u);
}

// A 401 is sent again for as long as the prompt answers; without a prompt it stands. Once a
// server took credentials, its next files are fetched with them without asking; another
// server asks for its own.
TEST_F(WebProjectTest, CredentialsAreAskedForOn401AndKeptForTheServer) {
  std::string body;
  std::string error;
  EXPECT_FALSE(Get(m_server.Url("/secure"), body, error));
  EXPECT_EQ(error, m_server.Url("/secure") + ": HTTP status 401");
  {
    ScriptedPrompt declining(Answers{{"op", "wrong"}});
    EXPECT_FALSE(Get(m_server.Url("/secure"), body, error));
    EXPECT_EQ(declining.m_asked, 1u);
  }
  {
    ScriptedPrompt prompt(Answers{{"op", "wrong"}, {"op", "pw"}});
    ASSERT_TRUE(Get(m_server.Url("/secure"), body, error)) << error;
    EXPECT_EQ(body, "secret");
    EXPECT_EQ(prompt.m_asked, 2u);
    EXPECT_EQ(m_server.Requests().back().user, "op/pw");
  }
  ScriptedPrompt another(Answers{{"someone", "else"}});
  ASSERT_TRUE(Get(m_server.Url("/secure"), body, error)) << error;
  EXPECT_EQ(another.m_asked, 0u);

  WebServer other;
  other.Add("/secure", WebServer::Route{200, "other secret", {}, true, 0});
  EXPECT_FALSE(Get(other.Url("/secure"), body, error));
  EXPECT_EQ(another.m_asked, 1u);
}

TEST_F(WebProjectTest, WebProjectsLoadWithTheirFilesFromTheBase) {
  CNFormLoadContext context;
  for (const char* path : {"/proj/plant.xml", "/proj/plant.brw"}) {
    CNPRootClientBrowser root;
    ASSERT_TRUE(root.OpenProject(Utf8ToUtf16(m_server.Url(path)), context))
        << Utf16ToUtf8(root.GetErrorText());
    EXPECT_EQ(Utf16ToUtf8(root.GetName()), "WebPlant");
    EXPECT_EQ(Utf16ToUtf8(root.GetLocation().folder), m_server.Url("/proj/"));
    CNValue name;
    root.GetProperty(u"NumberFormatConf", name);
    std::vector<uint8_t> bytes;
    std::string error;
    m_server.ClearRequests();
    ASSERT_TRUE(ReadProjectFile(ResolveProjectFile(root.GetLocation(), name.GetText(0)), bytes, error))
        << error;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "[Format]");
    const auto seen = m_server.Requests();  // with the agent's headers
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].url + " " + seen[0].accept + " " + seen[0].agent,
              "/proj/config/number.cnf */* CVeltrixBrowserCtrl");
  }
  const std::pair<std::string, std::string> failures[] = {
      {m_server.Url("/proj/missing.xml"),
       "Can't open file. [GetWebFile]" + m_server.Url("/proj/missing.xml")},
      {m_server.Url("/proj/cut.brw"), "Can't open file. [CRYPT]" + m_server.Url("/proj/cut.brw")},
      {m_server.Url("/proj/config/number.cnf"), "Can't open file. Fail at >>if(NULL == m_pDocRoot)<<"},
  };
  for (const auto& [url, text] : failures) {
    CNPRootClientBrowser root;
    EXPECT_FALSE(root.OpenProject(Utf8ToUtf16(url), context));
    EXPECT_EQ(Utf16ToUtf8(root.GetErrorText()), text);
  }
}

}  // namespace
