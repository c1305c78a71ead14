// The common functions that touch the file system, named time zones, message boxes and other
// programs, called directly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "controls/form.h"
#include "methods/builtin_methods.h"
#include "support/message_box.h"
#include "support/utf16_text.h"

namespace {

class NoHost : public IKVMethodHost {
 public:
  void TraceValue(const CNValue&) override {}
};

CNValue Text(const std::string& text) {
  CNValue value;
  value.SetString(Utf8ToUtf16(text));
  return value;
}

// Calls the common function name with args; its result, and whether it succeeded in ok.
CNValue Call(std::u16string_view name, std::vector<CNValue> args, bool* ok = nullptr) {
  static CNPForm s_root;
  static NoHost s_host;
  const int32_t number = CommonMethods().Find(name);
  EXPECT_GE(number, 0) << Utf16ToUtf8(name);
  std::vector<const CNValue*> pointers;
  for (const CNValue& arg : args) pointers.push_back(&arg);
  CNValue result;
  CMethodCall call{s_root, pointers, result, s_host};
  const bool done = number >= 0 && CommonMethods().GetEntry(number).function(call);
  if (ok) *ok = done;
  return result;
}

class CommonFileMethods : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() / ("kvtest_common_" + std::to_string(::getpid()));
    std::filesystem::remove_all(m_dir);
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  std::string At(const std::string& name) const { return (m_dir / name).string(); }

  std::filesystem::path m_dir;
};

}  // namespace

TEST_F(CommonFileMethods, FilesAreMadeCopiedMovedRenamedAndDeletedOnDisk) {
  EXPECT_TRUE(Call(u"MakeFolder", {Text(At("a/b"))}).GetBool());
  EXPECT_TRUE(Call(u"IsFolderExist", {Text(At("a\\b"))}).GetBool());  // "\" separators are accepted
  std::ofstream(At("a/one.txt")) << "12345";
  EXPECT_TRUE(Call(u"IsFileExist", {Text(At("a/one.txt"))}).GetBool());
  EXPECT_FALSE(Call(u"IsFileExist", {Text(At("a/b"))}).GetBool());
  EXPECT_EQ(Call(u"GetFileSize", {Text(At("a/one.txt"))}).GetNumber(), 5.0);
  EXPECT_TRUE(Call(u"GetFileSize", {Text(At("missing"))}).IsEmpty());
  EXPECT_TRUE(Call(u"GetFileLastWriteTime", {Text(At("a/one.txt"))}).IsTime(0));

  EXPECT_TRUE(Call(u"CopyFile", {Text(At("a/one.txt")), Text(At("a/two.txt"))}).GetBool());
  EXPECT_FALSE(Call(u"CopyFile", {Text(At("a/one.txt")), Text(At("a/two.txt"))}).GetBool());  // no replacing
  EXPECT_TRUE(Call(u"CopyFile", {Text(At("a/one.txt")), Text(At("a/two.txt")), Text("T")}).GetBool());
  EXPECT_FALSE(Call(u"MoveFile", {Text(At("a/one.txt")), Text(At("a/two.txt"))}).GetBool());
  EXPECT_TRUE(Call(u"RenameFile", {Text(At("a/two.txt")), Text("three.txt")}).GetBool());
  EXPECT_TRUE(std::filesystem::exists(At("a/three.txt")));
  EXPECT_TRUE(Call(u"CopyFileTime", {Text(At("a/one.txt")), Text(At("a/three.txt"))}).GetBool());
  EXPECT_EQ(std::filesystem::last_write_time(At("a/one.txt")), std::filesystem::last_write_time(At("a/three.txt")));

  EXPECT_TRUE(Call(u"CopyFolder", {Text(At("a")), Text(At("c"))}).GetBool());
  EXPECT_TRUE(std::filesystem::exists(At("c/three.txt")));
  EXPECT_FALSE(Call(u"MoveFolder", {Text(At("a")), Text(At("c"))}).GetBool());  // the target exists
  EXPECT_TRUE(Call(u"RenameFolder", {Text(At("c")), Text("d")}).GetBool());
  EXPECT_FALSE(Call(u"DeleteFile", {Text(At("d"))}).GetBool());  // a folder is no file
  EXPECT_TRUE(Call(u"DeleteFile", {Text(At("d/one.txt"))}).GetBool());
  EXPECT_TRUE(Call(u"DeleteFolder", {Text(At("d"))}).GetBool());
  EXPECT_FALSE(std::filesystem::exists(At("d")));
  EXPECT_FALSE(Call(u"DeleteFolder", {Text(At("d"))}).GetBool());

  bool ok = true;
  Call(u"CopyFile", {Text(At("a/one.txt"))}, &ok);
  EXPECT_FALSE(ok);
}

TEST(CommonComputerMethods, ComputerAndFolderTextsAreThere) {
  EXPECT_FALSE(Call(u"GetComputerName", {}).GetText().empty());
  EXPECT_EQ(Utf16ToUtf8(Call(u"GetCurrentFolder", {}).GetText()), std::filesystem::current_path().string());
  EXPECT_FALSE(Call(u"GetModuleFolder", {}).GetText().empty());
  EXPECT_EQ(Call(u"CFilePath", {Text("x/../y\\z")}).GetText(),
            Utf8ToUtf16((std::filesystem::current_path() / "y/z").string()));
  const CNValue info = Call(u"GetTimeZoneInfo", {Text("Asia/Tokyo")});
  ASSERT_EQ(info.GetCount(), 3u);
  EXPECT_EQ(info.GetNumber(1), 540.0);
  EXPECT_TRUE(Call(u"GetTimeZoneInfo", {Text("No/Such_Zone")}).IsEmpty());
  EXPECT_GT(Call(u"GetSupportedTimeZone", {}).GetCount(), 100u);
}

TEST(CommonTimeZones, PartsOfATimeFollowTheNamedZone) {
  CRCalendarTime utc;
  utc.year = 2024, utc.month = 7, utc.day = 1, utc.hour = 20;
  FileTime ticks = 0;
  ASSERT_TRUE(UtcCalendarToFileTime(utc, ticks));
  CNValue time;
  time.SetTime(ticks);
  EXPECT_EQ(Call(u"GetDay", {time, Text("Asia/Tokyo")}).GetNumber(), 2.0);
  EXPECT_EQ(Call(u"GetHour", {time, Text("Tokyo Standard Time")}).GetNumber(), 5.0);
  EXPECT_EQ(Call(u"GetHour", {time, Text("UTC")}).GetNumber(), 20.0);
  EXPECT_EQ(Call(u"GetHour", {time, Text("Europe/Berlin")}).GetNumber(), 22.0);
  EXPECT_TRUE(Call(u"DST", {time, Text("Europe/Berlin")}).GetBool());
  EXPECT_FALSE(Call(u"DST", {time, Text("Asia/Tokyo")}).GetBool());
  EXPECT_TRUE(Call(u"GetMinute", {time, Text("Nowhere")}).IsNA(0));
}

TEST(CommonSystemMethods, MessageBoxesAnswerAndProgramsStart) {
  CRRecordingMessageBox box;
  box.SetDefaultAnswer(IDNO);
  CRMessageBox* previous = CRMessageBox::SetCurrent(&box);
  CNValue type;
  type.SetNumber(4 + 32);  // Yes and No, question icon
  EXPECT_EQ(Call(u"MsgBox", {Text("Stop the pump?"), Text("Pump"), type}).GetNumber(), IDNO);
  EXPECT_EQ(Call(u"MessageBox", {Text("Done")}).GetNumber(), IDOK);
  CRMessageBox::SetCurrent(previous);
  const auto records = box.GetRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].caption, u"Pump");
  EXPECT_EQ(records[0].buttons, MB_YESNO);
  EXPECT_EQ(records[0].icon, MB_ICONQUESTION);

  EXPECT_TRUE(Call(u"OpenApplication", {Text("true"), Text("ignored")}).GetBool());
  EXPECT_FALSE(Call(u"OpenApplication", {Text("/no/such/program")}).GetBool());
  EXPECT_FALSE(Call(u"OpenApplicationFile", {Text("/no/such/file.txt")}).GetBool());
}
