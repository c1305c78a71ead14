#include "project/project_xml.h"

#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

#include "project/root_client.h"
#include "project_test_util.h"
#include "support/utf16_text.h"

namespace {

std::string FormRootName(const CNPXml& xml) {
  return xml.GetFormRoot().attribute("Name").value();
}

std::string Error(const CNPXml& xml) {
  return Utf16ToUtf8(xml.GetErrorText());
}

// A file without a mark is read in its declared encoding, one with a mark by the mark.
TEST(ProjectXml, LoadsLocalFilesInTheirEncodings) {
  TempFolder folder;
  std::string sjis = ProjectText("Name=\"\x93\xFA\x96\x7B\"");
  sjis.replace(sjis.find("UTF-8"), 5, "Shift_JIS");
  std::string utf16 = "\xFF\xFE";
  for (char c : ProjectText("Name=\"P\"")) utf16 += {c, '\0'};
  // The first FORMROOT in document order counts, however deep it stands.
  const std::string two =
      "<ROOT><X><FORMROOT Name=\"A\"><FORMROOT Name=\"C\"/></FORMROOT></X><FORMROOT Name=\"B\"/></ROOT>";
  for (const auto& [name, bytes, root] :
       {std::tuple{"sjis.xml", sjis, "\xE6\x97\xA5\xE6\x9C\xAC"}, std::tuple{"utf16.xml", utf16, "P"},
        std::tuple{"two.xml", two, "A"}}) {
    CNPXml xml;
    ASSERT_TRUE(xml.LoadProjectDocument(Utf8ToUtf16(folder.Write(name, bytes))))
        << name << ": " << Error(xml);
    EXPECT_EQ(FormRootName(xml), root) << name;
    EXPECT_STREQ(xml.GetDocRoot().name(), "ROOT");
  }
}

TEST(ProjectXml, LocalFailuresCarryTheirTexts) {
  TempFolder folder;
  const std::string fileFailure = "Can't open file. File:%s Directory:" + Cwd();
  const std::pair<std::string, std::string> cases[] = {
      {"<ROOT><FORMROOT></ROOT>", fileFailure},
      {"", fileFailure},
      {"\xFF\xFE", fileFailure},
      {"\xEF\xBB\xBF", fileFailure},
      {"<?xml version=\"1.0\" encoding=\"x-martian\"?><ROOT><FORMROOT/></ROOT>", fileFailure},
      {"<ROOT><OBJ clid=\"Form\"/></ROOT>", "Can't open file. Fail at >>if(m_pXMLNodeFormRoot == NULL)<<"},
      {"<FORMROOT/>", ""},  // the document element itself counts
  };
  int n = 0;
  for (const auto& [bytes, text] : cases) {
    const std::string path = folder.Write("case" + std::to_string(n++) + ".xml", bytes);
    CNPXml xml;
    std::string expected = text;
    if (const size_t at = expected.find("%s"); at != std::string::npos) expected.replace(at, 2, path);
    EXPECT_EQ(xml.LoadProjectDocument(Utf8ToUtf16(path)), expected.empty()) << testing::PrintToString(bytes);
    EXPECT_EQ(Error(xml), expected) << testing::PrintToString(bytes);
    EXPECT_EQ(xml.HasDocument(), expected.empty());
  }
  CNPXml xml;
  EXPECT_FALSE(xml.LoadProjectDocument(u"no/such/project.xml"));
  EXPECT_EQ(Error(xml), "Can't open file. File:no/such/project.xml Directory:" + Cwd());
}

// A failed load releases the document that was loaded before it.
TEST(ProjectXml, FailureLeavesNothingLoaded) {
  TempFolder folder;
  CNPXml xml;
  ASSERT_TRUE(xml.LoadProjectDocument(Utf8ToUtf16(folder.Write("ok.xml", ProjectText("Name=\"P\"")))));
  EXPECT_FALSE(xml.LoadProjectDocument(Utf8ToUtf16(folder.Write("bad.xml", "<ROOT>"))));
  EXPECT_FALSE(xml.HasDocument() || xml.GetDocRoot() || xml.GetFormRoot());
  EXPECT_EQ(xml.GetErrorDetail(), "line 1, column 6: Start-end tags mismatch");
}

// Document types are skipped: no entity is defined or expanded, nothing outside is read, and
// nested entity definitions cost nothing.
TEST(ProjectXml, DocumentTypesDeclareNothing) {
  TempFolder folder;
  const std::string secret = folder.Write("secret.txt", "TOP SECRET");
  std::string laughs = "<!ENTITY a0 \"lol\">";
  for (int i = 1; i < 30; ++i)
    laughs += "<!ENTITY a" + std::to_string(i) + " \"&a" + std::to_string(i - 1) + ";&a" +
              std::to_string(i - 1) + ";\">";
  const std::string text = "<?xml version=\"1.0\"?><!DOCTYPE ROOT [<!ENTITY xxe SYSTEM \"file://" + secret +
                           "\">" + laughs + "]><ROOT><FORMROOT Name=\"&xxe;\" Title=\"&a29;\"/></ROOT>";
  CNPXml xml;
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(xml.LoadProjectDocument(Utf8ToUtf16(folder.Write("doctype.xml", text)))) << Error(xml);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_EQ(FormRootName(xml), "&xxe;");
  EXPECT_STREQ(xml.GetFormRoot().attribute("Title").value(), "&a29;");
}

TEST(ProjectXml, ResourceDocumentsCarryTheResourceTexts) {
  const std::string good = ProjectText("Name=\"Resources\"");
  const std::string broken = "<ROOT><FORMROOT></ROOT>";
  const std::string noRoot = "<ROOT/>";
  auto bytes = [](const std::string& text) {
    return std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  };
  const CNResource module[] = {{149, u"XML", bytes(good)},
                               {150, u"XML", bytes(broken)},
                               {151, u"XML", bytes(noRoot)},
                               {152, u"PNG", bytes(good)}};
  const std::pair<uint32_t, const char*> cases[] = {
      {149, ""},
      {150, "Fail to load resource xml. err:14 reason:Start-end tags mismatch filepos:18"},
      {151, "Can't open resource file. Fail at >>if(m_pXMLNodeFormRoot == NULL)<<"},
      {152, "Can't find resource xml."},
      {153, "Can't find resource xml."},
  };
  for (const auto& [id, text] : cases) {
    CNPXml xml;
    EXPECT_EQ(xml.LoadResourceDocument(module, id, u"xml"), *text == 0) << id;
    EXPECT_EQ(Error(xml), text) << id;
  }
}

// The whole file around the root's element: mark, declaration, ROOT, CR LF line breaks.
TEST(ProjectXml, ComposedDocumentWrapsTheRootElement) {
  CNPRootClient root;
  root.SetName(u"P");
  EXPECT_EQ(ComposeProjectDocument(root, true),
            "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<ROOT>\r\n"
            "<FORMROOT clid=\"Client\" Name=\"P\" Product=\"Veltrix\" Ver=\"6.0\" Rev=\"12.1\" FileRev=\"3\" "
            "FileSaveWithoutDefault=\"F\">\r\n</FORMROOT>\r\n</ROOT>\r\n");
}

}  // namespace
