// libveltrixbrowser.so loaded as a container loads it (dlopen) and driven through its C
// interface only: values of every kind, panel events, error texts, properties, registration,
// two controls side by side, and a destruction in the middle of everything.
#include <dirent.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "project/project_test_util.h"
#include "comm_e2e/server_process.h"
#include "veltrix_browser.h"

namespace {

// The C interface, looked up by name as any container would.
struct Library {
  void* handle = dlopen(VELTRIX_BROWSER_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  template <class F>
  F* Get(const char* name) const {
    return reinterpret_cast<F*>(dlsym(handle, name));
  }
#define VB_FUNCTION(name) decltype(::name)* name = Get<decltype(::name)>(#name)
  VB_FUNCTION(vb_ctrl_create);
  VB_FUNCTION(vb_ctrl_destroy);
  VB_FUNCTION(vb_ctrl_set_run_mode);
  VB_FUNCTION(vb_ctrl_create_window);
  VB_FUNCTION(vb_ctrl_resize);
  VB_FUNCTION(vb_ctrl_set_file_name);
  VB_FUNCTION(vb_ctrl_get_file_name);
  VB_FUNCTION(vb_ctrl_set_current_directory);
  VB_FUNCTION(vb_ctrl_get_current_directory);
  VB_FUNCTION(vb_ctrl_open_file);
  VB_FUNCTION(vb_ctrl_set_policy_file);
  VB_FUNCTION(vb_ctrl_call_panel_method);
  VB_FUNCTION(vb_ctrl_get_last_error);
  VB_FUNCTION(vb_ctrl_set_panel_event_handler);
  VB_FUNCTION(vb_ctrl_pump);
  VB_FUNCTION(vb_ctrl_save_properties);
  VB_FUNCTION(vb_ctrl_load_properties);
  VB_FUNCTION(vb_string_free);
  VB_FUNCTION(vb_register_server);
  VB_FUNCTION(vb_unregister_server);
#undef VB_FUNCTION

  // A returned text as a string, freed.
  std::string Take(char* text) const {
    if (!text) return "(null)";
    std::string copy(text);
    vb_string_free(text);
    return copy;
  }
  std::string Call(vb_ctrl* ctrl, const char* name, std::vector<const char*> args = {}) const {
    return Take(vb_ctrl_call_panel_method(ctrl, name, static_cast<int>(args.size()), args.data()));
  }
  std::string LastError(vb_ctrl* ctrl) const { return Take(vb_ctrl_get_last_error(ctrl)); }
};

const Library& Lib() {
  static const Library library;
  return library;
}

constexpr const char* kScript =
    "function Echo(x) { return x; }\n"
    "function Sum(p1, p2, p3, p4, p5, p6, p7, p8, p9, p10) { return p1+p2+p3+p4+p5+p6+p7+p8+p9+p10; }\n"
    "function Fire(a, b) { ::FirePanelEvent(\"Changed\", a, b); }\n";

std::string WriteProject(const TempFolder& folder, const std::string& name, const std::string& title) {
  return folder.Write(name, ProjectText("DefaultForm=\"Main\" Title=\"" + title + "\" " + RootEvents(kScript),
                                        "<OBJ clid=\"Form\" Name=\"Main\" Width=\"200\" Height=\"100\" "
                                        "Event=\"function Twice(x) { return x * 2; }\"/>\r\n"));
}

struct Events {
  std::vector<std::string> seen;
  static void Record(void* user, const char* name, const char* p1, const char* p2) {
    static_cast<Events*>(user)->seen.push_back(std::string(name) + "|" + p1 + "|" + p2);
  }
};

// The library, and a control of the test's own (destroyed at the end unless the test did).
class LibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Lib().handle, nullptr) << dlerror();
    ctrl = vb.vb_ctrl_create();
    ASSERT_NE(ctrl, nullptr);
  }
  void TearDown() override {
    if (ctrl) vb.vb_ctrl_destroy(ctrl);
  }
  // Writes a project of its own and opens it in control.
  bool Open(vb_ctrl* control, const std::string& name, const std::string& title = "P") {
    return vb.vb_ctrl_open_file(control, WriteProject(m_folder, name, title).c_str()) == 1;
  }

  const Library& vb = Lib();
  TempFolder m_folder;
  vb_ctrl* ctrl = nullptr;
};

TEST_F(LibraryTest, ValuesOfEveryKindCrossUnchangedAndTenParametersArrive) {
  ASSERT_TRUE(Open(ctrl, "v.xml")) << vb.LastError(ctrl);
  for (const char* literal : {"12.5", "-3", "\"text\"", "\"caf\xC3\xA9 \\\"q\\\"\"", "T", "c(1,2)", "c(\"a\",\"b\")",
                              "#2024/03/01 08:00:00#", "#N/A#", "#NOTHING#"})
    EXPECT_EQ(vb.Call(ctrl, "::Echo", {literal}), literal);
  EXPECT_EQ(vb.Call(ctrl, "root.Sum", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}), "55");
  EXPECT_EQ(vb.Call(ctrl, "Main.Twice", {"4"}), "8");  // an object's own function by its path
  EXPECT_EQ(vb.Call(ctrl, "::GetCurrentPath"), "\"" + m_folder.Path("") + "\"");  // a built-in answers too
}

TEST_F(LibraryTest, FailuresGiveTheEmptyValueAndAnErrorText) {
  EXPECT_EQ(vb.vb_ctrl_open_file(ctrl, "/no/such/project.xml"), 0);
  EXPECT_EQ(vb.LastError(ctrl), "Fail to open file. File:/no/such/project.xml");
  EXPECT_EQ(vb.Call(ctrl, "::Echo", {"1"}), "#NOTHING#");
  EXPECT_EQ(vb.LastError(ctrl), "Fail to CallPanelMethod because no project is open.");
  ASSERT_TRUE(Open(ctrl, "f.xml"));
  struct Case {
    const char* name;
    std::vector<const char*> args;
    std::string error;
  };
  const Case cases[] = {
      {"Echo", {"1"}, "Fail to CallPanelMethod because method name is not valid."},
      {".Echo", {}, "Fail to CallPanelMethod because method name is not valid."},
      {"", {}, "Fail to CallPanelMethod because method name is not valid."},
      {nullptr, {}, "Invalid argument: a text is null."},
      {"::Echo\xC0\xAF", {}, "Invalid argument: a text is not valid UTF-8."},
      {"::Echo", {"\xED\xA0\x80"}, "Invalid argument: a text is not valid UTF-8."},
      {"::Echo", {nullptr}, "Invalid argument: a text is null."},
      {"::Echo", {"c(1,"}, "Invalid argument: not a value literal: c(1,"},
      {"::Echo", {"\"open"}, "Invalid argument: not a value literal: \"open"},
      {"::Echo", {"12abc"}, "Invalid argument: not a value literal: 12abc"},
      {"::Echo", {"#2024/13/45 99:00:00#"}, "Invalid argument: not a value literal: #2024/13/45 99:00:00#"},
      {"::Sum",
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"},
       "Invalid argument: the parameter count is out of range."},
      {"Nowhere.Echo", {}, "Fail to CallPanelMethod because the object is not found. Object:Nowhere"},
      // The last point splits; every "::" stands for the root.
      {"Main.X.Echo", {}, "Fail to CallPanelMethod because the object is not found. Object:Main.X"},
      {"::Main::Twice", {}, "Fail to CallPanelMethod because the object is not found. Object:root.Mainroot"},
      {"Main.Nothing", {}, "Fail to CallPanelMethod because the method is not found. Method:Main.Nothing"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(vb.Call(ctrl, c.name, c.args), "#NOTHING#") << (c.name ? c.name : "null");
    EXPECT_EQ(vb.LastError(ctrl), c.error) << (c.name ? c.name : "null");
  }
  EXPECT_EQ(vb.Take(vb.vb_ctrl_call_panel_method(ctrl, "::Echo", -1, nullptr)), "#NOTHING#");
  EXPECT_EQ(vb.LastError(ctrl), "Invalid argument: the parameter count is out of range.");

  // Another thread, a null or a destroyed control: refused without touching anything.
  std::string fromThread;
  std::thread([&] { fromThread = vb.Call(ctrl, "::Echo", {"1"}); }).join();
  EXPECT_EQ(fromThread, "(null)");
  EXPECT_EQ(vb.Call(nullptr, "::Echo", {"1"}), "(null)");
  EXPECT_EQ(vb.vb_ctrl_pump(nullptr, 0), 0);
  vb.vb_ctrl_destroy(ctrl);
  EXPECT_EQ(vb.Call(ctrl, "::Echo", {"1"}), "(null)");
}

TEST_F(LibraryTest, ASitePolicyStopsTheFamiliesItDeniesAndAMalformedOneIsRefused) {
  EXPECT_EQ(vb.vb_ctrl_set_policy_file(ctrl, m_folder.Write("bad", "local everything allow\n").c_str()), 0);
  EXPECT_NE(vb.LastError(ctrl).find("line 1"), std::string::npos) << vb.LastError(ctrl);
  ASSERT_EQ(vb.vb_ctrl_set_policy_file(ctrl, m_folder.Write("policy", "* files deny\n").c_str()), 1);
  ASSERT_TRUE(Open(ctrl, "p.xml")) << vb.LastError(ctrl);
  const std::string target = m_folder.Write("untouched.txt", "kept");
  const std::string literal = "\"" + target + "\"";
  EXPECT_EQ(vb.Call(ctrl, "::DeleteFile", {literal.c_str()}), "F");
  EXPECT_TRUE(std::filesystem::exists(target));
}

TEST_F(LibraryTest, PanelEventsCarryTwoValuesOnceThereIsAWindowAndAShutdownEndsThePump) {
  Events events;
  vb.vb_ctrl_set_panel_event_handler(ctrl, &Events::Record, &events);
  ASSERT_TRUE(Open(ctrl, "e.xml"));
  vb.Call(ctrl, "::Fire", {"1", "\"a\""});
  EXPECT_TRUE(events.seen.empty());
  ASSERT_EQ(vb.vb_ctrl_create_window(ctrl, 0, 320, 200), 1);
  EXPECT_EQ(vb.vb_ctrl_create_window(ctrl, 0, 320, 200), 0);
  vb.Call(ctrl, "::Fire", {"c(1.5,2)", "#2024/03/01 08:00:00#"});
  EXPECT_EQ(events.seen, (std::vector<std::string>{"Changed|c(1.5,2)|#2024/03/01 08:00:00#"}));
  EXPECT_EQ(vb.vb_ctrl_pump(ctrl, 30), 1);
  vb.vb_ctrl_resize(ctrl, -5, 1 << 30);  // kept within sane sizes
  EXPECT_EQ(vb.vb_ctrl_pump(ctrl, 30), 1);
  // The project's own shutdown ends the container's pumping.
  vb.Call(ctrl, "::CloseBrowser");
  EXPECT_EQ(vb.vb_ctrl_pump(ctrl, 5000), 0);
}

TEST_F(LibraryTest, AControlDestroyedByItsOwnEventHandlerGoesAfterTheCall) {
  ASSERT_TRUE(Open(ctrl, "d.xml"));
  vb.vb_ctrl_create_window(ctrl, 0, 100, 100);
  struct Destroyer {
    vb_ctrl* ctrl;
    std::string during;
    static void OnEvent(void* user, const char*, const char*, const char*) {
      auto* self = static_cast<Destroyer*>(user);
      Lib().vb_ctrl_destroy(self->ctrl);
      self->during = Lib().Call(self->ctrl, "::Echo", {"1"});
    }
  } destroyer{ctrl, {}};
  vb.vb_ctrl_set_panel_event_handler(ctrl, &Destroyer::OnEvent, &destroyer);
  EXPECT_EQ(vb.Call(ctrl, "::Fire", {"1", "2"}), "#NOTHING#");
  EXPECT_EQ(destroyer.during, "(null)");
  EXPECT_EQ(vb.Call(std::exchange(ctrl, nullptr), "::Echo", {"1"}), "(null)");
}

TEST_F(LibraryTest, PropertiesSavedByOneControlOpenInAnother) {
  const std::string project = WriteProject(m_folder, "p.xml", "P");
  ASSERT_EQ(vb.vb_ctrl_set_file_name(ctrl, project.c_str()), 1);  // design mode: stored
  ASSERT_EQ(vb.vb_ctrl_set_current_directory(ctrl, m_folder.Path("").c_str()), 1);
  const size_t size = vb.vb_ctrl_save_properties(ctrl, nullptr, 0);
  std::vector<unsigned char> bytes(size);
  ASSERT_EQ(vb.vb_ctrl_save_properties(ctrl, bytes.data(), bytes.size()), size);
  vb.vb_ctrl_destroy(std::exchange(ctrl, nullptr));

  vb_ctrl* second = vb.vb_ctrl_create();
  EXPECT_EQ(vb.vb_ctrl_load_properties(second, bytes.data(), bytes.size() - 1), 0);
  EXPECT_EQ(vb.vb_ctrl_load_properties(second, nullptr, 4), 0);
  ASSERT_EQ(vb.vb_ctrl_load_properties(second, bytes.data(), bytes.size()), 1);
  EXPECT_EQ(vb.Take(vb.vb_ctrl_get_file_name(second)), project);
  EXPECT_EQ(vb.Take(vb.vb_ctrl_get_current_directory(second)), m_folder.Path(""));
  vb.vb_ctrl_set_run_mode(second, 1);
  ASSERT_EQ(vb.vb_ctrl_create_window(second, 0, 200, 100), 1);
  EXPECT_EQ(vb.Call(second, "::Echo", {"7"}), "7");
  vb.vb_ctrl_destroy(second);
}

TEST_F(LibraryTest, TwoControlsInOneProcessKeepTheirOwnProjects) {
  vb_ctrl* b = vb.vb_ctrl_create();
  ASSERT_TRUE(Open(ctrl, "a.xml", "Alpha"));
  ASSERT_TRUE(Open(b, "b.xml", "Beta"));
  EXPECT_EQ(vb.Call(ctrl, "::GetBrowserFileName"), vb.Call(ctrl, "::GetBrowserFileName"));
  EXPECT_NE(vb.Call(ctrl, "::GetBrowserFileName"), vb.Call(b, "::GetBrowserFileName"));
  vb.vb_ctrl_destroy(std::exchange(ctrl, nullptr));
  EXPECT_EQ(vb.Call(b, "::Echo", {"\"still\""}), "\"still\"");
  vb.vb_ctrl_destroy(b);
}

// The store's file without its blank lines (the store puts one between keys), "" when there is
// none.
std::string ReadStore(const std::filesystem::path& config) {
  std::ifstream in(config / "Tarnvale" / "Panel Browser control Ver6" / "registry.txt");
  std::string text, line;
  while (std::getline(in, line))
    if (!line.empty()) text += line + "\n";
  return text;
}

TEST_F(LibraryTest, RegistrationWritesTheClassesAndUnregisteringTakesExactlyThatOut) {
  const char* previous = getenv("XDG_CONFIG_HOME");
  const std::string saved = previous ? previous : "";
  const std::filesystem::path config = m_folder.Path("config");
  const std::string other = "[Software\\Classes\\Other.Control]\n@=\"kept\"\n";
  m_folder.Write("config/Tarnvale/Panel Browser control Ver6/registry.txt", other);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);

  EXPECT_EQ(vb.vb_register_server(), 0);
  const std::string text = ReadStore(config);
  for (const std::string& line :
       {std::string("[Software\\Classes\\KV.VELTRIX.6.U]\n@=\"Tarnvale Veltrix Ver6.0\""),
        std::string("[Software\\Classes\\KV.VELTRIXPROPPAGE.6.U]\n@=\"Tarnvale Veltrix Ver6.0 Property Page\""),
        std::string("\"ThreadingModel\"=\"Apartment\""), std::string("MiscStatus\\1]\n@=\"131473\""),
        std::string("InprocServer32]\n@=\"") + VELTRIX_BROWSER_LIBRARY + "\"",
        std::string("Version]\n@=\"1.0\"")})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

  EXPECT_EQ(vb.vb_unregister_server(), 0);
  EXPECT_EQ(ReadStore(config), other);

  // A store that cannot be written fails on the type library, the first part.
  const std::string blocked = m_folder.Write("blocked", std::string("a file, not a folder"));
  setenv("XDG_CONFIG_HOME", blocked.c_str(), 1);
  EXPECT_EQ(static_cast<uint32_t>(vb.vb_register_server()), 0x80040200u);
  if (previous) setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else unsetenv("XDG_CONFIG_HOME");
}

size_t CountThreads() {
  size_t count = 0;
  if (DIR* tasks = opendir("/proc/self/task")) {
    while (const dirent* entry = readdir(tasks))
      if (entry->d_name[0] != '.') ++count;
    closedir(tasks);
  }
  return count;
}

TEST_F(LibraryTest, DestroyingABusyControlLeavesNoThreadBehind) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const std::string project =
      m_folder.Write("demo.xml", WithPanelPort(ReadText(VELTRIX_DEMO_PROJECT), server.Port()));

  const size_t before = CountThreads();
  vb_ctrl* busy = vb.vb_ctrl_create();
  Events events;
  vb.vb_ctrl_set_panel_event_handler(busy, &Events::Record, &events);
  vb.vb_ctrl_set_run_mode(busy, 1);
  ASSERT_EQ(vb.vb_ctrl_create_window(busy, 0, 800, 602), 1);
  ASSERT_EQ(vb.vb_ctrl_set_file_name(busy, project.c_str()), 1) << vb.LastError(busy);
  EXPECT_EQ(vb.vb_ctrl_pump(busy, 300), 1);
  EXPECT_GT(CountThreads(), before);
  // A request the loop has not run yet.
  vb.Call(busy, "::OpenFile", {("\"" + project + "\"").c_str()});
  vb.vb_ctrl_destroy(busy);
  EXPECT_EQ(CountThreads(), before);
}

}  // namespace
