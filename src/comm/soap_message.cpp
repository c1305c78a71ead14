#include "comm/soap_message.h"

#include <array>
#include <string>

namespace {

constexpr std::string_view kEnvelopeHead =
    "<?xml version=\"1.0\" encoding=\"utf-8\" ?>"
    "<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
    " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
    " xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
    "<soap:Body><Process xmlns=\"";
constexpr std::string_view kEnvelopeCall = "\"><strIn>";
constexpr std::string_view kEnvelopeTail = "</strIn></Process></soap:Body></soap:Envelope>";

constexpr char kUpperHex[] = "0123456789ABCDEF";
constexpr uint8_t kNotHex = 0xFF;

// The value of each answer character as a hexadecimal digit; the gateway's decoder also reads
// ":" to "?" (the six characters after "9") as 10 to 15.
constexpr std::array<uint8_t, 256> MakeHexTable() {
  std::array<uint8_t, 256> table{};
  for (auto& entry : table) entry = kNotHex;
  for (int c = '0'; c <= '?'; ++c) table[c] = static_cast<uint8_t>(c - '0');
  for (int c = 0; c < 6; ++c) {
    table['A' + c] = static_cast<uint8_t>(10 + c);
    table['a' + c] = static_cast<uint8_t>(10 + c);
  }
  return table;
}
constexpr std::array<uint8_t, 256> kHexValue = MakeHexTable();

const char* Flag(bool on) {
  return on ? "T" : "F";
}

// The text between the first open and the first close after it.
bool FindBetween(std::string_view text, std::string_view open, std::string_view close,
                 std::string_view& inner) {
  const size_t start = text.find(open);
  if (start == std::string_view::npos) return false;
  const size_t from = start + open.size();
  const size_t end = text.find(close, from);
  if (end == std::string_view::npos) return false;
  inner = text.substr(from, end - from);
  return true;
}

// Takes the text up to the next ":" off the front of rest; false when there is no ":".
bool TakeField(std::string_view& rest, std::string_view& field) {
  const size_t colon = rest.find(':');
  if (colon == std::string_view::npos) return false;
  field = rest.substr(0, colon);
  rest.remove_prefix(colon + 1);
  return true;
}

// decimal := digit { digit }, at most max.
bool ParseDecimal(std::string_view text, uint64_t max, uint64_t& out) {
  if (text.empty()) return false;
  uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > max) return false;
  }
  out = value;
  return true;
}

bool ParseFlag(char c, bool& out) {
  if (c != 'T' && c != 'F') return false;
  out = c == 'T';
  return true;
}

}  // namespace

std::vector<CNSoapChunkSpan> SplitSoapMessage(size_t size) {
  std::vector<CNSoapChunkSpan> chunks;
  size_t offset = 0;
  do {
    const size_t length = size - offset < kSoapChunkSize ? size - offset : kSoapChunkSize;
    chunks.push_back({offset, length, offset == 0, offset + length < size});
    offset += length;
  } while (offset < size);
  return chunks;
}

std::string BuildSoapRequestText(std::string_view prefix, uint8_t type, std::string_view connection,
                                 bool first, bool more, uint16_t sequence, const uint8_t* data,
                                 size_t length) {
  std::string text;
  text.reserve(prefix.size() + connection.size() + 32 + 2 * length);
  text.append(prefix);
  text.append(std::to_string(type)).push_back(':');
  text.append(connection).push_back(':');
  text.append(Flag(first)).append(Flag(more));
  text.append(std::to_string(sequence)).push_back(':');
  text.append(std::to_string(length)).push_back(':');
  for (size_t i = 0; i < length; ++i) {
    text.push_back(kUpperHex[data[i] >> 4]);
    text.push_back(kUpperHex[data[i] & 0x0F]);
  }
  return text;
}

std::string BuildSoapEnvelope(std::string_view strIn) {
  std::string body;
  body.reserve(kEnvelopeHead.size() + kSoapNamespace.size() + kEnvelopeCall.size() + strIn.size() +
               kEnvelopeTail.size());
  body.append(kEnvelopeHead).append(kSoapNamespace).append(kEnvelopeCall);
  // The message's own characters never need escaping; a connection identifier chosen by the
  // gateway might.
  for (char c : strIn) {
    switch (c) {
      case '&':
        body.append("&amp;");
        break;
      case '<':
        body.append("&lt;");
        break;
      case '>':
        body.append("&gt;");
        break;
      default:
        body.push_back(c);
    }
  }
  body.append(kEnvelopeTail);
  return body;
}

// answer := type ":" connection ":" flag flag sequence ":" n ":" hex{2n}
bool ParseSoapAnswer(std::string_view response, CNSoapAnswer& answer) {
  if (response.size() > kSoapMaxResponseBytes) return false;
  std::string_view rest;
  if (!FindBetween(response, "<ProcessResult>", "</ProcessResult>", rest) &&
      !FindBetween(response, "<ns:return>", "</ns:return>", rest)) {
    return false;
  }
  std::string_view type, connection, flags, length;
  // The hexadecimal part may itself hold ":" characters, so it is whatever follows the fourth.
  if (!TakeField(rest, type) || !TakeField(rest, connection) || !TakeField(rest, flags) ||
      !TakeField(rest, length)) {
    return false;
  }
  uint64_t number = 0;
  if (!ParseDecimal(type, UINT8_MAX, number)) return false;
  answer.type = static_cast<uint32_t>(number);

  const size_t bar = connection.find('|');
  answer.connectionPrefix =
      bar == std::string_view::npos ? std::string() : std::string(connection.substr(0, bar));
  answer.connection = std::string(bar == std::string_view::npos ? connection : connection.substr(bar + 1));

  if (flags.size() < 3 || !ParseFlag(flags[0], answer.first) || !ParseFlag(flags[1], answer.more))
    return false;
  if (!ParseDecimal(flags.substr(2), UINT16_MAX, number)) return false;
  answer.sequence = static_cast<uint16_t>(number);

  if (!ParseDecimal(length, kSoapMaxAnswerBytes, number) || rest.size() != 2 * number) return false;
  answer.data.resize(static_cast<size_t>(number));
  for (size_t i = 0; i < answer.data.size(); ++i) {
    const uint8_t high = kHexValue[static_cast<uint8_t>(rest[2 * i])];
    const uint8_t low = kHexValue[static_cast<uint8_t>(rest[2 * i + 1])];
    if (high == kNotHex || low == kNotHex) return false;
    answer.data[i] = static_cast<uint8_t>(high << 4 | low);
  }
  return true;
}
