// Both clients against a server that damages every answer: each damage gives the frame
// reader's text, or is skipped over, the same way over TCP and through the HTTP gateway.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "comm/da_client_soap.h"
#include "comm/da_client_tcp.h"
#include "comm/frame.h"
#include "comm_e2e/link_commands.h"
#include "comm_e2e/recording_sink.h"
#include "comm_e2e/server_process.h"
#include "panel_server_sim/wire_bytes.h"

namespace {

std::string UpperHex(const std::vector<uint8_t>& bytes, size_t from) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (size_t i = from; i < bytes.size(); ++i) text.append({kDigits[bytes[i] >> 4], kDigits[bytes[i] & 15]});
  return text;
}

// What a reader reports for the answer to "Update" (ok 1, no changes) whose CRC's low byte was
// damaged: every byte after the length field, as hexadecimal.
std::string CrcErrorOfUpdateAnswer(uint8_t id) {
  std::vector<uint8_t> frame = WireBytes::Command(id, u"Update").U32(1).U32(0).Frame();
  frame.back() ^= 0x5A;
  return "Fail to receive : CRC check error. [" + UpperHex(frame, kFrameHeaderSize) + "]";
}

struct Transport {
  const char* name;
  std::function<std::unique_ptr<CNDAClient>()> make;
  std::function<std::u16string(const ServerProcess&)> connection;
};

const Transport kTransports[] = {
    {"tcp", [] { return std::make_unique<CNDAClientTcp>(); },
     [](const ServerProcess& server) { return server.TcpConnection(2); }},
    {"http",
     [] { return std::make_unique<CNDAClientSoap>(std::make_unique<CNSoapTransportCurl>(), CNSoapTimings{50, 50, 5000}); },
     [](const ServerProcess& server) { return server.SoapConnection(2); }},
};

}  // namespace

TEST(DamagedAnswers, GiveTheReadersTextsOrAreSkippedOverEitherTransport) {
  const struct {
    const char* fault;
    const char* text;  // nullptr: the answer is read as if nothing had happened
  } cases[] = {
      {"garbage-before-frame", nullptr},
      {"wrong-channel", nullptr},
      {"corrupt-crc", ""},  // the dump holds the packet id
      {"short-frame", "Fail to receive : Packet size is too small."},
      {"wrong-id", "Packet id is not collect."},
      {"error-status=7", "Error from server. Code:7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    ServerProcess server({.faults = {c.fault}, .http = true});
    ASSERT_TRUE(server.IsRunning());
    for (const Transport& transport : kTransports) {
      SCOPED_TRACE(transport.name);
      RecordingSink sink;
      const std::unique_ptr<CNDAClient> client = transport.make();
      client->SetSink(&sink);
      const ClientResult connected = client->Connect(transport.connection(server), 1, 1, 1, true);
      ASSERT_TRUE(connected.Succeeded()) << Text(connected);
      for (int i = 0; i < 3; ++i) {  // every answer is damaged alike; the stream stays usable
        const TagAnswer update = Update(*client);
        if (c.text == nullptr) {
          ASSERT_TRUE(update.result.Succeeded()) << Text(update.result);
          EXPECT_TRUE(update.parsed);
          EXPECT_TRUE(update.items.empty());
        } else if (*c.text == '\0') {
          EXPECT_EQ(Text(update.result), CrcErrorOfUpdateAnswer(update.id));
        } else {
          EXPECT_EQ(Text(update.result), c.text);
        }
      }
      // A callback-channel frame that comes with the answers is dropped by the command reader,
      // never handed to the sink.
      EXPECT_TRUE(client->Disconnect().Succeeded());
      EXPECT_TRUE(sink.Names().empty());
    }
  }
}
