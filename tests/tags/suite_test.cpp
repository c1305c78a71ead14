#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "tags/tag_server_fixture.h"
#include "tags/tag_server_suite.h"

namespace {

class FakeOwner : public CNPTagServerSuite::Owner {
 public:
  uint32_t GetLoginConnectionState() override { return state; }
  uint32_t state = 0;
};

using SuiteTest = TagServerFixture<CNPTagServerSuite>;

TEST_F(SuiteTest, NamesAreRoutedByTheirFirstCharacter) {
  StartOffline();
  EXPECT_EQ(Get(u"$D1", listener)->GetKind(), kTagMemory);
  EXPECT_EQ(Get(u"@Alias", listener)->GetKind(), kTagAlias);
  EXPECT_EQ(Get(u"Plant.Flow", listener)->GetKind(), kTagLink);
  EXPECT_EQ(Get(u"$Nothing", listener), nullptr);
  // A tag got without a listener is told nothing and given back like any other.
  CNPTag* silent = server.GetTag(u"$D1", 1, nullptr);
  Set(silent, 1);
  server.Dispatch();
  EXPECT_EQ(listener.Take(), (TagEvents{"$D1=1"}));
  server.ReleaseTag(silent, nullptr);
  EXPECT_EQ(silent->GetListenerCount(), 1u);
}

TEST_F(SuiteTest, ReadAndWriteSplitTheListsByKindAndAliasesPassOnToMemoryAndLinkTargetsOnly) {
  StartOffline();
  server.SetAliasTag(u"@ToMemory", u"$D6");
  server.SetAliasTag(u"@ToLink", u"Valve.Open");
  server.SetAliasTag(u"@ToAlias", u"@ToMemory");
  const std::vector<CNPTag*> tags = {Get(u"@ToMemory", listener), Get(u"@ToLink", listener),
                                     Get(u"@ToAlias", listener), Get(u"Plant.Flow", listener),
                                     Get(u"$D1", listener)};
  const std::vector<CNValue> values = {NumberValue(1), NumberValue(2), NumberValue(3), NumberValue(4),
                                       NumberValue(5)};
  EXPECT_TRUE(server.Write(tags, values));
  // Reads follow the chain of aliases, writes do not.
  EXPECT_EQ(Text(tags[0]) + Text(tags[1]) + Text(tags[2]) + Text(tags[3]) + Text(tags[4]), "12145");
  EXPECT_TRUE(server.Read(tags, 1));
  // Bad lists fail, writing what they can.
  EXPECT_FALSE(server.Write(tags, std::span(values).first(2)));
  const std::vector<CNPTag*> withNull = {tags[4], nullptr};
  EXPECT_FALSE(server.Read(withNull, 1));
  EXPECT_FALSE(server.Write(withNull, values));
  bool ok = true;
  EXPECT_TRUE(server.GetValue(nullptr, 0, &ok)->IsEmpty());
  EXPECT_FALSE(ok);
}

TEST_F(SuiteTest, AFailingServerKeepsTheLaterOnesFromBeingAsked) {
  // Only the memory server runs: the link server refuses to write, so the alias is not asked.
  server.GetMemoryServer().StartLocal({});
  server.SetAliasTag(u"@A", u"$#x");
  const std::vector<CNPTag*> tags = {Get(u"@A", listener), Get(u"Plant.Flow", listener),
                                     Get(u"$D1", listener)};
  const std::vector<CNValue> values = {NumberValue(1), NumberValue(2), NumberValue(3)};
  EXPECT_FALSE(server.Write(tags, values));
  EXPECT_EQ(Text(tags[2]), "3");
  EXPECT_TRUE(Value(tags[0])->IsEmpty());
  EXPECT_EQ(server.GetErrorText(), u"Fail to write. Not connected.");
  // Nor is anything dispatched before the start.
  server.Dispatch();
  EXPECT_EQ(listener.Take(), TagEvents{});
  StartOffline();
  server.Dispatch();
  EXPECT_EQ(listener.Take(), (TagEvents{"$D1=3"}));
}

TEST_F(SuiteTest, SystemValuesReportTheLoginAndTheServerInUse) {
  const struct {
    uint32_t state;
    bool onSecondNode;
    double sys[6];  // $SYS0 to $SYS5
  } cases[] = {
      {2, true, {2, 2, 4, 1, 2, 0}},   // logged in through the second node
      {1, false, {1, 1, 1, 1, 1, 0}},  // wanted on the first node, but lost
      {0, true, {0, 2, 0, 1, 0, 0}},   // no login wanted
  };
  FakeOwner owner;
  server.SetOwner(&owner);
  for (const auto& c : cases) {
    CNServerSettings settings;
    settings.nodes = {{u"127.0.0.1", 6001}, {u"127.0.0.1", 6002}};
    settings.nodeRedundancy = true;
    auto connection = CRPtr<CNConnectionSettings>::Make(settings);
    if (c.onSecondNode) connection->AdvanceNode();
    owner.state = c.state;
    StartOffline(connection);
    for (int n = 0; n < 6; ++n) {
      const std::u16string name = u"$SYS" + Utf8ToUtf16(std::to_string(n));
      EXPECT_EQ(Number(Get(name, listener)), c.sys[n]) << "state " << c.state << ", " << Utf16ToUtf8(name);
    }
    server.Dispatch();
    EXPECT_EQ(listener.Take().size(), 6u);
    owner.state = c.state ? 3 - c.state : 0;  // the login comes or goes
    server.Dispatch();
    EXPECT_EQ(listener.Take().size(), c.state ? 3u : 0u);
    TearDown();
  }
}

}  // namespace
