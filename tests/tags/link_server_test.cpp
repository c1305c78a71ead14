// The link tag server against the real server program on 127.0.0.1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/trace_capture.h"
#include "tags/link_test_util.h"

namespace {

using testing::ElementsAre;
using testing::UnorderedElementsAre;

constexpr const char* kTags =
    "A      number 5\n"
    "B      number 7\n"
    "PLC1.A number 11\n"
    "N      number 0\n";

// A recorder that names itself as a bound object does.
struct BoundRecorder : LinkRecorder {
  std::u16string GetListenerName() const override { return u"Main.mtrTank1"; }
};

bool IsLinked(CNPTag* tag) {
  return static_cast<CNPLinkTag*>(tag)->GetLinkState().linked;
}
bool IsLinkEnabled(CNPTag* tag) {
  return static_cast<CNPLinkTag*>(tag)->GetLinkState().linkEnabled;
}

}  // namespace

TEST(LinkTagServer, AccessPathAndMarkKeyTheTagsAndNewListenersHearTheCurrentValueOnce) {
  ServerProcess server({.tags = kTags});
  ASSERT_TRUE(server.IsRunning());
  CNPTagServerLink link;
  CNTagServerStartInfo info = StartInfo(SettingsFor(server));
  info.accessPath = u"PLC1.";
  info.directPathMark = u'!';
  link.Start(info);

  LinkRecorder first;
  CNPTag* a = link.GetTag(u"A", 1, &first);
  CNPTag* b = link.GetTag(u"!B", 1, &first);
  EXPECT_EQ(a->GetName(), u"PLC1.A");
  EXPECT_EQ(b->GetName(), u"B");
  ASSERT_TRUE(DispatchUntil(link, [&] { return first.calls.size() >= 2; }))
      << Utf16ToUtf8(link.GetErrorText());
  EXPECT_THAT(first.calls, UnorderedElementsAre("A=11 GOOD 1", "!B=7 GOOD 1"));

  LinkRecorder second;
  EXPECT_EQ(link.GetTag(u"A", 1, &second), a);
  link.Dispatch();
  link.Dispatch();
  EXPECT_THAT(second.calls, ElementsAre("A=11 GOOD 0"));
  EXPECT_EQ(first.calls.size(), 2u);

  link.ReleaseTag(a, &first);
  link.ReleaseTag(b, &first);
  link.ReleaseTag(a, &second);
}

// The operator is told once of each unknown name, with the objects bound to it, and of the
// loss and the return of the server.
TEST(LinkTagServer, ServerLossMarksFedTagsBadAndRestartRelinksEvenUnknownNames) {
  TraceCapture trace;  // the lines the operator is told begin "warning:" or "the connection"
  const auto told = [&] { return trace.Take({"warning:", "the connection"}); };
  ServerProcess server({.tags = kTags});
  ASSERT_TRUE(server.IsRunning());
  const uint16_t port = server.Port();
  CNPTagServerLink link;
  link.Start(StartInfo(SettingsFor(server)));
  LinkRecorder recorder;
  CNPTag* a = link.GetTag(u"A", 1, &recorder);
  CNPTag* quiet = link.GetTag(u"B", 0, &recorder);  // not advised: never fed
  BoundRecorder bound;
  CNPTag* later = link.GetTag(u"Later", 1, &bound);
  ASSERT_TRUE(DispatchUntil(link, [&] { return !recorder.calls.empty(); }));
  EXPECT_FALSE(IsLinkEnabled(later));
  EXPECT_THAT(
      told(),
      ElementsAre("warning: the panel server has no tag Later; it stays empty (bound to Main.mtrTank1)"));
  // Another link step does not offer the unknown name again.
  CNPTag* n = link.GetTag(u"N", 1, &recorder);
  ASSERT_TRUE(DispatchUntil(link, [&] { return recorder.calls.size() >= 2; }));
  EXPECT_THAT(recorder.calls, ElementsAre("A=5 GOOD 1", "N=0 GOOD 1"));
  EXPECT_FALSE(IsLinkEnabled(later));

  server.Stop();
  ASSERT_TRUE(DispatchUntil(link, [&] { return recorder.calls.size() >= 4; }));
  EXPECT_THAT(recorder.calls, testing::IsSupersetOf({"A=5 BAD 1", "N=0 BAD 1"}));
  EXPECT_FALSE(link.IsConnected());
  const std::vector<std::string> lost = told();
  ASSERT_EQ(lost.size(), 1u);
  EXPECT_THAT(lost[0], testing::StartsWith("the connection to the panel server was lost ("));
  EXPECT_EQ(ValueText(link, quiet), "#NOTHING# UNCERTAIN");
  EXPECT_EQ(ValueText(link, later), "#NOTHING# UNCERTAIN");

  recorder.calls.clear();
  ASSERT_TRUE(server.Start({.tags = std::string(kTags) + "Later string \"new\"\n", .port = port}));
  ASSERT_TRUE(DispatchUntil(link, [&] { return recorder.calls.size() >= 2 && !bound.calls.empty(); }));
  EXPECT_THAT(recorder.calls, UnorderedElementsAre("A=5 GOOD 1", "N=0 GOOD 1"));
  EXPECT_THAT(bound.calls, ElementsAre("Later=\"new\" GOOD 1"));
  EXPECT_THAT(told(), ElementsAre("the connection to the panel server is back"));
  for (CNPTag* tag : {a, quiet, n}) link.ReleaseTag(tag, &recorder);
  link.ReleaseTag(later, &bound);
}

TEST(LinkTagServer, ReleasedTagIsReusedUntilTheLinkStepAndThenUnlinkedAndDropped) {
  ServerProcess server({.tags = kTags});
  CNPTagServerLink link;
  link.Start(StartInfo(SettingsFor(server)));
  LinkRecorder first, second;
  CNPTag* a = link.GetTag(u"A", 1, &first);
  ASSERT_TRUE(DispatchUntil(link, [&] { return !first.calls.empty(); }));

  link.ReleaseTag(a, &first);
  EXPECT_EQ(link.GetTag(u"A", 1, &second), a);
  link.Dispatch();
  EXPECT_TRUE(IsLinked(a));
  EXPECT_THAT(second.calls, ElementsAre("A=5 GOOD 0"));

  link.ReleaseTag(a, &second);
  link.Dispatch();
  EXPECT_EQ(link.GetTagCount(), 0u);
  EXPECT_TRUE(link.IsConnected());
}

TEST(LinkTagServer, WritesApplyTheServersValueAndFailLoudlyWithoutAServer) {
  ServerProcess server({.tags = kTags});
  CNPTagServerLink link;
  LinkRecorder recorder;
  CNPTag* n = link.GetTag(u"N", 1, &recorder);
  CNPTag* const list[] = {n};
  CNValue text;
  text.SetString(u"12");
  EXPECT_FALSE(link.Write(list, std::span(&text, 1)));
  EXPECT_EQ(link.GetErrorText(), u"Fail to write. Not connected.");
  EXPECT_FALSE(link.Read(list, 1));
  EXPECT_EQ(link.GetErrorText(), u"Not connected.");

  link.Start(StartInfo(SettingsFor(server)));
  ASSERT_TRUE(DispatchUntil(link, [&] { return !recorder.calls.empty(); }));
  // The number tag takes the text as a number: the tag holds what the server answered.
  EXPECT_TRUE(link.SetValue(n, text));
  EXPECT_EQ(ValueText(link, n), "12 GOOD");
  link.Dispatch();
  EXPECT_EQ(recorder.Last(), "N=12 GOOD 1");

  server.Stop();
  ASSERT_TRUE(DispatchUntil(link, [&] { return !link.IsConnected(); }));
  CNValue number;
  number.SetNumber(99);
  EXPECT_FALSE(link.SetValue(n, number));
  EXPECT_EQ(link.GetErrorText(), u"Fail to write. Msg:Fail to connect.");
  EXPECT_EQ(ValueText(link, n), "12 BAD");
  link.ReleaseTag(n, &recorder);
}

TEST(LinkTagServer, ReadRefreshesLinkedTagsAndReportsTheOthers) {
  ServerProcess server({.tags = kTags});
  CNPTagServerLink link;
  link.Start(StartInfo(SettingsFor(server)));
  LinkRecorder recorder;
  CNPTag* b = link.GetTag(u"B", 0, &recorder);  // not advised: only reads bring its value
  CNPTag* unknown = link.GetTag(u"Nope", 1, &recorder);
  ASSERT_TRUE(DispatchUntil(link, [&] { return IsLinked(b); }));

  bool ok = false;
  EXPECT_EQ(link.GetValue(b, 0, &ok)->GetCount(), 0u);
  EXPECT_TRUE(ok);
  EXPECT_EQ(link.GetValue(b, 1, &ok)->GetNumber(), 7);
  EXPECT_TRUE(ok);

  CNPTag* const both[] = {unknown, b};
  EXPECT_FALSE(link.Read(both, 2));
  EXPECT_EQ(link.GetErrorText(), u"Not connected.");
  EXPECT_TRUE(link.Read({}, 1));
  EXPECT_TRUE(link.ReadAll(1));
  link.Dispatch();
  EXPECT_TRUE(recorder.calls.empty());  // neither is advised and known
  EXPECT_TRUE(link.IsConnected());
  for (CNPTag* tag : both) link.ReleaseTag(tag, &recorder);
}

// Every broken answer is handled alike; the texts of the others are tested with the clients.
TEST(LinkTagServer, ABrokenAnswerLeavesTheTransportTextAndNoConnection) {
  ServerProcess server({.tags = kTags, .faults = {"wrong-id"}});
  CNPTagServerLink link;
  link.Start(StartInfo(SettingsFor(server)));
  LinkRecorder recorder;
  CNPTag* a = link.GetTag(u"A", 1, &recorder);
  link.Dispatch();
  EXPECT_EQ(link.GetErrorText(), u"Packet id is not collect.");
  EXPECT_FALSE(link.IsConnected());
  EXPECT_EQ(ValueText(link, a), "#NOTHING# UNCERTAIN");
  link.ReleaseTag(a, &recorder);
}
