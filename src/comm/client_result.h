#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

// The result of every data-access operation: codes below 1000 are success (0 in practice);
// 1000 is the one failure code the clients produce.
inline constexpr uint32_t kClientFailure = 1000;

// Why a transport operation failed, each with its fixed text. "%u" takes a number (a platform
// error number, a byte count, the server's code), "%s" a text (a hexadecimal dump, the server's
// message). CS_MESSAGE carries a text of the caller's own.
#define VELTRIX_CLIENT_STATUSES(X)                                     \
  X(CS_OK, u"")                                                        \
  X(CS_OUT_OF_MEMORY, u"Can't allocate memory. %u Byte")               \
  X(CS_SEND_FAILED, u"Failed to send packet. Code:%u")                 \
  X(CS_RECEIVE_FAILED, u"Failed to receive packet. Code:%u")           \
  X(CS_FRAME_TOO_SMALL, u"Fail to receive : Packet size is too small.") \
  X(CS_FRAME_TOO_LARGE, u"Packet size is too large.")                  \
  X(CS_BAD_FOOTER, u"Fail to receive : footer check is error. [%s]")   \
  X(CS_BAD_CRC, u"Fail to receive : CRC check error. [%s]")            \
  X(CS_INVALID_PACKET, u"Receive invalid packet.")                     \
  X(CS_WRONG_PACKET_ID, u"Packet id is not collect.")                  \
  X(CS_SERVER_ERROR_CODE, u"Error from server. Code:%u")               \
  X(CS_SERVER_REFUSED, u"Error from server. : %s")                     \
  X(CS_PING_FAILED, u"Fail to ping.")                                  \
  X(CS_CONNECT_FAILED, u"Fail to connect.")                            \
  X(CS_CONNECT_REFUSED, u"Fail to connect. Error from server.")        \
  X(CS_THREAD_FAILED, u"Fail to connect. Thread creation failed.")     \
  X(CS_MESSAGE, u"%s")

enum ClientStatus : uint8_t {
#define VELTRIX_CLIENT_STATUS_CODE(name, text) name,
  VELTRIX_CLIENT_STATUSES(VELTRIX_CLIENT_STATUS_CODE)
#undef VELTRIX_CLIENT_STATUS_CODE
      CS_STATUS_COUNT
};

struct ClientResult {
  uint32_t code = 0;
  std::u16string message;
  ClientStatus status = CS_OK;
  // The number a "%u" status was given: for send and receive failures the platform's error
  // number (0 when the peer closed the connection, ETIMEDOUT when a wait ran out).
  uint32_t number = 0;

  bool Succeeded() const { return code < kClientFailure; }
  // The peer closed or reset the connection while a frame was sent or awaited.
  bool IsConnectionLost() const;

  static ClientResult Ok() { return {}; }
  // A failure with the status's text; number fills a "%u", detail a "%s".
  static ClientResult Fail(ClientStatus status, uint32_t number = 0);
  static ClientResult Fail(ClientStatus status, std::u16string_view detail);
  // A failure with a text of the caller's own (CS_MESSAGE).
  static ClientResult Fail(std::u16string text) { return Fail(CS_MESSAGE, text); }

  // The fixed text of a status, with its "%u" or "%s" mark; empty outside the list.
  static std::u16string_view GetText(ClientStatus status);
};
