// The root's login and server functions, driven by scripts: against a real panel server
// process through a login stub, and in a host that has no login at all.
#include "methods/root_login_methods.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "comm/login_stub.h"
#include "comm_e2e/server_process.h"
#include "comm_e2e/stub_settings.h"
#include "common_call_util.h"
#include "root_test_util.h"

namespace {

using Lines = std::vector<std::string>;

// A panel server process, a login stub and a world whose host offers both.
struct ServerWorld {
  ServerWorld() { world.engine.SetLoginServer(&stub, settings.Get(), 42); }
  ServerProcess server;
  CRPtr<CNConnectionSettings> settings = NodeSettings({server.Port()});
  CNLoginStub stub{nullptr};
  RootWorld world;
};

}  // namespace

TEST(RootLoginFunctions, LogInAndOutWithTheServersAnswers) {
  ServerWorld w;
  ASSERT_TRUE(w.server.IsRunning());
  EXPECT_EQ(w.world.Run(u"::Trace(::IsLogin(), ::GetServerTime(), ::GetLoginLastError());\n"
                        u"::Trace(::Login(\"admin\", \"wrong\"), ::GetLoginLastError(), ::IsLogin());\n"
                        u"::Trace(::DirectLogin(\"admin\", \"admin\"), ::IsLogin(), ::GetLoginUser(),\n"
                        u"        ::GetLoginIPAddress());\n"
                        u"::Trace(::Logout(), ::IsLogin(), ::Logout());"),
            (Lines{"F", "#NOTHING#", "Not logined.",            //
                   "F", "Invalid user name or password.", "F",  //
                   "T", "T", "c(\"admin\",9)", "127.0.0.1",     //
                   "T", "F", "T"}));
}

TEST(RootLoginFunctions, ServerClockUsersCountersAndTagsRoundTrip) {
  ServerWorld w;
  ASSERT_TRUE(w.server.IsRunning());
  EXPECT_EQ(
      w.world.Run(
          u"::Login(\"admin\", \"admin\");\n"
          u"::Trace(::SetServerTime(CTime(2020, 1, 2, 3, 4, 5)), ::GetTimeLastError());\n"
          u"var t = ::GetServerTime();\n"
          u"::Trace(GetYear(t), GetMonth(t), GetDay(t), GetHour(t));\n"
          u"::Trace(::SetServerTime(\"no time\"), ::GetTimeLastError());\n"
          u"::Trace(::AddLoginUser(c(\"op\", \"op2\"), c(\"pw\", \"pw2\"), 5), ::Logout(),\n"
          u"        ::Login(\"op2\", \"pw2\"), ::GetLoginUser());\n"
          u"::Trace(::AddLoginUser(\"\", \"pw\", 1), ::GetLoginLastError());\n"
          u"::Trace(::DelLoginUser(\"nobody\"), ::GetLoginLastError());\n"
          u"::Trace(::AddServerReferenceCounter(\"R\"), ::AddServerReferenceCounter(\"R\"),\n"
          u"        ::GetServerReferenceCounter(\"R\"), ::ClearServerReferenceCounter(\"R\"),\n"
          u"        ::GetServerReferenceCounter(\"R\"), ::ReleaseServerReferenceCounter(\"R\"),\n"
          u"        ::GetLoginLastError());\n"
          u"::Trace(::SearchTags(\"point\"), ::GetStructureTagValue(\"SetPoint\"),\n"
          u"        ::SendMail(\"mail.example.org\", 25, \"a@example.org\", c(\"b@x.org\", \"c@x.org\"),\n"
          u"                   \"subject\", \"body\"));\n"
          u"::Trace(::FilterStructureTagName(\"point\"),\n"
          u"        ::CreateSnapshotStructureTag(\"s\", \"*\", \"\", \"\"),\n"
          u"        ::GetSnapshotStructureTagValue(\"s\"),\n"
          u"        ::GetRelatedInfo(\"x\"), ::GetLoginLastError());"),
      // clang-format off
      (Lines{"T", "",
             "2020", "1", "2", "3",
             "F", "Invalid time.",
             "T", "T", "T", "c(\"op2\",5)",
             "F", "No user name.",
             "F", "No such user.",
             "T", "T", "2", "T", "0", "F", "Reference counter not held.",
             "SetPoint", "75", "T",
             "SetPoint", "T", "#NOTHING#", "#NOTHING#", "The panel server offers no such service."}));
  // clang-format on
}

TEST(RootLoginFunctions, FilesGoToTheServerAndBackAndAFailedFetchKeepsTheLocalFile) {
  ServerWorld w;
  ASSERT_TRUE(w.server.IsRunning());
  TempFolder dir;
  const std::string bytes("\0\x01\xFE\xFF\0 end", 8);
  dir.Write("a.bin", bytes);
  EXPECT_EQ(w.world.Call(
                u"function Files(src, dst) {\n"
                u"  ::Login(\"admin\", \"admin\");\n"
                u"  ::Trace(::SendFile(src, \"dir\"), ::ServerBrowseFolder(\"dir\"),\n"
                u"          ::ReceiveFile(\"dir\", \"a.bin\", dst));\n"
                u"  ::Trace(::SendFile(src & \".none\", \"dir\"), ::GetLoginLastError());\n"
                u"  ::Trace(::ServerDeleteFile(\"dir\", \"a.bin\"), ::ServerDeleteFile(\"dir\", \"a.bin\"),\n"
                u"          ::GetLoginLastError());\n"
                u"  ::Logout();\n"
                u"  ::Trace(::ReceiveFile(\"dir\", \"a.bin\", dst), ::GetLoginLastError());\n"
                u"}",
                u"Files", {Utf8Text(dir.File("a.bin")), Utf8Text(dir.File("back.bin"))}),
            (Lines{"T", "a.bin", "T",                                          //
                   "F", "Can't read the file " + dir.File("a.bin") + ".none",  //
                   "T", "F", "File not found.",                                //
                   "F", "Not logined."}));
  EXPECT_EQ(dir.Read("back.bin"), bytes);
}

TEST(RootLoginFunctions, WithoutALoginServerEveryFunctionFailsCleanlyAndSaysWhy) {
  EXPECT_EQ(RootWorld().Run(
                u"::Trace(::Login(\"admin\", \"admin\"), ::GetLoginLastError(), ::IsLogin(), ::Logout());\n"
                u"::Trace(::GetServerTime(), ::GetTimeLastError(), ::GetLoginIPAddress());\n"
                u"::Trace(::SearchTags(\"x\"), ::ReceiveFile(\"d\", \"f\", \"/nonexistent/f\"),\n"
                u"        ::SendMail(\"s\", 25, \"a@b\", \"c@d\", \"s\", \"b\"), ::GetLoginLastError());\n"
                u"::Logout(1);"),
            (Lines{"F", "No login server.", "F", "F",             //
                   "#NOTHING#", "No login server.", "#NOTHING#",  //
                   "#NOTHING#", "F", "F", "No login server.",     //
                   "Runtime Error : Function execution stops for Logout"}));
}

namespace {

timespec s_clockSet{};
int s_clockAnswer = 0;
int RecordClock(const timespec& time) {
  s_clockSet = time;
  return s_clockAnswer;
}

}  // namespace

TEST(RootLoginFunctions, SetClientTimeSetsTheClockOnlyWithThePermissionToDoSo) {
  SetClientClockSetter(&RecordClock);
  RootWorld world;
  CNValue time;
  time.SetTime(kUnixEpochTicks + 1'700'000'000 * kTicksPerSecond + 5'000'000);
  const std::u16string_view script =
      u"function SetClock(t) { ::Trace(::SetClientTime(t), ::GetTimeLastError()); }";

  EXPECT_EQ(world.Call(script, u"SetClock", {time}), (Lines{"T", ""}));
  EXPECT_EQ(s_clockSet.tv_sec, 1'700'000'000);
  EXPECT_EQ(s_clockSet.tv_nsec, 500'000'000);
  s_clockAnswer = EPERM;
  EXPECT_EQ(world.Call(script, u"SetClock", {time}),
            (Lines{"F", "Not permitted to set the computer's clock."}));
  s_clockSet = {};
  EXPECT_EQ(world.Call(script, u"SetClock", {Utf8Text("soon")}), (Lines{"F", "Invalid time."}));
  EXPECT_EQ(s_clockSet.tv_sec, 0);
  SetClientClockSetter(nullptr);
}
