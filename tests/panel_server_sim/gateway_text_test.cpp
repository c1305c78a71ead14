#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/soap_message.h"
#include "panel_server_sim/gateway_relay.h"
#include "panel_server_sim/gateway_text.h"
#include "wire_bytes.h"

using namespace panel_sim;

TEST(GatewayText, ReadsStrIn) {
  GatewayRequest request;
  ASSERT_TRUE(ParseGatewayRequest("3|5:abc:TF7:0:", request));
  EXPECT_EQ(request.timeoutSeconds, 3);
  EXPECT_EQ(request.type, 5u);
  EXPECT_EQ(request.connection, "abc");
  EXPECT_TRUE(request.first);
  EXPECT_FALSE(request.more);
  EXPECT_EQ(request.sequence, 7);
  EXPECT_TRUE(request.data.empty());

  ASSERT_TRUE(ParseGatewayRequest("12|3:0A1B:FT65535:3:00fFa0", request));
  EXPECT_EQ(request.timeoutSeconds, 12);
  EXPECT_FALSE(request.first);
  EXPECT_TRUE(request.more);
  EXPECT_EQ(request.sequence, 65535);
  EXPECT_EQ(request.data, (std::vector<uint8_t>{0x00, 0xFF, 0xA0}));

  ASSERT_TRUE(ParseGatewayRequest("1:*:TF1:2:4142", request));  // no time-out prefix
  EXPECT_EQ(request.timeoutSeconds, 0);
  EXPECT_EQ(request.connection, "*");
}

TEST(GatewayText, RefusesMalformedStrIn) {
  for (const char* text : {
           "", "3|", "3|5", "3|5:abc", "3|5:abc:", "3|5:abc:TF7", "3|5:abc:TF7:0", "3|x:abc:TF7:0:",
           "3|5:abc:XF7:0:", "3|5:abc:T7:0:", "3|5:abc:TF:0:", "3|5:abc:TF65536:0:", "3|5:abc:TF7:1:A",
           "3|5:abc:TF7:1:ABC", "3|5:abc:TF7:1:GG", "3|5:abc:TF7:2:AB", "3|5:abc:TF7:-1:",
           "3|5:abc:TF7:4294967296:", "3|5:abc:TF7:99999999:00"}) {
    GatewayRequest request;
    EXPECT_FALSE(ParseGatewayRequest(text, request)) << text;
  }
}

TEST(GatewayText, AnswersInTheShapeTheClientReads) {
  const uint8_t data[] = {0x40, 0x4B, 0xFF};
  const std::string answer = BuildGatewayAnswer(3, "C0FFEE", true, false, 12, data, sizeof data);
  EXPECT_EQ(answer, "3:C0FFEE:TF12:3:404BFF");
  EXPECT_EQ(BuildGatewayAnswer(7, "gone", true, false, 0, nullptr, 0), "7:gone:TF0:0:");

  CNSoapAnswer parsed;
  ASSERT_TRUE(ParseSoapAnswer(BuildProcessResponse(answer), parsed));
  EXPECT_EQ(parsed.type, 3u);
  EXPECT_EQ(parsed.connection, "C0FFEE");
  EXPECT_EQ(parsed.sequence, 12);
  EXPECT_EQ(parsed.data, (std::vector<uint8_t>(data, data + 3)));
}

TEST(GatewayText, FindsStrInInAnyEnvelope) {
  std::string strIn;
  ASSERT_TRUE(ExtractStrIn(BuildSoapEnvelope("4|3:AB:TF1:0:"), strIn));
  EXPECT_EQ(strIn, "4|3:AB:TF1:0:");
  ASSERT_TRUE(ExtractStrIn("<?xml version=\"1.0\"?><e:Envelope xmlns:e=\"x\"><e:Body><p:Process xmlns:p=\"y\">"
                           "<p:strIn>1|2:a&amp;b:TF0:0:</p:strIn></p:Process></e:Body></e:Envelope>",
                           strIn));
  EXPECT_EQ(strIn, "1|2:a&b:TF0:0:");
  EXPECT_FALSE(ExtractStrIn("<Envelope><Body/></Envelope>", strIn));
  EXPECT_FALSE(ExtractStrIn("<Envelope><strIn>unclosed", strIn));
  EXPECT_FALSE(ExtractStrIn("", strIn));
}

TEST(GatewayText, ReadsConnectTextsFromTheEnd) {
  GatewayConnectInfo info;
  ASSERT_TRUE(ParseGatewayConnectText("pass,with,commas,4321,77,0x7ffd1234,3,plc1,6001,5,4,Y,1,10", info));
  EXPECT_EQ(info.processId, 4321u);
  EXPECT_EQ(info.clientId, 77u);
  EXPECT_EQ(info.clientKind, 1);
  EXPECT_TRUE(info.callback);
  EXPECT_EQ(info.connectTimeoutSeconds, 5);
  ASSERT_TRUE(ParseGatewayConnectText(",1,2,0,1,host,6001,-1,-1,N,7,10", info));
  EXPECT_FALSE(info.callback);
  EXPECT_EQ(info.clientKind, 7);
  for (const char* text : {"", "1,2,0,1,host,6001,5,4,Y,1,10", ",1,2,0,1,host,6001,5,4,maybe,1,10",
                           ",x,2,0,1,host,6001,5,4,Y,1,10", ",1,2,0,1,host,6001,5,4,Y,256,10"})
    EXPECT_FALSE(ParseGatewayConnectText(text, info)) << text;
}
