// The embeddable control as its containers see it: where a relative FileName leads, the project
// folder, the title of the container's window and what the control keeps between sessions.
#include "shell/veltrix_browser_ctrl.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browser/runtime_fixture.h"
#include "project/root_client_browser.h"
#include "project/tick_schedule.h"
#include "shell/activex_app.h"
#include "shell/control_properties.h"
#include "shell/control_registration.h"
#include "shell/document_address.h"

namespace {

TEST(DocumentAddress, RelativeNamesAreTakenInTheDocumentsFolder) {
  struct Case {
    std::u16string name, address, expected;
  };
  const Case cases[] = {
      {u"panel.xml", u"http://plant.example/hmi/index.html", u"http://plant.example/hmi/panel.xml"},
      {u"sub/panel.xml", u"http://plant.example/index.html", u"http://plant.example/sub/panel.xml"},
      // Any ":" (a drive, a scheme) leaves the name alone.
      {u"C:\\hmi\\panel.xml", u"http://plant.example/hmi/index.html", u"C:\\hmi\\panel.xml"},
      {u"http://other/p.xml", u"file:///C:/pages/index.html", u"http://other/p.xml"},
      // Encoded blanks and percent signs of a local page's folder are undone, "%2520" once.
      {u"panel.xml", u"file:///C:/My%20Pages/100%25/index.html", u"C:\\My Pages\\100%\\panel.xml"},
      {u"panel.xml", u"file:///C:/a%2520b/index.html", u"C:\\a%20b\\panel.xml"},
      {u"panel.xml", u"file:///srv/My%20Pages/index.html", u"\\srv\\My Pages\\panel.xml"},
      // file:// with a host is a network path.
      {u"panel.xml", u"file://server/share/index.html", u"\\\\server\\share\\panel.xml"},
      {u"panel.xml", u"file://\\\\server\\share\\index.html", u"\\\\server\\share\\panel.xml"},
      {u"panel.xml", u"about:blank", u"panel.xml"},
      {u"panel.xml", u"", u"panel.xml"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ResolveAgainstDocument(c.name, c.address), c.expected) << Utf16ToUtf8(c.address);
}

// A class whose keys cannot be written: registering stops on it with the class code, after the
// type library and the classes before it went in; unregistering stops on it the same way.
class RefusingFactory : public CNClassFactoryRegistration {
 public:
  bool UpdateRegistry(CRRegistryStore&, bool, std::u16string_view) const override { return false; }
};

TEST(ControlRegistration, AClassThatCannotBeWrittenFailsWithTheClassCode) {
  TempFolder folder;
  CRRegistryStore store(folder.Path("store"));
  const RefusingFactory refusing;
  const CNClassFactoryRegistration* const factories[] = {ControlClassFactories()[0], &refusing};
  EXPECT_EQ(RegisterServer(store, u"/lib/libveltrixbrowser.so", factories), SELFREG_E_CLASS);
  EXPECT_EQ(UnregisterServer(store, factories), SELFREG_E_CLASS);
  EXPECT_EQ(UnregisterServer(store), kRegistrationOk);
}

TEST(ControlProperties, BytesFollowTheDocumentedLayoutAndBadBytesAreRefused) {
  CControlProperties properties;
  properties.width = 320;
  properties.height = 200;
  properties.fileName = u"a\u00e9";
  properties.currentDirectory = u"d";
  const std::vector<uint8_t> golden = {0x00, 0x00, 0x01, 0x00, 0x40, 0x01, 0x00, 0x00, 0xC8, 0x00, 0x00, 0x00,
                                       0x02, 0x00, 0x00, 0x00, 'a',  0x00, 0xE9, 0x00, 0x01, 0x00, 0x00, 0x00,
                                       'd',  0x00};
  EXPECT_EQ(properties.Save(), golden);

  CControlProperties read;
  ASSERT_TRUE(read.Load(golden));
  EXPECT_EQ(read.Save(), golden);

  std::vector<std::vector<uint8_t>> bad;
  for (size_t cut = 0; cut < golden.size(); ++cut) bad.emplace_back(golden.begin(), golden.begin() + cut);
  bad.push_back(golden);
  bad.back().push_back(0);  // a trailing byte
  bad.push_back(golden);
  bad.back()[2] = 2;  // another version
  bad.push_back(golden);
  bad.back()[15] = 0x7F;  // a text longer than the bytes
  CControlProperties untouched;
  untouched.fileName = u"kept";
  for (const auto& bytes : bad) {
    EXPECT_FALSE(untouched.Load(bytes)) << bytes.size();
    EXPECT_EQ(untouched.fileName, u"kept");
  }
}

// The control over the runtime fixture's container; the control's module registers the classes.
class ControlTest : public RuntimeTest {
 protected:
  static void SetUpTestSuite() {}
  void TearDown() override {
    m_control.reset();
    RuntimeTest::TearDown();
  }

  CVeltrixBrowserCtrl& Control() {
    if (!m_control) m_control = std::make_unique<CVeltrixBrowserCtrl>(m_module, m_loop, m_host, Options());
    return *m_control;
  }

  std::string WriteProject(const std::string& name, std::string_view rootAttributes,
                           std::string_view children = {}) {
    return m_folder.Write(name, ProjectText(rootAttributes, children));
  }

  CVeltrixBrowserActiveXApp m_module;
  std::unique_ptr<CVeltrixBrowserCtrl> m_control;
};

TEST_F(ControlTest, DesignModeStoresAndRunModeOpensRelativeToTheDocument) {
  WriteProject("pages/panel.xml", "DefaultForm=\"Main\"", Form("Main"));
  CVeltrixBrowserCtrl& control = Control();
  EXPECT_TRUE(control.SetFileName(u"panel.xml"));
  EXPECT_TRUE(control.IsModified());
  EXPECT_EQ(control.GetBrowser().GetRootClient(), nullptr);
  control.SaveProperties();
  EXPECT_FALSE(control.IsModified());

  control.SetUserMode(true);
  control.SetDocumentAddress(Utf8ToUtf16("file://" + m_folder.Path("pages/My%20index.html")));
  ASSERT_TRUE(control.CreateControlWindow(400, 300));
  EXPECT_FALSE(control.CreateControlWindow(400, 300));
  ASSERT_TRUE(control.GetBrowser().IsOpen()) << Utf16ToUtf8(control.GetLastError());
  EXPECT_EQ(control.GetBrowser().GetRootClient()->GetLocation().path, Utf8ToUtf16(m_folder.Path("pages/panel.xml")));
  EXPECT_TRUE(control.PaintWindow());
}

TEST_F(ControlTest, CurrentDirectoryGetsItsBackslashAndBecomesTheProjectFolder) {
  const std::string project = WriteProject("p.xml", "DefaultForm=\"Main\"", Form("Main"));
  CVeltrixBrowserCtrl& control = Control();
  control.SetCurrentDirectory(Utf8ToUtf16(m_folder.Path("ignored")));
  EXPECT_TRUE(control.GetAppliedFolder().empty());  // design mode
  control.SetUserMode(true);
  ASSERT_TRUE(control.SetFileName(Utf8ToUtf16(project)));
  const std::u16string data = Utf8ToUtf16(m_folder.Path("data"));
  control.SetCurrentDirectory(data);
  EXPECT_EQ(control.GetCurrentDirectory(), data);
  EXPECT_EQ(control.GetAppliedFolder(), data + u"\\");
  EXPECT_EQ(control.GetBrowser().GetRootClient()->GetLocation().folder, data + u"/");
  control.SetCurrentDirectory(data + u"\\");
  EXPECT_EQ(control.GetAppliedFolder(), data + u"\\");
}

TEST_F(ControlTest, TheContainersTitleFollowsTitleTypeAndTitleParent) {
  struct Case {
    std::string root;  // attributes of the project
    std::string formTitle;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      {"TitleParent=\"F\" Title=\"Plant\"", "Pumps", {}},
      {"TitleParent=\"T\" TitleType=\"ROOT\" Title=\"Plant\"", "Pumps", {"Plant"}},
      {"TitleParent=\"T\" TitleType=\"FORM\" Title=\"Plant\"", "Pumps", {"Pumps"}},
      {"TitleParent=\"T\" TitleType=\"ROOT_FORM\" Title=\"Plant\"", "Pumps", {"Plant - Pumps"}},
      {"TitleParent=\"T\" TitleType=\"FORM_ROOT\" Title=\"Plant\"", "Pumps", {"Pumps - Plant"}},
      {"TitleParent=\"T\" TitleType=\"FORM_ROOT\" Title=\"Plant\"", "", {"Plant"}},
      {"TitleParent=\"T\" TitleType=\"ROOT_FORM\" Title=\"\"", "Pumps", {"Pumps"}},
      {"TitleParent=\"T\" TitleType=\"ROOT\" Title=\"[COMPANY_PRODUCT]\"", "", {"Tarnvale Panel Browser control"}},
  };
  CVeltrixBrowserCtrl& control = Control();
  int n = 0;
  for (const Case& c : cases) {
    m_host.titles.clear();
    const std::string project = WriteProject("t" + std::to_string(n++) + ".xml", "DefaultForm=\"Main\" " + c.root,
                                             Form("Main", {}, {}, "Title=\"" + c.formTitle + "\""));
    ASSERT_TRUE(control.OpenFile(Utf8ToUtf16(project)));
    control.GetBrowser().OnTick(TICK_REFRESH);
    EXPECT_EQ(m_host.titles, c.titles) << c.root << " / " << c.formTitle;
  }
}

}  // namespace
