// The alarm stub on its own: broken pushed frames among good ones, and the service's faults.
#include "alarms/external_alarm_server_stub.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "alarms/push_frames.h"
#include "comm_e2e/server_process.h"
#include "comm_e2e/stub_settings.h"
#include "support/trace.h"
#include "support/utf16_text.h"

namespace {

// Records what reaches the listener, in order, as short texts.
class Listener : public CNAlarmClient {
 public:
  void OnAlarmNotificationStart() override { Add("start"); }
  void OnAlarmNotification(CNAlarmRecord record) override { Add("record " + Utf16ToUtf8(record.alarmId)); }
  void OnAlarmNotificationDone(const CNAlarmDone& done) override {
    Add("done " + std::to_string(done.showRecordCount));
  }
  void OnAlarmServerShutdown() override { Add("shutdown"); }

  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> guard(m_lock);
    return std::exchange(m_seen, {});
  }
  size_t Count() {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_seen.size();
  }

 private:
  void Add(std::string text) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_seen.push_back(std::move(text));
  }
  std::mutex m_lock;
  std::vector<std::string> m_seen;
};

TEST(AlarmStub, BrokenPushesAreDroppedAndTheNextFrameStillArrives) {
  Listener listener;
  CNExternalAlarmServerStub stub(&listener);
  std::vector<std::string> traces;
  CRTrace::SetSink([&traces](std::string_view line) { traces.emplace_back(line); });
  const PushBytes frames[] = {NotificationBytes(0, u"First", {}), NotificationBytes(0, u"Cut", {u"x"}).Truncate(5),
                               PushBytes(u"AlarmSomethingElse"), NotificationBytes(3, u"Second", {u"a", u"b"})};
  for (const PushBytes& frame : frames) {
    CNPacketHolder packet = frame.Packet();
    stub.OnCallback(packet);
  }
  CRTrace::SetSink({});
  EXPECT_EQ(listener.Take(), (std::vector<std::string>{"record First", "record Second"}));
  EXPECT_EQ(traces.size(), 2u);
}

CNServerSettings Settings(uint16_t port, int receiveTimeout = 4) {
  CNServerSettings settings;
  settings.nodes = {{u"127.0.0.1", port}, {}};
  settings.timeOutSeconds = receiveTimeout;
  settings.timeOutConnect = 2;
  return settings;
}

struct Connected {
  explicit Connected(std::vector<std::string> faults, int receiveTimeout = 4)
      : server(ServerProcess::Options{.tags = kE2eTags, .faults = std::move(faults)}),
        settings(CRPtr<CNConnectionSettings>::Make(Settings(server.Port(), receiveTimeout))),
        stub(&listener) {
    EXPECT_TRUE(stub.Open(1, *settings)) << Error();
  }
  std::string Error() { return Utf16ToUtf8(stub.GetAlarmLastError()); }

  ServerProcess server;
  CRPtr<CNConnectionSettings> settings;
  Listener listener;
  CNExternalAlarmServerStub stub;
};

TEST(AlarmStub, RefusingServiceAnswersErrorFromServerAndForgetsTheSubscription) {
  Connected c({"alarm-refuse"});
  EXPECT_FALSE(c.stub.SubscribeSummary(u""));
  EXPECT_EQ(c.Error(), "Error from server.");
  EXPECT_FALSE(c.stub.SubscribeRealtime(u"", -1, -1));  // not "Already subscribed."
  EXPECT_EQ(c.Error(), "Error from server.");
  EXPECT_FALSE(c.stub.FireAlarm(u"A", CNValue(), CNValue()));
  EXPECT_EQ(c.Error(), "Error from server.");
  EXPECT_TRUE(c.stub.IsOpen());
}

TEST(AlarmStub, StallingServiceTimesOutAndTheConnectionIsMadeAgain) {
  Connected c({"alarm-stall"}, 1);
  EXPECT_FALSE(c.stub.RefreshServer());
  EXPECT_EQ(c.Error().rfind("Failed to receive packet.", 0), 0u) << c.Error();
  EXPECT_FALSE(c.stub.IsConnected());  // the transport was dropped
  EXPECT_TRUE(c.stub.IsOpen());        // the connection is still wanted
  // The subscription is kept across the failure and sent again with the next connection.
  EXPECT_FALSE(c.stub.SubscribeSummary(u""));
  EXPECT_FALSE(c.stub.SubscribeSummary(u""));
  EXPECT_EQ(c.Error(), "Already subscribed.");
}

TEST(AlarmStub, DroppedCallbackChannelLeavesCommandsWorking) {
  Connected c({"alarm-drop-callback"});
  EXPECT_TRUE(c.stub.SubscribeSummary(u"")) << c.Error();
  EXPECT_TRUE(c.stub.FireAlarm(u"A", CNValue(), CNValue())) << c.Error();
  EXPECT_TRUE(c.stub.Ack(u"A")) << c.Error();
  EXPECT_TRUE(c.stub.AckAll()) << c.Error();
  EXPECT_EQ(c.listener.Count(), 0u);
}

TEST(AlarmStub, OversizedFrameIsDroppedAndTheNextOneArrives) {
  std::vector<std::string> traces;
  std::mutex traceLock;
  CRTrace::SetSink([&](std::string_view line) {
    std::lock_guard<std::mutex> guard(traceLock);
    traces.emplace_back(line);
  });
  {
    Connected c({"alarm-oversized-push"});
    EXPECT_TRUE(c.stub.SubscribeRealtime(u"", -1, -1)) << c.Error();
    EXPECT_TRUE(c.stub.FireAlarm(u"A", CNValue(), CNValue())) << c.Error();
    EXPECT_TRUE(c.stub.FireAlarm(u"B", CNValue(), CNValue())) << c.Error();
    EXPECT_TRUE(WaitUntil([&] { return c.listener.Count() >= 4; }));
    EXPECT_EQ(c.listener.Take(), (std::vector<std::string>{"start", "done 0", "record A", "record B"}));
  }
  CRTrace::SetSink({});
  size_t tooLarge = 0;
  for (const std::string& line : traces) tooLarge += line.find("Packet size is too large.") != std::string::npos;
  EXPECT_EQ(tooLarge, 2u);
}

}  // namespace
