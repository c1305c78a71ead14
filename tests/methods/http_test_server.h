#pragma once

#include <microhttpd.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

// An HTTP server on a free local port with fixed routes; "/echo" answers with what it was sent.
class HttpServer {
 public:
  HttpServer() {
    m_daemon = MHD_start_daemon(MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_THREAD_PER_CONNECTION, 0, nullptr,
                                nullptr, &HttpServer::OnRequest, this, MHD_OPTION_NOTIFY_COMPLETED,
                                &HttpServer::OnDone, this, MHD_OPTION_END);
    if (m_daemon) m_port = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT)->port;
  }
  ~HttpServer() {
    if (m_daemon) MHD_stop_daemon(m_daemon);
  }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
  }
  int Requests() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_requests;
  }

 private:
  static MHD_Result OnRequest(void* self, MHD_Connection* connection, const char* url, const char* method,
                              const char*, const char* upload, size_t* uploadSize, void** state) {
    if (*state == nullptr) {
      *state = new std::string;
      return MHD_YES;
    }
    auto* body = static_cast<std::string*>(*state);
    if (*uploadSize) {
      body->append(upload, *uploadSize);
      *uploadSize = 0;
      return MHD_YES;
    }
    return static_cast<HttpServer*>(self)->Answer(connection, url, method, *body);
  }
  static void OnDone(void*, MHD_Connection*, void** state, MHD_RequestTerminationCode) {
    delete static_cast<std::string*>(*state);
  }
  static ssize_t Stream(void*, uint64_t position, char* buffer, size_t max) {
    if (position >= 100000) return MHD_CONTENT_READER_END_OF_STREAM;
    const size_t n = std::min<size_t>(max, 100000 - position);
    std::fill(buffer, buffer + n, 'x');
    return static_cast<ssize_t>(n);
  }
  static std::string Header(MHD_Connection* connection, const char* name) {
    const char* value = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, name);
    return value ? value : "-";
  }

  MHD_Result Answer(MHD_Connection* connection, const std::string& url, const std::string& method,
                    const std::string& body) {
    {
      std::lock_guard<std::mutex> guard(m_lock);
      ++m_requests;
    }
    int status = 200;
    std::string text;
    MHD_Response* response = nullptr;
    if (url == "/text") {
      text = "\xEF\xBB\xBFh\xC3\xA9llo";
    } else if (url == "/echo") {
      text = method + "|" + Header(connection, "Content-Type") + "|" + Header(connection, "SOAPAction") +
             "|" + Header(connection, "X-Line") + "|" + Header(connection, "X-Other") + "|" + body;
    } else if (url == "/fault") {
      status = 500;
      text = "<Fault>" + Header(connection, "SOAPAction") + "</Fault>";
    } else if (url == "/big") {
      text.assign(100000, 'x');
    } else if (url == "/stream") {
      response =
          MHD_create_response_from_callback(MHD_SIZE_UNKNOWN, 4096, &HttpServer::Stream, nullptr, nullptr);
    } else if (url == "/slow") {
      std::this_thread::sleep_for(std::chrono::milliseconds(1500));
      text = "late";
    } else if (url == "/moved") {
      status = 302;
    } else {
      status = 404;
      text = "gone";
    }
    if (!response)
      response = MHD_create_response_from_buffer(text.size(), text.data(), MHD_RESPMEM_MUST_COPY);
    if (status == 302) MHD_add_response_header(response, "Location", "/text");
    const MHD_Result result = MHD_queue_response(connection, static_cast<unsigned>(status), response);
    MHD_destroy_response(response);
    return result;
  }

  MHD_Daemon* m_daemon = nullptr;
  uint16_t m_port = 0;
  std::mutex m_lock;
  int m_requests = 0;
};
