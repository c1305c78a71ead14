// The root's login and server functions, driven by scripts: against a real panel server
// process through a login stub, and in a host that has no login at all.
#include "methods/root_login_methods.h"

#include <gtest/gtest.h>
#include <microhttpd.h>
#include <stdlib.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "comm/login_stub.h"
#include "comm_e2e/server_process.h"
#include "comm_e2e/stub_settings.h"
#include "controls/form.h"
#include "methods/builtin_methods.h"
#include "objects/object_registry.h"
#include "script/script_engine_impl.h"
#include "support/utf16_text.h"
#include "values/value_display.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

// The engine as the project runtime sets it up: its login service and connection settings.
class LoginEngine : public CNScriptImpl {
 public:
  using CNScriptImpl::CNScriptImpl;
  CNPLoginServer* GetLoginServer(CNConnectionSettings*& settings, uint32_t& ownerId) override {
    settings = m_pSettings;
    ownerId = 42;
    return m_pServer;
  }
  CNPLoginServer* m_pServer = nullptr;
  CNConnectionSettings* m_pSettings = nullptr;
};

// A root form with one form below it whose script is under test. Run gives every ::Trace
// argument and every reported error as a line, in order.
class LoginWorld : public CNObjectOwner, public IKVScriptErrorSink {
 public:
  explicit LoginWorld(CNPLoginServer* server = nullptr, CNConnectionSettings* settings = nullptr)
      : m_engine(m_registry) {
    RegisterBuiltInMethods();
    RegisterObjectClass<CNPForm>(m_registry, u"Form", {});
    m_engine.m_pServer = server;
    m_engine.m_pSettings = settings;
    m_pRoot->SetOwner(this);
    m_pRoot->SetName(u"Root");
    m_pPanel = m_registry.Create(u"Form");
    m_pPanel->SetName(u"Panel");
    m_pRoot->AddChild(m_pPanel);
    m_engine.SetErrorSink(this);
    m_engine.SetTraceOutput(
        [this](const CNValue& value) { m_output.push_back(Utf16ToUtf8(DisplayText(value))); });
  }
  ~LoginWorld() override {
    m_engine.Shutdown();
    m_pRoot->Release();
  }

  CNScript* GetScript() override { return &m_engine; }
  void OnScriptError(std::u16string_view title, std::u16string_view message) override {
    m_output.push_back(Utf16ToUtf8(title) + " : " + Utf16ToUtf8(message));
  }

  Lines Run(std::u16string_view script, std::u16string_view function = u"OnInitialize",
            std::vector<CNValue> args = {}) {
    m_output.clear();
    m_pPanel->SetEvent(script);
    if (m_engine.Load(m_pPanel))
      m_engine.RunFunction(m_pPanel, function, args.data(), static_cast<uint32_t>(args.size()), nullptr);
    return m_output;
  }

 private:
  CPanelControls m_registry;
  LoginEngine m_engine;
  CNObject* m_pRoot = new CNPForm;
  CNObject* m_pPanel = nullptr;
  Lines m_output;
};

// A panel server process, a login stub and a world whose host offers both.
struct ServerWorld {
  ServerProcess server;
  CRPtr<CNConnectionSettings> settings = NodeSettings({server.Port()});
  CNLoginStub stub{nullptr};
  LoginWorld world{&stub, settings.Get()};
};

CNValue Text(const std::string& text) {
  CNValue value;
  value.SetString(Utf8ToUtf16(text));
  return value;
}

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(RootLoginFunctions, LogInAndOutWithTheServersAnswers) {
  ServerWorld w;
  ASSERT_TRUE(w.server.IsRunning());
  EXPECT_EQ(w.world.Run(u"event OnInitialize() {\n"
                        u"  ::Trace(::IsLogin(), ::GetServerTime(), ::GetLoginLastError());\n"
                        u"  ::Trace(::Login(\"admin\", \"wrong\"), ::GetLoginLastError(), ::IsLogin());\n"
                        u"  ::Trace(::DirectLogin(\"admin\", \"admin\"), ::IsLogin(), ::GetLoginUser(),\n"
                        u"          ::GetLoginIPAddress());\n"
                        u"  ::Trace(::Logout(), ::IsLogin(), ::Logout());\n"
                        u"}"),
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
          u"event OnInitialize() {\n"
          u"  ::Login(\"admin\", \"admin\");\n"
          u"  ::Trace(::SetServerTime(CTime(2020, 1, 2, 3, 4, 5)), ::GetTimeLastError());\n"
          u"  var t = ::GetServerTime();\n"
          u"  ::Trace(GetYear(t), GetMonth(t), GetDay(t), GetHour(t));\n"
          u"  ::Trace(::SetServerTime(\"no time\"), ::GetTimeLastError());\n"
          u"  ::Trace(::AddLoginUser(c(\"op\", \"op2\"), c(\"pw\", \"pw2\"), 5), ::Logout(),\n"
          u"          ::Login(\"op2\", \"pw2\"), ::GetLoginUser());\n"
          u"  ::Trace(::AddLoginUser(\"\", \"pw\", 1), ::GetLoginLastError());\n"
          u"  ::Trace(::DelLoginUser(\"nobody\"), ::GetLoginLastError());\n"
          u"  ::Trace(::AddServerReferenceCounter(\"R\"), ::AddServerReferenceCounter(\"R\"),\n"
          u"          ::GetServerReferenceCounter(\"R\"), ::ClearServerReferenceCounter(\"R\"),\n"
          u"          ::GetServerReferenceCounter(\"R\"), ::ReleaseServerReferenceCounter(\"R\"),\n"
          u"          ::GetLoginLastError());\n"
          u"  ::Trace(::SearchTags(\"point\"), ::GetStructureTagValue(\"SetPoint\"),\n"
          u"          ::SendMail(\"mail.example.org\", 25, \"a@example.org\", c(\"b@x.org\", \"c@x.org\"),\n"
          u"                     \"subject\", \"body\"));\n"
          u"  ::Trace(::FilterStructureTagName(\"point\"),\n"
          u"          ::CreateSnapshotStructureTag(\"s\", \"*\", \"\", \"\"),\n"
          u"          ::GetSnapshotStructureTagValue(\"s\"),\n"
          u"          ::GetRelatedInfo(\"x\"), ::GetLoginLastError());\n"
          u"}"),
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
  std::string dirTemplate = (fs::temp_directory_path() / "root_login_XXXXXX").string();
  ASSERT_NE(::mkdtemp(dirTemplate.data()), nullptr);
  const fs::path dir = dirTemplate;
  const std::string bytes("\0\x01\xFE\xFF\0 end", 8);
  std::ofstream(dir / "a.bin", std::ios::binary) << bytes;
  const fs::path back = dir / "back.bin";

  EXPECT_EQ(w.world.Run(
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
                u"Files", {Text((dir / "a.bin").string()), Text(back.string())}),
            (Lines{"T", "a.bin", "T",                                                 //
                   "F", "Can't read the file " + (dir / "a.bin").string() + ".none",  //
                   "T", "F", "File not found.",                                       //
                   "F", "Not logined."}));
  EXPECT_EQ(FileBytes(back), bytes);
  fs::remove_all(dir);
}

TEST(RootLoginFunctions, WithoutALoginServerEveryFunctionFailsCleanlyAndSaysWhy) {
  LoginWorld world;
  EXPECT_EQ(
      world.Run(u"event OnInitialize() {\n"
                u"  ::Trace(::Login(\"admin\", \"admin\"), ::GetLoginLastError(), ::IsLogin(), ::Logout());\n"
                u"  ::Trace(::GetServerTime(), ::GetTimeLastError(), ::GetLoginIPAddress());\n"
                u"  ::Trace(::SearchTags(\"x\"), ::ReceiveFile(\"d\", \"f\", \"/nonexistent/f\"),\n"
                u"          ::SendMail(\"s\", 25, \"a@b\", \"c@d\", \"s\", \"b\"), ::GetLoginLastError());\n"
                u"  ::Logout(1);\n"
                u"}"),
      (Lines{"F", "No login server.", "F", "F",             //
             "#NOTHING#", "No login server.", "#NOTHING#",  //
             "#NOTHING#", "F", "F", "No login server.",     //
             "Runtime Error : Function execution stops for Logout"}));
}

TEST(RootLoginFunctions, AWrongNumberOfArgumentsStopsTheScript) {
  LoginWorld world;
  const std::pair<std::u16string_view, int> calls[] = {
      {u"Login", 1},
      {u"DirectLogin", 5},
      {u"IsLogin", 1},
      {u"GetLoginUser", 1},
      {u"AddLoginUser", 2},
      {u"DelLoginUser", 0},
      {u"SetLoginPassword", 3},
      {u"GetServerTime", 1},
      {u"SetServerTime", 0},
      {u"SetClientTime", 2},
      {u"SaveServerFile", 2},
      {u"GetLoginLastError", 1},
      {u"GetTimeLastError", 1},
      {u"CreateSnapshotStructureTag", 3},
      {u"SortSnapshotStructureTagMember", 1},
      {u"GetSnapshotStructureTagValue", 4},
      {u"FilterStructureTagName", 6},
      {u"FilterStructureTagValue", 4},
      {u"GetStructureTagValue", 3},
      {u"SetStructureTagBindScript", 1},
      {u"ClearServerReferenceCounter", 0},
      {u"SendFile", 1},
      {u"ReceiveFile", 2},
      {u"ServerBrowseFolder", 4},
      {u"GetChildTags", 7},
      {u"GetRelatedInfo", 0},
      {u"SendMail", 5},
      {u"SendMailDirect", 9},
      {u"HTTPPost", 1},
  };
  for (const auto& [name, count] : calls) {
    std::u16string args;
    for (int i = 0; i < count; ++i) args += i ? u", \"x\"" : u"\"x\"";
    EXPECT_EQ(world.Run(u"event OnInitialize() { ::" + std::u16string(name) + u"(" + args + u"); }"),
              Lines{"Runtime Error : Function execution stops for " + Utf16ToUtf8(name)})
        << Utf16ToUtf8(name) << " with " << count;
  }
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
  LoginWorld world;
  CNValue time;
  time.SetTime(kUnixEpochTicks + 1'700'000'000 * kTicksPerSecond + 5'000'000);
  const std::u16string_view script =
      u"function SetClock(t) { ::Trace(::SetClientTime(t), ::GetTimeLastError()); }";

  EXPECT_EQ(world.Run(script, u"SetClock", {time}), (Lines{"T", ""}));
  EXPECT_EQ(s_clockSet.tv_sec, 1'700'000'000);
  EXPECT_EQ(s_clockSet.tv_nsec, 500'000'000);
  s_clockAnswer = EPERM;
  EXPECT_EQ(world.Run(script, u"SetClock", {time}),
            (Lines{"F", "Not permitted to set the computer's clock."}));
  s_clockSet = {};
  EXPECT_EQ(world.Run(script, u"SetClock", {Text("soon")}), (Lines{"F", "Invalid time."}));
  EXPECT_EQ(s_clockSet.tv_sec, 0);
  SetClientClockSetter(nullptr);
}

namespace {

// An HTTP server on a free local port: "/echo" answers "content type|body", anything else 404.
class EchoServer {
 public:
  EchoServer() {
    m_daemon =
        MHD_start_daemon(MHD_USE_INTERNAL_POLLING_THREAD, 0, nullptr, nullptr, &EchoServer::OnRequest,
                         nullptr, MHD_OPTION_NOTIFY_COMPLETED, &EchoServer::OnDone, nullptr, MHD_OPTION_END);
    if (m_daemon) m_port = MHD_get_daemon_info(m_daemon, MHD_DAEMON_INFO_BIND_PORT)->port;
  }
  ~EchoServer() {
    if (m_daemon) MHD_stop_daemon(m_daemon);
  }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
  }

 private:
  static MHD_Result OnRequest(void*, MHD_Connection* connection, const char* url, const char*, const char*,
                              const char* upload, size_t* uploadSize, void** state) {
    if (!*state) {
      *state = new std::string;
      return MHD_YES;
    }
    auto* body = static_cast<std::string*>(*state);
    if (*uploadSize) {
      body->append(upload, *uploadSize);
      *uploadSize = 0;
      return MHD_YES;
    }
    const char* type = MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "Content-Type");
    const bool echo = std::string(url) == "/echo";
    const std::string text = echo ? std::string(type ? type : "-") + "|" + *body : "gone";
    MHD_Response* response =
        MHD_create_response_from_buffer(text.size(), const_cast<char*>(text.data()), MHD_RESPMEM_MUST_COPY);
    const MHD_Result result = MHD_queue_response(connection, echo ? 200 : 404, response);
    MHD_destroy_response(response);
    return result;
  }
  static void OnDone(void*, MHD_Connection*, void** state, MHD_RequestTerminationCode) {
    delete static_cast<std::string*>(*state);
  }

  MHD_Daemon* m_daemon = nullptr;
  uint16_t m_port = 0;
};

}  // namespace

TEST(RootLoginFunctions, HttpPostSendsTheBodyWithItsTypeAndAnswersOnlySuccess) {
  EchoServer server;
  LoginWorld world;
  EXPECT_EQ(
      world.Run(
          u"function Post(url, missing) {\n"
          u"  ::Trace(::HTTPPost(url, c(\"a=1\", \"b=2\")), ::HTTPPost(url, \"{}\", \"application/json\"),\n"
          u"          ::HTTPPost(missing, \"x\"));\n"
          u"}",
          u"Post", {Text(server.Url("/echo")), Text(server.Url("/missing"))}),
      (Lines{"application/x-www-form-urlencoded|a=1\nb=2", "application/json|{}", "#NOTHING#"}));
}
