#include "views/frameset_wnd.h"

#include <algorithm>
#include <utility>

#include "draw/painter.h"
#include "screen/visual_themes.h"
#include "views/view_transform.h"

namespace {

// The available length of a row or column list: the area's less the spacing between tracks.
int32_t TrackLength(int32_t length, size_t tracks, int32_t spacing) {
  const int64_t gaps = int64_t{spacing} * static_cast<int64_t>(tracks > 0 ? tracks - 1 : 0);
  return static_cast<int32_t>(std::max<int64_t>(int64_t{length} - gaps, 0));
}

// The start of every track from start on.
std::vector<int32_t> TrackStarts(const std::vector<int32_t>& sizes, int32_t start, int32_t spacing) {
  std::vector<int32_t> starts;
  int64_t at = start;
  for (const int32_t size : sizes) {
    starts.push_back(CNRect::Saturate(at));
    at += int64_t{size} + spacing;
  }
  return starts;
}

}  // namespace

CNPFramesetWnd::CNPFramesetWnd(CNPViewHost& host, CNPFramesetDefinition definition)
    : m_definition(std::move(definition)) {
  MakeFrames(host, m_definition);
}

void CNPFramesetWnd::MakeFrames(CNPViewHost& host, const CNPFramesetDefinition& set) {
  for (const CNPFrameCell& cell : set.cells) {
    if (const auto* frame = std::get_if<CNPFrameDefinition>(&cell))
      m_frames.push_back(std::make_unique<CNPFrameWnd>(std::make_shared<CNPViewBrowser>(host, frame->name), *frame));
    else
      MakeFrames(host, *std::get<std::unique_ptr<CNPFramesetDefinition>>(cell));
  }
}

void CNPFramesetWnd::Layout(const CNRect& area) {
  m_area = area;
  m_setAreas.clear();
  LayoutSet(m_definition, area);
}

void CNPFramesetWnd::LayoutSet(CNPFramesetDefinition& set, const CNRect& area) {
  m_setAreas.emplace_back(&set, area);
  const int32_t spacing = set.frameSpacing;
  const std::vector<int32_t> widths =
      ShareFrameLength(set.cols, TrackLength(area.Width(), set.cols.size(), spacing));
  const std::vector<int32_t> heights =
      ShareFrameLength(set.rows, TrackLength(area.Height(), set.rows.size(), spacing));
  const std::vector<int32_t> lefts = TrackStarts(widths, area.left, spacing);
  const std::vector<int32_t> tops = TrackStarts(heights, area.top, spacing);
  for (size_t i = 0; i < set.cells.size(); ++i) {
    const size_t row = i / widths.size();
    const size_t col = i % widths.size();
    const CNRect cell{lefts[col], tops[row], CNRect::Saturate(int64_t{lefts[col]} + widths[col]),
                      CNRect::Saturate(int64_t{tops[row]} + heights[row])};
    if (const auto* frame = std::get_if<CNPFrameDefinition>(&set.cells[i])) {
      if (CNPFrameWnd* window = FindFrame(frame->name)) window->SetRect(cell);
    } else {
      LayoutSet(*std::get<std::unique_ptr<CNPFramesetDefinition>>(set.cells[i]), cell);
    }
  }
}

CNPFrameWnd* CNPFramesetWnd::FindFrame(std::u16string_view name) const {
  for (const auto& frame : m_frames)
    if (frame->GetView().GetName() == name) return frame.get();
  return nullptr;
}

CNPFrameWnd* CNPFramesetWnd::GetDefaultFrame() const {
  if (CNPFrameWnd* frame = FindFrame(m_definition.defaultFrame)) return frame;
  return m_frames.empty() ? nullptr : m_frames.front().get();
}

CNPFrameWnd* CNPFramesetWnd::GetMainFrame() const {
  if (CNPFrameWnd* frame = FindFrame(m_definition.main)) return frame;
  return GetDefaultFrame();
}

CNPFramesetDefinition* CNPFramesetWnd::FindSet(std::u16string_view name) {
  if (name.empty()) return &m_definition;
  for (const auto& [set, area] : m_setAreas)
    if (set->name == name) return set;
  return nullptr;
}

bool CNPFramesetWnd::MoveSeparator(std::u16string_view framesetName, bool column, uint32_t index, int32_t delta) {
  CNPFramesetDefinition* set = FindSet(framesetName);
  if (!set) return false;
  std::vector<CNFrameSize>& tracks = column ? set->cols : set->rows;
  const CNFrameTrackList& movable = column ? set->colMovableSeparators : set->rowMovableSeparators;
  const CNFrameTrackList& mins = column ? set->colMins : set->rowMins;
  if (size_t{index} + 1 >= tracks.size() || !movable.GetBool(index)) return false;
  const auto laid = std::find_if(m_setAreas.begin(), m_setAreas.end(),
                                 [set](const auto& entry) { return entry.first == set; });
  if (laid == m_setAreas.end()) return false;  // not laid out yet
  const CNRect& area = laid->second;
  const int32_t length = TrackLength(column ? area.Width() : area.Height(), tracks.size(), set->frameSpacing);
  std::vector<int32_t> sizes = ShareFrameLength(tracks, length);
  int32_t& before = sizes[index];
  int32_t& after = sizes[index + 1];
  // The move keeps both sides at their minimum sizes where they have room for them.
  const int64_t lowest = -std::max<int64_t>(int64_t{before} - mins.GetInt(index), 0);
  const int64_t highest = std::max<int64_t>(int64_t{after} - mins.GetInt(index + 1), 0);
  const int32_t step = static_cast<int32_t>(std::clamp<int64_t>(delta, lowest, highest));
  before += step;
  after -= step;
  for (size_t i = 0; i < tracks.size(); ++i) tracks[i] = {CNFrameSize::kPixels, sizes[i]};
  tracks.back() = {CNFrameSize::kShare, 1};
  Layout(m_area);
  if (m_pListener) m_pListener->FramesResized(*this);
  return true;
}

void CNPFramesetWnd::ActivateFrame(CNPFrameWnd& frame) {
  if (m_pListener) m_pListener->FrameActivated(frame);
}

void CNPFramesetWnd::PaintSpacing(CRPainter& painter) const {
  for (const auto& [set, area] : m_setAreas) {
    uint32_t color = 0;
    if (set->frameSpacing <= 0 || !CNVisualThemes::Global().ResolveColor(set->frameSpacingColor, color)) continue;
    CRBrush brush;
    brush.color = color;
    painter.FillPath(CRPath::Rectangle(ToRectF(area)), brush);
  }
}
