// The functions that talk to other computers, against real local servers: HTTP through
// libmicrohttpd, a small SMTP server and a UDP socket for the wake-on-LAN packet.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common_call_util.h"
#include "http_test_server.h"
#include "methods/common_methods.h"

namespace {

using Clock = std::chrono::steady_clock;

// Short limits for the duration of a test.
class ScopedLimits {
 public:
  explicit ScopedLimits(CommonNetworkLimits limits) : m_saved(GetCommonNetworkLimits()) {
    SetCommonNetworkLimits(limits);
  }
  ~ScopedLimits() { SetCommonNetworkLimits(m_saved); }

 private:
  CommonNetworkLimits m_saved;
};

// A socket on 127.0.0.1 with a free port.
int LocalSocket(int type, uint16_t& port) {
  const int fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    return -1;
  port = ntohs(address.sin_port);
  return fd;
}

// An SMTP server for one session: it takes every command and mail and keeps what the client said.
class SmtpServer {
 public:
  SmtpServer() {
    m_listen = LocalSocket(SOCK_STREAM, m_port);
    if (m_listen >= 0 && ::listen(m_listen, 1) == 0) m_thread = std::thread([this] { Serve(); });
  }
  ~SmtpServer() {
    if (m_thread.joinable()) m_thread.join();
    if (m_listen >= 0) ::close(m_listen);
  }
  uint16_t Port() const { return m_port; }
  // What the client sent, once the session is over.
  std::string Transcript() {
    if (m_thread.joinable()) m_thread.join();
    return m_transcript;
  }

 private:
  void Serve() {
    pollfd waiting{m_listen, POLLIN, 0};
    if (::poll(&waiting, 1, 5000) != 1) return;
    const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    auto say = [fd](const std::string& line) { (void)!::write(fd, line.data(), line.size()); };
    say("220 fake ESMTP\r\n");
    std::string pending;
    bool inData = false;
    for (;;) {
      pollfd readable{fd, POLLIN, 0};
      char buffer[4096];
      if (::poll(&readable, 1, 5000) != 1) break;
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      m_transcript.append(buffer, static_cast<size_t>(n));
      pending.append(buffer, static_cast<size_t>(n));
      bool done = false;
      for (size_t end; !done && (end = pending.find("\r\n")) != std::string::npos;) {
        const std::string line = pending.substr(0, end);
        pending.erase(0, end + 2);
        done = !inData && line == "QUIT";
        if (inData && line == ".") say("250 queued\r\n");
        if (!inData) say(line == "DATA" ? "354 go on\r\n" : done ? "221 bye\r\n" : "250 ok\r\n");
        inData = inData ? line != "." : line == "DATA";
      }
      if (done) break;
    }
    ::close(fd);
  }

  int m_listen = -1;
  uint16_t m_port = 0;
  std::thread m_thread;
  std::string m_transcript;
};

// The text whose UTF-8 bytes the Base64 lines hold.
std::u16string Base64Text(const std::string& lines) {
  return CallCommon(u"CBase64ToStr", {Utf8Text(lines)}).GetText();
}

CNValue Http(std::u16string_view function, std::vector<std::string> args) {
  std::vector<CNValue> values;
  for (const std::string& arg : args) values.push_back(Utf8Text(arg));
  return CallCommon(function, values);
}

CNValue Mail(uint16_t port, const std::string& from, CNValue to, const std::string& subject,
             const std::string& body) {
  return CallCommon(u"SendMail", {Utf8Text("127.0.0.1"), Number(port), Utf8Text(from), to, Utf8Text(subject),
                                  Utf8Text(body)});
}

}  // namespace

TEST(CommonHttpMethods, AnswersComeBackAsTextWithWhatWasSent) {
  HttpServer server;
  EXPECT_EQ(Http(u"HTTPGet", {server.Url("/text")}).GetText(), u"h\u00E9llo");  // byte-order mark dropped
  EXPECT_EQ(Http(u"HTTPGet", {server.Url("/moved")}).GetText(), u"h\u00E9llo");
  EXPECT_TRUE(Http(u"HTTPGet", {server.Url("/missing")}).IsEmpty());
  EXPECT_EQ(Http(u"HttpRequestMessage", {"GET", server.Url("/missing")}).GetText(), u"gone");  // any status
  EXPECT_EQ(Http(u"HttpRequestMessage",
                 {"put", server.Url("/echo"), "X-Line: one\r\nX-Other: two\nno colon", "b\u00F6dy"})
                .GetText(),
            u"PUT|-|-|one|two|b\u00F6dy");
  EXPECT_EQ(CallCommon(u"HttpRequestMessage",
                       {Utf8Text("POST"), Utf8Text(server.Url("/echo")),
                        TextList({"Content-Type: application/json", "X-Line: 1"}), TextList({"{", "}"})})
                .GetText(),
            u"POST|application/json|-|1|-|{\n}");
  EXPECT_EQ(Http(u"SOAPRequestMessage", {server.Url("/echo"), "urn:panel#Read", "<Envelope/>"}).GetText(),
            u"POST|text/xml; charset=utf-8|\"urn:panel#Read\"|-|-|<Envelope/>");
  EXPECT_EQ(Http(u"SOAPRequestMessage", {server.Url("/fault"), "\"quoted\"", "<Envelope/>"}).GetText(),
            u"<Fault>\"quoted\"</Fault>");
  // The root's HTTPPost sends the body with its type and answers only success.
  const auto post = [&](std::vector<CNValue> args) { return CallIn(RootMethods(), u"HTTPPost", args); };
  EXPECT_EQ(post({Utf8Text(server.Url("/echo")), TextList({"a=1", "b=2"})}).GetText(),
            u"POST|application/x-www-form-urlencoded|-|-|-|a=1\nb=2");
  EXPECT_EQ(post({Utf8Text(server.Url("/echo")), Utf8Text("{}"), Utf8Text("application/json")}).GetText(),
            u"POST|application/json|-|-|-|{}");
  EXPECT_TRUE(post({Utf8Text(server.Url("/missing")), Utf8Text("x")}).IsEmpty());
}

TEST(CommonHttpMethods, RequestsThatCannotBeMadeOrAnsweredGiveNoValue) {
  HttpServer server;
  // Refused before anything is sent.
  EXPECT_TRUE(Http(u"HttpRequestMessage", {"GET / HTTP/1.0\r\n", server.Url("/echo")}).IsEmpty());
  EXPECT_TRUE(Http(u"SOAPRequestMessage", {server.Url("/echo"), "a\r\nX-Injected: 1", ""}).IsEmpty());
  EXPECT_EQ(server.Requests(), 0);
  EXPECT_TRUE(Http(u"HTTPGet", {"file:///etc/hostname"}).IsEmpty());
  EXPECT_TRUE(Http(u"HTTPGet", {"http://127.0.0.1:1/"}).IsEmpty());  // nobody listens

  // Answers beyond the size limit, with and without a length, and answers too late.
  ScopedLimits limits({1000, 300, 50000});
  EXPECT_TRUE(Http(u"HTTPGet", {server.Url("/big")}).IsEmpty());
  EXPECT_TRUE(Http(u"HttpRequestMessage", {"GET", server.Url("/stream")}).IsEmpty());
  EXPECT_EQ(Http(u"HTTPGet", {server.Url("/text")}).GetText(), u"h\u00E9llo");
  const Clock::time_point start = Clock::now();
  EXPECT_TRUE(Http(u"HTTPGet", {server.Url("/slow")}).IsEmpty());
  EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(1200));
}

TEST(CommonMailMethods, MailReachesTheServerWithSafeHeadersAndBody) {
  SmtpServer server;
  EXPECT_TRUE(Mail(server.Port(), "Panel <panel@plant.example>",
                   Utf8Text("op@plant.example; Shift Lead <lead@plant.example>"),
                   "Alarm\r\nBcc: outsider@example.com", "Tank 3 is full.\n.\nLine after a lone dot \u2713")
                  .GetBool());
  const std::string transcript = server.Transcript();
  for (const char* expected : {"MAIL FROM:<panel@plant.example>", "RCPT TO:<op@plant.example>",
                               "RCPT TO:<lead@plant.example>", "\r\nFrom: Panel <panel@plant.example>\r\n",
                               "\r\nTo: op@plant.example, Shift Lead <lead@plant.example>\r\n",
                               "\r\nSubject: Alarm  Bcc: outsider@example.com\r\n"})
    EXPECT_NE(transcript.find(expected), std::string::npos) << expected << "\n" << transcript;
  EXPECT_EQ(transcript.find("\r\nBcc:"), std::string::npos);
  const size_t start = transcript.find("\r\n\r\n");
  const size_t end = transcript.find("\r\n.\r\n");
  ASSERT_LT(start, end);
  EXPECT_EQ(Base64Text(transcript.substr(start + 4, end - start - 4)),
            u"Tank 3 is full.\r\n.\r\nLine after a lone dot \u2713");

  // A subject beyond ASCII goes as encoded words of whole characters.
  SmtpServer second;
  const std::string subject = "K\u00FChlwasser \u00FCber Grenzwert in Halle 7 \u2013 bitte pr\u00FCfen";
  EXPECT_TRUE(Mail(second.Port(), "p@x", TextList({"a@x"}), subject, "").GetBool());
  const std::string sent = second.Transcript();
  const size_t from = sent.find("\r\nSubject:");
  const std::string words = sent.substr(from, sent.find("\r\nMIME-Version", from) - from);
  std::u16string decoded;
  for (size_t at = 0; (at = words.find("=?UTF-8?B?", at)) != std::string::npos;) {
    const size_t close = words.find("?=", at + 10);
    decoded += Base64Text(words.substr(at + 10, close - at - 10));
    EXPECT_LE(close + 2 - at, 75u);
    at = close + 2;
  }
  EXPECT_EQ(decoded, Utf8ToUtf16(subject));
}

TEST(CommonMailMethods, MailThatCannotBeSentAnswersFalseQuickly) {
  const Clock::time_point start = Clock::now();
  // Addresses that could smuggle commands, and missing parts, never reach a server (port 1).
  for (const char* to : {"a@x\r\nRCPT TO:<b@x>", "two words@x", "", "<open@x"})
    EXPECT_FALSE(Mail(1, "p@x", Utf8Text(to), "s", "b").GetBool()) << to;
  EXPECT_FALSE(Mail(1, "", Utf8Text("a@x"), "s", "b").GetBool());
  EXPECT_FALSE(Mail(1, "p@x", Utf8Text("a@x"), "s", "b").GetBool());  // nobody listens
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(2));
}

TEST(CommonWakeOnLan, MagicPacketCarriesTheAddressSixteenTimes) {
  uint16_t port = 0;
  const int fd = LocalSocket(SOCK_DGRAM, port);
  ASSERT_GE(fd, 0);
  std::string expected(6, '\xFF');
  for (int i = 0; i < 16; ++i) expected += "\x01\x23\x45\x67\x89\xAB";
  for (const char* mac : {"01-23-45-67-89-AB", "01:23:45:67:89:ab", " 0123456789aB "}) {
    EXPECT_TRUE(
        CallCommon(u"SendMagicPacket", {Utf8Text(mac), Utf8Text("127.0.0.1"), Number(port)}).GetBool())
        << mac;
    pollfd readable{fd, POLLIN, 0};
    ASSERT_EQ(::poll(&readable, 1, 2000), 1) << mac;
    char packet[256];
    const ssize_t n = ::recv(fd, packet, sizeof packet, 0);
    EXPECT_EQ(std::string(packet, static_cast<size_t>(std::max<ssize_t>(n, 0))), expected) << mac;
  }
  ::close(fd);
  for (const char* mac : {"01-23-45-67-89", "01-23-45-67-89-AB-CD", "01-23:45-67-89-AB", "01-23-45-67-89-AG",
                          "0123456789A", "01.23.45.67.89.AB"})
    EXPECT_FALSE(
        CallCommon(u"SendMagicPacket", {Utf8Text(mac), Utf8Text("127.0.0.1"), Number(port)}).GetBool())
        << mac;
  EXPECT_FALSE(
      CallCommon(u"SendMagicPacket", {Utf8Text("01-23-45-67-89-AB"), Utf8Text("not.an.address")}).GetBool());
}
