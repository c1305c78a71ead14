#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "client_test_util.h"
#include "comm/da_client_soap.h"
#include "frame_bytes.h"
#include "support/event.h"
#include "support/trace_capture.h"

namespace {

// One chunk as the gateway received it: the request, its prefix, and the rest of its strIn
// (which has the shape of an answer) read back into fields.
struct Posted {
  CNSoapRequest request;
  std::string prefix;
  CNSoapAnswer chunk;
};

std::string Answer(uint8_t type, bool more, const Bytes& data) {
  return "<soap:Envelope><soap:Body><ProcessResult>" +
         BuildSoapRequestText("", type, "abc", true, more, 1, data.data(), data.size()) +
         "</ProcessResult></soap:Body></soap:Envelope>";
}

// A gateway in memory: the handler fills the answer text or fails the HTTP request. By default
// connect answers the identifier "abc" (with a NUL) and everything else answers no data.
class FakeGateway : public CNSoapTransport {
 public:
  using Handler = std::function<bool(const Posted&, std::string& response, uint32_t& errorCode)>;

  bool Post(const CNSoapRequest& request, std::string& response, uint32_t& errorCode) override {
    const size_t open = request.body.find("<strIn>") + 7;
    const std::string strIn = request.body.substr(open, request.body.find("</strIn>") - open);
    Posted posted{request, strIn.substr(0, strIn.find('|') + 1), {}};
    EXPECT_TRUE(ParseSoapAnswer("<ProcessResult>" + strIn.substr(posted.prefix.size()) + "</ProcessResult>",
                                posted.chunk));
    Handler handler;
    {
      std::lock_guard<std::mutex> guard(m_lock);
      m_posted.push_back(posted);
      handler = m_handler;
    }
    if (handler) return handler(posted, response, errorCode);
    response = Answer(static_cast<uint8_t>(posted.chunk.type), false,
                      posted.chunk.type == kSoapConnect ? Bytes{'a', 'b', 'c', 0} : Bytes{});
    return true;
  }
  void SetHandler(Handler handler) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_handler = std::move(handler);
  }
  std::vector<Posted> PostedOfType(uint32_t type) {
    std::lock_guard<std::mutex> guard(m_lock);
    std::vector<Posted> result;
    for (const Posted& p : m_posted)
      if (p.chunk.type == type) result.push_back(p);
    return result;
  }

 private:
  std::mutex m_lock;
  std::vector<Posted> m_posted;
  Handler m_handler;
};

FakeGateway::Handler Answering(uint8_t type, const Bytes& data) {
  return [type, data](const Posted&, std::string& response, uint32_t&) {
    response = Answer(type, false, data);
    return true;
  };
}

class SoapClientTest : public testing::Test {
 protected:
  SoapClientTest()
      : m_gateway(new FakeGateway), m_client(std::unique_ptr<CNSoapTransport>(m_gateway), {5, 20, 2000}) {
    m_client.SetSink(&m_sink);
  }

  ClientResult Connect(
      bool callbackChannel = false,
      std::u16string_view connection = u"pass,http://gw.test/hg,user,p,w,node1,6001,-1,3,0,N") {
    return m_client.Connect(connection, 1, 4660, 7, callbackChannel);
  }
  ClientResult SendAndReceive(CNPacketHolder& answer, const Bytes& payload = {'r'}) {
    CNPacketHolder packet;
    m_client.BeginPacket(packet);
    packet.Write(payload.data(), static_cast<uint32_t>(payload.size()));
    m_client.EndPacket(packet);
    const ClientResult sent = m_client.SendCommand(packet);
    return sent.Succeeded() ? m_client.Receive(answer) : sent;
  }

  CallbackRecorder m_sink;  // before the client: its polling thread ends first
  FakeGateway* m_gateway;   // owned by the client
  CNDAClientSoap m_client;
};

TEST_F(SoapClientTest, ConnectPostsTheConnectTextAndKeepsTheGatewaysIdentifier) {
  ASSERT_TRUE(Connect().Succeeded());  // the password holds a ","
  EXPECT_EQ(m_client.GetConnectionId(), "abc");
  const Posted connect = m_gateway->PostedOfType(kSoapConnect).at(0);
  EXPECT_EQ(connect.prefix + connect.chunk.connection, "3|*");
  EXPECT_EQ(connect.request.url, "http://gw.test/hg");
  EXPECT_EQ(connect.request.user + "/" + connect.request.password, "user/p,w");
  EXPECT_EQ(connect.request.connectTimeoutMs, 4000u);  // -1 means 4 seconds
  // pass-through, process id, client id, identity, connect count, node, port, time-outs,
  // callback channel, client kind, 10; the credentials go nowhere but the HTTP request.
  const std::string text(connect.chunk.data.begin(), connect.chunk.data.end());
  const std::string identity = text.substr(12, 2 * sizeof(void*));
  EXPECT_EQ(identity.find_first_not_of("0123456789ABCDEF"), std::string::npos) << text;
  EXPECT_EQ(text, "pass,4660,7," + identity + ",1,node1,6001,4,3,N,1,10");

  ASSERT_TRUE(m_client.Disconnect().Succeeded());
  EXPECT_EQ(m_gateway->PostedOfType(kSoapDisconnect).at(0).chunk.connection, "abc");
  EXPECT_EQ(m_client.GetConnectionId(), "*");
  ASSERT_TRUE(Connect(true).Succeeded());
  const Bytes again = m_gateway->PostedOfType(kSoapConnect).at(1).chunk.data;
  EXPECT_EQ(std::string(again.begin(), again.end()), "pass,4660,7," + identity + ",2,node1,6001,4,3,Y,1,10");
}

TEST_F(SoapClientTest, ConnectFailsOnEveryUnusableAnswer) {
  const FakeGateway::Handler gateways[] = {
      Answering(kSoapRefused, {'a'}),
      Answering(kSoapConnect, {}),               // no identifier
      Answering(kSoapConnect, {'a', ':', 'b'}),  // an identifier that would break the requests
      [](const Posted&, std::string& r, uint32_t&) { return r = Answer(kSoapConnect, true, {'a'}), true; },
      [](const Posted&, std::string& r, uint32_t&) { return r = "<html/>", true; },
      [](const Posted&, std::string&, uint32_t& e) { return e = 7, false; },
  };
  for (const auto& handler : gateways) {
    m_gateway->SetHandler(handler);
    EXPECT_EQ(Connect(true).message, u"Fail to connect.");
    EXPECT_FALSE(m_client.IsConnected());
  }
  EXPECT_EQ(Connect(false, u"pass,http://gw.test/hg,user,pw,node1,6001,-1,3,0").message, u"Fail to connect.");
  EXPECT_TRUE(m_gateway->PostedOfType(kSoapPoll).empty());
}

TEST_F(SoapClientTest, LargeFrameGoesInThreeChunksAndItsAnswerIsReceived) {
  ASSERT_TRUE(Connect().Succeeded());
  m_gateway->SetHandler([](const Posted& posted, std::string& response, uint32_t&) {
    response = Answer(kSoapSend, false, posted.chunk.more ? Bytes{} : FrameOf(kChannelCommand, {1, 2}));
    return true;
  });
  Bytes payload(2 * kSoapChunkSize + 5000 - kFrameHeaderSize - kFrameTrailerSize);
  for (size_t i = 0; i < payload.size(); ++i) payload[i] = static_cast<uint8_t>(i * 7);
  CNPacketHolder answer;
  ASSERT_TRUE(SendAndReceive(answer, payload).Succeeded());
  EXPECT_EQ(PacketBytes(answer), (Bytes{1, 2}));

  // The chunks' lengths and flags are those of the message's split.
  const std::vector<Posted> sends = m_gateway->PostedOfType(kSoapSend);
  ASSERT_EQ(sends.size(), 3u);
  Bytes posted;
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(sends[i].chunk.sequence, static_cast<size_t>(sends[0].chunk.sequence) + i);
    posted.insert(posted.end(), sends[i].chunk.data.begin(), sends[i].chunk.data.end());
  }
  EXPECT_EQ(posted, FrameOf(kChannelCommand, payload));
}

TEST_F(SoapClientTest, AnswerSplitOverSeveralRepliesIsFetchedWithEmptyRequests) {
  ASSERT_TRUE(Connect().Succeeded());
  const Bytes frames = Concat({FrameOf(kChannelCallback, {9}), FrameOf(kChannelCommand, {1, 2, 3}),
                               FrameOf(kChannelCommand, {4, 5})});
  // Three parts, the second one empty, a frame split across the other two.
  auto part = std::make_shared<int>(0);
  m_gateway->SetHandler([frames, part](const Posted& posted, std::string& response, uint32_t&) {
    *part = posted.chunk.first ? 0 : *part + 1;
    const Bytes data = *part == 0   ? Bytes(frames.begin(), frames.begin() + 20)
                       : *part == 1 ? Bytes{}
                                    : Bytes(frames.begin() + 20, frames.end());
    response = Answer(kSoapSend, *part < 2, data);
    return true;
  });
  CNPacketHolder answer;
  ASSERT_TRUE(SendAndReceive(answer).Succeeded());
  EXPECT_EQ(PacketBytes(answer), (Bytes{1, 2, 3}));  // the "C" frame is skipped
  ASSERT_TRUE(m_client.Receive(answer).Succeeded());
  EXPECT_EQ(PacketBytes(answer), (Bytes{4, 5}));
  EXPECT_EQ(m_client.Receive(answer).message, u"Failed to receive packet. Code:0");

  const std::vector<Posted> sends = m_gateway->PostedOfType(kSoapSend);
  ASSERT_EQ(sends.size(), 3u);
  for (size_t i = 1; i < 3; ++i) {
    const CNSoapAnswer& c = sends[i].chunk;
    EXPECT_EQ(sends[i].prefix + c.connection, "3|abc");
    EXPECT_TRUE(!c.first && !c.more && c.data.empty());
    EXPECT_EQ(c.sequence, static_cast<size_t>(sends[0].chunk.sequence) + i);
  }

  // A new send drops what the last answer left unread.
  m_gateway->SetHandler(Answering(kSoapSend, Concat({FrameOf(kChannelCommand, {6}), FrameOf('N', {7})})));
  ASSERT_TRUE(SendAndReceive(answer).Succeeded());
  m_gateway->SetHandler(Answering(kSoapSend, FrameOf(kChannelCommand, {8})));
  ASSERT_TRUE(SendAndReceive(answer).Succeeded());
  EXPECT_EQ(PacketBytes(answer), (Bytes{8}));
}

TEST_F(SoapClientTest, OnlyAFailedHttpRequestFailsASend) {
  ASSERT_TRUE(Connect().Succeeded());
  TraceCapture trace;
  m_gateway->SetHandler(
      [](const Posted&, std::string&, uint32_t& errorCode) { return errorCode = 500, false; });
  CNPacketHolder answer;
  EXPECT_EQ(SendAndReceive(answer).message, u"Failed to send packet. Code:500");
  EXPECT_EQ(trace.Lines().at(0), "Fail to XMLHttpRequest. HRESULT:1f4");
  EXPECT_EQ(m_client.GetLastSendStatus(), CNDAClientSoap::kPostHttpFailed);

  // A refusal (type 7) or an answer that does not parse leaves nothing to receive.
  m_gateway->SetHandler(Answering(kSoapRefused, FrameOf(kChannelCommand, {1})));
  EXPECT_EQ(SendAndReceive(answer).message, u"Failed to receive packet. Code:0");
  EXPECT_EQ(m_client.GetLastSendStatus(), CNDAClientSoap::kPostRefused);
  m_gateway->SetHandler(
      [](const Posted&, std::string& r, uint32_t&) { return r = "<ns:return>3</ns:return>", true; });
  EXPECT_EQ(SendAndReceive(answer).message, u"Failed to receive packet. Code:0");
  EXPECT_EQ(m_client.GetLastSendStatus(), CNDAClientSoap::kPostBadAnswer);
}

TEST_F(SoapClientTest, PollingThreadHandsCallbackFramesToTheSinkUntilDisconnected) {
  // The first poll brings two callback frames around a command frame and a corrupt one.
  Bytes corrupt = FrameOf(kChannelCallback, {0xEE});
  corrupt[9] ^= 1;
  const Bytes pending = Concat({FrameOf(kChannelCallback, {1, 2}), FrameOf(kChannelCommand, {3}), corrupt,
                                FrameOf(kChannelCallback, {4})});
  auto served = std::make_shared<int>(0);
  m_gateway->SetHandler([pending, served](const Posted& posted, std::string& response, uint32_t&) {
    response = Answer(static_cast<uint8_t>(posted.chunk.type), false,
                      posted.chunk.type == kSoapConnect ? Bytes{'a', 'b', 'c'}
                      : (*served)++ == 0                ? pending
                                                        : Bytes{});
    return true;
  });
  ASSERT_TRUE(Connect(true).Succeeded());
  ASSERT_TRUE(WaitUntil([this] { return m_gateway->PostedOfType(kSoapPoll).size() >= 3; }));
  EXPECT_EQ(m_sink.Get(), (CallbackRecorder::Payloads{{1, 2}, {4}}));
  const Posted poll = m_gateway->PostedOfType(kSoapPoll)[0];
  EXPECT_EQ(poll.prefix + poll.chunk.connection, "3|abc");
  EXPECT_TRUE(poll.chunk.first && !poll.chunk.more && poll.chunk.data.empty());

  ASSERT_TRUE(m_client.Disconnect().Succeeded());
  const size_t polls = m_gateway->PostedOfType(kSoapPoll).size();
  CREvent().Wait(60);
  EXPECT_EQ(m_gateway->PostedOfType(kSoapPoll).size(), polls);
}

TEST_F(SoapClientTest, DisconnectCancelsAPollInProgress) {
  auto cancelled = std::make_shared<std::atomic<bool>>(false);
  m_gateway->SetHandler([cancelled](const Posted& posted, std::string& response, uint32_t& errorCode) {
    if (posted.chunk.type != kSoapPoll) return response = Answer(kSoapConnect, false, {'a'}), true;
    // A gateway that never answers a poll: only the client's stop flag ends the request.
    while (!posted.request.cancel->load()) CREvent().Wait(2);
    *cancelled = true;
    return errorCode = 42, false;
  });
  ASSERT_TRUE(Connect(true).Succeeded());
  ASSERT_TRUE(WaitUntil([this] { return !m_gateway->PostedOfType(kSoapPoll).empty(); }));
  ASSERT_TRUE(m_client.Disconnect().Succeeded());
  EXPECT_TRUE(*cancelled);
}

TEST_F(SoapClientTest, SinkMayDisconnectAndTheClientConnectsAgain) {
  m_sink.SetAction([this] { m_client.Disconnect(); });
  const Bytes pending = Concat({FrameOf(kChannelCallback, {1}), FrameOf(kChannelCallback, {2})});
  m_gateway->SetHandler([pending](const Posted& posted, std::string& response, uint32_t&) {
    response = Answer(static_cast<uint8_t>(posted.chunk.type), false,
                      posted.chunk.type == kSoapConnect ? Bytes{'a'} : pending);
    return true;
  });
  ASSERT_TRUE(Connect(true).Succeeded());
  ASSERT_TRUE(WaitUntil([this] { return !m_client.IsConnected(); }));
  EXPECT_EQ(m_sink.Get().size(), 1u);  // the stop flag ends the delivery

  m_sink.SetAction(nullptr);
  ASSERT_TRUE(Connect(true).Succeeded());
  ASSERT_TRUE(m_sink.WaitForCount(3));
}

}  // namespace
