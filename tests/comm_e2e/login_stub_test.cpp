// The login stub against real server processes: logging in and out, the service commands,
// the keep-alive, and the other node (the keep-alive's move to it is tested with the tags that
// move along).
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

using Events = LoginEventRecorder::Events;

std::string LastError(CNPLoginServer& stub) {
  return Utf16ToUtf8(stub.GetLoginLastError());
}

// The answer's arguments, one word each: four bytes as a number, a value encoding as its
// literal, a text in single quotes.
std::string Words(const CNServiceAnswer& answer) {
  std::string words;
  for (uint32_t i = 0; i < answer.GetCount(); ++i) {
    uint32_t number = 0;
    CNValue value;
    std::u16string text;
    words += i == 0 ? "" : " ";
    if (answer.GetU32(i, number)) {
      words += std::to_string(number);
    } else if (answer.GetValue(i, value)) {
      words += LiteralOf(value);
    } else {
      words += answer.GetText(i, text) ? "'" + Utf16ToUtf8(text) + "'" : "?";
    }
  }
  return words;
}

bool LoginAdmin(CNLoginStub& stub, CNConnectionSettings& settings, bool tryNextNode = false) {
  uint32_t level = 0;
  return stub.Login(42, settings, u"admin", u"admin", false, level, tryNextNode) && level == 9;
}

}  // namespace

TEST(LoginAnswer, ReadsLengthPrefixedArgumentsAndRefusesBrokenOnes) {
  CNServiceAnswer answer;
  const auto read = [&answer](std::vector<uint8_t> bytes) {
    CNPacketHolder packet;
    packet.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    packet.Seek(0, CNPacketHolder::kSeekBegin);
    return answer.Read(packet);
  };
  // ok 1, level 9, the text "ab", the scalar string value "ab" (shape FF, quality GOOD, kind 03)
  ASSERT_TRUE(read({4, 0, 0, 0, 1,    0, 0,   0,          //
                    4, 0, 0, 0, 9,    0, 0,   0,          //
                    6, 0, 0, 0, 'a',  0, 'b', 0,   0, 0,  //
                    9, 0, 0, 0, 0xFF, 1, 3,   'a', 0, 'b', 0, 0, 0}));
  EXPECT_EQ(Words(answer), "1 9 'ab' \"ab\"");

  // Reading an argument as the wrong kind, or one that is not there, fails and leaves the output
  // alone.
  uint32_t u32 = 77;
  uint64_t u64 = 77;
  std::u16string text = u"kept";
  CNValue value = Literal(u"5");
  EXPECT_FALSE(answer.GetU32(2, u32) || answer.GetU64(0, u64) || answer.GetU32(4, u32) ||
               answer.GetText(4, text) || answer.GetValue(2, value));  // a text is no value encoding
  EXPECT_TRUE(u32 == 77 && u64 == 77 && text == u"kept" && LiteralOf(value) == "5");
  EXPECT_TRUE(answer.GetBytes(9).empty());

  ASSERT_TRUE(read({3, 0, 0, 0, 'a', 0, 'b'}));
  EXPECT_FALSE(answer.GetText(0, text));  // odd byte count
  ASSERT_TRUE(read({10, 0, 0, 0, 0xFF, 1, 3, 'a', 0, 'b', 0, 0, 0, 7}));
  EXPECT_FALSE(answer.GetValue(0, value));  // a byte after the value
  for (const std::vector<uint8_t>& broken : std::vector<std::vector<uint8_t>>{
           {5, 0, 0, 0, 1, 2},                 // the count runs past the end
           {0, 0, 0, 0, 1, 2},                 // bytes too few for a count left over
           {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0},  // a huge count
       }) {
    EXPECT_FALSE(read(broken));
    EXPECT_EQ(answer.GetCount(), 0u);
  }
  EXPECT_TRUE(read({}));
  EXPECT_EQ(answer.GetCount(), 0u);
}

TEST(LoginStub, LogsInWithTheUsersLevelAndReportsTheServersRefusal) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const auto settings = NodeSettings({server.Port()});
  LoginEventRecorder listener;
  CNLoginStub stub(&listener);
  uint32_t level = 0;
  ASSERT_TRUE(stub.Login(42, *settings, u"admin", u"admin", false, level, false)) << LastError(stub);
  EXPECT_EQ(level, 9u);
  EXPECT_TRUE(stub.IsLogin());
  EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kConnectedLoggedIn);

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
  EXPECT_EQ(listener.events.back(), Events::value_type(2, 1));
}

TEST(LoginStub, FailedLoginsSayWhatWentWrong) {
  const struct {
    const char* fault;
    std::string error;
  } cases[] = {
      {"refuse-login", "Login refused by the server."},
      {"error-status=7", "Fail to login. Commnication Err. Error from server. Code:7"},
      {"refuse-handshake", "Fail to login. Can't find panel server."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    ServerProcess server({.faults = {c.fault}});
    ASSERT_TRUE(server.IsRunning());
    LoginEventRecorder listener;
    CNLoginStub stub(&listener);
    uint32_t level = 5;
    // Kept wanted (for the keep-alive to try again), but never connected.
    EXPECT_FALSE(stub.Login(42, *NodeSettings({server.Port()}), u"admin", u"admin", true, level, false));
    EXPECT_EQ(LastError(stub), c.error);
    EXPECT_EQ(level, 5u);
    EXPECT_FALSE(stub.IsLogin());
    EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kNotConnected);
    EXPECT_TRUE(stub.Logout());
    EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kNotWanted);
    stub.DeliverEvents();
    EXPECT_TRUE(listener.events.empty());  // never logged in, so the state never changed
  }

  CNLoginStub stub(nullptr);
  uint32_t level = 0;
  EXPECT_FALSE(stub.Login(42, *NodeSettings({DeadPort()}), u"admin", u"admin", false, level, true));
  EXPECT_EQ(LastError(stub), "Fail to login. Can't find panel server.");
  EXPECT_EQ(stub.GetConnectionState(), CNPLoginServer::kNotWanted);
}

TEST(LoginStub, TheSameLoginAgainSendsNothing) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const auto settings = NodeSettings({server.Port()});
  LoginEventRecorder listener;
  CNLoginStub stub(&listener);
  ASSERT_TRUE(LoginAdmin(stub, *settings)) << LastError(stub);

  // With the server gone, only a login that never reaches it can succeed.
  server.Stop();
  EXPECT_TRUE(LoginAdmin(stub, *settings)) << LastError(stub);
  EXPECT_TRUE(stub.IsLogin());
  stub.DeliverEvents();
  EXPECT_EQ(listener.events, (Events{{2, 9}}));

  // Another project is another login.
  uint32_t level = 0;
  EXPECT_FALSE(stub.LoginProject(42, *settings, u"admin", u"admin", u"other", false, level, false));
  EXPECT_EQ(LastError(stub), "Fail to login. Can't find panel server.");
  stub.DeliverEvents();
  EXPECT_EQ(listener.events, (Events{{2, 9}, {0, 9}}));
}

// Times, users, counters, files, tags and mail also go through the stub in the tests of the
// root functions that call them.
TEST(LoginStub, ServiceCommandsReachTheServerWithTheirArguments) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const auto settings = NodeSettings({server.Port()});
  CNLoginStub stub(nullptr);
  FileTime now = 0;
  EXPECT_FALSE(stub.GetServerTime(now));  // refused before anything is sent
  EXPECT_EQ(LastError(stub), "Not logined.");
  ASSERT_TRUE(LoginAdmin(stub, *settings)) << LastError(stub);

  // A service whose answer only confirms.
  ASSERT_TRUE(stub.ReloadServer()) << LastError(stub);
  // A malformed time is the server's status error; the connection stays usable.
  const uint8_t shortTime[3] = {};
  EXPECT_FALSE(stub.SetServerTime(shortTime));
  EXPECT_EQ(LastError(stub), "Error from server. Code:2");
  EXPECT_TRUE(stub.GetServerTime(now)) << LastError(stub);

  // Users (added, logging in with their level, deleted) also go through the root functions; a
  // changed password is the only one that logs in.
  const CNLoginUserEntry op{u"op", u"pw", 5, 0};
  ASSERT_TRUE(stub.AddLoginUser({&op, 1})) << LastError(stub);
  ASSERT_TRUE(stub.SetLoginPassword({}, u"op", u"pw2")) << LastError(stub);
  CNLoginStub other(nullptr);
  uint32_t level = 0;
  EXPECT_FALSE(other.Login(43, *settings, u"op", u"pw", false, level, false));
  EXPECT_EQ(LastError(other), "Invalid user name or password.");
  EXPECT_TRUE(other.Login(43, *settings, u"op", u"pw2", false, level, false)) << LastError(other);
  EXPECT_TRUE(stub.DelLoginUser({}, u"op")) << LastError(stub);
  EXPECT_FALSE(stub.DelLoginUser({}, u"op"));  // a refusal brings the server's text
  EXPECT_EQ(LastError(stub), "No such user.");
  // More users than the u16 count can tell are refused before anything is sent.
  EXPECT_FALSE(stub.AddLoginUser(std::vector<CNLoginUserEntry>(65536, op)));
  EXPECT_EQ(LastError(stub), "Packet size is too large.");

  CNServiceAnswer answer;
  ASSERT_TRUE(stub.Test(Literal(u"c(1,\"x\")"), answer)) << LastError(stub);
  EXPECT_EQ(Words(answer), "c(1,\"x\")");
  ASSERT_TRUE(stub.GetServerVersion(answer));
  EXPECT_EQ(Words(answer), "'1.0.0'");
  CNMailArguments mail;  // arrays of texts and blocks
  mail.firstTexts[0] = u"to@example.org";
  mail.secondBlocks[1] = CNBytes(shortTime);
  EXPECT_TRUE(stub.SendMail(mail)) << LastError(stub);
}

TEST(LoginStub, LogsInOnTheNextNodeWhenTheFirstIsDown) {
  ServerProcess second;
  ASSERT_TRUE(second.IsRunning());
  const uint16_t dead = DeadPort();
  const auto settings = NodeSettings({dead, second.Port()}, true);
  CNLoginStub stub(nullptr);
  ASSERT_TRUE(LoginAdmin(stub, *settings, true)) << LastError(stub);
  EXPECT_EQ(settings->GetCurrentNode(), 1u);
  // What the link tag server connects to next.
  EXPECT_EQ(settings->GetConnectionString(), second.TcpConnection());

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
  LoginEventRecorder listener;
  CNLoginStub stub(&listener, 50);
  ASSERT_TRUE(LoginAdmin(stub, *NodeSettings({port}))) << LastError(stub);

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
