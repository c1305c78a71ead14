#include "comm/soap_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comm/frame.h"
#include "support/utf16_text.h"

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
  const auto spans = [](size_t size) {  // offset+length, then first and more
    std::string text;
    for (const CNSoapChunkSpan& s : SplitSoapMessage(size))
      text += std::to_string(s.offset) + "+" + std::to_string(s.length) + (s.first ? "T" : "F") +
              (s.more ? "T " : "F ");
    return text;
  };
  EXPECT_EQ(spans(0), "0+0TF ");
  EXPECT_EQ(spans(1), "0+1TF ");
  EXPECT_EQ(spans(30000), "0+30000TF ");
  EXPECT_EQ(spans(30001), "0+30000TT 30000+1FF ");
  EXPECT_EQ(spans(65000), "0+30000TT 30000+30000FT 60000+5000FF ");
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
  const std::string escaped = BuildSoapEnvelope("1:a&b<c>:TF1:0:");
  EXPECT_NE(escaped.find("<strIn>1:a&amp;b&lt;c&gt;:TF1:0:</strIn>"), std::string::npos);
}

TEST(SoapMessage, AnswersInEitherWrapperWithEveryHexSpelling) {
  // type, prefix|connection, first and more, sequence, data
  const auto parsed = [](const std::string& text) {
    CNSoapAnswer a;
    if (!ParseSoapAnswer(text, a)) return std::string("refused");
    return std::to_string(a.type) + " " + a.connectionPrefix + "|" + a.connection + " " +
           (a.first ? "T" : "F") + (a.more ? "T " : "F ") + std::to_string(a.sequence) + " " +
           Utf16ToUtf8(HexDump(a.data.data(), a.data.size()));
  };
  EXPECT_EQ(
      parsed(
          "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope><soap:Body><ProcessResponse>"
          "<ProcessResult>3:abc:FF12:3:0aFf7E</ProcessResult></ProcessResponse></soap:Body></soap:Envelope>"),
      "3 |abc FF 12 0AFF7E");
  // The other wrapper, a connection text with a "|", and ":" to "?" standing for 10 to 15
  // (the hexadecimal part may thus hold ":" itself).
  EXPECT_EQ(parsed("<x><ns:return>5:gw|abc:TT65535:4::;<=>?0:</ns:return></x>"),
            "5 gw|abc TT 65535 ABCDEF0A");
  // "<ProcessResult>" wins over "<ns:return>"; an incomplete pair falls back to the other one.
  EXPECT_EQ(parsed("<ns:return>1:a:TF1:0:</ns:return><ProcessResult>2:b:TF1:0:</ProcessResult>"),
            "2 |b TF 1 ");
  EXPECT_EQ(parsed("<ProcessResult>2:b:TF1:0:<ns:return>7::FF0:0:</ns:return>"), "7 | FF 0 ");
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
