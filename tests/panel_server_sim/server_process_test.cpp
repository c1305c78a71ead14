// The program itself: picked ports, the demo plant's tags by default, stopping on signals, and
// the texts and exit codes of bad command lines and tag files.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "comm/frame_bytes.h"
#include "comm_e2e/child_process.h"
#include "sim_client.h"

namespace {

// Starts the program with its standard error beside its output; the first line it prints.
std::string FirstLine(ChildProcess& program, std::vector<std::string> args) {
  args.insert(args.begin(), VELTRIX_PANEL_SERVER_SIM);
  std::string line;
  EXPECT_TRUE(program.Start(std::move(args), true));
  program.ReadLine(line, ChildProcess::NowMs() + 10000);
  return line;
}

}  // namespace

TEST(ServerProgram, ServesOnAPickedPortAndStopsOnSignals) {
  for (const int signal : {SIGTERM, SIGINT}) {
    ChildProcess program;
    const std::string listening = FirstLine(program, {"--port", "0", "--http-port", "0"});
    ASSERT_EQ(listening.rfind("listening on ", 0), 0u) << listening;
    std::vector<std::string> seen;
    EXPECT_FALSE(program.WaitForLine("^http on [0-9]+$", seen, 10000).empty());

    SimClient client;
    ASSERT_TRUE(client.Open(static_cast<uint16_t>(std::stoi(listening.substr(13)))));
    ASSERT_TRUE(client.SendBytes(HandshakeFrame(1, 1, 1, 0, 0)));
    EXPECT_EQ(client.ReadRawFrame().size(), 17u);
    ASSERT_TRUE(client.SendBytes(
        WireBytes::Command(9, u"Link").U32(1).U32(0).U64(1).Text(u"Boiler.SetPoint").U32(0).U32(0).Frame()));
    EXPECT_EQ(client.ReadRawFrame(), WireBytes::Command(9, u"Link").U32(1).U64(1).Frame());
    ASSERT_TRUE(client.SendBytes(WireBytes::Command(10, u"Read").U8(0).U32(1).U64(1).Frame()));
    EXPECT_EQ(client.ReadRawFrame(),
              WireBytes::Command(10, u"Read").U32(1).U8(0).U8(255).U8(1).U8(2).Double(75.0).Frame());

    EXPECT_EQ(program.Stop(signal), 0);
  }
}

TEST(ServerProgram, ReportsBadFilesAndOptions) {
  const std::string path = testing::TempDir() + "panel_sim_bad_tags.txt";
  std::ofstream(path) << "Good number 1\nBad number 1 sine 100\n";
  ChildProcess program;
  EXPECT_EQ(FirstLine(program, {"--port", "0", "--tags", path}),
            "panel-server-sim: " + path + ": line 2: generator sine: LOW must be a number, found nothing");
  EXPECT_EQ(program.Stop(0), 1);
  std::remove(path.c_str());

  EXPECT_EQ(FirstLine(program, {"--fault", "melt"}), "panel-server-sim: unknown fault \"melt\"");
  std::vector<std::string> usage;  // then the usage, with every fault and its argument
  EXPECT_FALSE(program.WaitForLine("^  alarm-shutdown=N +push ", usage, 10000).empty());
  EXPECT_EQ(program.Stop(0), 2);
}
