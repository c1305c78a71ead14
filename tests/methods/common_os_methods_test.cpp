// The common functions that reach the host and the user's files: display, clipboard, folder
// chooser, the settings store, encrypted copies and saved print texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common_call_util.h"
#include "root_test_util.h"
#include "support/crypt_test_bytes.h"

namespace fs = std::filesystem;

namespace {

// A windowed host with a display, a clipboard and a folder chooser.
class DesktopHost : public QuietHost {
 public:
  bool GetDisplaySize(uint32_t& width, uint32_t& height) override {
    width = 1920;
    height = 1080;
    return true;
  }
  bool SetClipboardText(std::u16string_view text) override {
    clipboard = text;
    return true;
  }
  bool GetClipboardText(std::u16string& text) override {
    text = clipboard;
    return true;
  }
  bool BrowseFolder(std::u16string_view title, std::u16string_view start, std::u16string& folder) override {
    asked = std::u16string(title) + u"|" + std::u16string(start);
    folder = u"/srv/recipes";
    return true;
  }
  std::u16string clipboard;
  std::u16string asked;
};

// A scratch folder, with the settings store redirected into it.
class CommonOsMethods : public ::testing::Test {
 protected:
  CNValue At(const std::string& name) const { return Utf8Text(m_dir.File(name)); }

  TempFolder m_dir;
  ScopedConfigHome m_config{m_dir.path / "config"};
};

}  // namespace

TEST(CommonHostMethods, HeadlessRunsAnswerWithoutADesktopAndAHostMapsThemToItsOwn) {
  EXPECT_TRUE(CallCommon(u"GetDisplaySize", {}).IsEmpty());
  EXPECT_TRUE(CallCommon(u"BrowseFolder", {Utf8Text("Choose")}).IsEmpty());
  EXPECT_TRUE(CallCommon(u"SetClipboardData", {TextList({"a", "b"})}).GetBool());
  EXPECT_EQ(CallCommon(u"GetClipboardData", {}).GetText(), u"a\nb");

  DesktopHost desktop;
  const CNValue size = CallCommon(u"GetDisplaySize", {}, &desktop);
  ASSERT_EQ(size.GetCount(), 2u);
  EXPECT_EQ(size.GetNumber(1), 1080.0);
  EXPECT_EQ(CallCommon(u"BrowseFolder", {Utf8Text("Recipes"), Utf8Text("/srv")}, &desktop).GetText(),
            u"/srv/recipes");
  EXPECT_EQ(desktop.asked, u"Recipes|/srv");
  EXPECT_TRUE(CallCommon(u"SetClipboardData", {Number(12.5)}, &desktop).GetBool());
  EXPECT_EQ(desktop.clipboard, u"12.5");
  EXPECT_EQ(CallCommon(u"GetClipboardData", {}).GetText(), u"a\nb");  // the process's own text stays

  testing::internal::CaptureStderr();
  EXPECT_TRUE(CallCommon(u"CMSysRing", {}).GetBool());
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "\a");
}

TEST_F(CommonOsMethods, SettingsKeepTheirKindAndStayInsideTheStore) {
  CNValue yes;
  yes.SetBool(true);
  EXPECT_TRUE(
      CallCommon(u"SetRegistoryValue", {Utf8Text("Settings\\Window"), Utf8Text("Left"), Number(-120.7)})
          .GetBool());
  EXPECT_TRUE(CallCommon(u"SetRegistoryValue", {Utf8Text("Settings"), Utf8Text("Sound"), yes}).GetBool());
  EXPECT_TRUE(CallCommon(u"SetRegistoryValue", {Utf8Text("Settings"), Utf8Text("Digits"), Utf8Text("007")})
                  .GetBool());
  const CNValue left = CallCommon(u"GetRegistoryValue", {Utf8Text("settings/window"), Utf8Text("LEFT")});
  EXPECT_TRUE(left.IsNumber(0));
  EXPECT_EQ(left.GetNumber(), -120.0);
  EXPECT_EQ(CallCommon(u"GetRegistoryValue", {Utf8Text("Settings"), Utf8Text("Sound")}).GetNumber(), 1.0);
  const CNValue digits = CallCommon(u"GetRegistoryValue", {Utf8Text("Settings"), Utf8Text("Digits")});
  EXPECT_TRUE(digits.IsString(0));
  EXPECT_EQ(digits.GetText(), u"007");
  EXPECT_TRUE(CallCommon(u"GetRegistoryValue", {Utf8Text("Settings"), Utf8Text("Missing")}).IsEmpty());
  EXPECT_EQ(
      CallCommon(u"GetRegistoryValue", {Utf8Text("Settings"), Utf8Text("Missing"), Number(5)}).GetNumber(),
      5.0);
  EXPECT_TRUE(fs::exists(m_dir.path / "config/Tarnvale/Panel Browser control Ver6/registry.txt"));

  EXPECT_FALSE(
      CallCommon(u"SetRegistoryValue", {Utf8Text("..\\..\\evil"), Utf8Text("v"), Number(1)}).GetBool());
  EXPECT_FALSE(fs::exists(m_dir.path / "config/evil"));
  EXPECT_FALSE(fs::exists(m_dir.path / "evil"));
}

TEST_F(CommonOsMethods, EncryptedFilesMatchTheCipherAndComeBackWhole) {
  // Golden vectors from an independent Blowfish implementation: padding bytes that hold their
  // count, a chain block of zeros.
  const CNValue key = Utf8Text("0123456789abcdef");
  m_dir.Write("hello.txt", "Hello, panel!");
  ASSERT_TRUE(CallCommon(u"EncryptFile", {At("hello.txt"), At("hello.bin"), key}).GetBool());
  EXPECT_EQ(HexText(m_dir.Read("hello.bin")), "363EC9910AB0BE31CE272D5F9982D174");  // chained, the default
  m_dir.Write("empty.txt", "");
  ASSERT_TRUE(CallCommon(u"EncryptFile", {At("empty.txt"), At("empty.bin"), key, Number(0)}).GetBool());
  EXPECT_EQ(HexText(m_dir.Read("empty.bin")), "F5F8AE2E2E433B92");

  // Sizes around the block and read-chunk boundaries, in every mode, and in place.
  for (const size_t size : {size_t{7}, size_t{8}, size_t{65536}, size_t{65545}}) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 131 + size) & 0xFF);
    for (const double mode : {0.0, 1.0, 2.0}) {
      m_dir.Write("file", data);
      ASSERT_TRUE(CallCommon(u"EncryptFile", {At("file"), At("file"), Utf8Text("pump\u00E9"), Number(mode)})
                      .GetBool());
      EXPECT_EQ(fs::file_size(m_dir.path / "file"), (size / 8 + 1) * 8);
      ASSERT_TRUE(CallCommon(u"DecryptFile", {At("file"), At("back"), Utf8Text("pump\u00E9"), Number(mode)})
                      .GetBool());
      EXPECT_TRUE(m_dir.Read("back") == data) << size << " mode " << mode;
    }
  }
}

TEST_F(CommonOsMethods, FailedCryptsLeaveTheDestinationAsItWas) {
  m_dir.Write("plain", "recipe 42");
  ASSERT_TRUE(CallCommon(u"EncryptFile", {At("plain"), At("cipher"), Utf8Text("right")}).GetBool());
  m_dir.Write("out", "keep me");
  m_dir.Write("ragged", "123456789");
  m_dir.Write("empty", "");
  const std::vector<CNValue> refused[] = {
      {At("cipher"), At("out"), Utf8Text("wrong")},             // the padding does not read
      {At("cipher"), At("out"), Utf8Text("right"), Number(2)},  // another mode
      {At("ragged"), At("out"), Utf8Text("right")},             // no whole blocks
      {At("empty"), At("out"), Utf8Text("right")},
      {At("plain"), At("out"), Utf8Text("")},              // no key
      {At("plain"), At("out"), Utf8Text("k"), Number(3)},  // no such mode
      {At("missing"), At("out"), Utf8Text("k")},
      {Utf8Text(m_dir.path.string()), At("out"), Utf8Text("k")},  // a folder is no file
      {At("plain"), Utf8Text(m_dir.path.string()), Utf8Text("k")},
      {At("plain"), At("no/such/out"), Utf8Text("k")},
  };
  for (size_t i = 0; i < std::size(refused); ++i) {
    EXPECT_FALSE(CallCommon(i < 4 ? u"DecryptFile" : u"EncryptFile", refused[i]).GetBool()) << i;
    EXPECT_EQ(m_dir.Read("out"), "keep me") << i;
  }
  for (const auto& entry : fs::directory_iterator(m_dir.path))  // no temporary file stays behind
    EXPECT_NE(entry.path().filename().string().rfind(".kvtmp", 0), 0u) << entry.path();
}

TEST_F(CommonOsMethods, PrintTextIsSavedReplacedOrAppended) {
  CNValue yes;
  yes.SetBool(true);
  EXPECT_TRUE(CallCommon(u"SavePrintText", {At("print.txt"), Utf8Text("Batch 7\n")}).GetBool());
  EXPECT_TRUE(CallCommon(u"SavePrintText", {At("print.txt"), TextList({"t=1", "\u00FC"}), yes}).GetBool());
  EXPECT_EQ(m_dir.Read("print.txt"), "Batch 7\nt=1\n\xC3\xBC");
  EXPECT_TRUE(CallCommon(u"SavePrintText", {At("print.txt"), Utf8Text("fresh")}).GetBool());
  EXPECT_EQ(m_dir.Read("print.txt"), "fresh");
  EXPECT_FALSE(CallCommon(u"SavePrintText", {Utf8Text(m_dir.path.string()), Utf8Text("x")}).GetBool());
  EXPECT_FALSE(CallCommon(u"SavePrintText", {Utf8Text(m_dir.path.string()), Utf8Text("x"), yes}).GetBool());
  EXPECT_FALSE(CallCommon(u"SavePrintText", {At("no/such/file"), Utf8Text("x")}).GetBool());
}
