#include <gtest/gtest.h>
#include <microhttpd.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "browser/project_crypt.h"
#include "browser/root_client_browser.h"
#include "browser/web_file.h"
#include "project_test_util.h"
#include "support/utf16_text.h"

namespace {

// A real HTTP server on a free local port, answering from a table of routes and recording what
// it was asked.
class WebServer {
 public:
  struct Route {
    int status = 200;
    std::string body;
    std::string location;  // for redirects
    bool secure = false;   // Basic credentials "op"/"pw" required
    size_t streamed = 0;   // a body of this many bytes without a length
  };
  static Route Body(int status, std::string body) { return {status, std::move(body), {}, false, 0}; }
  static Route Redirect(int status, std::string location) {
    return {status, {}, std::move(location), false, 0};
  }
  struct Seen {
    std::string url;
    std::string accept;
    std::string agent;
    std::string user;
  };

  WebServer() {
    m_daemon = MHD_start_daemon(MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_THREAD_PER_CONNECTION, 0, nullptr,
                                nullptr, &WebServer::OnRequest, this, MHD_OPTION_END);
    if (m_daemon) m_port = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT)->port;
  }
  ~WebServer() {
    if (m_daemon) MHD_stop_daemon(m_daemon);
  }

  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
  }
  void Add(const std::string& path, Route route) { m_routes[path] = std::move(route); }
  std::vector<Seen> Requests() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_seen;
  }
  void ClearRequests() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_seen.clear();
  }

 private:
  static MHD_Result OnRequest(void* self, MHD_Connection* connection, const char* url, const char*,
                              const char*, const char*, size_t*, void** state) {
    if (*state == nullptr) {  // headers only so far
      *state = self;
      return MHD_YES;
    }
    return static_cast<WebServer*>(self)->Answer(connection, url);
  }

  static ssize_t Stream(void* cls, uint64_t position, char* buffer, size_t max) {
    const size_t total = *static_cast<size_t*>(cls);
    if (position >= total) return MHD_CONTENT_READER_END_OF_STREAM;
    const size_t n = std::min<size_t>(max, total - position);
    std::fill(buffer, buffer + n, 'x');
    return static_cast<ssize_t>(n);
  }

  MHD_Result Answer(MHD_Connection* connection, const std::string& url) {
    Seen seen{url, {}, {}, {}};
    if (const char* accept = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Accept"))
      seen.accept = accept;
    if (const char* agent = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "User-Agent"))
      seen.agent = agent;
    char* password = nullptr;
    if (char* user = MHD_basic_auth_get_username_password(connection, &password)) {
      seen.user = std::string(user) + "/" + (password ? password : "");
      MHD_free(user);
    }
    if (password) MHD_free(password);
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_seen.push_back(seen);
    }
    const auto found = m_routes.find(url);
    const Route route = found == m_routes.end() ? Body(404, "not here") : found->second;
    MHD_Response* response =
        route.streamed
            ? MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, 4096, &WebServer::Stream,
                                                const_cast<size_t*>(&found->second.streamed), nullptr)
            : MHD_create_response_from_buffer(route.body.size(), const_cast<char*>(route.body.data()),
                                              MHD_RESPMEM_MUST_COPY);
    if (!route.location.empty()) MHD_add_response_header(response, "Location", route.location.c_str());
    const MHD_Result result =
        route.secure && seen.user != "op/pw"
            ? MHD_queue_basic_auth_fail_response(connection, "plant", response)
            : MHD_queue_response(connection, static_cast<unsigned>(route.status), response);
    MHD_destroy_response(response);
    return result;
  }

  MHD_Daemon* m_daemon = nullptr;
  uint16_t m_port = 0;
  std::map<std::string, Route> m_routes;  // filled before any request
  std::mutex m_lock;
  std::vector<Seen> m_seen;
};

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

TEST_F(WebProjectTest, GetSendsTheAgentsHeaders) {
  std::string body;
  std::string error;
  ASSERT_TRUE(Get(m_server.Url("/proj/config/number.cnf"), body, error)) << error;
  EXPECT_EQ(body, "[Format]");
  const auto seen = m_server.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].accept, "*/*");
  EXPECT_EQ(seen[0].agent, "CVeltrixBrowserCtrl");
}

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
    EXPECT_EQ(m_server.Requests().at(0).url, "/proj/config/number.cnf");
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
