#include <gtest/gtest.h>

#include <vector>

#include "tags/tag_server_fixture.h"
#include "tags/tag_server_suite.h"

namespace {

class AliasServerTest : public TagServerFixture<CNPTagServerSuite> {
 protected:
  void SetUp() override { StartOffline(); }
};

// An undefined alias reading the empty string, and refused empty names, are shown by the root's
// alias functions.
TEST_F(AliasServerTest, ABoundAliasReadsWritesAndForwardsItsTargetUnderItsOwnName) {
  server.SetAliasTag(u"@Level", u"$D1");
  CNPTag* alias = Get(u"@Level", listener);
  RecordingListener direct;
  CNPTag* target = Get(u"$D1", direct);
  Set(alias, 42);
  EXPECT_EQ(Text(target), "42");
  server.Dispatch();
  EXPECT_EQ(listener.Take(), (TagEvents{"@Level=42"}));
  EXPECT_EQ(direct.Take(), (TagEvents{"$D1=42"}));
  // A second listener of the alias receives the current value too.
  RecordingListener second;
  Get(u"@Level", second);
  server.Dispatch();
  EXPECT_EQ(second.Take(), (TagEvents{"@Level=42"}));
}

TEST_F(AliasServerTest, ChangingTheTargetReleasesTheOldOneAndShowsTheNewValue) {
  RecordingListener other;
  Set(Get(u"$D2", other), 7);
  server.SetAliasTag(u"@A", u"$D1");
  CNPTag* alias = Get(u"@A", listener);
  server.Dispatch();
  server.SetAliasTag(u"@A", u"$D2");
  server.Dispatch();
  EXPECT_EQ(listener.Take(), (TagEvents{"@A=7"}));
  // The old target was held by the alias alone and is gone; only the new one is forwarded.
  CNPTag* d1 = Get(u"$D1", other);
  Set(d1, 5);
  Set(alias, 8);
  server.Dispatch();
  EXPECT_EQ(listener.Take(), (TagEvents{"@A=8"}));
  EXPECT_EQ(d1->GetListenerCount(), 1u);
  // Target names are compared ignoring case: no rebinding here.
  server.SetAliasTag(u"@A", u"$d2");
  EXPECT_EQ(Text(alias), "8");
}

TEST_F(AliasServerTest, ChainsAreFollowedAndLoopsLeaveTheAliasUnbound) {
  server.SetAliasTag(u"@Outer", u"@Inner");
  server.SetAliasTag(u"@Inner", u"$D4");
  Set(Get(u"@Outer", listener), 11);
  server.Dispatch();
  EXPECT_EQ(listener.Take(), (TagEvents{"@Outer=11"}));
  server.SetAliasTag(u"@Self", u"@Self");
  server.SetAliasTag(u"@Ping", u"@Pong");
  server.SetAliasTag(u"@Pong", u"@Ping");
  for (const char16_t* name : {u"@Self", u"@Ping", u"@Pong"}) {
    CNPTag* alias = Get(name, listener);
    EXPECT_EQ(Text(alias), "") << Utf16ToUtf8(name);
    EXPECT_TRUE(server.SetValue(alias, NumberValue(1)));
  }
}

TEST_F(AliasServerTest, ReleasingTheHeadOfAChainLetsEveryLinkGo) {
  server.SetAliasTag(u"@Outer", u"@Inner");
  server.SetAliasTag(u"@Inner", u"$D4");
  Release(Get(u"@Outer", listener), listener);
  RecordingListener probe;
  CNPTag* target = Get(u"$D4", probe);
  server.Dispatch();
  EXPECT_EQ(target->GetListenerCount(), 1u);
  Set(target, 1);
  server.Dispatch();
  EXPECT_EQ(listener.Take(), TagEvents{});
}

TEST_F(AliasServerTest, StopLetsEveryTargetGo) {
  server.SetAliasTag(u"@A", u"$#x");
  Get(u"@A", listener);
  RecordingListener probe;
  const CRPtr<CNPTag> target = CRPtr<CNPTag>::Retain(Get(u"$#x", probe));
  server.Stop();
  EXPECT_EQ(target->GetListenerCount(), 1u);
}

}  // namespace
