#include "panel_server_sim/gateway_text.h"

#include <charconv>
#include <cstring>

#include <pugixml.hpp>

#include "comm/soap_message.h"

namespace panel_sim {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the decimal number that runs up to the next ":" and moves text past the ":".
template <class T>
bool TakeNumber(std::string_view& text, T& out) {
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  const auto [end, status] = std::from_chars(text.data(), text.data() + colon, out);
  if (colon == 0 || status != std::errc() || end != text.data() + colon) return false;
  text.remove_prefix(colon + 1);
  return true;
}

bool TakeFlag(std::string_view& text, bool& out) {
  if (text.empty() || (text[0] != 'T' && text[0] != 'F')) return false;
  out = text[0] == 'T';
  text.remove_prefix(1);
  return true;
}

void AppendEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c; break;
    }
  }
}

}  // namespace

bool ParseGatewayRequest(std::string_view strIn, GatewayRequest& request) {
  request = GatewayRequest();
  std::string_view text = strIn;
  const size_t bar = text.find('|');
  if (bar != std::string_view::npos && bar < text.find(':')) {
    int timeout = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + bar, timeout);
    request.timeoutSeconds = status == std::errc() && end == text.data() + bar ? timeout : 0;
    text.remove_prefix(bar + 1);
  }
  uint32_t length = 0;
  if (!TakeNumber(text, request.type)) return false;
  const size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  request.connection = text.substr(0, colon);
  text.remove_prefix(colon + 1);
  if (!TakeFlag(text, request.first) || !TakeFlag(text, request.more) || !TakeNumber(text, request.sequence) ||
      !TakeNumber(text, length) || length > kGatewayMaxChunkBytes || text.size() != 2 * size_t{length})
    return false;
  request.data.resize(length);
  for (size_t i = 0; i < length; ++i) {
    const int high = HexDigit(text[2 * i]);
    const int low = HexDigit(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    request.data[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return true;
}

std::string BuildGatewayAnswer(uint32_t type, std::string_view connection, bool first, bool more, uint16_t sequence,
                               const uint8_t* data, size_t size) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string answer = std::to_string(type) + ":" + std::string(connection) + ":" + (first ? "T" : "F") +
                       (more ? "T" : "F") + std::to_string(sequence) + ":" + std::to_string(size) + ":";
  answer.reserve(answer.size() + 2 * size);
  for (size_t i = 0; i < size; ++i) {
    answer += kHex[data[i] >> 4];
    answer += kHex[data[i] & 15];
  }
  return answer;
}

bool ExtractStrIn(std::string_view body, std::string& strIn) {
  pugi::xml_document document;
  if (!document.load_buffer(body.data(), body.size())) return false;
  const pugi::xml_node found = document.find_node([](const pugi::xml_node& node) {
    const char* name = node.name();
    const char* colon = std::strrchr(name, ':');
    return std::strcmp(colon ? colon + 1 : name, "strIn") == 0;
  });
  if (!found) return false;
  strIn = found.text().get();
  return true;
}

std::string BuildProcessResponse(std::string_view answer) {
  std::string body =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
      "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\""
      " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">"
      "<soap:Body><ProcessResponse xmlns=\"";
  body += kSoapNamespace;
  body += "\"><ProcessResult>";
  AppendEscaped(body, answer);
  body += "</ProcessResult></ProcessResponse></soap:Body></soap:Envelope>";
  return body;
}

}  // namespace panel_sim
