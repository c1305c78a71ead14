#pragma once

#include <microhttpd.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

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
