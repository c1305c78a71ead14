#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <thread>

#include "comm/da_client_tcp_base.h"
#include "support/event.h"
#include "support/socket.h"

// The data-access client over TCP: a command socket for requests and answers (channel "N")
// and, when asked for, a callback socket read by a thread of its own that hands every frame
// of channel "C" to the sink.
//
// The command socket serves one thread at a time. Connect, Disconnect and the destructor
// belong to the owner. Disconnect may also be called from inside the sink's OnCallback (the
// thread then ends after the call, and the next Connect or the destructor joins it) as long as
// the owner is not using the command socket at that moment; the client must not be destroyed
// from there.
class CNDAClientTcp : public CNDAClientTcpBase {
 public:
  static constexpr uint32_t kPingTimeoutMs = 5000;
  static constexpr uint32_t kCallbackWaitMs = 2000;
  // Failures of the callback socket closer together than this count as rapid; more than
  // kRapidFailureLimit rapid ones in a row end the callback thread.
  static constexpr uint32_t kRapidFailureMs = 100;
  static constexpr uint32_t kRapidFailureLimit = 10;
  static constexpr uint32_t kThreadEndWaitMs = 5000;
  static constexpr uint32_t kThreadEndStepMs = 1000;
  static constexpr int kDefaultCount = 3;

  // The connection string "host,port,connect time-out,receive time-out,count,ping": time-outs
  // in seconds (-1 means 4), the count (0 means 3; kept, not used), ping "Y" or "N".
  struct Settings {
    std::u16string host;
    uint32_t port = 0;
    int connectTimeout = kDefaultTimeoutSeconds;
    int receiveTimeout = kDefaultTimeoutSeconds;
    int count = kDefaultCount;
    bool ping = false;

    static Settings Parse(std::u16string_view connection);
  };

  CNDAClientTcp() = default;
  CNDAClientTcp(const CNDAClientTcp&) = delete;
  CNDAClientTcp& operator=(const CNDAClientTcp&) = delete;
  ~CNDAClientTcp() override;

  ClientResult Connect(std::u16string_view connection, uint8_t clientKind, uint32_t processId,
                       uint32_t clientId, bool callbackChannel) override;
  ClientResult Disconnect() override;
  ClientResult SendCommand(CNPacketHolder& packet) override;
  ClientResult SendCallback(CNPacketHolder& packet) override;
  ClientResult Receive(CNPacketHolder& packet) override;
  bool IsConnected() const override { return m_bConnected.load(std::memory_order_acquire); }
  TransportKind GetTransportKind() const override { return kTransportTcp; }
  // The receive time-out in seconds (values below 1 mean kDefaultTimeoutSeconds): the longest
  // that any one wait for more data, or for room to send, may last.
  void SetTimeout(int seconds) override;
  std::u16string GetAddress() const override { return m_strAddress; }

  int GetReceiveTimeout() const { return m_lReceiveTimeout.load(std::memory_order_relaxed); }
  int GetConnectTimeout() const { return m_lConnectTimeout; }
  int GetCount() const { return m_lCount; }
  // The identifier the server gave the connection when a callback channel was asked for.
  uint64_t GetConnectionId() const { return m_ullConnectionId; }
  bool IsCallbackThreadExited() const { return m_bThreadExited.load(std::memory_order_acquire); }

 private:
  enum HandshakeFlag : uint32_t {
    kNoCallbackChannel = 0,
    kCallbackChannelFollows = 1,
    kIsCallbackChannel = 2
  };

  uint32_t ReceiveTimeoutMs() const;
  ClientResult SendFrame(CRSocket& socket, CNPacketHolder& packet, uint8_t channel);
  ClientResult Handshake(CRSocket& socket, uint8_t clientKind, uint32_t processId, uint32_t clientId,
                         HandshakeFlag flag);
  ClientResult ConnectSocket(CRSocket& socket, const std::string& address);
  ClientResult OpenCallbackChannel(const std::string& address, uint8_t clientKind, uint32_t processId,
                                   uint32_t clientId);
  void CloseSockets();
  void CallbackLoop();
  // The error rule of the callback socket: true when the thread is to end.
  bool EndsAfterFailure();
  // Joins a callback thread left running by a Disconnect made while it was inside a callback;
  // false when called on that thread itself.
  bool ReapCallbackThread();

  std::u16string m_strHost;
  std::u16string m_strAddress;
  uint32_t m_ulPort = 0;
  std::atomic<int> m_lReceiveTimeout{kDefaultTimeoutSeconds};
  int m_lConnectTimeout = kDefaultTimeoutSeconds;
  int m_lCount = kDefaultCount;
  bool m_bCallbackChannel = false;
  CRSocket m_commandSocket;
  CRSocket m_callbackSocket;
  std::atomic<bool> m_bConnected{false};  // the connection marker
  std::thread m_callbackThread;
  std::atomic<bool> m_bStop{false};
  uint32_t m_ulLastErrorTick = 0;
  uint32_t m_ulRapidErrors = 0;
  std::atomic<bool> m_bThreadExited{false};
  std::atomic<bool> m_bInCallback{false};
  CREvent m_threadEnded{true, true};
  uint64_t m_ullConnectionId = 0;
};
