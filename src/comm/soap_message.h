#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "comm/frame.h"

// The text form of the messages the HTTP client exchanges with the gateway. A message (a
// frame, a connect text, or nothing) is posted in chunks; each chunk travels as the text of
// one SOAP "Process" call:
//   strIn := prefix type ":" connection ":" first more sequence ":" length ":" HEX
// and each answer comes back in the same shape as the call's result.

enum SoapMessageType : uint8_t {
  kSoapConnect = 1,
  kSoapDisconnect = 2,
  kSoapSend = 3,
  kSoapPoll = 5,
  kSoapRefused = 7,  // answer only: the gateway no longer knows the connection
};

inline constexpr size_t kSoapChunkSize = 30000;
// The service namespace of the gateway and the action of its one call.
inline constexpr std::string_view kSoapNamespace = "http://localhost/hgateway/";
inline constexpr std::string_view kSoapAction = "http://localhost/hgateway/Process";
// Bounds on what one message may bring back, so that a hostile gateway cannot make us allocate
// or loop without bound: decoded bytes of all its answers, answers per message, and the text
// of one HTTP answer.
inline constexpr size_t kSoapMaxAnswerBytes = kDefaultMaxFrameLength;
inline constexpr uint32_t kSoapMaxAnswerChunks = 4096;
inline constexpr size_t kSoapMaxResponseBytes = 2 * kSoapMaxAnswerBytes + 65536;

// One chunk of a message: where it lies in the message and its flags.
struct CNSoapChunkSpan {
  size_t offset = 0;
  size_t length = 0;
  bool first = false;
  bool more = false;
};

// Splits a message of size bytes into chunks of kSoapChunkSize bytes, the last one holding the
// rest; an empty message is one chunk of length 0.
std::vector<CNSoapChunkSpan> SplitSoapMessage(size_t size);

// The text of strIn for one chunk: the request prefix ("%d|" of the receive time-out), the
// message type, the connection identifier, "T"/"F" for first and more, the sequence number,
// the chunk length and the chunk in upper-case hexadecimal.
std::string BuildSoapRequestText(std::string_view prefix, uint8_t type, std::string_view connection,
                                 bool first, bool more, uint16_t sequence, const uint8_t* data,
                                 size_t length);

// The whole request body, on one line: the XML declaration and a SOAP 1.1 envelope whose body
// is one Process call carrying strIn (escaped as element text).
std::string BuildSoapEnvelope(std::string_view strIn);

// One answer of the gateway.
struct CNSoapAnswer {
  uint32_t type = 0;
  std::string connectionPrefix;  // the part of the connection text before a "|", if any
  std::string connection;        // the rest of it
  bool first = false;
  bool more = false;
  uint16_t sequence = 0;
  std::vector<uint8_t> data;
};

// Reads the answer out of the gateway's response text: the text between "<ProcessResult>" and
// "</ProcessResult>", or failing those between "<ns:return>" and "</ns:return>", must read
//   type ":" connection ":" ("T"|"F") ("T"|"F") sequence ":" n ":" exactly 2n hex characters
// where the hexadecimal digits may be upper or lower case and ":" to "?" stand for 10 to 15.
// False on any other shape, on a response above kSoapMaxResponseBytes and on numbers out of
// range; answer is then unspecified.
bool ParseSoapAnswer(std::string_view response, CNSoapAnswer& answer);
