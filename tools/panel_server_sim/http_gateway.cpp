#include "panel_server_sim/http_gateway.h"

#include <microhttpd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "comm/soap_message.h"
#include "panel_server_sim/socket_io.h"

namespace panel_sim {

namespace {

constexpr int kDefaultTimeoutSeconds = 4;
constexpr int kMaxTimeoutSeconds = 60;
constexpr unsigned kHttpIdleSeconds = 120;
constexpr unsigned kHttpConnectionLimit = 64;

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::string RefusalAnswer(const GatewayRequest& request) {
  return BuildGatewayAnswer(kSoapRefused, request.connection, true, false, request.sequence, nullptr, 0);
}

// The next chunk of an answer from offset on (all of what is left when it fits); an answer
// handed out in full is dropped.
std::string NextAnswerChunk(uint32_t type, const GatewayRequest& request, bool first, std::vector<uint8_t>& answer,
                            size_t& offset) {
  const size_t size = std::min(answer.size() - offset, kSoapChunkSize);
  const bool more = offset + size < answer.size();
  std::string text =
      BuildGatewayAnswer(type, request.connection, first, more, request.sequence, answer.data() + offset, size);
  offset += size;
  if (!more) {
    answer.clear();
    offset = 0;
  }
  return text;
}

// Request bodies are gathered here while MHD delivers them.
struct RequestBody {
  std::string text;
  bool tooLarge = false;
};

MHD_Result Respond(MHD_Connection* connection, unsigned status, const std::string& body) {
  MHD_Response* response =
      MHD_create_response_from_buffer(body.size(), const_cast<char*>(body.data()), MHD_RESPMEM_MUST_COPY);
  if (!response) return MHD_NO;
  MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "text/xml; charset=utf-8");
  const MHD_Result result = MHD_queue_response(connection, status, response);
  MHD_destroy_response(response);
  return result;
}

MHD_Result OnRequest(void* gateway, MHD_Connection* connection, const char*, const char* method, const char*,
                     const char* uploadData, size_t* uploadSize, void** requestState) {
  if (std::string_view(method) != MHD_HTTP_METHOD_POST) return Respond(connection, MHD_HTTP_METHOD_NOT_ALLOWED, "");
  auto* body = static_cast<RequestBody*>(*requestState);
  if (!body) {
    *requestState = new RequestBody;
    return MHD_YES;
  }
  if (*uploadSize > 0) {
    if (body->text.size() + *uploadSize > HttpGateway::kMaxBodyBytes) {
      body->tooLarge = true;
    } else {
      body->text.append(uploadData, *uploadSize);
    }
    *uploadSize = 0;
    return MHD_YES;
  }
  if (body->tooLarge) return Respond(connection, MHD_HTTP_CONTENT_TOO_LARGE, "");
  std::string strIn;
  if (!ExtractStrIn(body->text, strIn)) return Respond(connection, MHD_HTTP_BAD_REQUEST, "");
  const std::string answer = static_cast<HttpGateway*>(gateway)->Process(strIn);
  if (answer.empty()) return Respond(connection, MHD_HTTP_BAD_REQUEST, "");
  return Respond(connection, MHD_HTTP_OK, BuildProcessResponse(answer));
}

void OnRequestDone(void*, MHD_Connection*, void** requestState, MHD_RequestTerminationCode) {
  delete static_cast<RequestBody*>(*requestState);
  *requestState = nullptr;
}

}  // namespace

HttpGateway::~HttpGateway() { Stop(); }

bool HttpGateway::Start(uint16_t port, std::string& error) {
  sockaddr_in address = LoopbackAddress(port);
  m_pDaemon = MHD_start_daemon(
      MHD_USE_THREAD_PER_CONNECTION | MHD_USE_INTERNAL_POLLING_THREAD, port, nullptr, nullptr, &OnRequest, this,
      MHD_OPTION_SOCK_ADDR, &address, MHD_OPTION_NOTIFY_COMPLETED, &OnRequestDone, nullptr,
      MHD_OPTION_CONNECTION_TIMEOUT, kHttpIdleSeconds, MHD_OPTION_CONNECTION_LIMIT, kHttpConnectionLimit,
      MHD_OPTION_END);
  if (!m_pDaemon) {
    error = "cannot serve HTTP on port " + std::to_string(port);
    return false;
  }
  const MHD_DaemonInfo* info = MHD_get_daemon_info(m_pDaemon, MHD_DAEMON_INFO_BIND_PORT);
  m_usPort = info ? info->port : port;
  return true;
}

void HttpGateway::Stop() {
  m_bStopping = true;
  {
    std::lock_guard<std::mutex> guard(m_lock);
    for (auto& [connection, session] : m_sessions) session->relay.Close();
    m_sessions.clear();
  }
  if (m_pDaemon) MHD_stop_daemon(m_pDaemon);
  m_pDaemon = nullptr;
}

std::string HttpGateway::Process(std::string_view strIn) {
  GatewayRequest request;
  if (!ParseGatewayRequest(strIn, request)) return {};
  if (m_bStopping) return RefusalAnswer(request);
  if (request.type == kSoapConnect) return Connect(request);
  if (request.type == kSoapDisconnect) return Disconnect(request);
  const std::shared_ptr<Session> session = FindSession(request.connection);
  if (!session || (request.type != kSoapSend && request.type != kSoapPoll)) return RefusalAnswer(request);
  session->lastUseMs = NowMs();
  std::string answer = Relay(request, *session);
  if (session->relay.IsBroken()) DropSession(request.connection);
  return answer;
}

std::string HttpGateway::Connect(const GatewayRequest& request) {
  GatewayConnectInfo info;
  if (!request.first || request.more ||
      !ParseGatewayConnectText(std::string_view(reinterpret_cast<const char*>(request.data.data()), request.data.size()),
                               info))
    return RefusalAnswer(request);
  auto session = std::make_shared<Session>();
  if (!session->relay.Open(m_usServerPort, info)) return RefusalAnswer(request);
  session->lastUseMs = NowMs();
  std::string id;
  {
    std::lock_guard<std::mutex> guard(m_lock);
    DropIdleSessions(session->lastUseMs);
    if (m_bStopping || m_sessions.size() >= kMaxSessions) {
      session->relay.Close();
      return RefusalAnswer(request);
    }
    do {
      char text[17];
      std::snprintf(text, sizeof text, "%016llX", static_cast<unsigned long long>(m_random()));
      id = text;
    } while (m_sessions.contains(id));
    m_sessions[id] = session;
  }
  return BuildGatewayAnswer(kSoapConnect, request.connection, true, false, request.sequence,
                            reinterpret_cast<const uint8_t*>(id.data()), id.size());
}

std::string HttpGateway::Disconnect(const GatewayRequest& request) {
  if (!FindSession(request.connection)) return RefusalAnswer(request);
  DropSession(request.connection);
  return BuildGatewayAnswer(kSoapDisconnect, request.connection, true, false, request.sequence, nullptr, 0);
}

std::string HttpGateway::Relay(const GatewayRequest& request, Session& session) {
  Exchange& exchange = request.type == kSoapSend ? session.command : session.callback;
  std::lock_guard<std::mutex> guard(exchange.lock);
  if (request.first) {
    exchange.gathering = true;
    exchange.message = request.data;
    exchange.answer.clear();
    exchange.answerOffset = 0;
  } else if (exchange.gathering) {
    if (exchange.message.size() + request.data.size() > GatewayRelay::kMaxRelayBytes) {
      exchange.gathering = false;
      exchange.message.clear();
      return RefusalAnswer(request);
    }
    exchange.message.insert(exchange.message.end(), request.data.begin(), request.data.end());
  } else if (exchange.answerOffset < exchange.answer.size()) {
    return NextAnswerChunk(request.type, request, false, exchange.answer, exchange.answerOffset);
  } else {
    return RefusalAnswer(request);
  }
  if (request.more) return BuildGatewayAnswer(request.type, request.connection, request.first, false, request.sequence,
                                              nullptr, 0);
  exchange.gathering = false;
  if (request.type == kSoapSend) {
    const int seconds = request.timeoutSeconds > 0 ? std::min(request.timeoutSeconds, kMaxTimeoutSeconds)
                                                   : kDefaultTimeoutSeconds;
    exchange.answer = session.relay.Send(exchange.message, seconds * 1000);
  } else {
    exchange.answer = session.relay.Poll();
  }
  exchange.message.clear();
  exchange.answerOffset = 0;
  return NextAnswerChunk(request.type, request, true, exchange.answer, exchange.answerOffset);
}

std::shared_ptr<HttpGateway::Session> HttpGateway::FindSession(const std::string& connection) {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_sessions.find(connection);
  return found == m_sessions.end() ? nullptr : found->second;
}

void HttpGateway::DropSession(const std::string& connection) {
  std::lock_guard<std::mutex> guard(m_lock);
  const auto found = m_sessions.find(connection);
  if (found == m_sessions.end()) return;
  found->second->relay.Close();
  m_sessions.erase(found);
}

void HttpGateway::DropIdleSessions(int64_t nowMs) {
  std::erase_if(m_sessions, [nowMs](const auto& entry) {
    if (nowMs - entry.second->lastUseMs < kIdleLimitMs) return false;
    entry.second->relay.Close();
    return true;
  });
}

}  // namespace panel_sim
