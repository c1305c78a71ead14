#include "comm/da_client_tcp_base.h"

#include "support/utf16_text.h"

namespace {

constexpr uint8_t kZeros[kFrameHeaderSize] = {};

}  // namespace

void CNDAClientTcpBase::BeginPacket(CNPacketHolder& packet) {
  packet.Write(kZeros, kFrameHeaderSize);
}

void CNDAClientTcpBase::EndPacket(CNPacketHolder& packet) {
  packet.Write(kZeros, kFrameTrailerSize);
}

std::vector<std::u16string_view> CNDAClientTcpBase::SplitConnectionString(std::u16string_view connection) {
  std::vector<std::u16string_view> fields;
  size_t start = 0;
  for (;;) {
    const size_t comma = connection.find(u',', start);
    fields.push_back(connection.substr(start, comma == std::u16string_view::npos ? comma : comma - start));
    if (comma == std::u16string_view::npos) return fields;
    start = comma + 1;
  }
}

int CNDAClientTcpBase::ParseTimeoutSeconds(std::u16string_view field) {
  const int32_t seconds = ParseLeadingInt32(field);
  return seconds > 0 ? seconds : kDefaultTimeoutSeconds;
}

ClientResult CNDAClientTcpBase::CompleteFrame(CNPacketHolder& packet, uint8_t channel) const {
  return ::CompleteFrame(packet, channel);
}

ClientResult CNDAClientTcpBase::ReceiveFrame(CNByteSource& source, uint8_t channel,
                                             CNPacketHolder& packet) const {
  return ::ReceiveFrame(source, channel, packet, GetMaxFrameLength());
}
