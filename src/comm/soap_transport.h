#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The fixed name the HTTP client gives as the Host of every gateway request.
inline constexpr std::string_view kSoapHostName = "localhost";

// One SOAP call to the gateway.
struct CNSoapRequest {
  std::string url;
  std::string action;  // the SOAPAction header
  std::string body;
  // HTTP credentials, used only when not empty.
  std::string user;
  std::string password;
  uint32_t connectTimeoutMs = 0;
  uint32_t timeoutMs = 0;  // the whole exchange
  // When given, the call gives up soon after this flag becomes true.
  const std::atomic<bool>* cancel = nullptr;
};

// The headers of a request, in the order they are sent: "Host", "Content-Length",
// "Content-Type", "SOAPAction".
std::vector<std::pair<std::string, std::string>> SoapRequestHeaders(const CNSoapRequest& request);

// One synchronous HTTP POST. Safe to call from several threads at once.
class CNSoapTransport {
 public:
  virtual ~CNSoapTransport() = default;
  // Posts the request and returns the answer's body. False when the request failed (no answer,
  // time-out, cancelled, an answer without a 2xx status, or a body above the answer limit),
  // with errorCode set to the library's error code or the HTTP status.
  virtual bool Post(const CNSoapRequest& request, std::string& response, uint32_t& errorCode) = 0;
};

// The transport over libcurl.
class CNSoapTransportCurl : public CNSoapTransport {
 public:
  CNSoapTransportCurl();
  bool Post(const CNSoapRequest& request, std::string& response, uint32_t& errorCode) override;
};
