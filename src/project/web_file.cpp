#include "project/web_file.h"

#include <curl/curl.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <utility>

#include "comm/curl_handles.h"
#include "support/trace.h"
#include "support/utf16_text.h"

namespace {

std::atomic<CNWebCredentialsPrompt*> s_prompt{nullptr};

// "http://host:port" of an http:// address, in lower case, without any user part.
std::string OriginOf(std::string_view url) {
  constexpr std::string_view kScheme = "http://";
  std::string_view authority = url.substr(kScheme.size());
  authority = authority.substr(0, authority.find_first_of("/?#"));
  if (const size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
  std::string origin(kScheme);
  for (const char c : authority) origin += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return origin;
}

// The credentials a server last accepted, by its origin, kept for the life of the process as
// a browser's session keeps them: the next file from that server is fetched with them before
// the operator is asked again.
class AcceptedCredentials {
 public:
  static AcceptedCredentials& Get() {
    static AcceptedCredentials s_accepted;
    return s_accepted;
  }
  bool Find(const std::string& origin, std::string& user, std::string& password) {
    const std::lock_guard<std::mutex> hold(m_lock);
    const auto it = m_byOrigin.find(origin);
    if (it == m_byOrigin.end()) return false;
    std::tie(user, password) = it->second;
    return true;
  }
  void Keep(const std::string& origin, const std::string& user, const std::string& password) {
    const std::lock_guard<std::mutex> hold(m_lock);
    m_byOrigin[origin] = {user, password};
  }

 private:
  std::mutex m_lock;
  std::map<std::string, std::pair<std::string, std::string>> m_byOrigin;
};


bool IsHttpAddress(std::string_view url) {
  return StartsWithIgnoreCaseAscii(AsciiToUtf16(url), u"http://");
}

// Refuses every address but http:// with the texts the operator knows.
bool CheckScheme(std::string_view url, std::string& error) {
  if (IsHttpAddress(url)) return true;
  error = StartsWithIgnoreCaseAscii(AsciiToUtf16(url), u"file:")
              ? "Cannot work with 'file' protocol"
              : "Error: can only use URLs beginning with http://";
  return false;
}

struct Sink {
  std::vector<uint8_t>* body;
  size_t maxBytes;
  bool tooLarge = false;
};

size_t OnData(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<Sink*>(user);
  const size_t bytes = size * count;
  if (bytes > sink->maxBytes - sink->body->size()) {
    sink->tooLarge = true;
    return 0;  // ends the transfer
  }
  sink->body->insert(sink->body->end(), data, data + bytes);
  return bytes;
}

// One connection kept for the whole fetch, so that a retry or a redirect to the same server
// reuses it.
class WebRequest {
 public:
  WebRequest(const CNWebFileOptions& options, std::vector<uint8_t>& body) : m_sink{&body, options.maxBytes} {
    InitialiseCurlOnce();
    m_easy.reset(curl_easy_init());
    for (const char* header : {"Accept: */*", "User-Agent: CVeltrixBrowserCtrl"}) {
      curl_slist* grown = curl_slist_append(m_headers.get(), header);
      if (!grown) return;
      m_headers.release();
      m_headers.reset(grown);
    }
    if (!m_easy || !m_headers) return;
    CURL* easy = m_easy.get();
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, m_headers.get());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(options.connectTimeoutMs));
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>((options.stallTimeoutMs + 999) / 1000));
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(options.maxBytes));
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &OnData);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &m_sink);
    m_bReady = true;
  }

  bool IsReady() const { return m_bReady; }

  void SetCredentials(const std::string& user, const std::string& password) {
    curl_easy_setopt(m_easy.get(), CURLOPT_HTTPAUTH, CURLAUTH_ANY);
    curl_easy_setopt(m_easy.get(), CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(m_easy.get(), CURLOPT_PASSWORD, password.c_str());
  }

  // Sends the request; false (with error) when no answer came. status gets the HTTP status.
  bool Send(const std::string& url, long& status, std::string& error) {
    m_sink.body->clear();
    m_sink.tooLarge = false;
    curl_easy_setopt(m_easy.get(), CURLOPT_URL, url.c_str());
    const CURLcode code = curl_easy_perform(m_easy.get());
    if (m_sink.tooLarge || code == CURLE_FILESIZE_EXCEEDED) {
      error = url + ": larger than " + std::to_string(m_sink.maxBytes) + " bytes";
      return false;
    }
    if (code != CURLE_OK) {
      error = url + ": " + curl_easy_strerror(code);
      return false;
    }
    curl_easy_getinfo(m_easy.get(), CURLINFO_RESPONSE_CODE, &status);
    return true;
  }

  // The Location of the last answer, made absolute; empty when there was none.
  std::string RedirectAddress() const {
    char* location = nullptr;
    curl_easy_getinfo(m_easy.get(), CURLINFO_REDIRECT_URL, &location);
    return location ? std::string(location) : std::string();
  }

 private:
  CurlEasyHandle m_easy;
  CurlHeaderList m_headers;
  Sink m_sink;
  bool m_bReady = false;
};

bool IsRedirect(long status) {
  return status == 301 || status == 302 || status == 303;
}

}  // namespace

CNWebCredentialsPrompt* CNWebCredentialsPrompt::GetCurrent() {
  return s_prompt.load();
}

CNWebCredentialsPrompt* CNWebCredentialsPrompt::SetCurrent(CNWebCredentialsPrompt* prompt) {
  return s_prompt.exchange(prompt);
}

bool GetWebFile(const std::string& url, std::vector<uint8_t>& body, std::string& error,
                const CNWebFileOptions& options) {
  body.clear();
  error.clear();
  if (!CheckScheme(url, error)) return false;
  WebRequest request(options, body);
  if (!request.IsReady()) {
    error = "the HTTP library could not be set up";
    return false;
  }
  std::string address = url;
  long status = 0;
  for (bool redirected = false;; redirected = true) {
    if (!request.Send(address, status, error)) break;
    std::string user;
    std::string password;
    bool sentCredentials = false;
    bool triedAccepted = false;
    while (status == 401) {
      // The server's accepted credentials first; the operator when there are none or they no
      // longer do.
      const bool accepted = !std::exchange(triedAccepted, true) &&
                            AcceptedCredentials::Get().Find(OriginOf(address), user, password);
      if (!accepted) {
        CNWebCredentialsPrompt* prompt = CNWebCredentialsPrompt::GetCurrent();
        if (!prompt || !prompt->Ask(address, user, password)) break;
      }
      request.SetCredentials(user, password);
      sentCredentials = true;
      if (!request.Send(address, status, error)) break;
    }
    if (sentCredentials && status >= 200 && status <= 299)
      AcceptedCredentials::Get().Keep(OriginOf(address), user, password);
    if (redirected || !IsRedirect(status)) break;
    address = request.RedirectAddress();
    if (!CheckScheme(address, error)) break;
  }
  if (error.empty() && (status < 200 || status > 299))
    error = address + ": HTTP status " + std::to_string(status);
  if (!error.empty()) {
    CRTrace::Printf("GetWebFile %s: %s", url.c_str(), error.c_str());
    body.clear();
    return false;
  }
  return true;
}
