// Opening and closing projects: the steps in order, and every way an open fails.
#include <algorithm>

#include "runtime_fixture.h"
#include "views/views.h"

namespace {

// Whether the lines hold wanted in that order (others may come between).
bool InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
  auto at = lines.begin();
  for (const std::string& line : wanted) {
    at = std::find(at, lines.end(), line);
    if (at == lines.end()) return false;
    ++at;
  }
  return true;
}

}  // namespace

TEST_F(RuntimeTest, OpenRunsRootInitialiseThenHiddenFormsThenTheDefaultForm) {
  const std::string root =
      "DefaultForm=\"Main\" HiddenForm=\"Watcher\" " +
      RootEvents("event OnInitialize() { ::Trace(\"root init\"); }\n"
                 "event OnAfterOpenForm(viewName, basedFormName, objForm, formName) { ::Trace(\"after \" & formName & \" in \" & viewName); }");
  const std::string forms =
      Form("Main", "event OnBeforeInitialize() { ::Trace(\"main before\"); }\nevent OnInitialize() { ::Trace(\"main init\"); }") +
      Form("Watcher", "event OnInitialize() { ::Trace(\"watcher init\"); }") +
      Form("Background", "event OnInitialize() { ::Trace(\"background init\"); }", {}, "HiddenForm=\"T\"") +
      Form("Unused", "event OnInitialize() { ::Trace(\"unused init\"); }");
  ASSERT_TRUE(Open("p.xml", root, forms)) << Utf16ToUtf8(Browser().GetLastError());
  EXPECT_TRUE(Browser().IsOpen());
  EXPECT_TRUE(InOrder(m_host.traces, {"root init", "watcher init", "main before", "main init"}));
  EXPECT_TRUE(InOrder(m_host.traces, {"root init", "background init", "after Main in MainView"}));
  EXPECT_EQ(std::count(m_host.traces.begin(), m_host.traces.end(), "unused init"), 0);
  EXPECT_EQ(Utf16ToUtf8(Browser().GetViews().FindView(u"")->GetFormName()), "Main");
}

TEST_F(RuntimeTest, OpenFailuresShowTheirMessageAndLeaveNothingOpen) {
  EXPECT_FALSE(Open("a.xml", "DefaultForm=\"Nowhere\"", Form("Main")));
  EXPECT_FALSE(Open("b.xml", "DefaultForm=\"Main\" HiddenForm=\"Ghost\"", Form("Main")));
  EXPECT_FALSE(Browser().OpenProject(Utf8ToUtf16(m_folder.Path("missing.xml"))));
  std::vector<std::string> messages = Messages();
  ASSERT_EQ(messages.size(), 3u);
  messages[2].resize(std::string("Can't open file.").size());
  EXPECT_EQ(messages, (std::vector<std::string>{"Can't find default form.", "Can't find hidden form.",
                                                "Can't open file."}));
  EXPECT_FALSE(Browser().IsOpen());
  EXPECT_EQ(Browser().GetRootClient(), nullptr);
  EXPECT_EQ(Browser().GetViews().FindView(u"MainView")->GetForm(), nullptr);
}

TEST_F(RuntimeTest, NewerFileOpensOnlyWhenTheOperatorSaysYes) {
  m_box.SetDefaultAnswer(IDNO);
  EXPECT_FALSE(Open("new.xml", "FileRev=\"4\" DefaultForm=\"Main\"", Form("Main")));
  ASSERT_EQ(Messages().size(), 1u);  // the question only: a declined open says nothing more
  EXPECT_TRUE(Messages()[0].starts_with("Browser version is older than this xml file version."));
  EXPECT_TRUE(Browser().GetLastError().empty());
  m_box.SetDefaultAnswer(IDYES);
  EXPECT_TRUE(Open("new.xml", "FileRev=\"4\" DefaultForm=\"Main\"", Form("Main")));
}

TEST_F(RuntimeTest, OpeningASecondProjectTerminatesTheFirstBeforeReadingTheSecond) {
  ASSERT_TRUE(Open("one.xml", "DefaultForm=\"Main\" " + RootEvents("event OnTerminate() { ::Trace(\"one ends\"); }"),
                   Form("Main", "event OnTerminate() { ::Trace(\"one main ends\"); }")));
  ASSERT_TRUE(Open("two.xml", "DefaultForm=\"Main\" " + RootEvents("event OnInitialize() { ::Trace(\"two starts\"); }"),
                   Form("Main")));
  EXPECT_TRUE(InOrder(m_host.traces, {"one ends", "one main ends", "two starts"}));
}

TEST_F(RuntimeTest, InifileSectionAndContainerValuesReplaceTheSettings) {
  m_folder.Write("panel.ini", "[Other]\r\nTitle=Wrong\r\n[Property]\r\nTitle=From the ini file\r\nPSTimeOut=3\r\n");
  CNProjectOverrides overrides;
  overrides.node = u"127.0.0.1";
  overrides.port = 1;
  overrides.node2 = u"127.0.0.2";
  overrides.loginUser = u"operator";
  Browser().SetOverrides(overrides);
  ASSERT_TRUE(Open("ini.xml", "DefaultForm=\"Main\" Inifile=\"panel.ini\" PSTimeOut=\"1\"", Form("Main")));
  const CNPRootClientBrowser& root = *Browser().GetRootClient();
  // A second node turns redundancy on.
  EXPECT_EQ(
      Properties(root, {u"Title", u"PSTimeOut", u"PSNode", u"PSPanelPort", u"PSLoginUser", u"PSNodeRedundancy"}),
      "From the ini file|3|127.0.0.1|1|operator|T|");
}

TEST_F(RuntimeTest, TranslationTableReplacesTheListedTextsAndTheTitleFollowsTheForm) {
  m_folder.Write("lang/de.txt", "# German\r\nStart=Starten\r\nTank level=F\xC3\xBCllstand\r\nA\\=B=C\\nD\r\n");
  const std::string label =
      "<OBJ clid=\"Label\" Name=\"lblA\" Text=\"Start\" TranslationProp=\"Text\"/>\r\n"
      "<OBJ clid=\"Label\" Name=\"lblB\" Text=\"Tank level\" Comment=\"Start\" TranslationProp=\"Comment, Text\"/>\r\n"
      "<OBJ clid=\"Label\" Name=\"lblC\" Text=\"Start\"/>\r\n";
  ASSERT_TRUE(Open("tr.xml",
                   "DefaultForm=\"Main\" TranslationFolder=\"lang\" TranslationGroup=\"de\" TitleParent=\"T\" "
                   "Title=\"Plant\" TitleType=\"ROOT_FORM\"",
                   Form("Main", {}, label, "Title=\"Start\" TranslationProp=\"Title\"")));
  CNObject* form = Browser().GetViews().FindView(u"")->GetForm();
  // Listed texts are replaced, others kept.
  EXPECT_EQ(Properties(*form, {u"lblA.Text", u"lblB.Text", u"lblB.Comment", u"lblC.Text"}),
            "Starten|F\xC3\xBCllstand|Starten|Start|");

  // The host's title: project title, " - ", the translated form title; set once.
  Browser().OnTick(TICK_REFRESH);
  Browser().OnTick(TICK_REFRESH);
  EXPECT_EQ(m_host.titles, (std::vector<std::string>{"Plant - Starten"}));
}
