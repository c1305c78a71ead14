// The site's policy text and the sources of projects.
#include "script/capability_policy.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using enum CapabilityFamily;
using enum ProjectSource;

// One letter per source and family that the policy allows: "pfnsco" for all six.
std::string Allowed(const CKVCapabilityPolicy& policy, ProjectSource source) {
  std::string letters;
  for (auto [family, letter] : {std::pair{kProcesses, 'p'},
                                {kFiles, 'f'},
                                {kNetwork, 'n'},
                                {kSettings, 's'},
                                {kClipboard, 'c'},
                                {kOs, 'o'}})
    if (policy.Allows(source, family)) letters += letter;
  return letters;
}

// What the policy allows local, http and brw projects: "pfnsco/c/pfnsc".
std::string Summary(const CKVCapabilityPolicy& policy) {
  return Allowed(policy, kLocal) + "/" + Allowed(policy, kHttp) + "/" + Allowed(policy, kBrw);
}

std::string Parsed(std::string_view text) {
  std::string error;
  const std::optional<CKVCapabilityPolicy> policy = CKVCapabilityPolicy::Parse(text, error);
  return policy ? Summary(*policy) : "error: " + error;
}

// The example the README gives for a site that serves projects over http://.
constexpr std::string_view kReadmeExample =
    "# Projects from the plant's own web server may show and write tags, nothing more.\n"
    "http * deny\n"
    "http clipboard allow\n"
    "# Encrypted projects come from the integrator: everything but the operating system.\n"
    "brw os deny\n"
    "# Projects on this computer keep every function.\n"
    "local * allow\n";

}  // namespace

TEST(CapabilityPolicy, RulesApplyInOrderWithLaterOnesWinning) {
  const std::map<std::string_view, std::string_view> cases = {
      {"", "pfnsco/pfnsco/pfnsco"},
      {"# nothing but a comment\r\n\r\n", "pfnsco/pfnsco/pfnsco"},
      {"http files deny", "pfnsco/pnsco/pfnsco"},
      {"* * deny\nlocal files allow\n", "f//"},
      {"http * deny\n* network allow   # the gateway\n", "pfnsco/n/pfnsco"},
      {"\thttp\tprocesses\tdeny\t", "pfnsco/fnsco/pfnsco"},
      {"brw * deny\nbrw * allow\n", "pfnsco/pfnsco/pfnsco"},  // wildcards may repeat
      {kReadmeExample, "pfnsco/c/pfnsc"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Parsed(text), expected) << text;
}

TEST(CapabilityPolicy, MalformedTextIsRefusedWithTheLineAndTheReason) {
  const std::map<std::string_view, std::string_view> cases = {
      {"http files", "error: line 1: expected SOURCE FAMILY allow|deny, found 2 words"},
      {"local files deny now", "error: line 1: expected SOURCE FAMILY allow|deny, found 4 words"},
      {"\nftp files deny", "error: line 2: unknown source \"ftp\" (local, http, brw or *)"},
      {"http disks deny",
       "error: line 1: unknown family \"disks\" (processes, files, network, settings, clipboard, os or *)"},
      {"http files maybe", "error: line 1: expected allow or deny, found \"maybe\""},
      {"HTTP files deny", "error: line 1: unknown source \"HTTP\" (local, http, brw or *)"},
      {"http files deny\nlocal os deny\nhttp files allow",
       "error: line 3: the rule for http files is already given on line 1"},
      {std::string_view("http files\0deny", 15), "error: line 1: not a line of text"},
      {"http files deny\n\x89PNG\r\n\x1a\n", "error: line 2: not a line of text"},
      {"# caf\xC3\xA9 ok\nlocal os deny \xFF", "error: line 2: not a line of text"},
      {std::string_view("\xEF\xBB\xBFhttp files deny"),
       "error: line 1: unknown source \"\xEF\xBB\xBFhttp\" (local, http, brw or *)"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Parsed(text), expected) << text;
  const std::string longWord(100, 'x');
  EXPECT_EQ(Parsed("http " + longWord + " deny"),
            "error: line 1: unknown family \"" + std::string(40, 'x') +
                "...\" (processes, files, network, settings, clipboard, os or *)");
}

TEST(CapabilityPolicy, AnUnusablePolicyDeniesEverythingOnlyToRemoteProjects) {
  const CKVCapabilityPolicy policy = CKVCapabilityPolicy::DenyRemote();
  EXPECT_EQ(Summary(policy), "pfnsco//pfnsco");
  EXPECT_TRUE(policy.Allows(kHttp, kNone));
}

TEST(CapabilityPolicy, TheSourceComesFromTheProjectsPath) {
  EXPECT_EQ(ProjectSourceOf(u"HTTP://plant/panel.xml"), kHttp);
  EXPECT_EQ(ProjectSourceOf(u"/srv/panel.BRW"), kBrw);
  EXPECT_EQ(ProjectSourceOf(u"/srv/http/panel.xml"), kLocal);
  EXPECT_EQ(ProjectSourceOf(u"brw"), kLocal);
}
