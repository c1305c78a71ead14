#include "comm/soap_transport.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

#include "comm/curl_handles.h"
#include "comm/soap_message.h"

namespace {


// What the callbacks of one transfer share.
struct Transfer {
  std::string* response;
  const std::atomic<bool>* cancel;
};

size_t OnData(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if (bytes > kSoapMaxResponseBytes - transfer->response->size()) return 0;  // ends the transfer
  transfer->response->append(data, bytes);
  return bytes;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* transfer = static_cast<const Transfer*>(user);
  return transfer->cancel != nullptr && transfer->cancel->load(std::memory_order_acquire) ? 1 : 0;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> SoapRequestHeaders(const CNSoapRequest& request) {
  return {{"Host", std::string(kSoapHostName)},
          {"Content-Length", std::to_string(request.body.size())},
          {"Content-Type", "text/xml; charset=UTF-8"},
          {"SOAPAction", request.action}};
}

CNSoapTransportCurl::CNSoapTransportCurl() {
  InitialiseCurlOnce();
}

bool CNSoapTransportCurl::Post(const CNSoapRequest& request, std::string& response, uint32_t& errorCode) {
  response.clear();
  errorCode = 0;
  CurlEasyHandle easy(curl_easy_init());
  if (!easy) {
    errorCode = CURLE_FAILED_INIT;
    return false;
  }
  CurlHeaderList headers;
  auto addHeader = [&headers](const std::string& line) {
    curl_slist* grown = curl_slist_append(headers.get(), line.c_str());
    if (grown == nullptr) return false;
    headers.release();
    headers.reset(grown);
    return true;
  };
  for (const auto& [name, value] : SoapRequestHeaders(request)) {
    if (!addHeader(name + ": " + value)) {
      errorCode = CURLE_OUT_OF_MEMORY;
      return false;
    }
  }
  // No headers beyond ours: the library would otherwise add "Accept" and, for large bodies,
  // "Expect".
  if (!addHeader("Accept:") || !addHeader("Expect:")) {
    errorCode = CURLE_OUT_OF_MEMORY;
    return false;
  }

  Transfer transfer{&response, request.cancel};
  CURL* handle = easy.get();
  curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 1L);
  curl_easy_setopt(handle, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_POST, 1L);
  curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.data());
  curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.connectTimeoutMs));
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, static_cast<long>(request.timeoutMs));
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &OnData);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &OnProgress);
  curl_easy_setopt(handle, CURLOPT_XFERINFODATA, &transfer);
  if (!request.user.empty()) {
    // Whatever scheme the gateway asks for; never handed on to another host by a redirect.
    curl_easy_setopt(handle, CURLOPT_HTTPAUTH, CURLAUTH_ANY);
    curl_easy_setopt(handle, CURLOPT_USERNAME, request.user.c_str());
    curl_easy_setopt(handle, CURLOPT_PASSWORD, request.password.c_str());
  }

  const CURLcode code = curl_easy_perform(handle);
  if (code != CURLE_OK) {
    errorCode = static_cast<uint32_t>(code);
    response.clear();
    return false;
  }
  long status = 0;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200 || status > 299) {
    errorCode = static_cast<uint32_t>(status);
    response.clear();
    return false;
  }
  return true;
}
