// "OnLogin(login,level)" as scripts receive it from a real server that stops, comes back, and a
// logout: the login state (0 logged out, 1 connection lost and trying, 2 logged in), not a flag.
#include <chrono>
#include <thread>

#include "comm_e2e/server_process.h"
#include "runtime_fixture.h"

namespace {

// The states the root and the label reported, in order.
struct LoginStates {
  std::vector<std::string> root, label;
};

LoginStates StatesOf(const std::vector<std::string>& traces) {
  LoginStates states;
  for (const std::string& line : traces) {
    if (line.starts_with("root ")) states.root.push_back(line.substr(5));
    if (line.starts_with("label ")) states.label.push_back(line.substr(6));
  }
  return states;
}

}  // namespace

TEST_F(RuntimeTest, OnLoginGivesTheStateThroughAServerLossAndALogout) {
  ServerProcess server;
  ASSERT_TRUE(server.IsRunning());
  const uint16_t port = server.Port();
  const std::string root =
      "DefaultForm=\"Main\" PSNode=\"127.0.0.1\" PSPanelPort=\"" + std::to_string(port) +
      "\" PSLoginStartup=\"AUTO\" PSLoginUser=\"user\" PSLoginPwd=\"wqxa\" PSTimeOut=\"2\" PSTimeOutConnect=\"1\" " +
      RootEvents("event OnLogin(login, level) { ::Trace(\"root \" & ::CStr(login) & \" \" & ::CStr(level)); }");
  const std::string label = "<OBJ clid=\"Label\" Name=\"lblBanner\" Event=\"" +
                            Attr("event OnLogin(login, level) { ::Trace(\"label \" & ::CStr(login)); }") +
                            "\">\r\n</OBJ>\r\n";
  ASSERT_TRUE(Open("plant.xml", root, Form("Main", {}, label))) << Utf16ToUtf8(Browser().GetLastError());

  // Refresh ticks until the root has reported count states (or the time runs out).
  const auto refreshUntil = [&](size_t count, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (StatesOf(m_host.traces).root.size() < count && std::chrono::steady_clock::now() < end) {
      Browser().OnTick(TICK_REFRESH);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    Browser().OnTick(TICK_REFRESH);
    return StatesOf(m_host.traces);
  };

  ASSERT_EQ(refreshUntil(1, 5).root, (std::vector<std::string>{"2 1"}));
  server.Stop();  // the keep-alive finds the server gone within about 5 seconds
  ASSERT_EQ(refreshUntil(2, 15).root, (std::vector<std::string>{"2 1", "1 1"}));
  ASSERT_TRUE(server.Start({.port = port}));  // and logs in again at a following keep-alive
  ASSERT_EQ(refreshUntil(3, 15).root, (std::vector<std::string>{"2 1", "1 1", "2 1"}));
  ASSERT_TRUE(Browser().RunHostCommand(u"logout"));
  const LoginStates states = refreshUntil(4, 5);
  EXPECT_EQ(states.root, (std::vector<std::string>{"2 1", "1 1", "2 1", "0 1"}));
  EXPECT_EQ(states.label, (std::vector<std::string>{"2", "1", "2", "0"}));
}
