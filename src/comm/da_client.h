#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "comm/client_result.h"
#include "comm/packet_holder.h"

// A data-access client: framed request/response commands to the panel server, on a command
// channel "N" and optionally a callback channel "C" whose frames go to the sink.
class CNDAClient {
 public:
  // Receives, on the callback thread, each frame of channel "C". The sink does its own locking.
  class ClientConnectionPoint {
   public:
    virtual ~ClientConnectionPoint() = default;
    virtual void OnCallback(CNPacketHolder& packet) = 0;
  };

  enum TransportKind : int { kTransportTcp = 0, kTransportHttp = 1 };

  virtual ~CNDAClient() = default;

  virtual ClientResult Connect(std::u16string_view connection, uint8_t clientKind, uint32_t processId,
                               uint32_t clientId, bool callbackChannel) = 0;
  virtual ClientResult Disconnect() = 0;
  // Drops whatever waits on the command channel, then sends the completed packet on "N".
  virtual ClientResult SendCommand(CNPacketHolder& packet) = 0;
  virtual ClientResult SendCallback(CNPacketHolder& packet) = 0;
  // The next frame of channel "N" into the packet (payload only, position 0).
  virtual ClientResult Receive(CNPacketHolder& packet) = 0;
  virtual bool IsConnected() const = 0;
  // Room for the frame header (9 zero bytes) and trailer (6 zero bytes).
  virtual void BeginPacket(CNPacketHolder& packet) = 0;
  virtual void EndPacket(CNPacketHolder& packet) = 0;
  virtual TransportKind GetTransportKind() const = 0;
  virtual void Destroy() { delete this; }
  virtual void SetTimeout(int seconds) = 0;
  virtual std::u16string GetAddress() const = 0;

  void SetSink(ClientConnectionPoint* sink) { m_pSink = sink; }
  ClientConnectionPoint* GetSink() const { return m_pSink; }

 private:
  ClientConnectionPoint* m_pSink = nullptr;
};
