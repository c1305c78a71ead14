#include "support/trace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "support/trace_capture.h"

namespace {

TEST(Trace, SinkReceivesFormattedAndUtf16LinesWithoutLineBreaks) {
  TraceCapture capture;
  ASSERT_TRUE(CRTrace::IsEnabled());
  CRTrace::Printf("[%s] Size:%x Pos:%x RequestSize:%x", "CNPacketHolder::SetSize", 16u, 4u, 0x40u);
  CRTrace::Line(u"caf\u00E9 \U0001F600");
  CRTrace::Line(std::string_view("plain"));
  const std::string longText(5000, 'x');
  CRTrace::Printf("%s", longText.c_str());
  const std::vector<std::string> lines = capture.Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "[CNPacketHolder::SetSize] Size:10 Pos:4 RequestSize:40");
  EXPECT_EQ(lines[1], "caf\xC3\xA9 \xF0\x9F\x98\x80");
  EXPECT_EQ(lines[2], "plain");
  EXPECT_EQ(lines[3], longText);
}

TEST(Trace, LinesFromManyThreadsArriveWhole) {
  TraceCapture capture;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < 500; ++i) CRTrace::Printf("thread %d line %03d end", t, i);
    });
  }
  for (std::thread& thread : threads) thread.join();
  const std::vector<std::string> lines = capture.Lines();
  ASSERT_EQ(lines.size(), 2000u);
  for (const std::string& line : lines) {
    EXPECT_EQ(line.size(), std::strlen("thread 0 line 000 end")) << line;
  }
}

TEST(Trace, RemovingTheSinkReturnsToTheEnvironmentsChoice) {
  { TraceCapture capture; }
  const char* value = std::getenv("VELTRIX_TRACE");
  const bool wanted = value != nullptr && std::string(value) == "1";
  EXPECT_EQ(CRTrace::IsEnabled(), wanted);
}

}  // namespace
