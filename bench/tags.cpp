// The link tag server's data path:
// - an "Update" answer changing 100,000 linked tags, from its arrival to the last listener
//   notified by Dispatch, beside decoding the same answer's values alone;
// - the heap taken per link tag;
// - the steady-state CPU of this process with 10,000 advised tags polled every 500 ms from
//   panel-server-sim (a child process) while 1% of them change.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "comm/value_codec.h"
#include "comm_e2e/server_process.h"
#include "support/utf16_text.h"
#include "tags/tag_server_link.h"

namespace {

constexpr uint32_t kTags = 100'000;

struct CountingListener : CNPTagServerConnectionPoint {
  uint64_t calls = 0;
  uint32_t IsListening() override { return 1; }
  void TagChanged(CNPTag*, std::u16string_view, const CNValue&, uint32_t) override { ++calls; }
};

std::u16string TagName(uint32_t i) {
  return Utf8ToUtf16("Line" + std::to_string(i % 100) + ".Tag" + std::to_string(i));
}

// A link server holding count advised tags, each with the listener.
class LinkServerWithTags {
 public:
  LinkServerWithTags(uint32_t count, const CNTagServerStartInfo& info) {
    m_link.Start(info);
    m_tags.reserve(count);
    for (uint32_t i = 0; i < count; ++i) m_tags.push_back(m_link.GetTag(TagName(i), 1, &listener));
  }
  ~LinkServerWithTags() {
    for (CNPTag* tag : m_tags) m_link.ReleaseTag(tag, &listener);
  }
  CNPTagServerLink& Link() { return m_link; }
  uint64_t HandleOf(uint32_t i) const { return static_cast<CNPLinkTag*>(m_tags[i])->GetClientHandle(); }

  CountingListener listener;

 private:
  CNPTagServerLink m_link;
  std::vector<CNPTag*> m_tags;
};

CNTagServerStartInfo OfflineStart() {
  CNTagServerStartInfo info;
  info.offline = true;  // no server: the answers are handed to the server directly
  return info;
}

// The arguments of an "Update" answer giving tag i the number i + offset.
void BuildUpdateAnswer(CNPacketHolder& packet, const LinkServerWithTags& server, double offset) {
  packet.Reset();
  packet.WriteU32(1);
  packet.WriteU32(kTags);
  CNValue value;
  for (uint32_t i = 0; i < kTags; ++i) {
    value.SetNumber(i + offset);
    value.SetQuality(VQ_GOOD);
    packet.WriteU64(server.HandleOf(i));
    packet.WriteU8(0);
    EncodeValue(packet, value);
  }
}

void ReportTagRate(benchmark::State& state) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kTags));
  state.counters["tags/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * kTags), benchmark::Counter::kIsRate);
}

void BM_LinkUpdateToListeners(benchmark::State& state) {
  LinkServerWithTags server(kTags, OfflineStart());
  CNPacketHolder answers[2];
  BuildUpdateAnswer(answers[0], server, 0.25);
  BuildUpdateAnswer(answers[1], server, 0.5);
  uint32_t turn = 0;
  for (auto _ : state) {
    CNPacketHolder& answer = answers[turn++ & 1];  // every turn changes every tag
    answer.Seek(0, CNPacketHolder::kSeekBegin);
    server.Link().ApplyUpdate(answer);
    server.Link().Dispatch();
  }
  if (server.listener.calls != state.iterations() * kTags) state.SkipWithError("not every change was told");
  ReportTagRate(state);
}
BENCHMARK(BM_LinkUpdateToListeners)->Unit(benchmark::kMillisecond);

// The reference: the values of the same answer decoded into reused values, nothing else.
void BM_LinkUpdateDecodeOnly(benchmark::State& state) {
  LinkServerWithTags server(kTags, OfflineStart());
  CNPacketHolder answer;
  BuildUpdateAnswer(answer, server, 0.25);
  std::vector<CNValue> values(kTags);
  for (auto _ : state) {
    answer.Seek(8, CNPacketHolder::kSeekBegin);
    for (CNValue& value : values) {
      uint64_t handle;
      uint8_t kind;
      answer.ReadU64(handle);
      answer.ReadU8(kind);
      DecodeValue(answer, value);
    }
    benchmark::DoNotOptimize(values.data());
  }
  ReportTagRate(state);
}
BENCHMARK(BM_LinkUpdateDecodeOnly)->Unit(benchmark::kMillisecond);

// Heap bytes per tag: the tag, its names, its value, its map entry and its index entry.
void BM_LinkTagMemory(benchmark::State& state) {
  for (auto _ : state) {
    const size_t before = mallinfo2().uordblks;
    {
      LinkServerWithTags server(kTags, OfflineStart());
      state.counters["bytes/tag"] = static_cast<double>(mallinfo2().uordblks - before) / kTags;
    }
  }
}
BENCHMARK(BM_LinkTagMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// 9,900 constants and 100 numbers that step every 500 ms.
std::string PolledTagFile(uint32_t count) {
  std::string text;
  for (uint32_t i = 0; i < count; ++i) {
    text += Utf16ToUtf8(TagName(i)) + (i % 100 == 0 ? " number 0 ramp 1 500\n" : " number 1\n");
  }
  return text;
}

void BM_LinkSteadyPollingCpu(benchmark::State& state) {
  constexpr uint32_t kPolled = 10'000;
  constexpr auto kRefresh = std::chrono::milliseconds(100);
  constexpr auto kMeasured = std::chrono::seconds(4);
  ServerProcess sim({.tags = PolledTagFile(kPolled)});
  if (!sim.IsRunning()) {
    state.SkipWithError("panel-server-sim did not start");
    return;
  }
  CNServerSettings settings;
  settings.communicationType = CNServerSettings::kTcp;
  settings.nodes[0] = {u"127.0.0.1", sim.Port()};
  CNTagServerStartInfo info;
  info.updateRateMs = 500;
  info.connection = CRPtr<CNConnectionSettings>::Make(settings);
  LinkServerWithTags server(kPolled, info);
  // Settle: every tag linked and its first value told.
  const auto settleEnd = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (server.listener.calls < kPolled && std::chrono::steady_clock::now() < settleEnd) {
    server.Link().Dispatch();
    std::this_thread::sleep_for(kRefresh);
  }
  if (server.listener.calls < kPolled) {
    state.SkipWithError("the tags did not all arrive");
    return;
  }
  for (auto _ : state) {
    const uint64_t callsBefore = server.listener.calls;
    const double cpuBefore = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < kMeasured) {
      server.Link().Dispatch();  // the refresh tick
      std::this_thread::sleep_for(kRefresh);
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["cpu_%_of_core"] = 100.0 * (CpuSeconds() - cpuBefore) / wall;
    state.counters["changes/s"] = static_cast<double>(server.listener.calls - callsBefore) / wall;
  }
}
BENCHMARK(BM_LinkSteadyPollingCpu)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
