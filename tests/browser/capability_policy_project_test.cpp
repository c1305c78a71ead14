// The site's policy file as the project runtime reads it, against projects from an http://
// address and from a local file.
#include <filesystem>

#include "browser/web_server.h"
#include "runtime_fixture.h"

namespace {

using Lines = std::vector<std::string>;

// A project whose OnInitialize writes saved and reports what happened.
std::string SavingProject(const std::string& saved) {
  return ProjectText("DefaultForm=\"Main\" " + RootEvents("event OnInitialize() { ::Trace(::SaveTextFile(\"" +
                                                           saved + "\", \"x\"), ::GetLastError()); }"),
                     Form("Main"));
}

}  // namespace

TEST_F(RuntimeTest, ThePolicyFileRefusesAFamilyToProjectsFromHttpAddressesOnly) {
  m_folder.Write("registry/policy", "# remote projects may not write\nhttp files deny\n");
  const std::string saved = m_folder.Path("saved.txt");
  WebServer server;
  server.Add("/panel.xml", WebServer::Body(200, SavingProject(saved)));
  ASSERT_TRUE(Browser().OpenProject(Utf8ToUtf16(server.Url("/panel.xml"))));
  EXPECT_EQ(m_host.traces, (Lines{"F", "Denied by policy: files"}));
  EXPECT_FALSE(std::filesystem::exists(saved));
  m_host.traces.clear();
  ASSERT_TRUE(Browser().OpenProject(Utf8ToUtf16(m_folder.Write("panel.xml", SavingProject(saved)))));
  ASSERT_FALSE(m_host.traces.empty());
  EXPECT_EQ(m_host.traces[0], "T");
  EXPECT_TRUE(std::filesystem::exists(saved));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(RuntimeTest, AMalformedPolicyIsRefusedAndProjectsFromHttpAddressesGetNoFamily) {
  m_folder.Write("registry/policy", "http files allow\nhttp disks deny\n");
  const std::string saved = m_folder.Path("saved.txt");
  WebServer server;
  server.Add("/panel.xml", WebServer::Body(200, SavingProject(saved)));
  ASSERT_TRUE(Browser().OpenProject(Utf8ToUtf16(server.Url("/panel.xml"))));
  EXPECT_EQ(m_host.traces, (Lines{"F", "Denied by policy: files"}));
  EXPECT_FALSE(std::filesystem::exists(saved));
  EXPECT_EQ(Messages(),
            (Lines{"The policy " + m_folder.Path("registry/policy") +
                   " is refused (line 2: unknown family \"disks\" (processes, files, network, settings, "
                   "clipboard, os or *)); projects from http:// addresses run with every family denied."}));
}
