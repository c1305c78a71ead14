#include "panel_server_sim/gateway_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "comm/frame.h"
#include "comm/soap_message.h"
#include "panel_server_sim/gateway_relay.h"
#include "support/utf16_text.h"

using namespace panel_sim;

namespace {

// The fields of a strIn text as read: time-out, type, connection, first and more, sequence, data.
std::string Read(const char* strIn) {
  GatewayRequest r;
  if (!ParseGatewayRequest(strIn, r)) return "refused";
  return std::to_string(r.timeoutSeconds) + " " + std::to_string(r.type) + " " + r.connection + " " +
         (r.first ? "T" : "F") + (r.more ? "T " : "F ") + std::to_string(r.sequence) + " " +
         Utf16ToUtf8(HexDump(r.data.data(), r.data.size()));
}

}  // namespace

TEST(GatewayText, ReadsStrInAndRefusesMalformedOnes) {
  EXPECT_EQ(Read("3|5:abc:TF7:0:"), "3 5 abc TF 7 ");
  EXPECT_EQ(Read("12|3:0A1B:FT65535:3:00fFa0"), "12 3 0A1B FT 65535 00FFA0");
  EXPECT_EQ(Read("1:*:TF1:2:4142"), "0 1 * TF 1 4142");  // no time-out prefix
  for (const char* text :
       {"", "3|", "3|5", "3|5:abc", "3|5:abc:", "3|5:abc:TF7", "3|5:abc:TF7:0", "3|x:abc:TF7:0:",
        "3|5:abc:XF7:0:", "3|5:abc:T7:0:", "3|5:abc:TF:0:", "3|5:abc:TF65536:0:", "3|5:abc:TF7:1:A",
        "3|5:abc:TF7:1:ABC", "3|5:abc:TF7:1:GG", "3|5:abc:TF7:2:AB",
        "3|5:abc:TF7:-1:", "3|5:abc:TF7:4294967296:", "3|5:abc:TF7:99999999:00"})
    EXPECT_EQ(Read(text), "refused") << text;
}

// The clients read these answers in their runs through the gateway.
TEST(GatewayText, AnswersInTheShapeTheClientReads) {
  const uint8_t data[] = {0x40, 0x4B, 0xFF};
  EXPECT_EQ(BuildGatewayAnswer(3, "C0FFEE", true, false, 12, data, sizeof data), "3:C0FFEE:TF12:3:404BFF");
  EXPECT_EQ(BuildGatewayAnswer(7, "gone", true, false, 0, nullptr, 0), "7:gone:TF0:0:");
}

TEST(GatewayText, FindsStrInInAnyEnvelope) {
  std::string strIn;
  ASSERT_TRUE(ExtractStrIn(BuildSoapEnvelope("4|3:AB:TF1:0:"), strIn));
  EXPECT_EQ(strIn, "4|3:AB:TF1:0:");
  ASSERT_TRUE(
      ExtractStrIn("<?xml version=\"1.0\"?><e:Envelope xmlns:e=\"x\"><e:Body><p:Process xmlns:p=\"y\">"
                   "<p:strIn>1|2:a&amp;b:TF0:0:</p:strIn></p:Process></e:Body></e:Envelope>",
                   strIn));
  EXPECT_EQ(strIn, "1|2:a&b:TF0:0:");
  for (const char* envelope : {"<Envelope><Body/></Envelope>", "<Envelope><strIn>unclosed", ""})
    EXPECT_FALSE(ExtractStrIn(envelope, strIn)) << envelope;
}

TEST(GatewayText, ReadsConnectTextsFromTheEnd) {
  GatewayConnectInfo info;
  ASSERT_TRUE(ParseGatewayConnectText("pass,with,commas,4321,77,0x7ffd1234,3,plc1,6001,5,4,Y,1,10", info));
  EXPECT_EQ(
      std::tie(info.processId, info.clientId, info.clientKind, info.callback, info.connectTimeoutSeconds),
      std::make_tuple(4321u, 77u, uint8_t{1}, true, 5));
  ASSERT_TRUE(ParseGatewayConnectText(",1,2,0,1,host,6001,-1,-1,N,7,10", info));
  EXPECT_FALSE(info.callback);
  EXPECT_EQ(info.clientKind, 7);
  for (const char* text : {"", "1,2,0,1,host,6001,5,4,Y,1,10", ",1,2,0,1,host,6001,5,4,maybe,1,10",
                           ",x,2,0,1,host,6001,5,4,Y,1,10", ",1,2,0,1,host,6001,5,4,Y,256,10"})
    EXPECT_FALSE(ParseGatewayConnectText(text, info)) << text;
}
