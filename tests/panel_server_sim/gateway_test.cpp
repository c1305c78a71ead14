#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/frame.h"
#include "comm/soap_message.h"
#include "panel_server_sim/http_gateway.h"
#include "sim_server.h"

using namespace panel_sim;

namespace {

std::string StrIn(uint32_t type, const std::string& connection, const char* flags, int sequence,
                  const Bytes& data) {
  return "2|" + std::to_string(type) + ":" + connection + ":" + flags + std::to_string(sequence) + ":" +
         std::to_string(data.size()) + ":" + Utf16ToUtf8(HexDump(data.data(), data.size()));
}

// One gateway answer, read with the client's parser.
CNSoapAnswer Answer(HttpGateway& gateway, const std::string& strIn) {
  const std::string text = gateway.Process(strIn);
  CNSoapAnswer answer;
  EXPECT_TRUE(ParseSoapAnswer(BuildProcessResponse(text), answer)) << text;
  return answer;
}

}  // namespace

// Requests and answers in chunks are relayed in the clients' own runs through the gateway.
TEST(Gateway, ConnectsPollsDisconnectsAndRefusesUnknownConnections) {
  SimServer server;
  HttpGateway gateway(server.Port());
  CNSoapAnswer answer =
      Answer(gateway, StrIn(1, "*", "TF", 1, WireBytes().Raw("pass,99,7,0x1,1,plc,6001,2,2,N,1,10").Get()));
  EXPECT_EQ(answer.type, 1u);
  const std::string id(answer.data.begin(), answer.data.end());
  ASSERT_EQ(id.size(), 16u);

  answer = Answer(gateway, StrIn(5, id, "TF", 4, {}));  // no callback channel: nothing
  EXPECT_EQ(answer.type, 5u);
  EXPECT_TRUE(answer.data.empty());
  EXPECT_EQ(Answer(gateway, StrIn(2, id, "TF", 5, {})).type, 2u);

  // Refused: anything on a disconnected or unknown connection, a broken connect text.
  for (const uint32_t type : {3u, 5u, 2u}) EXPECT_EQ(Answer(gateway, StrIn(type, id, "TF", 1, {})).type, 7u);
  EXPECT_EQ(Answer(gateway, StrIn(3, "unknown", "TF", 1, {})).type, 7u);
  EXPECT_EQ(Answer(gateway, StrIn(1, "*", "TF", 1, WireBytes().Raw("not,a,connect,text").Get())).type, 7u);
  EXPECT_EQ(gateway.Process("garbage"), "");
}
