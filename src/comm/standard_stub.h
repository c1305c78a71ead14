#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "comm/connection_settings.h"
#include "comm/da_client.h"
#include "comm/packet_creator.h"
#include "support/ref_cnt.h"

// The common base of the service stubs: a data-access client of its own, the service
// handshake ("Connect2" and the service name, or "Connect" when the settings bind the clients
// to one server), and a request/answer transaction that reconnects and retries once, on the
// next node, when redundancy is on.
//
// A derived stub names its client kind, builds each command into the request packet with
// BuildRequest, runs Transact and reads the rest of the answer from GetAnswer. A stub is used
// from the user-interface thread; OnCallback comes on the client's callback thread, and a
// derived stub that decodes pushed frames guards its own data.
class CNStandardStub : public CNDAClient::ClientConnectionPoint {
 public:
  enum State : uint32_t { kNotStarted = 0, kStarted = 2 };
  using ArgumentWriter = std::function<bool(CNDAPacketCreatorSimple&)>;

  CNStandardStub() = default;
  CNStandardStub(const CNStandardStub&) = delete;
  CNStandardStub& operator=(const CNStandardStub&) = delete;
  // Stops the stub and destroys the client.
  ~CNStandardStub() override;

  // A frame pushed on the callback channel; nothing here.
  void OnCallback(CNPacketHolder& packet) override;
  // A description of the stub; "" here.
  virtual std::u16string GetInfoText() const;
  // The client kind byte of the connection handshake; 0 here.
  virtual uint8_t GetClientKind() const;
  virtual uint32_t GetState() const;
  // Creates the client and connects; once more after a failure when redundancy is on (the
  // failure has moved to the next node). Already started: true.
  virtual bool Start(uint32_t ownerId, std::u16string_view serviceName, CNConnectionSettings& settings);
  // Disconnects, staying on the current node.
  virtual void Stop();
  // Connects the client and makes the service handshake. Already connected: true.
  virtual bool Connect();
  // The service handshake's command: "Connect" or "Connect2", then the service name.
  virtual bool AddConnectCommand(CNDAPacketCreatorSimple& creator);
  // Disconnects the client; with advance (and no fixed server) moves to the next node.
  virtual void Disconnect(bool advance);
  // Sends the request packet, receives the answer and checks its id, status and ok flag. The
  // answer is left after the ok flag.
  virtual bool Transact();
  virtual bool SendWithRetry();
  // Receives the answer; a failure with redundancy on reconnects, sends the request again and
  // receives once more.
  virtual bool ReceiveWithRetry();
  virtual void SetTimeout(int seconds);

  const std::u16string& GetLastError() const { return m_lastFailure.message; }
  // The last failure with its status: a refusal (CS_SERVER_REFUSED) or a lost connection are
  // told apart by it.
  const ClientResult& GetLastFailure() const { return m_lastFailure; }
  bool IsConnected() const { return m_pClient && m_pClient->IsConnected(); }

 protected:
  // Whether the client opens the callback channel "C" (set before Start).
  void SetCallbackChannel(bool on) { m_bCallbackChannel = on; }
  // Builds a command with bare arguments into the request packet.
  bool BuildRequest(std::u16string_view command, const ArgumentWriter& arguments = {});
  // The answer of the last Transact, positioned after its ok flag.
  CNPacketHolder& GetAnswer() { return m_answer; }
  const std::u16string& GetServiceName() const { return m_strService; }
  // Keeps the failure as the last error; false.
  bool Fail(ClientResult failure);

 private:
  // Builds a command (header and arguments, both written by command) into packet, in the
  // client's frame room; id receives its packet id.
  ClientResult BuildPacket(CNPacketHolder& packet, const ArgumentWriter& command, uint8_t& id);
  // After a transport failure with redundancy on: moves to the next node, connects and sends
  // the request again into result. False when the connection failed (its text is stored).
  bool Resend(ClientResult& result);
  // Checks the answer against the request id and reads its ok flag; a refusal fails with
  // CS_SERVER_REFUSED ("Error from server. : " and the server's text).
  ClientResult ReadConfirmation(uint8_t id);
  bool IsRedundant() const { return m_pSettings && m_pSettings->IsRedundant(); }

  bool m_bCallbackChannel = false;
  uint32_t m_ulOwnerId = 0;
  CRPtr<CNConnectionSettings> m_pSettings;
  std::u16string m_strService;
  bool m_bStarted = false;
  ClientResult m_lastFailure;
  CNPacketHolder m_packet;  // the request; kept for a resend
  CNPacketHolder m_answer;  // answers, and the handshake, which must not overwrite the request
  std::unique_ptr<CNDAClient> m_pClient;
};
