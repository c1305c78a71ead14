#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace panel_sim {

// The largest chunk a request may carry; clients send at most kSoapChunkSize bytes.
inline constexpr size_t kGatewayMaxChunkBytes = 1u << 20;

// One "Process" call of the SOAP gateway, read from its strIn text:
//   strIn := time-out "|" type ":" connection ":" first more sequence ":" length ":" HEX
// first and more are "T" or "F"; HEX is exactly 2 × length hexadecimal digits (either case).
struct GatewayRequest {
  int timeoutSeconds = 0;  // 0 when the prefix is missing or not a number
  uint32_t type = 0;
  std::string connection;
  bool first = false;
  bool more = false;
  uint16_t sequence = 0;
  std::vector<uint8_t> data;
};

// False for any other shape, numbers out of range or a chunk above kGatewayMaxChunkBytes.
bool ParseGatewayRequest(std::string_view strIn, GatewayRequest& request);

// The answer text: type ":" connection ":" first more sequence ":" length ":" HEX (upper case).
std::string BuildGatewayAnswer(uint32_t type, std::string_view connection, bool first, bool more, uint16_t sequence,
                               const uint8_t* data, size_t size);

// The text of the strIn element of a SOAP request body (any namespace prefix); false when the
// body is not XML or holds no strIn.
bool ExtractStrIn(std::string_view body, std::string& strIn);

// The SOAP response body carrying an answer text in <ProcessResult>.
std::string BuildProcessResponse(std::string_view answer);

}  // namespace panel_sim
