#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "comm/da_client_tcp_base.h"
#include "comm/soap_message.h"
#include "comm/soap_receive_queue.h"
#include "comm/soap_transport.h"
#include "support/thread.h"

// Waiting times of the HTTP client's polling thread and of its Disconnect; tests shorten them.
struct CNSoapTimings {
  uint32_t firstPollDelayMs = 1500;  // from connecting to the first poll
  uint32_t idlePollDelayMs = 3000;   // after a poll that brought nothing
  uint32_t stopWaitMs = 15000;       // how long Disconnect waits for the polling thread before
                                     // it reports the thread as stuck (and waits on)
};

// The data-access client that carries the frames through an HTTP gateway: every message (a
// connect text, a frame, a poll) is posted as SOAP "Process" calls, and the answers' data is
// queued per channel and read with the usual frame rules. Frames of the callback channel are
// fetched by a polling thread and handed to the sink.
//
// The command path (Connect, Send*, Receive, Disconnect) is used by one thread at a time; the
// polling thread only posts polls, fills the "C" queue and calls the sink.
class CNDAClientSoap : public CNDAClientTcpBase, private CRThreadConnectionPoint {
 public:
  // The outcome of posting one message.
  enum PostResult : uint32_t {
    kPostOk = 0,
    kPostHttpFailed = 1,  // the HTTP request itself failed
    kPostBadAnswer = 2,   // an answer did not parse, or more answers came than are allowed
    kPostRefused = 3,     // the gateway answered type 7: it no longer knows the connection
  };

  CNDAClientSoap();  // over libcurl
  explicit CNDAClientSoap(std::unique_ptr<CNSoapTransport> transport, const CNSoapTimings& timings = {});
  ~CNDAClientSoap() override;

  // connection: pass-through text, gateway URL, user, password, node, port, connect time-out,
  // receive time-out, count, ping (a password may itself hold ",").
  ClientResult Connect(std::u16string_view connection, uint8_t clientKind, uint32_t processId,
                       uint32_t clientId, bool callbackChannel) override;
  ClientResult Disconnect() override;
  ClientResult SendCommand(CNPacketHolder& packet) override;
  ClientResult SendCallback(CNPacketHolder& packet) override;
  ClientResult Receive(CNPacketHolder& packet) override;
  bool IsConnected() const override { return m_bConnected.load(std::memory_order_acquire); }
  TransportKind GetTransportKind() const override { return kTransportHttp; }
  void SetTimeout(int) override {}
  std::u16string GetAddress() const override;  // the gateway URL

  // How posting the last frame (SendCommand or SendCallback) ended: a send that succeeds may
  // still have had its answer refused or garbled.
  PostResult GetLastSendStatus() const { return m_lastSendStatus; }
  // The identifier the gateway gave the connection; "*" while there is none.
  const std::string& GetConnectionId() const { return m_strConnectionId; }

 private:
  struct PostOutcome {
    PostResult result = kPostOk;
    uint32_t errorCode = 0;  // of a failed HTTP request
  };

  // Posts a message in chunks, then asks for further answers while the last one says more
  // follow; every non-empty answer's data goes to queue when given. cancel, when given, ends
  // the HTTP requests early once it is set.
  PostOutcome PostMessage(uint8_t type, const uint8_t* data, size_t size, CNSoapReceiveQueue* queue,
                          const std::atomic<bool>* cancel);
  PostOutcome PostChunk(uint8_t type, bool first, bool more, const uint8_t* data, size_t length,
                        CNSoapAnswer& answer, const std::atomic<bool>* cancel);
  ClientResult Send(CNPacketHolder& packet, uint8_t channel);
  // One poll and the delivery of its frames; true when anything arrived.
  bool Poll();

  void OnThreadStart(CRThread& thread) override;
  bool OnThreadTick(CRThread& thread) override;

  std::unique_ptr<CNSoapTransport> m_pTransport;
  const CNSoapTimings m_timings;

  // Gateway connection state, written only while no polling thread runs.
  std::string m_strUrl;
  std::string m_strUser;
  std::string m_strPassword;
  std::string m_strConnectionId;
  std::string m_strRequestPrefix;  // "%d|" of the receive time-out
  uint32_t m_ulConnectTimeoutMs = 0;
  uint32_t m_ulRequestTimeoutMs = 0;
  CNSoapReceiveQueue m_commandQueue;   // "N": filled by Send*, read by Receive
  CNSoapReceiveQueue m_callbackQueue;  // "C": filled and read by the polling thread
  PostResult m_lastSendStatus = kPostOk;
  std::atomic<uint8_t> m_ucSequence{0};
  uint32_t m_ulConnectCount = 0;

  std::atomic<bool> m_bConnected{false};  // the connection marker
  std::atomic<bool> m_bStop{false};
  CNPacketHolder m_callbackPacket;  // the polling thread's, reused for every frame
  uint32_t m_ulNextPollDelayMs = 0;
  CRThread m_pollThread;  // last: stopped before anything its body uses goes
};
