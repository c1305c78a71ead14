// The remote alarm client against the real server program, over TCP and through the HTTP
// gateway: a script connects, subscribes, acknowledges and fires alarms, and its event handlers
// see every pushed record in order on the thread that pumps the loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "alarms/alarm_client_methods.h"
#include "alarms/remote_alarm_client.h"
#include "comm_e2e/server_process.h"
#include "comm_e2e/stub_settings.h"
#include "script/exec_test_util.h"
#include "support/message_loop.h"

namespace {

using Lines = std::vector<std::string>;

constexpr std::u16string_view kAlarmScript =
    u"event OnAlarmNotificationStart() { ::Trace(\"start\"); }\n"
    u"event OnAlarmNotification(type,date,alarmId,bRecovered,bAcked,comments,bBrandNew) {\n"
    u"  ::Trace(type & \" \" & alarmId & \" \" & CStr(bRecovered) & CStr(bAcked) & CStr(bBrandNew), comments);\n"
    u"}\n"
    u"event OnAlarmNotificationDone(bComplete,showRecordCnt,searchRecordCnt,actualShowRecordCnt,"
    u"actualSearchRecordCnt,lastRecordDate) {\n"
    u"  ::Trace(\"done \" & CStr(bComplete) & \" \" & CStr(showRecordCnt) & \" \" & CStr(searchRecordCnt));\n"
    u"}\n"
    u"event OnAlarmServerShutdown() { ::Trace(\"shutdown\", AckAll(), GetLastError()); }\n"
    u"event OnAlarmStateChanged(stateName, bState) { ::Trace(stateName & \"=\" & CStr(bState)); }\n"
    u"function Try(ok) { if (ok) { return \"T\"; } return \"F \" & GetLastError(); }\n";

class AlarmClientEndToEnd : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    RegisterAlarmMethods();
    RegisterObjectClass<CNPExternalAlarmClient>(world.registry, u"RemoteAlarmClient", {});
    ServerProcess::Options options;
    options.http = GetParam();
    // Over HTTP the server's own shutdown would take the gateway with it: the service is told to
    // shut down after its sixth answer instead.
    if (GetParam()) options.faults = {"alarm-shutdown=6"};
    server = std::make_unique<ServerProcess>(options);
    ASSERT_TRUE(server->IsRunning());
    alarm = static_cast<CNPExternalAlarmClient*>(world.registry.Create(u"RemoteAlarmClient"));
    alarm->SetName(u"Alarm1");
    world.form->AddChild(alarm);
    alarm->SetDeliveryLoop(&loop);
    alarm->SetProperty(u"PSNode", Text(u"127.0.0.1"));
    alarm->SetProperty(u"PSPort", Number(server->Port()));
    if (GetParam()) {
      alarm->SetProperty(u"PSCommunicationType", Text(u"HTTP"));
      alarm->SetProperty(u"PSHTTPServer",
                         Text(u"http://127.0.0.1:" + Utf8ToUtf16(std::to_string(server->HttpPort())) + u"/hgateway/"));
    }
    alarm->SetProperty(u"AlarmStateMonitor", Text(u"Unacked=notack"));
    ASSERT_TRUE(world.LoadScript(*alarm, kAlarmScript));
  }

  // Runs a script expression on the alarm object and answers its display text.
  std::string Eval(std::u16string_view expression) {
    const size_t before = world.traces.size();
    world.LoadScript(*alarm, std::u16string(kAlarmScript) + u"function Eval() { ::Trace(" + std::u16string(expression) +
                                 u"); }\n");
    world.engine.RunFunction(alarm, u"Eval", nullptr, 0, nullptr);
    return world.traces.size() > before ? world.traces.back() : "(nothing)";
  }

  // Pumps the loop until the events have traced count more lines; those lines (at most count).
  Lines Events(size_t count) {
    const size_t start = m_seen;
    WaitUntil([&] {
      loop.RunPending();
      return world.traces.size() >= start + count;
    }, std::chrono::seconds(20));
    m_seen = std::min(world.traces.size(), start + count);
    return Lines(world.traces.begin() + static_cast<std::ptrdiff_t>(start),
                 world.traces.begin() + static_cast<std::ptrdiff_t>(m_seen));
  }
  void Skip() { m_seen = world.traces.size(); }

  CRMessageLoop loop;
  ScriptWorld world;
  std::unique_ptr<ServerProcess> server;
  CNPExternalAlarmClient* alarm = nullptr;

 private:
  size_t m_seen = 0;
};

TEST_P(AlarmClientEndToEnd, SubscribeAcknowledgeFireAndShutdown) {
  EXPECT_EQ(Eval(u"Try(AckAll())"), "F Not connected.");
  EXPECT_EQ(Eval(u"Try(Connect())"), "T");
  EXPECT_EQ(Eval(u"Try(AckAll())"), "F Not subscribe.");
  EXPECT_EQ(Eval(u"Try(FireAlarm(\"Door.Open\", \"ajar\"))"), "T");
  EXPECT_EQ(Eval(u"Try(FireAlarm(\"Pump.Trip\", c(\"hot\", \"stop\"), \"x\"))"), "T");
  Skip();

  // A count of 0 asks for every record there is.
  EXPECT_EQ(Eval(u"Try(SubscribeRealtime(\"\", 0))"), "T");
  EXPECT_EQ(Eval(u"Try(SubscribeSummary(\"\"))"), "F Already subscribed.");
  Skip();
  EXPECT_EQ(Events(7), (Lines{"start", "new Door.Open TFF", "ajar", "Unacked=T", "new Pump.Trip TFF",
                              "c(\"hot\",\"stop\",\"x\")", "done T 2 2"}));

  EXPECT_EQ(Eval(u"Try(Ack(\"Door.Open\"))"), "T");
  Skip();
  EXPECT_EQ(Events(2), (Lines{"ack Door.Open TTF", "ajar"}));
  EXPECT_EQ(Eval(u"Try(Ack(c(\"Pump.Trip\", \"Door.Open\")))"), "T");
  Skip();
  EXPECT_EQ(Events(3), (Lines{"ack Pump.Trip TTF", "c(\"hot\",\"stop\",\"x\")", "Unacked=F"}));

  EXPECT_EQ(Eval(u"Try(FireAlarm(\"Valve\", #NOTHING#))"), "T");
  Skip();
  EXPECT_EQ(Events(3), (Lines{"new Valve TFT", "#NOTHING#", "Unacked=T"}));

  if (!GetParam()) server->Stop();
  EXPECT_EQ(Events(3), (Lines{"shutdown", "F", "Not connected."}));
  EXPECT_EQ(Eval(u"Try(AckAll())"), "F Not connected.");
  // Connecting again reaches a server that still runs.
  EXPECT_EQ(Eval(u"Try(Connect())").substr(0, 2), GetParam() ? "T" : "F ");
}

INSTANTIATE_TEST_SUITE_P(Transports, AlarmClientEndToEnd, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Http" : "Tcp"; });

}  // namespace
