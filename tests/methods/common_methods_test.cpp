// The common functions that touch the file system, named time zones, message boxes and other
// programs, called directly.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common_call_util.h"
#include "root_test_util.h"
#include "support/message_box.h"

TEST(BuiltInFunctions, WrongArgumentCountsAreRefused) {
  // clang-format off
  const std::pair<std::u16string_view, size_t> root[] = {
      {u"Login", 1}, {u"DirectLogin", 5}, {u"IsLogin", 1}, {u"GetLoginUser", 1}, {u"AddLoginUser", 2},
      {u"DelLoginUser", 0}, {u"SetLoginPassword", 3}, {u"GetServerTime", 1}, {u"SetServerTime", 0},
      {u"SetClientTime", 2}, {u"SaveServerFile", 2}, {u"GetLoginLastError", 1}, {u"GetTimeLastError", 1},
      {u"CreateSnapshotStructureTag", 3}, {u"SortSnapshotStructureTagMember", 1},
      {u"GetSnapshotStructureTagValue", 4}, {u"FilterStructureTagName", 6}, {u"FilterStructureTagValue", 4},
      {u"GetStructureTagValue", 3}, {u"SetStructureTagBindScript", 1}, {u"ClearServerReferenceCounter", 0},
      {u"SendFile", 1}, {u"ReceiveFile", 2}, {u"ServerBrowseFolder", 4}, {u"GetChildTags", 7},
      {u"GetRelatedInfo", 0}, {u"SendMail", 5}, {u"SendMailDirect", 9}, {u"HTTPPost", 1}};
  const std::pair<std::u16string_view, size_t> common[] = {
      {u"GetDisplaySize", 1}, {u"SetClipboardData", 0}, {u"GetClipboardData", 1}, {u"BrowseFolder", 3},
      {u"GetRegistoryValue", 1}, {u"SetRegistoryValue", 2}, {u"EncryptFile", 2}, {u"DecryptFile", 5},
      {u"SavePrintText", 1}, {u"SendMail", 5}, {u"SendMagicPacket", 0}, {u"SOAPRequestMessage", 2},
      {u"HttpRequestMessage", 5}, {u"HTTPGet", 0}, {u"CopyFile", 1}};
  // clang-format on
  using Calls = std::span<const std::pair<std::u16string_view, size_t>>;
  for (const auto& [table, calls] :
       {std::pair{&RootMethods(), Calls(root)}, std::pair{&CommonMethods(), Calls(common)}}) {
    for (const auto& [name, count] : calls) {
      bool ok = true;
      CallIn(*table, name, std::vector<CNValue>(count, Utf8Text("x")), nullptr, &ok);
      EXPECT_FALSE(ok) << Utf16ToUtf8(name) << " with " << count;
    }
  }
}

TEST(CommonFileMethods, FilesAreMadeCopiedMovedRenamedAndDeletedOnDisk) {
  TempFolder dir;
  const auto at = [&](const std::string& name) { return Utf8Text(dir.File(name)); };
  const auto done = [](std::u16string_view name, std::vector<CNValue> args) {
    return CallCommon(name, std::move(args)).GetBool();
  };
  EXPECT_TRUE(done(u"MakeFolder", {at("a/b")}));
  EXPECT_TRUE(done(u"IsFolderExist", {at("a\\b")}));  // "\" separators are accepted
  dir.Write("a/one.txt", "12345");
  EXPECT_TRUE(done(u"IsFileExist", {at("a/one.txt")}));
  EXPECT_FALSE(done(u"IsFileExist", {at("a/b")}));
  EXPECT_EQ(CallCommon(u"GetFileSize", {at("a/one.txt")}).GetNumber(), 5.0);
  EXPECT_TRUE(CallCommon(u"GetFileSize", {at("missing")}).IsEmpty());
  EXPECT_TRUE(CallCommon(u"GetFileLastWriteTime", {at("a/one.txt")}).IsTime(0));

  EXPECT_TRUE(done(u"CopyFile", {at("a/one.txt"), at("a/two.txt")}));
  EXPECT_FALSE(done(u"CopyFile", {at("a/one.txt"), at("a/two.txt")}));  // no replacing
  EXPECT_TRUE(done(u"CopyFile", {at("a/one.txt"), at("a/two.txt"), Utf8Text("T")}));
  EXPECT_FALSE(done(u"MoveFile", {at("a/one.txt"), at("a/two.txt")}));
  EXPECT_TRUE(done(u"RenameFile", {at("a/two.txt"), Utf8Text("three.txt")}));
  EXPECT_TRUE(std::filesystem::exists(dir.path / "a/three.txt"));
  EXPECT_TRUE(done(u"CopyFileTime", {at("a/one.txt"), at("a/three.txt")}));
  EXPECT_EQ(std::filesystem::last_write_time(dir.path / "a/one.txt"),
            std::filesystem::last_write_time(dir.path / "a/three.txt"));

  EXPECT_TRUE(done(u"CopyFolder", {at("a"), at("c")}));
  EXPECT_TRUE(std::filesystem::exists(dir.path / "c/three.txt"));
  EXPECT_FALSE(done(u"MoveFolder", {at("a"), at("c")}));  // the target exists
  EXPECT_TRUE(done(u"RenameFolder", {at("c"), Utf8Text("d")}));
  EXPECT_FALSE(done(u"DeleteFile", {at("d")}));  // a folder is no file
  EXPECT_TRUE(done(u"DeleteFile", {at("d/one.txt")}));
  EXPECT_TRUE(done(u"DeleteFolder", {at("d")}));
  EXPECT_FALSE(std::filesystem::exists(dir.path / "d"));
  EXPECT_FALSE(done(u"DeleteFolder", {at("d")}));
}

TEST(CommonComputerMethods, ComputerAndFolderTextsAreThere) {
  EXPECT_FALSE(CallCommon(u"GetComputerName", {}).GetText().empty());
  EXPECT_EQ(Utf16ToUtf8(CallCommon(u"GetCurrentFolder", {}).GetText()),
            std::filesystem::current_path().string());
  EXPECT_FALSE(CallCommon(u"GetModuleFolder", {}).GetText().empty());
  EXPECT_EQ(CallCommon(u"CFilePath", {Utf8Text("x/../y\\z")}).GetText(),
            Utf8ToUtf16((std::filesystem::current_path() / "y/z").string()));
  const CNValue info = CallCommon(u"GetTimeZoneInfo", {Utf8Text("Asia/Tokyo")});
  ASSERT_EQ(info.GetCount(), 3u);
  EXPECT_EQ(info.GetNumber(1), 540.0);
  EXPECT_TRUE(CallCommon(u"GetTimeZoneInfo", {Utf8Text("No/Such_Zone")}).IsEmpty());
  EXPECT_GT(CallCommon(u"GetSupportedTimeZone", {}).GetCount(), 100u);
}

TEST(CommonTimeZones, PartsOfATimeFollowTheNamedZone) {
  CRCalendarTime utc;
  utc.year = 2024, utc.month = 7, utc.day = 1, utc.hour = 20;
  FileTime ticks = 0;
  ASSERT_TRUE(UtcCalendarToFileTime(utc, ticks));
  CNValue time;
  time.SetTime(ticks);
  EXPECT_EQ(CallCommon(u"GetDay", {time, Utf8Text("Asia/Tokyo")}).GetNumber(), 2.0);
  EXPECT_EQ(CallCommon(u"GetHour", {time, Utf8Text("Tokyo Standard Time")}).GetNumber(), 5.0);
  EXPECT_EQ(CallCommon(u"GetHour", {time, Utf8Text("UTC")}).GetNumber(), 20.0);
  EXPECT_EQ(CallCommon(u"GetHour", {time, Utf8Text("Europe/Berlin")}).GetNumber(), 22.0);
  EXPECT_TRUE(CallCommon(u"DST", {time, Utf8Text("Europe/Berlin")}).GetBool());
  EXPECT_FALSE(CallCommon(u"DST", {time, Utf8Text("Asia/Tokyo")}).GetBool());
  EXPECT_TRUE(CallCommon(u"GetMinute", {time, Utf8Text("Nowhere")}).IsNA(0));
}

TEST(CommonSystemMethods, MessageBoxesAnswerAndProgramsStart) {
  CRRecordingMessageBox box;
  box.SetDefaultAnswer(IDNO);
  CRMessageBox* previous = CRMessageBox::SetCurrent(&box);
  CNValue type;
  type.SetNumber(4 + 32);  // Yes and No, question icon
  EXPECT_EQ(CallCommon(u"MsgBox", {Utf8Text("Stop the pump?"), Utf8Text("Pump"), type}).GetNumber(), IDNO);
  EXPECT_EQ(CallCommon(u"MessageBox", {Utf8Text("Done")}).GetNumber(), IDOK);
  CRMessageBox::SetCurrent(previous);
  const auto records = box.GetRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].caption, u"Pump");
  EXPECT_EQ(records[0].buttons, MB_YESNO);
  EXPECT_EQ(records[0].icon, MB_ICONQUESTION);

  EXPECT_TRUE(CallCommon(u"OpenApplication", {Utf8Text("true"), Utf8Text("ignored")}).GetBool());
  EXPECT_FALSE(CallCommon(u"OpenApplication", {Utf8Text("/no/such/program")}).GetBool());
  EXPECT_FALSE(CallCommon(u"OpenApplicationFile", {Utf8Text("/no/such/file.txt")}).GetBool());
}
