// The link tag server without a server: offline mode, and "Update" answers handed to it
// directly, as the polling thread does after each receive.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "comm/frame_bytes.h"
#include "tags/link_test_util.h"

namespace {

using testing::ElementsAre;

// The arguments of an "Update" answer: ok and the count (none with ok 0), then the items.
class UpdateAnswer : public WireBytes {
 public:
  explicit UpdateAnswer(uint32_t count, uint32_t ok = 1) {
    U32(ok);
    if (ok) U32(count);
  }
  // A scalar number (kind 0: shape FF, quality, kind 2, the double).
  UpdateAnswer& Value(uint64_t handle, double number, uint8_t quality = VQ_GOOD) {
    U64(handle).U8(0).U8(0xFF).U8(quality).U8(2).Double(number);
    return *this;
  }
  UpdateAnswer& Quality(uint64_t handle, uint8_t quality) {
    U64(handle).U8(1).U8(quality);
    return *this;
  }
  CNPacketHolder& Packet() {
    m_packet.Reset();
    m_packet.Write(Get().data(), static_cast<uint32_t>(Get().size()));
    m_packet.Seek(0, CNPacketHolder::kSeekBegin);
    return m_packet;
  }

 private:
  CNPacketHolder m_packet;
};

uint64_t HandleOf(CNPTag* tag) {
  return static_cast<CNPLinkTag*>(tag)->GetClientHandle();
}

}  // namespace

TEST(LinkTagServerOffline, WritesStayLocalAndAreNotifiedOnTheNextDispatch) {
  CNPTagServerLink link;
  link.Start(StartInfo(nullptr, true));
  LinkRecorder recorder;
  CNPTag* x = link.GetTag(u"X", 1, &recorder);
  link.Dispatch();
  EXPECT_TRUE(recorder.calls.empty());  // nothing to tell while the value is empty

  CNPTag* const list[] = {x};
  CNValue value;
  value.SetNumber(3);
  EXPECT_TRUE(link.Write(list, std::span(&value, 1)));
  EXPECT_TRUE(recorder.calls.empty());
  link.Dispatch();
  EXPECT_THAT(recorder.calls, ElementsAre("X=3 UNCERTAIN 1"));
  EXPECT_TRUE(link.Read(list, 1));
  EXPECT_TRUE(link.ReadAll(1));
  EXPECT_EQ(link.GetErrorText(), u"");

  link.ReleaseTag(x, &recorder);
  link.Dispatch();
  EXPECT_EQ(link.GetTagCount(), 0u);
}

TEST(LinkTagServerUpdate, ItemsReachTheirTagsByClientHandleAndOnlyRealChangesAreTold) {
  CNPTagServerLink link;
  link.Start(StartInfo(nullptr, true));
  LinkRecorder recorder;
  CNPTag* a = link.GetTag(u"A", 1, &recorder);
  CNPTag* b = link.GetTag(u"B", 1, &recorder);
  link.Dispatch();

  // Handle 0, an unknown handle and a quality for a tag without data change nothing visible.
  UpdateAnswer first(4);
  first.Value(0, 9).Value(HandleOf(b) + 1000, 9).Value(HandleOf(a), 1.5).Quality(HandleOf(b), VQ_BAD);
  EXPECT_TRUE(link.ApplyUpdate(first.Packet()).Succeeded());
  link.Dispatch();
  EXPECT_THAT(recorder.calls, ElementsAre("A=1.5 GOOD 1"));

  // The same contents and quality again are no change; a new quality alone is.
  EXPECT_TRUE(link.ApplyUpdate(first.Packet()).Succeeded());
  link.Dispatch();
  EXPECT_EQ(recorder.calls.size(), 1u);
  UpdateAnswer quality(1);
  quality.Quality(HandleOf(a), VQ_BAD);
  EXPECT_TRUE(link.ApplyUpdate(quality.Packet()).Succeeded());
  link.Dispatch();
  EXPECT_EQ(recorder.Last(), "A=1.5 BAD 1");
  EXPECT_EQ(ValueText(link, b), "#NOTHING# BAD");

  link.ReleaseTag(a, &recorder);
  link.ReleaseTag(b, &recorder);
}

TEST(LinkTagServerUpdate, DamagedAnswersFailAndKeepWhatCameBefore) {
  CNPTagServerLink link;
  link.Start(StartInfo(nullptr, true));
  LinkRecorder recorder;
  CNPTag* a = link.GetTag(u"A", 1, &recorder);
  CNPTag* b = link.GetTag(u"B", 1, &recorder);

  UpdateAnswer huge(0xFFFFFFFF);
  huge.Value(HandleOf(a), 1);
  EXPECT_EQ(link.ApplyUpdate(huge.Packet()).message, u"Receive invalid packet.");
  UpdateAnswer cut(3);
  cut.Value(HandleOf(a), 2).Value(HandleOf(b), 3).U32(1);
  EXPECT_EQ(link.ApplyUpdate(cut.Packet()).message, u"Receive invalid packet.");
  UpdateAnswer badValue(1);
  badValue.U64(1).U8(0).U8(7);  // shape 7 without its sizes
  EXPECT_EQ(link.ApplyUpdate(badValue.Packet()).message, u"Receive invalid packet.");
  UpdateAnswer refused(0, 0);
  EXPECT_TRUE(link.ApplyUpdate(refused.Packet()).Succeeded());

  link.Dispatch();
  EXPECT_THAT(recorder.calls, testing::UnorderedElementsAre("A=2 GOOD 1", "B=3 GOOD 1"));
  link.ReleaseTag(a, &recorder);
  link.ReleaseTag(b, &recorder);
}
