#include "comm/frame.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "client_test_util.h"
#include "comm/da_client_tcp.h"
#include "comm/packet_creator.h"
#include "frame_bytes.h"

namespace {

TEST(Frame, UpdateRequestIsThirtyFourBytes) {
  CNDAClientTcp client;  // for the packet room only
  CNPacketHolder packet;
  client.BeginPacket(packet);
  CNDAPacketCreatorSimple creator(packet);
  ASSERT_TRUE(creator.BeginCommand(u"Update"));
  client.EndPacket(packet);
  const uint8_t id = 0x2A;  // pin the id so that the CRC below is fixed
  ASSERT_TRUE(creator.Overwrite(kFrameHeaderSize, &id, 1));
  ASSERT_TRUE(CompleteFrame(packet, kChannelCommand).Succeeded());
  const Bytes expected = {
      0x40, 0x4B, 0x56, 0x0A, 0x4E, 0x19, 0x00, 0x00, 0x00,  // "@KV" LF, "N", L = 25
      0x2A, 0x00, 0x00, 0x0C, 0x00,                          // id, status, name bytes
      0x55, 0x00, 0x70, 0x00, 0x64, 0x00, 0x61, 0x00, 0x74, 0x00, 0x65, 0x00, 0x00, 0x00,  // "Update"
      0x2A, 0x4B, 0x56, 0x2A, 0xE2, 0xB4,  // "*KV*", CRC high, low
  };
  EXPECT_EQ(PacketBytes(packet), expected);
}

TEST(Frame, CrcOfTheNineDigitsGoesHighByteFirst) {
  CNPacketHolder packet;
  const uint8_t bytes[9 + 9 + 6] = {0, 0, 0, 0, 0, 0, 0, 0, 0, '1', '2', '3', '4', '5', '6', '7', '8', '9'};
  packet.Write(bytes, sizeof(bytes));
  ASSERT_TRUE(CompleteFrame(packet, kChannelCallback).Succeeded());
  const Bytes frame = PacketBytes(packet);
  EXPECT_EQ(Bytes(frame.begin(), frame.begin() + 9), (Bytes{'@', 'K', 'V', '\n', 'C', 15, 0, 0, 0}));
  EXPECT_EQ(Bytes(frame.end() - 6, frame.end()), (Bytes{'*', 'K', 'V', '*', 0x4B, 0x37}));
}

TEST(Frame, CompleteFrameRefusesFailedBufferAndMissingRoom) {
  CNPacketHolder tooShort;
  tooShort.Write("@KV\nN", 5);
  EXPECT_EQ(Text(CompleteFrame(tooShort, kChannelCommand)), "Failed to send packet. Code:22");

  CNPacketHolder failed(CRPtr<CRBuffer>::Adopt(new FailingBuffer));
  EXPECT_FALSE(failed.SetSize(300));
  EXPECT_EQ(Text(CompleteFrame(failed, kChannelCommand)), "Can't allocate memory. 300 Byte");
}

TEST(Frame, ReceiveSkipsGarbageMarksAndOtherChannels) {
  const Bytes answer = CommandPayload(7, 0, u"Read", {1, 0, 0, 0});
  const Bytes good = FrameOf('N', answer);
  std::vector<std::pair<std::string, Bytes>> cases = {
      {"clean", good},
      {"garbage before", Concat({{0x00, 0xFF, 'K', 'V', '\n', '*'}, good})},
      {"@ without KV LF", Concat({{'@', 'x', 'y', 'z'}, good})},
      {"@KV without LF", Concat({{'@', 'K', 'V', 'N'}, good})},
      {"callback frame first", Concat({FrameOf('C', {1, 2, 3}), good})},
      {"two callback frames first", Concat({FrameOf('C', {}), FrameOf('C', {9}), good})},
  };
  for (const Bytes& garbage : StrayMarkGarbage())
    cases.emplace_back(std::string(garbage.begin(), garbage.end()), Concat({garbage, good}));
  for (const auto& [name, input] : cases) {
    SCOPED_TRACE(name);
    BytesSource source(input);
    CNPacketHolder packet;
    const ClientResult result = ReceiveFrame(source, kChannelCommand, packet);
    ASSERT_TRUE(result.Succeeded()) << Text(result);
    EXPECT_EQ(PacketBytes(packet), answer);
    EXPECT_EQ(packet.GetPosition(), 0u);
    EXPECT_EQ(source.Consumed(), input.size());
  }
}

TEST(Frame, ReceiveReportsMalformedFrames) {
  const Bytes payload = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
  Bytes corrupted = FrameOf('N', payload);
  corrupted[10] ^= 0x40;
  Bytes badFooter = FrameOf('N', payload);
  badFooter[9 + payload.size() + 3] = '!';
  Bytes truncated = FrameOf('N', payload);
  truncated.resize(truncated.size() - 1);
  Bytes aboveCap = WireBytes().Raw("@KV\nN").U32(1025).Get();
  aboveCap.resize(aboveCap.size() + 1025);
  Bytes badCallbackFrame = FrameOf('C', payload);
  badCallbackFrame.back() ^= 1;
  const auto dump = [](const Bytes& frame) {
    return Utf16ToUtf8(HexDump(frame.data() + 9, frame.size() - 9));
  };

  struct Case {
    const char* name;
    Bytes input;
    std::string text;
  } cases[] = {
      {"nothing", {}, "Failed to receive packet. Code:0"},
      {"only garbage", {'x', 'y', '@', 'K'}, "Failed to receive packet. Code:0"},
      {"L of 5",
       {'@', 'K', 'V', '\n', 'N', 5, 0, 0, 0, '*', 'K', 'V', '*', 0},
       "Fail to receive : Packet size is too small."},
      {"L of 0", {'@', 'K', 'V', '\n', 'N', 0, 0, 0, 0}, "Fail to receive : Packet size is too small."},
      {"corrupted payload byte", corrupted,
       "Fail to receive : CRC check error. [01400000000000"
       "2A4B562A"
       "C00B]"},
      {"bad footer", badFooter, "Fail to receive : footer check is error. [" + dump(badFooter) + "]"},
      {"bad CRC on another channel is still reported", badCallbackFrame,
       "Fail to receive : CRC check error. [" + dump(badCallbackFrame) + "]"},
      {"L near 4 GiB", WireBytes().Raw("@KV\nN").U32(0xFFFFFFF0u).Get(), "Packet size is too large."},
      {"L above the configured cap", aboveCap, "Packet size is too large."},
      {"truncated data", truncated, "Failed to receive packet. Code:0"},
  };
  for (const Case& c : cases) {
    BytesSource source(c.input);
    CNPacketHolder packet;
    const ClientResult result = ReceiveFrame(source, kChannelCommand, packet, 1024);
    EXPECT_EQ(result.code, kClientFailure) << c.name;
    EXPECT_EQ(Text(result), c.text) << c.name;
    EXPECT_EQ(packet.GetSize(), 0u) << c.name;
  }
}

TEST(Frame, DumpOfALargeDamagedFrameIsCut) {
  Bytes frame = FrameOf('N', Bytes(100'000, 0xAB));
  frame.back() ^= 1;
  BytesSource source(frame);
  CNPacketHolder packet;
  const std::string text = Text(ReceiveFrame(source, kChannelCommand, packet));
  const std::string head = "Fail to receive : CRC check error. [";
  ASSERT_EQ(text.size(), head.size() + 2 * 64 * 1024 + 4);
  EXPECT_EQ(text.substr(0, head.size() + 4), head + "ABAB");
  EXPECT_EQ(text.substr(text.size() - 4), "...]");
}

TEST(Frame, CheckAnswerTexts) {
  struct Case {
    const char* name;
    Bytes payload;
    std::string text;  // empty: success
  } cases[] = {
      {"good", CommandPayload(9, 0, u"Read", {1, 0, 0, 0}), ""},
      {"no buffer", {}, "Receive invalid packet."},
      {"other id", CommandPayload(8, 0, u"Read"), "Packet id is not collect."},
      {"server error", CommandPayload(9, 0x1234, u"Read"), "Error from server. Code:4660"},
      {"header cut short", Bytes{9, 0, 0, 8, 0, 'R', 0}, "Receive invalid packet."},
      {"status cut short", Bytes{9, 0}, "Receive invalid packet."},
  };
  for (const Case& c : cases) {
    CNPacketHolder packet;
    packet.Write(c.payload.data(), static_cast<uint32_t>(c.payload.size()));
    packet.Seek(0, CNPacketHolder::kSeekBegin);
    const ClientResult result = CheckAnswer(packet, 9);
    EXPECT_EQ(Text(result), c.text) << c.name;
    EXPECT_EQ(result.Succeeded(), c.text.empty()) << c.name;
    if (result.Succeeded()) {
      EXPECT_EQ(packet.GetPosition(), 15u) << c.name;  // on the first argument
    }
  }
}

TEST(FrameScan, NeverAsksForBytesBeyondTheFrameItReads) {
  const Bytes frame = FrameOf('C', CommandPayload(1, 0, u"Update"));
  for (const Bytes& garbage : StrayMarkGarbage()) {
    const Bytes input = Concat({garbage, frame, FrameOf('N', {})});
    const size_t frameEnd = garbage.size() + frame.size();
    for (size_t cut = 0; cut < frameEnd; ++cut) {
      const CNFrameScan scan = ScanFrame(std::span(input).first(cut), 1 << 20);
      ASSERT_EQ(scan.outcome, CNFrameScan::kIncomplete) << cut;
      EXPECT_LE(scan.start, garbage.size()) << cut;
      EXPECT_LE(scan.end, frameEnd) << cut;
      EXPECT_GT(scan.end, cut) << cut;
    }
    const CNFrameScan whole = ScanFrame(input, 1 << 20);
    EXPECT_EQ(whole.outcome, CNFrameScan::kFrame);
    EXPECT_EQ(whole.start, garbage.size());
    EXPECT_EQ(whole.end, frameEnd);
    EXPECT_EQ(whole.channel, 'C');
    EXPECT_EQ(whole.length, frame.size() - kFrameHeaderSize);
  }
}

TEST(FrameScan, BrokenLengthsEndTheFrameAfterItsHeader) {
  struct Case {
    uint32_t length;
    CNFrameScan::Outcome outcome;
  } cases[] = {{0, CNFrameScan::kTooSmall},
               {5, CNFrameScan::kTooSmall},
               {1025, CNFrameScan::kTooLarge},
               {0xFFFFFFFF, CNFrameScan::kTooLarge}};
  for (const Case& c : cases) {
    const CNFrameScan scan = ScanFrame(WireBytes().Raw("x@KV\nN").U32(c.length).Get(), 1024);
    EXPECT_EQ(scan.outcome, c.outcome) << c.length;
    EXPECT_EQ(scan.start, 1u);
    EXPECT_EQ(scan.end, 10u);
  }
}

}  // namespace
