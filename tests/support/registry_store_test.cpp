#include "support/registry_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_folder.h"
#include "support/utf16_text.h"

namespace fs = std::filesystem;

namespace {

class RegistryStore : public ::testing::Test {
 protected:
  std::string FileText() const { return m_dir.Read("store/registry.txt"); }
  void WriteFile(const std::string& text) const { m_dir.Write("store/registry.txt", text); }
  std::optional<CRRegistryValue> Get(std::u16string_view key, std::u16string_view name) {
    CRRegistryStore store(m_root);  // a fresh reader each time: nothing is cached
    CRRegistryValue value;
    if (!store.GetValue(key, name, value)) return std::nullopt;
    return value;
  }

  TempFolder m_dir;
  const fs::path m_root = m_dir.path / "store";
};

using Value = CRRegistryValue;

}  // namespace

TEST_F(RegistryStore, WritesTheDocumentedFileFormat) {
  CRRegistryStore store(m_root);
  ASSERT_TRUE(store.SetValue(u"Settings/Window", u"Left", Value::Number(100))) << store.GetLastError();
  EXPECT_TRUE(store.SetValue(u"Settings\\Window", u"Title", Value::Text(u"Main \"panel\"\n\\")));
  EXPECT_TRUE(store.SetValue(u"\\Settings\\\\Window\\", u"", Value::Text(u"d\u00E9faut\x01")));
  EXPECT_TRUE(store.SetValue(u"Settings", u"Offset", Value::Number(-2)));
  EXPECT_TRUE(store.SetValue(u"50%[x]", u"tab\tname", Value::Text(u"")));
  EXPECT_TRUE(store.SetValue(u"", u"AtRoot", Value::Number(0x7FFFFFFF)));
  // Names ignore ASCII case and keep the case first written; a change replaces the line.
  EXPECT_TRUE(store.SetValue(u"SETTINGS/window", u"LEFT", Value::Text(u"wide")));
  EXPECT_EQ(FileText(),
            "\"AtRoot\"=dword:7FFFFFFF\n"
            "[Settings\\Window]\n"
            "\"Left\"=\"wide\"\n"
            "\"Title\"=\"Main \\\"panel\\\"\\n\\\\\"\n"
            "@=\"d\xC3\xA9"
            "faut\\x01\"\n"
            "\n"
            "[Settings]\n"
            "\"Offset\"=dword:FFFFFFFE\n"
            "\n"
            "[50%25%5Bx%5D]\n"
            "\"tab\\tname\"=\"\"\n");
}

TEST_F(RegistryStore, ValuesComeBackWithTheirKindWhateverTheirCharacters) {
  const std::u16string hostile = u"a]b[c%41\\d\"e\r\n\x7F\xD55C\xD83D\xDE00 =";
  struct Case {
    std::u16string key, name;
    Value value;
  };
  const Case cases[] = {
      {u"Plain", u"n", Value::Number(-2147483647 - 1)},
      {u"Plain", u"t", Value::Text(u"12")},  // a text of digits stays a text
      {hostile, hostile, Value::Text(hostile)},
      {u"A/" + hostile + u"/B", u"", Value::Number(7)},
      {u"[Plain]", u"\"n\"=dword:00000001", Value::Text(u"not a header")},
  };
  {
    CRRegistryStore store(m_root);
    for (const Case& c : cases) ASSERT_TRUE(store.SetValue(c.key, c.name, c.value)) << store.GetLastError();
  }
  for (const Case& c : cases) EXPECT_EQ(Get(c.key, c.name), c.value);
  EXPECT_EQ(Get(u"Plain", u"missing"), std::nullopt);
  EXPECT_EQ(Get(u"Missing", u"n"), std::nullopt);
  EXPECT_EQ(Get(u"Plain", u"t\"=dword:00000001"), std::nullopt);
}

TEST_F(RegistryStore, HandEditsAreReadAndKeptWhenTheFileIsRewritten) {
  WriteFile(
      "# edited by hand\r\n"
      "\"Top\"=dword:0000000a\r\n"
      "[Keys]\r\n"
      "  \"A\" = \"first\"  \r\n"
      "this line means nothing\r\n"
      "\"B\"=dword:12\r\n"            // too few digits: not a value
      "\"C\"=\"open\r\n"              // no closing quote
      "\"D\"=\"bad \\q escape\"\r\n"  // unknown escape
      "[keys]\r\n"
      "\"a\"=\"second\"\r\n"
      "[Other%]\r\n"  // a broken escape: not a header, so these lines stay in [keys]
      "\"E\"=dword:00000001\r\n");
  EXPECT_EQ(Get(u"", u"Top"), Value::Number(10));
  EXPECT_EQ(Get(u"Keys", u"A"), Value::Text(u"second"));  // the later definition wins
  EXPECT_EQ(Get(u"Keys", u"E"), Value::Number(1));
  for (const char16_t* name : {u"B", u"C", u"D"}) EXPECT_EQ(Get(u"Keys", name), std::nullopt);

  CRRegistryStore store(m_root);
  EXPECT_TRUE(store.SetValue(u"KEYS", u"a", Value::Text(u"third")));
  EXPECT_TRUE(store.SetValue(u"Keys", u"F", Value::Number(6)));
  EXPECT_EQ(FileText(),
            "# edited by hand\n"
            "\"Top\"=dword:0000000a\n"
            "[Keys]\n"
            "  \"A\" = \"first\"  \n"
            "this line means nothing\n"
            "\"B\"=dword:12\n"
            "\"C\"=\"open\n"
            "\"D\"=\"bad \\q escape\"\n"
            "[keys]\n"
            "\"a\"=\"third\"\n"
            "[Other%]\n"
            "\"E\"=dword:00000001\n"
            "\"F\"=dword:00000006\n");
}

TEST_F(RegistryStore, RefusedRequestsLeaveTheStoreAsItWas) {
  CRRegistryStore store(m_root);
  ASSERT_TRUE(store.SetValue(u"Keep", u"v", Value::Number(1)));
  const std::string before = FileText();
  const std::u16string longName(CRRegistryStore::kMaxKeyName + 1, u'k');
  const std::u16string refusedKeys[] = {u"..", u"Keep/../..", u"./Keep", u"A\\.\\B", longName};
  for (const std::u16string& key : refusedKeys) {
    EXPECT_FALSE(store.SetValue(key, u"v", Value::Number(2)));
    EXPECT_FALSE(store.GetLastError().empty());
    EXPECT_FALSE(store.DeleteKey(key));
  }
  EXPECT_FALSE(
      store.SetValue(u"Keep", std::u16string(CRRegistryStore::kMaxValueName + 1, u'n'), Value::Number(2)));
  EXPECT_FALSE(
      store.SetValue(u"Keep", u"v", Value::Text(std::u16string(CRRegistryStore::kMaxText + 1, u't'))));
  EXPECT_FALSE(store.DeleteKey(u"/"));  // the root key stays
  EXPECT_EQ(FileText(), before);
  for (const auto& entry : fs::directory_iterator(m_root))  // no temporary file is left behind
    EXPECT_TRUE(entry.path().filename() == "registry.txt" || entry.path().filename() == "registry.lock")
        << entry.path();

  // A file beyond the limit is neither read nor replaced.
  WriteFile(std::string(CRRegistryStore::kMaxFileBytes + 1, '#'));
  EXPECT_FALSE(store.SetValue(u"Keep", u"v", Value::Number(3)));
  EXPECT_EQ(fs::file_size(m_root / "registry.txt"), CRRegistryStore::kMaxFileBytes + 1);

  // A root that cannot be made.
  CRRegistryStore blocked(m_root / "registry.txt" / "below");
  EXPECT_FALSE(blocked.SetValue(u"K", u"v", Value::Number(1)));
  EXPECT_FALSE(blocked.GetLastError().empty());
}

TEST_F(RegistryStore, DeletingRemovesValuesAndWholeKeyTreesOnly) {
  CRRegistryStore store(m_root);
  for (const char16_t* key : {u"A", u"A\\B", u"A\\B\\C", u"A\\BC", u"AB"})
    ASSERT_TRUE(store.SetValue(key, u"v", Value::Number(1)));
  ASSERT_TRUE(store.SetValue(u"A", u"w", Value::Number(2)));
  EXPECT_TRUE(store.DeleteValue(u"a", u"V"));
  EXPECT_EQ(Get(u"A", u"v"), std::nullopt);
  EXPECT_EQ(Get(u"A", u"w"), Value::Number(2));
  EXPECT_TRUE(store.DeleteKey(u"a/b"));
  EXPECT_EQ(Get(u"A\\B\\C", u"v"), std::nullopt);
  EXPECT_EQ(Get(u"A\\BC", u"v"), Value::Number(1));
  EXPECT_EQ(Get(u"AB", u"v"), Value::Number(1));
  EXPECT_TRUE(store.DeleteKey(u"Never"));
}

TEST_F(RegistryStore, ConcurrentWritersLoseNoChange) {
  auto name = [](int n) { return Utf8ToUtf16("v" + std::to_string(n)); };
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t) {
    writers.emplace_back([this, t, name] {
      CRRegistryStore store(m_root);
      for (int n = t * 100; n < t * 100 + 25; ++n)
        EXPECT_TRUE(store.SetValue(u"Shared", name(n), Value::Number(n))) << store.GetLastError();
    });
  }
  for (std::thread& writer : writers) writer.join();
  for (int t = 0; t < 4; ++t)
    for (int n = t * 100; n < t * 100 + 25; ++n) EXPECT_EQ(Get(u"Shared", name(n)), Value::Number(n));
}
