// Feeds arbitrary bytes to the gateway-answer parser as a whole response text. An answer that
// parses must survive being written out and read again unchanged, and its data, queued as the
// HTTP client queues it, must read out as frames without running away.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "comm/frame.h"
#include "comm/soap_message.h"
#include "comm/soap_receive_queue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view response(reinterpret_cast<const char*>(data), size);
  CNSoapAnswer answer;
  if (!ParseSoapAnswer(response, answer)) return 0;
  if (answer.type > UINT8_MAX) std::abort();

  // With a "|" in front, the connection text reads back into the same two parts.
  const std::string connection = answer.connectionPrefix + "|" + answer.connection;
  if (connection.find('<') == std::string::npos) {
    const std::string written =
        "<ProcessResult>" +
        BuildSoapRequestText("", static_cast<uint8_t>(answer.type), connection, answer.first, answer.more,
                             answer.sequence, answer.data.data(), answer.data.size()) +
        "</ProcessResult>";
    CNSoapAnswer again;
    if (!ParseSoapAnswer(written, again)) std::abort();
    if (again.type != answer.type || again.connectionPrefix != answer.connectionPrefix ||
        again.connection != answer.connection || again.first != answer.first || again.more != answer.more ||
        again.sequence != answer.sequence || again.data != answer.data) {
      std::abort();
    }
  }

  CNSoapReceiveQueue queue;
  const size_t bytes = answer.data.size();
  queue.Append(std::move(answer.data));
  CNPacketHolder packet;
  // Every read consumes at least one byte, so there are at most as many reads as bytes.
  for (size_t reads = 0; queue.HasUnread(); ++reads) {
    if (reads > bytes) std::abort();
    ReceiveFrame(queue, kChannelCallback, packet);
  }
  return 0;
}
