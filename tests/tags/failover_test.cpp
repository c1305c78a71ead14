// A project's login and tags riding out the loss of the first of two redundant panel servers.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <utility>
#include <vector>

#include "comm/login_stub.h"
#include "comm_e2e/stub_settings.h"
#include "tags/link_test_util.h"
#include "tags/tag_server_suite.h"

namespace {

using testing::ElementsAre;

constexpr const char* kTags = "SetPoint number 75\n";

// The runtime's answer to the "SYS" tags: 0 no login wanted, 2 logged in, 1 otherwise.
struct LoginOwner : CNPTagServerSuite::Owner {
  CNPLoginServer* stub = nullptr;
  uint32_t GetLoginConnectionState() override {
    const uint32_t state = stub->GetConnectionState();
    return state == 0 ? 0 : state == 3 ? 2 : 1;
  }
};

double Number(CNPTagServer& server, CNPTag* tag) {
  return server.GetValue(tag, 0, nullptr)->GetNumber(0);
}

}  // namespace

TEST(Failover, LoginAndTagsMoveToTheSecondNodeWithinTenSeconds) {
  ServerProcess first({.tags = kTags});
  ServerProcess second({.tags = kTags});
  ASSERT_TRUE(first.IsRunning() && second.IsRunning());
  CRPtr<CNConnectionSettings> settings = NodeSettings({first.Port(), second.Port()}, true);

  LoginEventRecorder onLogin;  // what the runtime turns into "OnLogin"(login, level) calls
  CNLoginStub stub(&onLogin);  // the keep-alive period of a real project
  uint32_t level = 0;
  ASSERT_TRUE(stub.Login(7, *settings, u"user", u"wqxa", false, level, true))
      << Utf16ToUtf8(stub.GetLoginLastError());

  LoginOwner owner;
  owner.stub = &stub;
  CNPTagServerSuite suite(&owner);
  suite.Start(StartInfo(settings));
  LinkRecorder setPointListener;
  CNPTag* setPoint = suite.GetTag(u"SetPoint", 1, &setPointListener);
  CNPTag* sys = suite.GetTag(u"$SYS2", 1, nullptr);  // (node - 1) * 2 + login state
  ASSERT_TRUE(DispatchUntil(suite, [&] { return setPointListener.Last() == "SetPoint=75 GOOD 1"; }));
  stub.DeliverEvents();
  EXPECT_THAT(onLogin.events, ElementsAre(std::pair(2u, 1u)));
  EXPECT_EQ(Number(suite, sys), 2);

  first.Stop();
  const auto lost = std::chrono::steady_clock::now();
  auto recovered = [&] {
    stub.DeliverEvents();
    return onLogin.events.size() == 3 && setPointListener.Last() == "SetPoint=75 GOOD 1" &&
           Number(suite, sys) == 4;
  };
  ASSERT_TRUE(DispatchUntil(suite, recovered, 12000))
      << "login events " << onLogin.events.size() << ", tag " << setPointListener.Last();
  // The keep-alive notices the loss within one 5 s period and logs in on the other node at the
  // next: under 10 s, plus the time the dispatches and connections take.
  const auto took =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - lost);
  EXPECT_LT(took.count(), 10500);
  RecordProperty("recovery_ms", static_cast<int>(took.count()));
  EXPECT_THAT(onLogin.events, ElementsAre(std::pair(2u, 1u), std::pair(1u, 1u), std::pair(2u, 1u)));
  EXPECT_EQ(settings->GetNodeNumber(), 2u);
  EXPECT_THAT(setPointListener.calls, testing::Contains("SetPoint=75 BAD 1"));

  suite.ReleaseTag(setPoint, &setPointListener);
  suite.ReleaseTag(sys, nullptr);
  suite.Stop();
}
