#include "alarms/external_alarm_server_stub.h"

#include <mutex>

#include "alarms/alarm_push_decoder.h"
#include "comm/frame.h"

// The alarm service reads length-prefixed arguments: the plain forms of the packet creator.
// The base builds requests with its simple creator, whose plain forms are those of its base.
class CNExternalAlarmServerStub::Arguments {
 public:
  explicit Arguments(CNDAPacketCreator& creator) : m_creator(creator) {}
  bool Text(std::u16string_view text) { return m_creator.CNDAPacketCreator::AddText(text); }
  bool Int32(uint32_t v) { return m_creator.CNDAPacketCreator::AddInt32(v); }
  bool Time(FileTime v) { return m_creator.CNDAPacketCreator::AddInt64(v); }
  bool Value(const CNValue& v) { return m_creator.CNDAPacketCreator::AddValue(v); }

 private:
  CNDAPacketCreator& m_creator;
};

CNExternalAlarmServerStub::CNExternalAlarmServerStub(CNAlarmClient* listener, uint32_t keepAlivePeriodMs)
    : m_pListener(listener), m_keepAlive(*this, keepAlivePeriodMs) {
  SetCallbackChannel(true);
  m_keepAlive.Start();
}

CNExternalAlarmServerStub::~CNExternalAlarmServerStub() {
  // The tick uses the client: the thread goes first, then the connection and its callback thread.
  m_keepAlive.Stop(true);
  std::lock_guard<CRCriticalHandle> guard(*this);
  Stop();
}

// ---- pushed frames (callback thread)

void CNExternalAlarmServerStub::OnCallback(CNPacketHolder& packet) {
  CNAlarmPush push;
  if (!DecodeAlarmPush(packet, push)) return;
  switch (push.kind) {
    case CNAlarmPush::kStart:
      if (m_pListener) m_pListener->OnAlarmNotificationStart();
      return;
    case CNAlarmPush::kRecord:
      if (m_pListener) m_pListener->OnAlarmNotification(std::move(push.record));
      return;
    case CNAlarmPush::kDone:
      if (m_pListener) m_pListener->OnAlarmNotificationDone(push.done);
      return;
    case CNAlarmPush::kShutdown: {
      // The owner may hold the lock while it waits for this thread to end (a disconnect): then
      // the shutdown is only noted, and its next operation applies it.
      m_bShutdownPending.store(true, std::memory_order_release);
      std::unique_lock<CRCriticalHandle> lock(*this, std::try_to_lock);
      if (lock.owns_lock()) ApplyPendingShutdown();
      lock = {};
      if (m_pListener) m_pListener->OnAlarmServerShutdown();
      return;
    }
  }
}

void CNExternalAlarmServerStub::ApplyPendingShutdown() {
  if (m_bShutdownPending.exchange(false, std::memory_order_acq_rel)) DropConnection();
}

void CNExternalAlarmServerStub::DropConnection() {
  m_bConnected = false;
  m_bSubscribed = false;
  m_kind = Kind::kNone;
  Stop();
}

// ---- connection

bool CNExternalAlarmServerStub::Open(uint32_t ownerId, CNConnectionSettings& settings) {
  std::lock_guard<CRCriticalHandle> guard(*this);
  ApplyPendingShutdown();
  if (m_bConnected) return true;
  Stop();  // a connection dropped by a transport failure is made anew with these settings
  if (!Start(ownerId, kServiceName, settings)) {
    Stop();
    return false;
  }
  m_bConnected = true;
  return true;
}

void CNExternalAlarmServerStub::Close() {
  std::lock_guard<CRCriticalHandle> guard(*this);
  m_bShutdownPending.store(false, std::memory_order_release);
  DropConnection();
}

bool CNExternalAlarmServerStub::IsOpen() {
  std::lock_guard<CRCriticalHandle> guard(*this);
  ApplyPendingShutdown();
  return m_bConnected;
}

bool CNExternalAlarmServerStub::EnsureLink() {
  if (CNStandardStub::IsConnected()) return true;
  if (!CNStandardStub::Connect()) return false;
  return m_kind == Kind::kNone || SendSubscription();
}

// ---- commands

CNExternalAlarmServerStub::Outcome CNExternalAlarmServerStub::Command(std::u16string_view name,
                                                                      const ArgumentWriter& arguments,
                                                                      CNServiceAnswer* answer) {
  uint8_t id = 0;
  const bool built = BuildRequest(name, [&](CNDAPacketCreatorSimple& creator) {
    id = creator.GetPacketId();
    Arguments args(creator);
    return !arguments || arguments(args);
  });
  if (!built || !SendWithRetry() || !ReceiveWithRetry()) return Outcome::kFailed;
  CNPacketHolder& packet = GetAnswer();
  ClientResult result = CheckAnswer(packet, id);
  CNServiceAnswer args;
  uint32_t ok = 0;
  if (result.Succeeded() && (!args.Read(packet) || !args.GetU32(0, ok)))
    result = ClientResult::Fail(u"Receive invalid packet.");
  if (!result.Succeeded()) {
    Disconnect(false);
    Fail(result);
    return Outcome::kFailed;
  }
  if (ok == 0) {
    Fail(ClientResult::Fail(u"Error from server."));
    return Outcome::kRefused;
  }
  if (answer) *answer = std::move(args);
  return Outcome::kOk;
}

bool CNExternalAlarmServerStub::Run(std::u16string_view name, const ArgumentWriter& arguments,
                                    bool needsSubscription, CNServiceAnswer* answer) {
  std::lock_guard<CRCriticalHandle> guard(*this);
  ApplyPendingShutdown();
  if (!m_bConnected) return Fail(ClientResult::Fail(u"Not connected."));
  if (needsSubscription && !m_bSubscribed) return Fail(ClientResult::Fail(u"Not subscribe."));
  return EnsureLink() && Command(name, arguments, answer) == Outcome::kOk;
}

bool CNExternalAlarmServerStub::Subscribe(Kind kind, std::function<void()> record) {
  std::lock_guard<CRCriticalHandle> guard(*this);
  ApplyPendingShutdown();
  if (!m_bConnected) return Fail(ClientResult::Fail(u"Not connected."));
  if (m_kind != Kind::kNone) return Fail(ClientResult::Fail(u"Already subscribed."));
  m_kind = kind;
  m_query = {};
  record();
  // Without a transport connection, making it sends the subscription.
  if (!CNStandardStub::IsConnected()) return EnsureLink() && m_bSubscribed;
  return SendSubscription();
}

bool CNExternalAlarmServerStub::SendSubscription() {
  m_bSubscribed = false;
  const CNAlarmHistoricalQuery& q = m_query;
  Outcome outcome = Outcome::kFailed;
  switch (m_kind) {
    case Kind::kNone:
      return true;
    case Kind::kSummary:
      outcome = Command(u"SubscribeSummary", [&q](Arguments& args) { return args.Text(q.filter); });
      break;
    case Kind::kHistorical:
      outcome = Command(u"SubscribeHistorical", [&q](Arguments& args) {
        return args.Text(q.filter) && args.Int32(static_cast<uint32_t>(q.count)) && args.Time(q.start) &&
               args.Time(q.end) && args.Int32(q.flag1) && args.Int32(q.flag2) &&
               args.Int32(static_cast<uint32_t>(q.count2)) && args.Int32(q.flag3);
      });
      break;
    case Kind::kRealtime:
      outcome = Command(u"SubscribeRealtime", [&q](Arguments& args) {
        return args.Text(q.filter) && args.Int32(static_cast<uint32_t>(q.count)) &&
               args.Int32(static_cast<uint32_t>(q.count2));
      });
      break;
  }
  // A refusal forgets the subscription, so that a corrected one may follow; after a transport
  // failure it is kept and sent again with the next connection.
  if (outcome == Outcome::kRefused) m_kind = Kind::kNone;
  m_bSubscribed = outcome == Outcome::kOk;
  return m_bSubscribed;
}

bool CNExternalAlarmServerStub::SubscribeSummary(std::u16string_view filter) {
  return Subscribe(Kind::kSummary, [&] { m_query.filter = filter; });
}

bool CNExternalAlarmServerStub::SubscribeHistorical(const CNAlarmHistoricalQuery& query) {
  return Subscribe(Kind::kHistorical, [&] { m_query = query; });
}

bool CNExternalAlarmServerStub::SubscribeRealtime(std::u16string_view filter, int32_t count, int32_t count2) {
  return Subscribe(Kind::kRealtime, [&] {
    m_query.filter = filter;
    m_query.count = count;
    m_query.count2 = count2;
  });
}

bool CNExternalAlarmServerStub::CancelSubscribe() {
  std::lock_guard<CRCriticalHandle> guard(*this);
  ApplyPendingShutdown();
  if (!m_bConnected) return Fail(ClientResult::Fail(u"Not connected."));
  m_kind = Kind::kNone;
  m_bSubscribed = false;
  return EnsureLink() && Command(u"CancelSubscribe") == Outcome::kOk;
}

bool CNExternalAlarmServerStub::Ack(std::u16string_view alarmId) {
  return Run(u"Ack", [alarmId](Arguments& args) { return args.Text(alarmId); }, true);
}

// ack_page := u32 count, count x id
bool CNExternalAlarmServerStub::AckPage(const std::vector<std::u16string>& alarmIds) {
  return Run(
      u"AckPage",
      [&alarmIds](Arguments& args) {
        bool written = args.Int32(static_cast<uint32_t>(alarmIds.size()));
        for (const std::u16string& id : alarmIds) written = written && args.Text(id);
        return written;
      },
      true);
}

bool CNExternalAlarmServerStub::AckAll() {
  return Run(u"AckAll", {}, true);
}

bool CNExternalAlarmServerStub::FireAlarm(std::u16string_view alarmId, const CNValue& value1,
                                          const CNValue& value2) {
  return Run(u"FireAlarm", [&](Arguments& args) {
    return args.Text(alarmId) && args.Value(value1) && args.Value(value2);
  });
}

bool CNExternalAlarmServerStub::ReloadAlarmMaster() {
  return Run(u"ReloadAlarmMaster");
}

bool CNExternalAlarmServerStub::RefreshServer() {
  return Run(u"RefreshServer");
}

// The value after the answer's ok flag, or the empty value.
static void AnswerValue(const CNServiceAnswer& answer, CNValue& result) {
  result.Clear();
  answer.GetValue(1, result);
}

bool CNExternalAlarmServerStub::GetAlarmMasterInfo(std::u16string_view a, std::u16string_view b,
                                                   const std::vector<CNValue>& rest, CNValue& result) {
  CNServiceAnswer answer;
  const bool ok = Run(
      u"GetAlarmMasterInfo",
      [&](Arguments& args) {
        bool written = args.Text(a) && args.Text(b);
        for (const CNValue& value : rest) written = written && args.Value(value);
        return written;
      },
      false, &answer);
  if (ok) AnswerValue(answer, result);
  return ok;
}

bool CNExternalAlarmServerStub::GetAlarmScriptResult(const CNValue& a, const CNValue& b, CNValue& result) {
  CNServiceAnswer answer;
  const bool ok = Run(
      u"GetAlarmScriptResult", [&](Arguments& args) { return args.Value(a) && args.Value(b); }, false, &answer);
  if (ok) AnswerValue(answer, result);
  return ok;
}

std::u16string CNExternalAlarmServerStub::GetAlarmLastError() {
  std::lock_guard<CRCriticalHandle> guard(*this);
  return GetLastError();
}

bool CNExternalAlarmServerStub::OnThreadTick(CRThread&) {
  std::lock_guard<CRCriticalHandle> guard(*this);
  ApplyPendingShutdown();
  if (m_bConnected && EnsureLink()) Command(u"KeepAlive");
  return true;
}
