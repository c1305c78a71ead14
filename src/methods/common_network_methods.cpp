// The common functions that talk to other computers: mail through an SMTP server, the
// wake-on-LAN packet, and HTTP and SOAP requests. Each request is bounded by the network limits
// (time-outs and answer size); a request that fails answers false or no value and never stops
// the script.
#include <arpa/inet.h>
#include <curl/curl.h>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "comm/curl_handles.h"
#include "methods/common_methods.h"
#include "methods/method_args.h"
#include "support/utf16_text.h"

namespace {

std::mutex s_limitsLock;
CommonNetworkLimits s_limits;


bool Append(CurlHeaderList& list, const std::string& line) {
  curl_slist* grown = curl_slist_append(list.get(), line.c_str());
  if (!grown) return false;
  (void)list.release();
  list.reset(grown);
  return true;
}

// The answer of one request, cut off (and failed) when it would pass the limit.
struct Answer {
  std::string body;
  size_t limit = 0;
};

size_t OnAnswerData(char* data, size_t size, size_t count, void* user) {
  auto* answer = static_cast<Answer*>(user);
  const size_t bytes = size * count;
  if (bytes > answer->limit - answer->body.size()) return 0;  // ends the transfer with an error
  answer->body.append(data, bytes);
  return bytes;
}

void SetLimits(CURL* easy, const CommonNetworkLimits& limits) {
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connectTimeoutMs));
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.timeoutMs));
}

}  // namespace

// ---- HTTP

bool PerformHttpRequest(const CommonHttpRequest& request, std::string& body, long& status) {
  InitialiseCurlOnce();
  const CommonNetworkLimits limits = GetCommonNetworkLimits();
  CurlEasyHandle easy(curl_easy_init());
  if (!easy) return false;
  CurlHeaderList headers;
  bool typed = false;
  for (const std::string& header : request.headers) {
    typed = typed || ::strncasecmp(header.c_str(), "Content-Type:", 13) == 0;
    if (!Append(headers, header)) return false;
  }
  if (!Append(headers, "Expect:")) return false;                  // no waiting for "100 Continue"
  if (!typed && !Append(headers, "Content-Type:")) return false;  // none unless asked for
  Answer answer{{}, limits.maxAnswerBytes};
  CURL* handle = easy.get();
  SetLimits(handle, limits);
  curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 1L);
  curl_easy_setopt(handle, CURLOPT_POSTREDIR, static_cast<long>(CURL_REDIR_POST_ALL));
  curl_easy_setopt(handle, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxAnswerBytes));
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &OnAnswerData);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &answer);
  if (request.method == "HEAD") {
    curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
  } else if (!request.body.empty() || request.method == "POST" || request.method == "PUT" ||
             request.method == "PATCH") {
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.data());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
  }
  if (request.method != "POST") curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, request.method.c_str());
  if (curl_easy_perform(handle) != CURLE_OK) return false;
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
  body = std::move(answer.body);
  return true;
}

void SetHttpAnswerText(CNValue& result, std::string_view body) {
  if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
  result.SetString(Utf8ToUtf16(body));
}

namespace {

// A method name of token characters only, in upper case; empty when the text is none.
std::string MethodName(std::u16string_view text) {
  constexpr std::string_view kTokenMarks = "!#$%&'*+-.^_`|~";
  std::string method;
  for (const char16_t c : text) {
    if (!IsAlphaAscii(c) && !IsDigitAscii(c) &&
        (c >= 128 || kTokenMarks.find(static_cast<char>(c)) == std::string_view::npos))
      return {};
    method += static_cast<char>(ToUpperAscii(c));
  }
  return method.size() <= 32 ? method : std::string();
}

// Header lines from a text (lines split at line breaks) or a list of texts; lines without a
// ":" are left out.
std::vector<std::string> HeaderLines(const CNValue& value) {
  std::vector<std::string> lines;
  for (uint32_t i = 0; i < value.GetCount(); ++i) {
    const std::string text = Utf16ToUtf8(value.GetTextEmptyNA(i));
    for (size_t from = 0; from < text.size();) {
      size_t end = text.find_first_of("\r\n", from);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(from, end - from);
      if (line.find(':') != std::string::npos && line.find('\0') == std::string::npos) lines.push_back(line);
      from = end + 1;
    }
  }
  return lines;
}

// "HTTPGet"(url): the body of a successful (2xx) answer; no value otherwise.
bool HttpGet(CMethodCall& call) {
  if (call.Count() != 1) return false;
  std::string body;
  long status = 0;
  const bool answered = PerformHttpRequest({"GET", Utf16ToUtf8(ArgText(call.Arg(0))), {}, {}}, body, status);
  if (answered && status >= 200 && status <= 299) SetHttpAnswerText(call.result, body);
  return true;
}

// "HttpRequestMessage"(method, url[, headers[, body]]): sends the body (UTF-8) with the method
// and header lines; the body of the answer whatever its status, no value when none came.
bool HttpRequestMessage(CMethodCall& call) {
  if (!ArgCountIn(call, 2, 4)) return false;
  CommonHttpRequest request{MethodName(ArgText(call.Arg(0))), Utf16ToUtf8(ArgText(call.Arg(1))), {}, {}};
  if (request.method.empty()) return true;
  if (call.Count() > 2) request.headers = HeaderLines(call.Arg(2));
  if (call.Count() > 3) request.body = Utf16ToUtf8(ElementLinesText(call.Arg(3)));
  std::string body;
  long status = 0;
  if (PerformHttpRequest(request, body, status)) SetHttpAnswerText(call.result, body);
  return true;
}

// "SOAPRequestMessage"(url, action, envelope): posts the envelope as text/xml with the action
// as SOAPAction; the answer's body (a fault comes with status 500) or no value.
bool SoapRequestMessage(CMethodCall& call) {
  if (call.Count() != 3) return false;
  std::string action = Utf16ToUtf8(ArgText(call.Arg(1)));
  if (action.find_first_of("\r\n") != std::string::npos) return true;
  if (!(action.size() >= 2 && action.front() == '"' && action.back() == '"')) action = '"' + action + '"';
  CommonHttpRequest request{"POST",
                            Utf16ToUtf8(ArgText(call.Arg(0))),
                            {"Content-Type: text/xml; charset=utf-8", "SOAPAction: " + action},
                            Utf16ToUtf8(ArgText(call.Arg(2)))};
  std::string body;
  long status = 0;
  if (PerformHttpRequest(request, body, status)) SetHttpAnswerText(call.result, body);
  return true;
}

// ---- Mail

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Base64(std::string_view bytes) {
  std::string out;
  for (size_t at = 0; at < bytes.size(); at += 3) {
    uint32_t group = 0;
    const size_t n = std::min<size_t>(3, bytes.size() - at);
    for (size_t k = 0; k < 3; ++k)
      group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[at + k]) : 0);
    for (size_t k = 0; k < 4; ++k) out += k <= n ? kBase64[(group >> (18 - 6 * k)) & 63] : '=';
  }
  return out;
}

// A header text on one line: line breaks and other control characters become spaces.
std::string OneLine(std::u16string_view text) {
  std::string line = Utf16ToUtf8(text);
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return line;
}

// A subject as it may stand in a header: ASCII as it is, anything else as encoded words of
// whole characters.
std::string SubjectHeader(std::u16string_view subject) {
  const std::string line = OneLine(subject);
  bool ascii = true;
  for (const char c : line) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return "Subject: " + line;
  std::string header = "Subject:";
  for (size_t at = 0; at < line.size();) {
    size_t end = std::min(at + 45, line.size());
    while (end < line.size() && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80)
      --end;  // not inside a character
    header += (at ? "\r\n " : " ") + std::string("=?UTF-8?B?") + Base64(line.substr(at, end - at)) + "?=";
    at = end;
  }
  return header;
}

// An address for the envelope: the part in "<...>" when there is one, else the trimmed text;
// empty when it holds white space, control characters or angle brackets.
std::string EnvelopeAddress(std::string_view text) {
  const size_t open = text.find('<');
  if (open != std::string_view::npos) {
    const size_t close = text.find('>', open);
    if (close == std::string_view::npos) return {};
    text = text.substr(open + 1, close - open - 1);
  }
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  for (const char c : text)
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F || c == '<' || c == '>') return {};
  return std::string(text);
}

// The recipients: every element's text, split at "," and ";".
std::vector<std::string> Recipients(const CNValue& value) {
  std::vector<std::string> recipients;
  for (uint32_t i = 0; i < value.GetCount(); ++i) {
    const std::string text = OneLine(value.GetTextEmptyNA(i));
    for (size_t from = 0; from <= text.size();) {
      size_t end = text.find_first_of(",;", from);
      if (end == std::string::npos) end = text.size();
      const size_t first = text.find_first_not_of(' ', from);
      if (first < end)
        recipients.push_back(text.substr(first, text.find_last_not_of(' ', end - 1) + 1 - first));
      from = end + 1;
    }
  }
  return recipients;
}

std::string DateHeader() {
  static constexpr std::array<const char*, 7> kDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  char text[64];
  std::snprintf(text, sizeof text, "Date: %s, %02d %s %04d %02d:%02d:%02d +0000",
                kDays[static_cast<size_t>(utc.tm_wday) % 7], utc.tm_mday,
                kMonths[static_cast<size_t>(utc.tm_mon) % 12], utc.tm_year + 1900, utc.tm_hour, utc.tm_min,
                utc.tm_sec);
  return text;
}

// The message: headers, then the body as UTF-8 text in Base64 lines of 76 characters, so that
// no line of it can end the message early.
std::string MailMessage(const std::string& from, const std::vector<std::string>& to,
                        std::u16string_view subject, std::u16string_view body) {
  std::string text = Utf16ToUtf8(body);
  std::string canonical;  // line breaks as CR LF
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) canonical += '\r';
    canonical += text[i];
  }
  std::string message = DateHeader() + "\r\nFrom: " + from + "\r\nTo: ";
  for (size_t i = 0; i < to.size(); ++i) message += (i ? ", " : "") + to[i];
  message += "\r\n" + SubjectHeader(subject) +
             "\r\nMIME-Version: 1.0\r\nContent-Type: text/plain; charset=UTF-8\r\n"
             "Content-Transfer-Encoding: base64\r\n\r\n";
  const std::string encoded = Base64(canonical);
  for (size_t at = 0; at < encoded.size(); at += 76) message += encoded.substr(at, 76) + "\r\n";
  return message;
}

struct Upload {
  std::string_view data;
  size_t at = 0;
};

size_t OnUploadData(char* buffer, size_t size, size_t count, void* user) {
  auto* upload = static_cast<Upload*>(user);
  const size_t n = std::min(size * count, upload->data.size() - upload->at);
  std::copy_n(upload->data.data() + upload->at, n, buffer);
  upload->at += n;
  return n;
}

}  // namespace

bool SendMailBySmtp(CMethodCall& call) {
  if (!ArgCountIn(call, 6, 8)) return false;
  call.result.SetBool(false);
  std::string server = OneLine(ArgText(call.Arg(0)));
  uint16_t port = ArgUInt16(call.Arg(1));
  const std::string from = OneLine(ArgText(call.Arg(2)));
  const std::vector<std::string> to = Recipients(call.Arg(3));
  const std::string sender = EnvelopeAddress(from);
  if (server.empty() || sender.empty() || to.empty()) return true;
  CurlHeaderList recipients;
  for (const std::string& recipient : to) {
    const std::string address = EnvelopeAddress(recipient);
    if (address.empty() || !Append(recipients, "<" + address + ">")) return true;
  }
  if (server.find("://") == std::string::npos) {
    if (server.find(':') != std::string::npos && server.front() != '[') server = "[" + server + "]";  // IPv6
    server = (port == 465 ? "smtps://" : "smtp://") + server;
  }
  if (port == 0) port = server.starts_with("smtps://") ? 465 : 25;
  const std::string url = server + ":" + std::to_string(port);
  const std::string message = MailMessage(from, to, ArgText(call.Arg(4)), ArgText(call.Arg(5)));

  InitialiseCurlOnce();
  CurlEasyHandle easy(curl_easy_init());
  if (!easy) return true;
  CURL* handle = easy.get();
  Upload upload{message};
  const std::string mailFrom = "<" + sender + ">";
  const std::string user = call.Count() > 6 ? Utf16ToUtf8(ArgText(call.Arg(6))) : std::string();
  const std::string password = call.Count() > 7 ? Utf16ToUtf8(ArgText(call.Arg(7))) : std::string();
  SetLimits(handle, GetCommonNetworkLimits());
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
  curl_easy_setopt(handle, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
  curl_easy_setopt(handle, CURLOPT_MAIL_FROM, mailFrom.c_str());
  curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
  curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(handle, CURLOPT_READFUNCTION, &OnUploadData);
  curl_easy_setopt(handle, CURLOPT_READDATA, &upload);
  curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(message.size()));
  if (!user.empty()) {
    curl_easy_setopt(handle, CURLOPT_USERNAME, user.c_str());
    curl_easy_setopt(handle, CURLOPT_PASSWORD, password.c_str());
  }
  call.result.SetBool(curl_easy_perform(handle) == CURLE_OK);
  return true;
}

namespace {

// ---- Wake-on-LAN

// Six bytes from "AA-BB-CC-DD-EE-FF", "AA:BB:CC:DD:EE:FF" or "AABBCCDDEEFF".
bool ParseMac(std::u16string_view text, std::array<uint8_t, 6>& mac) {
  while (!text.empty() && IsSpaceAscii(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceAscii(text.back())) text.remove_suffix(1);
  const bool separated = text.size() == 17;
  if (!separated && text.size() != 12) return false;
  const char16_t separator = separated ? text[2] : u'\0';
  if (separated && separator != u'-' && separator != u':') return false;
  size_t at = 0;
  for (uint8_t& byte : mac) {
    if (separated && at > 0 && text[at++] != separator) return false;
    if (!IsHexDigitAscii(text[at]) || !IsHexDigitAscii(text[at + 1])) return false;
    byte = static_cast<uint8_t>(ParseLeadingHex32(text.substr(at, 2)));
    at += 2;
  }
  return true;
}

// "SendMagicPacket"(mac[, address[, port]]): broadcasts the wake-on-LAN packet (six 0xFF bytes,
// then the address sixteen times) by UDP to the IPv4 address (default 255.255.255.255) and port
// (default 9). False for an address that does not read or when the packet could not be sent.
bool SendMagicPacket(CMethodCall& call) {
  if (!ArgCountIn(call, 1, 3)) return false;
  call.result.SetBool(false);
  std::array<uint8_t, 6> mac{};
  if (!ParseMac(ArgText(call.Arg(0)), mac)) return true;
  sockaddr_in target{};
  target.sin_family = AF_INET;
  const std::string address = call.Count() > 1 ? Utf16ToUtf8(ArgText(call.Arg(1))) : std::string();
  if (inet_pton(AF_INET, address.empty() ? "255.255.255.255" : address.c_str(), &target.sin_addr) != 1)
    return true;
  const uint16_t port = call.Count() > 2 ? ArgUInt16(call.Arg(2)) : 0;
  target.sin_port = htons(port ? port : 9);
  std::array<uint8_t, 6 + 16 * 6> packet;
  std::fill_n(packet.begin(), 6, 0xFF);
  for (size_t i = 0; i < 16; ++i)
    std::copy(mac.begin(), mac.end(), packet.begin() + 6 + 6 * static_cast<ptrdiff_t>(i));
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return true;
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  const ssize_t sent = ::sendto(fd, packet.data(), packet.size(), 0,
                                reinterpret_cast<const sockaddr*>(&target), sizeof target);
  ::close(fd);
  call.result.SetBool(sent == static_cast<ssize_t>(packet.size()));
  return true;
}

constexpr std::array kNetworkMethods = {
    GuardedMethod(u"SendMail", "Sends a mail straight through an SMTP server", &SendMailBySmtp,
                  CapabilityFamily::kNetwork, 6, 8),
    GuardedMethod(u"SendMagicPacket", "Broadcasts a wake-on-LAN packet for a MAC address", &SendMagicPacket,
                  CapabilityFamily::kNetwork, 1, 3),
    GuardedMethod(u"SOAPRequestMessage", "Posts a SOAP envelope and answers the reply's body",
                  &SoapRequestMessage, CapabilityFamily::kNetwork, 3, 3, MethodFailure::kNothing),
    GuardedMethod(u"HttpRequestMessage", "Sends an HTTP request with any method and answers the reply's body",
                  &HttpRequestMessage, CapabilityFamily::kNetwork, 2, 4, MethodFailure::kNothing),
    GuardedMethod(u"HTTPGet", "The body of a successful HTTP GET answer", &HttpGet,
                  CapabilityFamily::kNetwork, 1, 1, MethodFailure::kNothing),
};

}  // namespace

void SetCommonNetworkLimits(const CommonNetworkLimits& limits) {
  std::lock_guard<std::mutex> guard(s_limitsLock);
  s_limits = limits;
}

CommonNetworkLimits GetCommonNetworkLimits() {
  std::lock_guard<std::mutex> guard(s_limitsLock);
  return s_limits;
}

std::span<const MethodEntry> CommonNetworkMethods() {
  return kNetworkMethods;
}
