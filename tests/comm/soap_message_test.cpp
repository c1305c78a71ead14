#include "comm/soap_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SoapMessage, RequestTextGoldenVectors) {
  // A poll: first and last chunk, no data.
  EXPECT_EQ(BuildSoapRequestText("3|", kSoapPoll, "abc", true, false, 7, nullptr, 0), "3|5:abc:TF7:0:");
  const uint8_t data[] = {0x00, 0xAB, 0x12, 0xFF};
  EXPECT_EQ(BuildSoapRequestText("4|", kSoapSend, "id", false, true, 255, data, sizeof(data)),
            "4|3:id:FT255:4:00AB12FF");
  EXPECT_EQ(BuildSoapRequestText("10|", kSoapConnect, "*", true, false, 1, data, 1), "10|1:*:TF1:1:00");
}

TEST(SoapMessage, MessagesAreSplitIntoChunksOf30000Bytes) {
  struct Case {
    size_t size;
    std::vector<CNSoapChunkSpan> chunks;
  };
  const Case cases[] = {
      {0, {{0, 0, true, false}}},
      {1, {{0, 1, true, false}}},
      {30000, {{0, 30000, true, false}}},
      {30001, {{0, 30000, true, true}, {30000, 1, false, false}}},
      {65000, {{0, 30000, true, true}, {30000, 30000, false, true}, {60000, 5000, false, false}}},
  };
  for (const Case& c : cases) {
    const std::vector<CNSoapChunkSpan> chunks = SplitSoapMessage(c.size);
    ASSERT_EQ(chunks.size(), c.chunks.size()) << c.size;
    for (size_t i = 0; i < chunks.size(); ++i) {
      EXPECT_EQ(chunks[i].offset, c.chunks[i].offset) << c.size << " " << i;
      EXPECT_EQ(chunks[i].length, c.chunks[i].length) << c.size << " " << i;
      EXPECT_EQ(chunks[i].first, c.chunks[i].first) << c.size << " " << i;
      EXPECT_EQ(chunks[i].more, c.chunks[i].more) << c.size << " " << i;
    }
  }
}

TEST(SoapMessage, EnvelopeIsOneLineAndEscapesItsText) {
  const uint8_t data[] = {0x40, 0x4B};
  EXPECT_EQ(BuildSoapEnvelope(BuildSoapRequestText("3|", kSoapSend, "abc", true, false, 9, data, 2)),
            "<?xml version=\"1.0\" encoding=\"utf-8\" ?>"
            "<soap:Envelope xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
            "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
            "<soap:Body><Process xmlns=\"http://localhost/hgateway/\"><strIn>3|3:abc:TF9:2:404B</strIn>"
            "</Process></soap:Body></soap:Envelope>");
  EXPECT_EQ(kSoapAction, "http://localhost/hgateway/Process");
  const std::string escaped = BuildSoapEnvelope("1:a&b<c>:TF1:0:");
  EXPECT_NE(escaped.find("<strIn>1:a&amp;b&lt;c&gt;:TF1:0:</strIn>"), std::string::npos);
}

TEST(SoapMessage, AnswersInEitherWrapperWithEveryHexSpelling) {
  const std::string envelope =
      "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope><soap:Body><ProcessResponse>"
      "<ProcessResult>3:abc:FF12:3:0aFf7E</ProcessResult></ProcessResponse></soap:Body></soap:Envelope>";
  CNSoapAnswer answer;
  ASSERT_TRUE(ParseSoapAnswer(envelope, answer));
  EXPECT_EQ(answer.type, 3u);
  EXPECT_EQ(answer.connectionPrefix, "");
  EXPECT_EQ(answer.connection, "abc");
  EXPECT_FALSE(answer.first);
  EXPECT_FALSE(answer.more);
  EXPECT_EQ(answer.sequence, 12);
  EXPECT_EQ(answer.data, (std::vector<uint8_t>{0x0A, 0xFF, 0x7E}));

  // The other wrapper, a connection text with a "|", and ":" to "?" standing for 10 to 15
  // (the hexadecimal part may thus hold ":" itself).
  ASSERT_TRUE(ParseSoapAnswer("<x><ns:return>5:gw|abc:TT65535:4::;<=>?0:</ns:return></x>", answer));
  EXPECT_EQ(answer.type, 5u);
  EXPECT_EQ(answer.connectionPrefix, "gw");
  EXPECT_EQ(answer.connection, "abc");
  EXPECT_TRUE(answer.first);
  EXPECT_TRUE(answer.more);
  EXPECT_EQ(answer.sequence, 65535);
  EXPECT_EQ(answer.data, (std::vector<uint8_t>{0xAB, 0xCD, 0xEF, 0x0A}));

  // "<ProcessResult>" wins over "<ns:return>"; an incomplete pair falls back to the other one.
  ASSERT_TRUE(
      ParseSoapAnswer("<ns:return>1:a:TF1:0:</ns:return><ProcessResult>2:b:TF1:0:</ProcessResult>", answer));
  EXPECT_EQ(answer.connection, "b");
  ASSERT_TRUE(ParseSoapAnswer("<ProcessResult>2:b:TF1:0:<ns:return>7::FF0:0:</ns:return>", answer));
  EXPECT_EQ(answer.type, 7u);
  EXPECT_TRUE(answer.data.empty());
}

TEST(SoapMessage, MalformedAnswersAreRefused) {
  const char* const answers[] = {
      "3:abc:FF1:1:00",                                                     // no wrapper
      "<ProcessResult>3:abc:FF1:1:00",                                      // no closing tag
      "<ProcessResult>3:abc:FF1:1:0</ProcessResult>",                       // hex shorter than 2n
      "<ProcessResult>3:abc:FF1:1:000</ProcessResult>",                     // longer than 2n
      "<ProcessResult>3:abc:FF1:2:0G00</ProcessResult>",                    // not a hex digit
      "<ProcessResult>3:abc:FF1:1:@/</ProcessResult>",                      // just outside "0" to "?"
      "<ProcessResult>3:abc:tF1:0:</ProcessResult>",                        // a flag other than T or F
      "<ProcessResult>3:abc:TF:0:</ProcessResult>",                         // no sequence number
      "<ProcessResult>3:abc:TF65536:0:</ProcessResult>",                    // sequence beyond 16 bits
      "<ProcessResult> 3:abc:TF1:0:</ProcessResult>",                       // not a number
      "<ProcessResult>3:abc:TF1:4294967298:0000</ProcessResult>",           // length wrapping to 2
      "<ProcessResult>3:abc:TF1:99999999999999999999999:</ProcessResult>",  // length overflow
      "<ProcessResult>3:abc:TF1:0</ProcessResult>",                         // four fields only
  };
  for (const char* text : answers) {
    CNSoapAnswer answer;
    EXPECT_FALSE(ParseSoapAnswer(text, answer)) << text;
  }
}

}  // namespace
