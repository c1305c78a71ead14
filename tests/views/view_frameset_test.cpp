#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project/frame_size_list.h"
#include "project/frameset_definition.h"
#include "project/stretch_mode.h"
#include "view_test_util.h"
#include "views/frameset_wnd.h"

namespace {

std::vector<int32_t> Share(std::u16string_view list, int32_t length) {
  return ShareFrameLength(ParseFrameSizeList(list), length);
}

TEST(FrameSizeList, PixelsPercentagesAndSharesDivideTheLength) {
  using V = std::vector<int32_t>;
  EXPECT_EQ(Share(u"100,*", 500), (V{100, 400}));
  EXPECT_EQ(Share(u"", 500), (V{500}));
  EXPECT_EQ(Share(u"25%, 2*, *", 400), (V{100, 200, 100}));
  EXPECT_EQ(Share(u"*,*,*", 100), (V{33, 33, 34}));  // the last share takes the rounding
  EXPECT_EQ(Share(u"100,100", 500), (V{100, 400}));  // without shares the last takes the rest
  EXPECT_EQ(Share(u"300,300,*", 500), (V{300, 200, 0}));  // what does not fit is cut
  EXPECT_EQ(Share(u"abc, -5, 2x*", 90), (V{30, 30, 30}));  // unreadable entries are shares
  EXPECT_EQ(Share(u"100,*", -20), (V{0, 0}));
  EXPECT_EQ(Share(u"99999999999,*", 50), (V{50, 0}));
  EXPECT_EQ(Share(u"0*,*", 80), (V{0, 80}));
}

constexpr std::u16string_view kTwoByTwo =
    u"<FRAMESET Name=\"Outer\" Rows=\"100,*\" DefaultFrame=\"Body\" Main=\"Body\" FrameSpacing=\"4\" "
    u"BorderStyle=\"3d_sunk1\" RowMovableSeparators=\"T\" RowMins=\"50,100\">"
    u"<FRAME Name=\"Top\" FormName=\"Header\" Stretch=\"STRETCH_FULL\" ScrollBarX=\"F\"/>"
    u"<FRAMESET Name=\"Inner\" Cols=\"30%,*\">"
    u"<FRAME Name=\"Menu\" BaseFormName=\"MenuForm\" FormName=\"Menu1\" AlignmentX=\"right\" AlignmentY=\"TOP\"/>"
    u"<FRAME Name=\"Body\" FormName=\"Start\"/>"
    u"<FRAME Name=\"Extra\"/>"
    u"</FRAMESET>"
    u"</FRAMESET>";

// What the layout below does not show: the border style, the based names, stretch and alignment.
TEST(FramesetDefinition, FramesetsAndFramesReadTheirAttributes) {
  CNPFramesetDefinition set;
  std::u16string error;
  ASSERT_TRUE(ParseFramesetDefinition(kTwoByTwo, set, error)) << U8(error);
  EXPECT_EQ(set.borderStyle, 2);
  ASSERT_EQ(set.cells.size(), 2u);
  const auto& top = std::get<CNPFrameDefinition>(set.cells[0]);
  EXPECT_EQ(U8(top.baseFormName), "Header");  // the form name when no based name is given
  EXPECT_EQ(top.stretch, kStretchFull);
  const auto& inner = *std::get<std::unique_ptr<CNPFramesetDefinition>>(set.cells[1]);
  ASSERT_EQ(inner.cells.size(), 2u);  // one row of two columns: "Extra" has no cell
  const auto& menu = std::get<CNPFrameDefinition>(inner.cells[0]);
  EXPECT_EQ(U8(menu.baseFormName), "MenuForm");
  EXPECT_EQ(menu.alignX, CNAlign::kFar);
  EXPECT_EQ(menu.alignY, CNAlign::kNear);
  EXPECT_EQ(std::get<CNPFrameDefinition>(inner.cells[1]).stretch, kStretchDefault);
}

TEST(FramesetDefinition, NonAsciiNamesSurviveTheShiftJisDeclaration) {
  CNPFramesetDefinition set;
  std::u16string error;
  ASSERT_TRUE(ParseFramesetDefinition(u"<FRAMESET><FRAME Name=\"\u753B\u9762\"/></FRAMESET>", set, error));
  EXPECT_EQ(std::get<CNPFrameDefinition>(set.cells[0]).name, u"\u753B\u9762");
}

TEST(FramesetDefinition, BadTextIsRefusedWithAReason) {
  const char16_t* bad[] = {
      u"",
      u"<FRAMESET",
      u"<FRAMESET><FRAME Name=\"a\"></FRAMESET>",
      u"<FRAME Name=\"a\"/>",
      u"plain text",
      u"</ROOT><FRAMESET/><ROOT>",
      u"<FRAMESET><FRAME/></FRAMESET>",
      u"<FRAMESET Rows=\"*,*\"><FRAME Name=\"a\"/><FRAME Name=\"a\"/></FRAMESET>",
      u"<FRAMESET><FRAME Name=a/></FRAMESET>",
  };
  for (const char16_t* text : bad) {
    CNPFramesetDefinition set;
    std::u16string error;
    EXPECT_FALSE(ParseFramesetDefinition(text, set, error)) << U8(text);
    EXPECT_FALSE(error.empty()) << U8(text);
  }
  std::u16string deep;
  for (int i = 0; i < 20; ++i) deep += u"<FRAMESET>";
  deep += u"<FRAME Name=\"a\"/>";
  for (int i = 0; i < 20; ++i) deep += u"</FRAMESET>";
  CNPFramesetDefinition set;
  std::u16string error;
  EXPECT_FALSE(ParseFramesetDefinition(deep, set, error));
  EXPECT_EQ(U8(error), "Frame sets nest too deep.");
}

class Frameset : public testing::Test, public CNPFramesetWnd::ConnectionPoint {
 protected:
  void SetUp() override {
    CNPFramesetDefinition set;
    std::u16string error;
    ASSERT_TRUE(ParseFramesetDefinition(kTwoByTwo, set, error));
    frames = std::make_unique<CNPFramesetWnd>(host, std::move(set));
    frames->SetConnectionPoint(this);
    frames->Layout({0, 0, 1004, 604});
  }
  CNRect RectOf(std::u16string_view name) const { return frames->FindFrame(name)->GetRect(); }

  void FrameActivated(CNPFrameWnd& frame) override { activated = U8(frame.GetView().GetName()); }
  void FramesResized(CNPFramesetWnd&) override { ++resized; }

  FakeViewHost host;
  std::unique_ptr<CNPFramesetWnd> frames;
  std::string activated;
  int resized = 0;
};

TEST_F(Frameset, EveryFrameIsAViewLaidOutInItsCell) {
  ASSERT_EQ(frames->GetFrames().size(), 3u);
  EXPECT_EQ(RectOf(u"Top"), (CNRect{0, 0, 1004, 100}));
  // The inner frame set has no spacing of its own: 30% of 1004 pixels, then the rest.
  EXPECT_EQ(RectOf(u"Menu"), (CNRect{0, 104, 301, 604}));
  EXPECT_EQ(RectOf(u"Body"), (CNRect{301, 104, 1004, 604}));
  EXPECT_EQ(frames->FindFrame(u"Body")->GetView().GetViewSize(), (CNSize{703, 500}));
  EXPECT_EQ(U8(frames->GetDefaultFrame()->GetView().GetName()), "Body");
  EXPECT_EQ(frames->FindFrame(u"Extra"), nullptr);
  frames->ActivateFrame(*frames->FindFrame(u"Menu"));
  EXPECT_EQ(activated, "Menu");
}

TEST_F(Frameset, SeparatorsMoveWithinTheMinimumSizes) {
  EXPECT_TRUE(frames->MoveSeparator({}, false, 0, 30));
  EXPECT_EQ(RectOf(u"Top"), (CNRect{0, 0, 1004, 130}));
  EXPECT_EQ(RectOf(u"Body").top, 134);
  EXPECT_EQ(resized, 1);
  EXPECT_TRUE(frames->MoveSeparator(u"Outer", false, 0, 1000));  // the lower row keeps 100
  EXPECT_EQ(RectOf(u"Top").bottom, 500);
  EXPECT_TRUE(frames->MoveSeparator({}, false, 0, -1000));  // the upper row keeps 50
  EXPECT_EQ(RectOf(u"Top").bottom, 50);
  // The columns are not movable; there is no second row separator nor such a frame set.
  EXPECT_FALSE(frames->MoveSeparator(u"Inner", true, 0, 10));
  EXPECT_FALSE(frames->MoveSeparator({}, false, 1, 10));
  EXPECT_FALSE(frames->MoveSeparator(u"Nowhere", false, 0, 10));
  EXPECT_EQ(resized, 3);
  // After a move the last row takes what a bigger area adds.
  frames->Layout({0, 0, 1004, 804});
  EXPECT_EQ(RectOf(u"Top").bottom, 50);
  EXPECT_EQ(RectOf(u"Body").bottom, 804);
}

TEST_F(Frameset, FramesShowScrollBarsOnlyWhereAllowedAndNeeded) {
  host.AddForm(u"Header", 2000, 2000);
  host.AddForm(u"Start", 2000, 2000);
  CNPFrameWnd& top = *frames->FindFrame(u"Top");
  CNPFrameWnd& body = *frames->FindFrame(u"Body");
  top.GetView().OpenForm(u"Header", {}, kStretchNone, CNValue());
  body.GetView().OpenForm(u"Start", {}, kStretchNone, CNValue());
  EXPECT_FALSE(top.HasScrollBarX());
  EXPECT_TRUE(top.HasScrollBarY());
  EXPECT_TRUE(body.HasScrollBarX());
  body.GetView().SetStretch(kStretchKeepRate);
  EXPECT_FALSE(body.HasScrollBarX());
  EXPECT_FALSE(body.HasScrollBarY());
  const uint32_t paints = body.GetPaintRequestCount();
  body.GetView().SetZoom(2);
  EXPECT_EQ(body.GetPaintRequestCount(), paints + 1);
}

}  // namespace
