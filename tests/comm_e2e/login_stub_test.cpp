// The login stub against real server processes: logging in and out, the service commands,
// the keep-alive, and moving to the other node.
#include "comm/login_stub.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "comm_e2e/link_commands.h"
#include "comm_e2e/server_process.h"
#include "comm_e2e/stub_settings.h"
#include "support/utf16_text.h"

namespace {

using Event = std::pair<uint32_t, uint32_t>;  // login state, level
using Events = std::vector<Event>;

class RecordingListener : public CNPLoginServer::ConnectionPoint {
 public:
  void OnLoginChanged(uint32_t state, uint32_t level) override { events.emplace_back(state, level); }
  Events events;
};

std::string LastError(CNPLoginServer& stub) {
  return Utf16ToUtf8(stub.GetLoginLastError());
}

std::u16string TextAt(const CNServiceAnswer& answer, uint32_t i) {
  std::u16string text;
  EXPECT_TRUE(answer.GetText(i, text)) << "argument " << i;
  return text;
}

uint32_t U32At(const CNServiceAnswer& answer, uint32_t i) {
  uint32_t v = 0;
  EXPECT_TRUE(answer.GetU32(i, v)) << "argument " << i;
  return v;
}

CNValue ValueAt(const CNServiceAnswer& answer, uint32_t i) {
  CNValue value;
  EXPECT_TRUE(answer.GetValue(i, value)) << "argument " << i;
  return value;
}

bool LoginAdmin(CNLoginStub& stub, CNConnectionSettings& settings, bool tryNextNode = false) {
  uint32_t level = 0;
  return stub.Login(42, settings, u"admin", u"admin", false, level, tryNextNode) && level == 9;
}

std::u16string Port(uint16_t port) {
  return Utf8ToUtf16(std::to_string(port));
}

}  // namespace

TEST(LoginAnswer, ReadsLengthPrefixedArgumentsAndRefusesBrokenOnes) {
  const auto answerOf = [](std::vector<uint8_t> bytes, CNServiceAnswer& answer) {
    CNPacketHolder packet;
    packet.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    packet.Seek(0, CNPacketHolder::kSeekBegin);
    return answer.Read(packet);
  };
  CNServiceAnswer answer;
  // ok 1, level 9, the text "ab", the scalar string value "ab" (shape FF, quality GOOD, kind 03)
  ASSERT_TRUE(answerOf({4, 0, 0, 0, 1,    0, 0,   0,          //
                        4, 0, 0, 0, 9,    0, 0,   0,          //
                        6, 0, 0, 0, 'a',  0, 'b', 0,   0, 0,  //
                        9, 0, 0, 0, 0xFF, 1, 3,   'a', 0, 'b', 0, 0, 0},
                       answer));
  ASSERT_EQ(answer.GetCount(), 4u);
  EXPECT_EQ(U32At(answer, 0), 1u);
  EXPECT_EQ(U32At(answer, 1), 9u);
  EXPECT_EQ(TextAt(answer, 2), u"ab");
  EXPECT_EQ(LiteralOf(ValueAt(answer, 3)), "\"ab\"");

  // Reading an argument as the wrong kind fails and leaves the output alone.
  uint32_t u32 = 77;
  uint64_t u64 = 77;
  std::u16string text = u"kept";
  CNValue value = Literal(u"5");
  EXPECT_FALSE(answer.GetU32(2, u32));
  EXPECT_FALSE(answer.GetU64(0, u64));
  EXPECT_FALSE(answer.GetU32(4, u32));  // no such argument
  EXPECT_FALSE(answer.GetText(4, text));
  EXPECT_FALSE(answer.GetValue(2, value));  // a text is no value encoding
  EXPECT_EQ(u32, 77u);
  EXPECT_EQ(u64, 77u);
  EXPECT_EQ(text, u"kept");
  EXPECT_EQ(LiteralOf(value), "5");
  EXPECT_TRUE(answer.GetBytes(9).empty());

  ASSERT_TRUE(answerOf({3, 0, 0, 0, 'a', 0, 'b'}, answer));
  EXPECT_FALSE(answer.GetText(0, text));  // odd byte count
  ASSERT_TRUE(answerOf({10, 0, 0, 0, 0xFF, 1, 3, 'a', 0, 'b', 0, 0, 0, 7}, answer));
  EXPECT_FALSE(answer.GetValue(0, value));  // a byte after the value

  for (const std::vector<uint8_t>& broken : std::vector<std::vector<uint8_t>>{
           {5, 0, 0, 0, 1, 2},                 // the count runs past the end
           {0, 0, 0, 0, 1, 2},                 // bytes too few for a count left over
           {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0},  // a huge count
       }) {
    EXPECT_FALSE(answerOf(broken, answer));
    EXPECT_EQ(answer.GetCount(), 0u);
  }
  EXPECT_TRUE(answerOf({}, answer));
  EXPECT_EQ(answer.GetCount(), 0u);
}

TEST(LoginStub, LogsInWithTheUsersLevelAndReportsTheServersRefusal) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const auto settings = NodeSettings({server.Port()});
  RecordingListener listener;
  CNLoginStub stub(&listener);
  EXPECT_EQ(stub.GetLoginIPAddress(), u"");

  uint32_t level = 0;
  ASSERT_TRUE(stub.Login(42, *settings, u"admin", u"admin", false, level, false)) << LastError(stub);
  EXPECT_EQ(level, 9u);
  EXPECT_TRUE(stub.IsLogin());
  EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kConnectedLoggedIn);
  EXPECT_EQ(stub.GetLoginIPAddress(), u"127.0.0.1");
  CNServiceAnswer answer;
  ASSERT_TRUE(stub.GetLoginUser(answer)) << LastError(stub);
  EXPECT_EQ(TextAt(answer, 0), u"admin");
  EXPECT_EQ(U32At(answer, 1), 9u);

  // Another user: the old login ends first, then the server refuses the password.
  level = 0;
  EXPECT_FALSE(stub.Login(42, *settings, u"user", u"wrong", false, level, false));
  EXPECT_EQ(LastError(stub), "Invalid user name or password.");
  EXPECT_EQ(level, 0u);
  EXPECT_FALSE(stub.IsLogin());
  EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kNotWanted);
  EXPECT_TRUE(listener.events.empty());  // nothing reaches the listener but through DeliverEvents
  stub.DeliverEvents();
  EXPECT_EQ(listener.events, (Events{{2, 9}, {0, 9}}));

  ASSERT_TRUE(stub.Login(42, *settings, u"user", u"wqxa", false, level, false)) << LastError(stub);
  EXPECT_EQ(level, 1u);
  stub.DeliverEvents();
  EXPECT_EQ(listener.events.back(), Event(2, 1));
}

TEST(LoginStub, FailedLoginsSayWhatWentWrong) {
  struct Case {
    std::vector<std::string> faults;
    std::string error;
  };
  const Case cases[] = {
      {{"refuse-login"}, "Login refused by the server."},
      {{"error-status=7"}, "Fail to login. Commnication Err. Error from server. Code:7"},
      {{"wrong-id"}, "Fail to login. Commnication Err. Packet id is not collect."},
      {{"short-frame"}, "Fail to login. Commnication Err. Fail to receive : Packet size is too small."},
      {{"refuse-handshake"}, "Fail to login. Can't find panel server."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.faults[0]);
    ServerProcess server({.faults = c.faults});
    ASSERT_TRUE(server.IsRunning());
    const auto settings = NodeSettings({server.Port()});
    RecordingListener listener;
    CNLoginStub stub(&listener);
    uint32_t level = 5;
    // Kept wanted (for the keep-alive to try again), but never connected.
    EXPECT_FALSE(stub.Login(42, *settings, u"admin", u"admin", true, level, false));
    EXPECT_EQ(LastError(stub), c.error);
    EXPECT_EQ(level, 5u);
    EXPECT_FALSE(stub.IsLogin());
    EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kNotConnected);
    EXPECT_TRUE(stub.Logout());
    EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kNotWanted);
    stub.DeliverEvents();
    EXPECT_TRUE(listener.events.empty());  // never logged in, so the state never changed
  }

  const auto settings = NodeSettings({DeadPort()});
  CNLoginStub stub(nullptr);
  uint32_t level = 0;
  EXPECT_FALSE(stub.Login(42, *settings, u"admin", u"admin", false, level, true));
  EXPECT_EQ(LastError(stub), "Fail to login. Can't find panel server.");
  EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kNotWanted);
}

TEST(LoginStub, TheSameLoginAgainSendsNothing) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const auto settings = NodeSettings({server.Port()});
  RecordingListener listener;
  CNLoginStub stub(&listener);
  ASSERT_TRUE(LoginAdmin(stub, *settings)) << LastError(stub);

  // With the server gone, only a login that never reaches it can succeed.
  server.Stop();
  uint32_t level = 0;
  EXPECT_TRUE(stub.Login(42, *settings, u"admin", u"admin", false, level, false)) << LastError(stub);
  EXPECT_EQ(level, 9u);
  EXPECT_TRUE(stub.IsLogin());
  stub.DeliverEvents();
  EXPECT_EQ(listener.events, (Events{{2, 9}}));

  // Another project is another login.
  EXPECT_FALSE(stub.LoginProject(42, *settings, u"admin", u"admin", u"other", false, level, false));
  EXPECT_EQ(LastError(stub), "Fail to login. Can't find panel server.");
  stub.DeliverEvents();
  EXPECT_EQ(listener.events, (Events{{2, 9}, {0, 9}}));
}

TEST(LoginStub, ServicesNeedALogin) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const auto settings = NodeSettings({server.Port()});
  CNLoginStub stub(nullptr);
  CNServiceAnswer answer;
  FileTime time = 0;
  const uint8_t data[] = {1, 2, 3};
  const CNLoginUserEntry user{u"op", u"pw", 5, 0};
  const std::vector<std::function<bool()>> services = {
      [&] { return stub.GetServerTime(time); },
      [&] { return stub.ReloadServer(); },
      [&] {
        return stub.AddLoginUser({&user, 1});
      },
      [&] { return stub.GetReferenceCounter(u"R", answer); },
      [&] { return stub.SendFile(u"dir", u"a.bin", data, {}); },
      [&] { return stub.Test(Literal(u"1"), answer); },
  };
  const auto expectRefused = [&] {
    for (const auto& service : services) {
      EXPECT_FALSE(service());
      EXPECT_EQ(LastError(stub), "Not logined.");
    }
  };
  expectRefused();

  ASSERT_TRUE(LoginAdmin(stub, *settings)) << LastError(stub);
  ASSERT_TRUE(stub.ReloadServer()) << LastError(stub);
  EXPECT_TRUE(stub.Logout());
  EXPECT_FALSE(stub.IsLogin());
  EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kNotWanted);
  EXPECT_TRUE(stub.Logout());
  expectRefused();
  stub.DeliverEvents();  // no listener: the events are dropped
}

TEST(LoginStub, ServiceCommandsReachTheServerWithTheirArguments) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const auto settings = NodeSettings({server.Port()});
  CNLoginStub stub(nullptr);
  ASSERT_TRUE(LoginAdmin(stub, *settings)) << LastError(stub);
  CNServiceAnswer answer;

  // Server time: an 8-byte FILETIME there and back.
  FileTime now = 0;
  ASSERT_TRUE(stub.GetServerTime(now)) << LastError(stub);
  constexpr FileTime kTenDays = 10ull * 24 * 3600 * 10'000'000;
  const FileTime earlier = now - kTenDays;
  uint8_t wire[8];
  for (int i = 0; i < 8; ++i) wire[i] = static_cast<uint8_t>(earlier >> (8 * i));
  ASSERT_TRUE(stub.SetServerTime(wire)) << LastError(stub);
  FileTime moved = 0;
  ASSERT_TRUE(stub.GetServerTime(moved));
  EXPECT_LT(moved - earlier, 600'000'000u);  // within a minute of the time set
  // A malformed time is the server's status error; the connection stays usable.
  EXPECT_FALSE(stub.SetServerTime(CNBytes(wire, 3)));
  EXPECT_EQ(LastError(stub), "Error from server. Code:2");

  // Users: the new one logs in with its level and password, until it is deleted.
  const CNLoginUserEntry op{u"op", u"pw", 5, 0};
  ASSERT_TRUE(stub.AddLoginUser({&op, 1})) << LastError(stub);
  CNLoginStub other(nullptr);
  uint32_t level = 0;
  ASSERT_TRUE(other.Login(43, *settings, u"op", u"pw", false, level, false)) << LastError(other);
  EXPECT_EQ(level, 5u);
  ASSERT_TRUE(stub.SetLoginPassword({}, u"op", u"pw2")) << LastError(stub);
  EXPECT_TRUE(other.Logout());
  EXPECT_FALSE(other.Login(43, *settings, u"op", u"pw", false, level, false));
  EXPECT_EQ(LastError(other), "Invalid user name or password.");
  EXPECT_TRUE(other.Login(43, *settings, u"op", u"pw2", false, level, false)) << LastError(other);
  ASSERT_TRUE(stub.DelLoginUser({}, u"op")) << LastError(stub);
  EXPECT_FALSE(stub.DelLoginUser({}, u"op"));
  EXPECT_EQ(LastError(stub), "No such user.");
  // More users than the u16 count can tell are refused before anything is sent.
  const std::vector<CNLoginUserEntry> many(65536, op);
  EXPECT_FALSE(stub.AddLoginUser(many));
  EXPECT_EQ(LastError(stub), "Packet size is too large.");

  // Reference counters.
  ASSERT_TRUE(stub.AddReferenceCounter(u"R", {}));
  ASSERT_TRUE(stub.AddReferenceCounter(u"R", {}));
  ASSERT_TRUE(stub.GetReferenceCounter(u"R", answer)) << LastError(stub);
  EXPECT_EQ(U32At(answer, 0), 2u);
  ASSERT_TRUE(stub.ReleaseReferenceCounter(u"R"));
  ASSERT_TRUE(stub.GetReferenceCounter(u"R", answer));
  EXPECT_EQ(U32At(answer, 0), 1u);
  ASSERT_TRUE(stub.ReleaseReferenceCounter(u"R"));
  EXPECT_FALSE(stub.ReleaseReferenceCounter(u"R"));
  EXPECT_EQ(LastError(stub), "Reference counter not held.");

  // Files: bytes there and back, the folder list, deleting.
  const std::vector<uint8_t> data = {0, 1, 0xFE, 0xFF, 0};
  ASSERT_TRUE(stub.SendFile(u"dir", u"a.bin", data, {})) << LastError(stub);
  ASSERT_TRUE(stub.ReceiveFile(u"dir", u"a.bin", answer)) << LastError(stub);
  const CNBytes received = answer.GetBytes(0);
  EXPECT_EQ(std::vector<uint8_t>(received.begin(), received.end()), data);
  ASSERT_TRUE(stub.ServerBrowseFolder(u"dir", u"", u"", answer));
  EXPECT_EQ(ValueAt(answer, 0).GetText(0), u"a.bin");
  ASSERT_TRUE(stub.ServerDeleteFile(u"dir", u"a.bin"));
  EXPECT_FALSE(stub.ServerDeleteFile(u"dir", u"a.bin"));
  EXPECT_EQ(LastError(stub), "File not found.");

  // Values, tags and texts.
  ASSERT_TRUE(stub.Test(Literal(u"c(1,\"x\")"), answer)) << LastError(stub);
  EXPECT_EQ(LiteralOf(ValueAt(answer, 0)), "c(1,\"x\")");
  ASSERT_TRUE(stub.SearchTags(0, 0, u"point", u"", CNValue(), CNValue(), answer)) << LastError(stub);
  const CNValue found = ValueAt(answer, 0);
  ASSERT_EQ(found.GetCount(), 1u);
  EXPECT_EQ(found.GetText(0), u"SetPoint");
  ASSERT_TRUE(stub.GetStructureTagValue(Literal(u"\"SetPoint\""), CNValue(), answer)) << LastError(stub);
  EXPECT_EQ(LiteralOf(ValueAt(answer, 0)), "75");
  ASSERT_TRUE(stub.GetServerVersion(answer));
  EXPECT_EQ(TextAt(answer, 0), u"1.0.0");
  CNMailArguments mail;
  mail.firstTexts[0] = u"to@example.org";
  mail.secondBlocks[1] = data;
  EXPECT_TRUE(stub.SendMail(mail)) << LastError(stub);
}

TEST(LoginStub, LogsInOnTheNextNodeWhenTheFirstIsDown) {
  ServerProcess second;
  ASSERT_TRUE(second.IsRunning());
  const uint16_t dead = DeadPort();
  const std::u16string secondConnection = u"127.0.0.1," + Port(second.Port()) + u",2,4,3,N";

  const auto settings = NodeSettings({dead, second.Port()}, true);
  CNLoginStub stub(nullptr);
  ASSERT_TRUE(LoginAdmin(stub, *settings, true)) << LastError(stub);
  EXPECT_EQ(settings->GetCurrentNode(), 1u);
  // What the link tag server connects to next.
  EXPECT_EQ(settings->GetConnectionString(), secondConnection);

  // Without trying the next node the login fails, but the next attempt goes there.
  const auto fresh = NodeSettings({dead, second.Port()}, true);
  CNLoginStub other(nullptr);
  EXPECT_FALSE(LoginAdmin(other, *fresh));
  EXPECT_EQ(LastError(other), "Fail to login. Can't find panel server.");
  EXPECT_EQ(fresh->GetCurrentNode(), 1u);
  EXPECT_TRUE(LoginAdmin(other, *fresh)) << LastError(other);

  // Without redundancy nothing moves.
  const auto single = NodeSettings({dead, second.Port()});
  CNLoginStub third(nullptr);
  EXPECT_FALSE(LoginAdmin(third, *single, true));
  EXPECT_EQ(single->GetCurrentNode(), 0u);
}

TEST(LoginStub, KeepAliveNoticesALostServerAndLogsInAgain) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const uint16_t port = server.Port();
  const auto settings = NodeSettings({port});
  RecordingListener listener;
  CNLoginStub stub(&listener, 50);
  ASSERT_TRUE(LoginAdmin(stub, *settings)) << LastError(stub);

  server.Stop();
  ASSERT_TRUE(WaitUntil([&] { return stub.GetConnectionState() == CNPLoginServer::kNotConnected; }));
  EXPECT_FALSE(stub.IsLogin());
  // Still wanted: a command tries to restore the login first.
  FileTime time = 0;
  EXPECT_FALSE(stub.GetServerTime(time));
  EXPECT_EQ(LastError(stub), "Fail to login. Can't find panel server.");
  stub.DeliverEvents();
  EXPECT_EQ(listener.events, (Events{{2, 9}, {1, 9}}));

  ASSERT_TRUE(server.Start({.port = port}));
  ASSERT_TRUE(WaitUntil([&] { return stub.IsLogin(); }));
  EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kConnectedLoggedIn);
  EXPECT_TRUE(stub.GetServerTime(time)) << LastError(stub);
  stub.DeliverEvents();
  EXPECT_EQ(listener.events, (Events{{2, 9}, {1, 9}, {2, 9}}));
}

TEST(LoginStub, KeepAliveMovesToTheOtherNodeWithRedundancy) {
  ServerProcess first;
  ServerProcess second;
  ASSERT_TRUE(first.IsRunning());
  ASSERT_TRUE(second.IsRunning());
  const auto settings = NodeSettings({first.Port(), second.Port()}, true);
  RecordingListener listener;
  CNLoginStub stub(&listener, 50);
  ASSERT_TRUE(LoginAdmin(stub, *settings)) << LastError(stub);
  EXPECT_EQ(settings->GetCurrentNode(), 0u);

  first.Stop();
  ASSERT_TRUE(WaitUntil([&] { return settings->GetCurrentNode() == 1 && stub.IsLogin(); }));
  // The login now lives on the second server's connection.
  CNServiceAnswer answer;
  ASSERT_TRUE(stub.GetLoginUser(answer)) << LastError(stub);
  EXPECT_EQ(TextAt(answer, 0), u"admin");
  stub.DeliverEvents();
  EXPECT_EQ(listener.events, (Events{{2, 9}, {1, 9}, {2, 9}}));
}

TEST(LoginStub, LogsInThroughTheHttpGateway) {
  ServerProcess server({.http = true});
  ASSERT_TRUE(server.IsRunning());
  CNServerSettings http;
  http.communicationType = CNServerSettings::kHttp;
  http.nodes = {{u"127.0.0.1", server.Port()}};
  http.httpServers = {u"http://127.0.0.1:" + Port(server.HttpPort()) + u"/hgateway/"};
  http.timeOutConnect = 2;
  http.timeOutSeconds = 4;
  const auto settings = CRPtr<CNConnectionSettings>::Make(http, false, u"e2e");
  CNLoginStub stub(nullptr);
  ASSERT_TRUE(LoginAdmin(stub, *settings)) << LastError(stub);
  CNServiceAnswer answer;
  ASSERT_TRUE(stub.Test(Literal(u"c(\"a\",\"b\")"), answer)) << LastError(stub);
  EXPECT_EQ(LiteralOf(ValueAt(answer, 0)), "c(\"a\",\"b\")");
  EXPECT_TRUE(stub.Logout());
}
