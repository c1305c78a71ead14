// The remote alarm client under a flood of 10,000 pushed records: from the first frame handed to
// the stub on a callback thread to the last "OnAlarmNotification" handled by an empty script
// handler on the loop's thread; beside it the decoding of the same frames alone. And the alarm
// grid's redraw holding 10,000 rows beside the same grid holding one screenful.
#include <benchmark/benchmark.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "alarms/alarm_push_decoder.h"
#include "alarms/external_alarm_server_stub.h"
#include "alarms/remote_alarm_grid.h"
#include "comm/packet_creator.h"
#include "controls/form.h"
#include "draw/painter.h"
#include "draw/surface.h"
#include "objects/object_registry.h"
#include "screen/draw_context.h"
#include "script/script_engine_impl.h"
#include "support/message_loop.h"
#include "support/utf16_text.h"

namespace {

constexpr size_t kRecords = 10000;

// The payloads of a burst of notifications, as the callback channel hands them over.
std::vector<CNPacketHolder> MakeFrames() {
  std::vector<CNPacketHolder> frames(kRecords);
  for (size_t i = 0; i < kRecords; ++i) {
    CNDAPacketCreator args(frames[i]);
    args.BeginCommand(u"AlarmNotification");
    args.AddInt32(0);
    args.AddInt64(133'500'000'000'000'000ull + i);
    args.AddText(u"Area" + AsciiToUtf16(std::to_string(i % 50)) + u".Alarm" + AsciiToUtf16(std::to_string(i)));
    args.AddInt32(0);
    args.AddInt32(0);
    args.AddInt32(1);
    args.AddText(u"value above limit");
    args.AddInt32(1);
  }
  return frames;
}

// The alarm client of a form whose script handles every notification with an empty handler.
class FloodClient : public CNPExternalAlarmClient {
 public:
  std::atomic<size_t> handled{0};

 protected:
  void Deliver(const CNAlarmPush& push) override {
    CNPExternalAlarmClient::Deliver(push);
    if (push.kind == CNAlarmPush::kRecord) handled.fetch_add(1, std::memory_order_relaxed);
  }
};

struct ScriptOwner : CNObjectOwner {
  explicit ScriptOwner(CNScriptImpl& engine) : script(engine) {}
  CNScript* GetScript() override { return &script; }
  CNScriptImpl& script;
};

void BM_AlarmFloodToScriptEvents(benchmark::State& state) {
  CPanelControls registry;
  CNScriptImpl engine(registry);
  ScriptOwner owner(engine);
  CRPtr<CNPForm> form = CRPtr<CNPForm>::Make();
  form->SetOwner(&owner);
  auto* client = new FloodClient;
  form->AddChild(client);
  client->SetEvent(u"event OnAlarmNotification(type,date,alarmId,bRecovered,bAcked,comments,bBrandNew) {}");
  if (!engine.Load(client)) state.SkipWithError("script did not load");
  CRMessageLoop loop;
  client->SetDeliveryLoop(&loop);
  auto& stub = dynamic_cast<CNExternalAlarmServerStub&>(client->GetServer());
  std::vector<CNPacketHolder> frames = MakeFrames();
  for (auto _ : state) {
    client->handled = 0;
    std::thread callback([&] {
      for (CNPacketHolder& frame : frames) stub.OnCallback(frame);
    });
    while (client->handled.load(std::memory_order_relaxed) < kRecords) loop.RunFor(1);
    callback.join();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kRecords));
  engine.Shutdown();
}
BENCHMARK(BM_AlarmFloodToScriptEvents)->Unit(benchmark::kMillisecond)->UseRealTime();

// The reference: the same frames decoded, nothing delivered.
void BM_AlarmFloodDecodeOnly(benchmark::State& state) {
  std::vector<CNPacketHolder> frames = MakeFrames();
  for (auto _ : state) {
    for (CNPacketHolder& frame : frames) {
      CNAlarmPush push;
      benchmark::DoNotOptimize(DecodeAlarmPush(frame, push));
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kRecords));
}
BENCHMARK(BM_AlarmFloodDecodeOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// A 600x400 grid (17 rows in view) holding range(0) rows, redrawn in full.
void BM_AlarmGridRedraw(benchmark::State& state) {
  CNPExternalAlarmGrid grid;
  CNValue value;
  value.SetNumber(600);
  grid.SetProperty(u"Width", value);
  value.SetNumber(400);
  grid.SetProperty(u"Height", value);
  for (int64_t i = 0; i < state.range(0); ++i) {
    CNAlarmRecord record;
    record.typeCode = 0;
    record.date = 133'500'000'000'000'000ull + static_cast<uint64_t>(i) * 10'000'000ull;
    record.alarmId = u"Area" + AsciiToUtf16(std::to_string(i % 50)) + u".Alarm" + AsciiToUtf16(std::to_string(i));
    record.acked = i % 3 == 0;
    record.recovered = i % 2 == 0;
    record.comments = {u"value above limit"};
    grid.OnAlarmNotification(std::move(record));
  }
  grid.DeliverPending();
  grid.ScrollTo(static_cast<size_t>(state.range(0) / 2));
  CRSurface surface(600, 400);
  for (auto _ : state) {
    CRPainter painter(surface);
    CNDrawContext context(painter);
    grid.Draw(context);
  }
}
BENCHMARK(BM_AlarmGridRedraw)->Arg(17)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
