#include "project/root_client_browser.h"

#include <gtest/gtest.h>

#include "form_file_test_util.h"
#include "project/project_crypt.h"
#include "project_test_util.h"

namespace {

std::string Setting(const CNObject& object, std::u16string_view name) {
  CNValue value;
  object.GetProperty(name, value);
  return U8(value.GetText(0));
}

std::vector<uint8_t> Encrypted(const std::string& text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  EncryptProjectBuffer(bytes);
  return bytes;
}

// The settings, the root's scripts and the tree below it, as a file gives them.
const std::string kPlant = ProjectText(
    "BASEMODE=\"BRW\" PSPort=\"6100\" PSPanelPort=\"6200\" Customize=\"BASEMODE,\" Name=\"Plant\" "
    "Event=\"event OnInitialize() { ::Trace(&quot;up&quot;); }\" RefreshRate=\"5\"",
    "<OBJ clid=\"Folder\" Name=\"Screens\">\r\n"
    "<OBJ clid=\"Form\" Name=\"Main\" Width=\"640\">\r\n"
    "<OBJ clid=\"Rectangle\" Name=\"Rect01\" Bind=\"[Visible]$Run\"/>\r\n"
    "<OBJ clid=\"Widget\" Name=\"Unknown\"><OBJ clid=\"Rectangle\" Name=\"Inside\"/></OBJ>\r\n"
    "</OBJ>\r\n</OBJ>\r\n");

class RootClientBrowserTest : public FormFileTest {
 protected:
  CRPtr<CNPRootClientBrowser> Open(const std::string& path) {
    auto root = CRPtr<CNPRootClientBrowser>::Make();
    EXPECT_TRUE(root->OpenProject(Utf8ToUtf16(path), m_context)) << U8(root->GetErrorText());
    return root;
  }

  TempFolder m_folder;
};

// "Name" first, "Customize" second, then the other attributes in document order; the same from
// an enciphered file (its name ending in ".brw" in any case), and from a plain file whose name
// merely contains ".brw".
TEST_F(RootClientBrowserTest, ReadsSettingsThenTheTree) {
  for (const std::string& path :
       {m_folder.Write("plant.xml", kPlant), m_folder.Write("PLANT.BRW", Encrypted("\xEF\xBB\xBF" + kPlant)),
        m_folder.Write("plant.brw.xml", kPlant)}) {
    SCOPED_TRACE(path);
    m_box.ClearRecords();
    const auto root = Open(path);
    EXPECT_EQ(U8(root->GetName()), "Plant");
    EXPECT_EQ(Setting(*root, u"BASEMODE"), "BRW");      // before its declaration in the element
    EXPECT_EQ(Setting(*root, u"PSPanelPort"), "6200");  // the later attribute wins
    EXPECT_EQ(root->GetRefreshPeriod(), 10);
    EXPECT_EQ(U8(root->GetEvent()), "event OnInitialize() { ::Trace(\"up\"); }");
    ASSERT_EQ(root->GetChildCount(), 1);
    const CNObject* form = root->GetChild(0)->GetChild(0);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(U8(form->GetName()), "Main");
    ASSERT_EQ(form->GetChildCount(), 1);  // the unknown class is skipped with what it holds
    EXPECT_EQ(U8(form->GetChild(0)->GetBind()), "[Visible]$Run");
    EXPECT_EQ(MessageTexts(), "Can't create control. Widget\n");
    EXPECT_EQ(root->GetLocation().kind, CNProjectPathKind::kLocal);
    EXPECT_EQ(root->GetLocation().folder, Utf8ToUtf16(m_folder.Path("")));
  }
  EXPECT_EQ(Setting(*Open(m_folder.Path("plant.xml")), u"LibraryName"), "plant");
}

TEST_F(RootClientBrowserTest, BrokenEncryptedFilesCarryTheirTexts) {
  std::vector<uint8_t> truncated = Encrypted(kPlant);
  truncated.resize(truncated.size() - 3);
  const std::vector<uint8_t> garbage(64, 0x5A);
  const std::pair<std::string, std::string> cases[] = {
      {m_folder.Write("truncated.brw", truncated),
       "Can't open file. Fail at >>if(NULL == m_plDomDocument)<<"},
      {m_folder.Write("seven.brw", std::string(7, 'x')),
       "Can't open file. Fail at >>if(NULL == m_plDomDocument)<<"},
      {m_folder.Path("missing.brw"), "Can't open file. Fail at >>if(NULL == m_plDomDocument)<<"},
      {m_folder.Write("garbage.brw", garbage), "Can't open file. Fail at >>if(NULL == m_pDocRoot)<<"},
      {m_folder.Write("empty.brw", std::string()), "Can't open file. Fail at >>if(NULL == m_pDocRoot)<<"},
  };
  for (const auto& [path, text] : cases) {
    CNPRootClientBrowser root;
    EXPECT_FALSE(root.OpenProject(Utf8ToUtf16(path), m_context)) << path;
    EXPECT_EQ(U8(root.GetErrorText()), text) << path;
    EXPECT_EQ(root.GetChildCount(), 0);
  }
  CNPRootClientBrowser root;
  root.OpenProject(Utf8ToUtf16(m_folder.Path("seven.brw")), m_context);
  EXPECT_EQ(root.GetErrorDetail(), "Illegal Block Size!");
}

TEST_F(RootClientBrowserTest, NewerFilesAskBeforeOpening) {
  const std::pair<const char*, bool> cases[] = {{"FileRev=\"4\"", true},
                                                {"FileRev=\"3\"", false},
                                                {"", false},
                                                {"FileRev=\"9\" FileRevCheck=\"F\"", false}};
  int n = 0;
  for (const auto& [attributes, ask] : cases) {
    const auto root = Open(m_folder.Write("rev" + std::to_string(n++) + ".xml", ProjectText(attributes)));
    EXPECT_EQ(root->NeedsRevisionQuestion(), ask) << attributes;
  }
}

}  // namespace
