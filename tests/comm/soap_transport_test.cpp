#include "comm/soap_transport.h"

#include <curl/curl.h>
#include <gtest/gtest.h>
#include <microhttpd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "support/event.h"

namespace {

using Headers = std::vector<std::pair<std::string, std::string>>;

// A real HTTP server on a free local port. It records every request; "/secure" asks for Basic
// credentials, "/error" answers 500, "/slow" answers only once released.
class LocalServer {
 public:
  struct Seen {
    std::string method;
    Headers headers;
    std::string body;
    std::string user;
    std::string password;
  };
  static constexpr char kReply[] = "<ProcessResult>3:abc:FF1:1:00</ProcessResult>";

  LocalServer() {
    m_daemon = MHD_start_daemon(MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_THREAD_PER_CONNECTION, 0, nullptr,
                                nullptr, &LocalServer::OnRequest, this, MHD_OPTION_NOTIFY_COMPLETED,
                                &LocalServer::OnCompleted, this, MHD_OPTION_END);
    if (m_daemon != nullptr) m_port = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT)->port;
  }
  ~LocalServer() {
    m_release.Set();
    if (m_daemon != nullptr) MHD_stop_daemon(m_daemon);
  }

  bool IsRunning() const { return m_daemon != nullptr; }
  std::string Url(const char* path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }
  std::vector<Seen> Requests() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_seen;
  }

 private:
  static MHD_Result OnRequest(void* self, MHD_Connection* connection, const char* url, const char* method,
                              const char*, const char* upload, size_t* uploadSize, void** state) {
    if (*state == nullptr) {
      *state = new std::string;
      return MHD_YES;
    }
    auto* body = static_cast<std::string*>(*state);
    if (*uploadSize > 0) {
      body->append(upload, *uploadSize);
      *uploadSize = 0;
      return MHD_YES;
    }
    return static_cast<LocalServer*>(self)->Answer(connection, url, method, *body);
  }

  static void OnCompleted(void*, MHD_Connection*, void** state, MHD_RequestTerminationCode) {
    delete static_cast<std::string*>(*state);
    *state = nullptr;
  }

  static MHD_Result OnHeader(void* headers, MHD_ValueKind, const char* key, const char* value) {
    static_cast<Headers*>(headers)->emplace_back(key, value);
    return MHD_YES;
  }

  MHD_Result Answer(MHD_Connection* connection, const std::string& url, const char* method,
                    const std::string& body) {
    Seen seen{method, {}, body, {}, {}};
    MHD_get_connection_values(connection, MHD_HEADER_KIND, &LocalServer::OnHeader, &seen.headers);
    char* password = nullptr;
    if (char* user = MHD_basic_auth_get_username_password(connection, &password)) {
      seen.user = user;
      MHD_free(user);
    }
    if (password != nullptr) {
      seen.password = password;
      MHD_free(password);
    }
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_seen.push_back(seen);
    }
    if (url == "/slow") m_release.Wait(10000);
    MHD_Response* response = MHD_create_response_from_buffer(sizeof(kReply) - 1, const_cast<char*>(kReply),
                                                             MHD_RESPMEM_PERSISTENT);
    MHD_Result result;
    if (url == "/secure" && seen.user.empty()) {
      result = MHD_queue_basic_auth_fail_response(connection, "gateway", response);
    } else {
      result = MHD_queue_response(connection, url == "/error" ? 500 : 200, response);
    }
    MHD_destroy_response(response);
    return result;
  }

  MHD_Daemon* m_daemon = nullptr;
  uint16_t m_port = 0;
  std::mutex m_lock;
  std::vector<Seen> m_seen;
  CREvent m_release{true};
};

CNSoapRequest Request(const std::string& url, std::string body) {
  CNSoapRequest request;
  request.url = url;
  request.action = "http://localhost/hgateway/Process";
  request.body = std::move(body);
  request.connectTimeoutMs = 4000;
  request.timeoutMs = 8000;
  return request;
}

TEST(SoapTransportCurl, PostsTheHeadersInOrderWithCredentialsAndReturnsTheBody) {
  LocalServer server;
  ASSERT_TRUE(server.IsRunning());
  CNSoapTransportCurl transport;
  // Large enough that a client would normally ask for "100 Continue".
  CNSoapRequest request = Request(server.Url("/secure"), std::string(40000, 'x'));
  request.user = "operator";
  request.password = "p,w:1";
  std::string response;
  uint32_t error = 99;
  ASSERT_TRUE(transport.Post(request, response, error));
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(response, LocalServer::kReply);

  const std::vector<LocalServer::Seen> seen = server.Requests();
  ASSERT_FALSE(seen.empty());
  const LocalServer::Seen& last = seen.back();
  EXPECT_EQ(last.method, "POST");
  EXPECT_EQ(last.body, request.body);
  EXPECT_EQ(last.user, "operator");
  EXPECT_EQ(last.password, "p,w:1");
  Headers ours;
  for (const auto& header : last.headers)
    if (header.first != "Authorization") ours.push_back(header);
  EXPECT_EQ(ours, (Headers{{"Host", "localhost"},
                           {"Content-Length", "40000"},
                           {"Content-Type", "text/xml; charset=UTF-8"},
                           {"SOAPAction", "http://localhost/hgateway/Process"}}));

  // Without a user name no credentials are offered, even when asked for.
  request.user.clear();
  EXPECT_FALSE(transport.Post(request, response, error));
  EXPECT_EQ(error, 401u);
  EXPECT_TRUE(server.Requests().back().user.empty());
}

TEST(SoapTransportCurl, FailuresGiveTheirCodes) {
  LocalServer server;
  ASSERT_TRUE(server.IsRunning());
  CNSoapTransportCurl transport;
  std::string response;
  uint32_t error = 0;
  EXPECT_FALSE(transport.Post(Request(server.Url("/error"), "x"), response, error));
  EXPECT_EQ(error, 500u);
  EXPECT_TRUE(response.empty());
  EXPECT_FALSE(transport.Post(Request("http://127.0.0.1:1/", "x"), response, error));
  EXPECT_EQ(error, static_cast<uint32_t>(CURLE_COULDNT_CONNECT));

  // A request waiting for its answer gives up once its cancel flag is set.
  std::atomic<bool> cancel{false};
  CNSoapRequest slow = Request(server.Url("/slow"), "x");
  slow.cancel = &cancel;
  bool posted = true;
  uint32_t slowError = 0;
  std::thread poster([&] { posted = transport.Post(slow, response, slowError); });
  for (int i = 0; i < 2000 && server.Requests().size() < 2; ++i) CREvent().Wait(5);
  cancel = true;
  poster.join();
  EXPECT_FALSE(posted);
  EXPECT_EQ(slowError, static_cast<uint32_t>(CURLE_ABORTED_BY_CALLBACK));
}

}  // namespace
