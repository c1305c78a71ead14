#include "project/project_location.h"

#include <gtest/gtest.h>

#include "project_test_util.h"

namespace {

// Kind, folder and the login file it names ("!" when the request deletes it).
TEST(ProjectLocation, PathsAreClassifiedWithTheirFolders) {
  struct Case {
    std::u16string_view path;
    CNProjectPathKind kind;
    std::string folder, loginFile = "";
  };
  const Case cases[] = {
      {u"http://plant/panels/main.xml", CNProjectPathKind::kWeb, "http://plant/panels/"},
      {u"http://plant:8080/main.brw", CNProjectPathKind::kWeb, "http://plant:8080/"},
      // No "/" after the address: the whole path and "/".
      {u"http://plant", CNProjectPathKind::kWeb, "http://plant/"},
      {u"/srv/panels/main.xml", CNProjectPathKind::kLocal, "/srv/panels/"},
      {u"/srv/panels/../old/./main.xml", CNProjectPathKind::kLocal, "/srv/old/"},
      {u"panels\\main.xml", CNProjectPathKind::kLocal, Cwd() + "/panels/"},
      {u"/tmp/OperationRunTempXML.xml", CNProjectPathKind::kTemporary, Cwd() + "/"},
      {u"login://[del]/tmp/kvtmpA1", CNProjectPathKind::kLogin, "", "/tmp/kvtmpA1!"},
      {u"login://C:\\login.txt", CNProjectPathKind::kLogin, "", "C:/login.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(U8(c.path));
    const CNProjectLocation location = LocateProject(c.path);
    EXPECT_EQ(location.kind, c.kind);
    EXPECT_EQ(U8(location.folder), c.folder);
    EXPECT_EQ(U8(location.loginFile) + (location.deleteLoginFile ? "!" : ""), c.loginFile);
  }
  EXPECT_EQ(U8(LocateProject(u"panels\\main.xml").path), Cwd() + "/panels/main.xml");
  for (auto [path, encrypted] : {std::pair{u"plant.brw", true},
                                 {u"PLANT.BRW", true},
                                 {u"http://plant/p.Brw", true},
                                 {u"plant.brw.xml", false},
                                 {u"brw", false}})
    EXPECT_EQ(IsEncryptedProjectPath(path), encrypted) << U8(path);
}

TEST(ProjectLocation, NamedFilesResolveAgainstTheFolderOrBase) {
  const CNProjectLocation local = LocateProject(u"/srv/panels/main.xml");
  const CNProjectLocation web = LocateProject(u"http://plant/panels/main.xml");
  struct Case {
    const CNProjectLocation& location;
    std::u16string_view name;
    CNProjectFile::Kind kind;
    std::string resolved;
  };
  const Case cases[] = {
      {local, u"config\\number.cnf", CNProjectFile::kLocal, "/srv/panels/config/number.cnf"},
      {local, u"/etc/panel/theme.cnf", CNProjectFile::kLocal, "/etc/panel/theme.cnf"},
      {local, u"sys:arrow.png", CNProjectFile::kBuiltin, "arrow.png"},
      {local, u"http://other/x.cnf", CNProjectFile::kWeb, "http://other/x.cnf"},
      {web, u"config\\number.cnf", CNProjectFile::kWeb, "http://plant/panels/config/number.cnf"},
      {web, u"sys:arrow.png", CNProjectFile::kBuiltin, "arrow.png"},
  };
  for (const Case& c : cases) {
    const CNProjectFile file = ResolveProjectFile(c.location, c.name);
    EXPECT_EQ(file.kind, c.kind) << U8(c.name);
    EXPECT_EQ(U8(file.name), c.resolved) << U8(c.name);
  }
}

TEST(ProjectLocation, LocalFilesAreReadWholeWithinTheLimit) {
  TempFolder folder;
  const std::string path = folder.Write("config/a.cnf", "0123456789");
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(ReadWholeFile(path, bytes, 10, error));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "0123456789");
  EXPECT_FALSE(ReadWholeFile(path, bytes, 9, error));
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(error, path + ": larger than 9 bytes");
  EXPECT_FALSE(ReadProjectFile({CNProjectFile::kLocal, Utf8ToUtf16(folder.Path("config"))}, bytes, error));
  EXPECT_TRUE(ReadProjectFile(
      ResolveProjectFile(LocateProject(Utf8ToUtf16(folder.Path("p.xml"))), u"config\\a.cnf"), bytes, error));
}

}  // namespace
