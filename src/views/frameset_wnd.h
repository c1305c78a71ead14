#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "project/frameset_definition.h"
#include "views/frame_wnd.h"

class CNPViewHost;
class CRPainter;

// The window that divides the control's area among the frames of a frame set: each FRAME is a
// view of its name in a CNPFrameWnd, laid out in the grid of its FRAMESET with "FrameSpacing"
// pixels between rows and columns; nested frame sets divide their cell the same way.
//
// A movable separator moves by whole pixels, no further than the minimum sizes of the rows or
// columns on either side allow. After a move the sizes of that row or column list are fixed in
// pixels, and its last entry takes what a later change of the area adds or removes.
class CNPFramesetWnd {
 public:
  // The frame set's listener (the project browser).
  class ConnectionPoint {
   public:
    virtual ~ConnectionPoint() = default;
    // The operator activated a frame (pressed a button in it).
    virtual void FrameActivated(CNPFrameWnd& frame) = 0;
    // A separator moved; every frame has its new rectangle.
    virtual void FramesResized(CNPFramesetWnd& frameset) = 0;
  };

  // One view per FRAME; the definition's frame names are unique.
  CNPFramesetWnd(CNPViewHost& host, CNPFramesetDefinition definition);
  CNPFramesetWnd(const CNPFramesetWnd&) = delete;
  CNPFramesetWnd& operator=(const CNPFramesetWnd&) = delete;

  void SetConnectionPoint(ConnectionPoint* listener) { m_pListener = listener; }
  const CNPFramesetDefinition& GetDefinition() const { return m_definition; }

  // Lays every frame out in area.
  void Layout(const CNRect& area);
  const CNRect& GetArea() const { return m_area; }

  // The frames in document order.
  const std::vector<std::unique_ptr<CNPFrameWnd>>& GetFrames() const { return m_frames; }
  CNPFrameWnd* FindFrame(std::u16string_view name) const;
  // The frame "DefaultFrame" names, else the first one.
  CNPFrameWnd* GetDefaultFrame() const;
  // The frame "Main" names, else the default frame.
  CNPFrameWnd* GetMainFrame() const;

  // Moves separator index (between row or column index and index + 1) of the frame set named
  // framesetName (empty: the outermost) by delta pixels; false, changing nothing, when there is
  // no such movable separator.
  bool MoveSeparator(std::u16string_view framesetName, bool column, uint32_t index, int32_t delta);
  // Tells the listener that the operator activated the frame.
  void ActivateFrame(CNPFrameWnd& frame);
  // Fills the area of every frame set that has spacing with its "FrameSpacingColor", the
  // outermost first; the frames are painted over it, so that the spacing is what shows of it.
  void PaintSpacing(CRPainter& painter) const;

 private:
  void MakeFrames(CNPViewHost& host, const CNPFramesetDefinition& set);
  void LayoutSet(CNPFramesetDefinition& set, const CNRect& area);
  CNPFramesetDefinition* FindSet(std::u16string_view name);

  CNPFramesetDefinition m_definition;
  std::vector<std::unique_ptr<CNPFrameWnd>> m_frames;
  // Where each frame set was laid out last, outermost first.
  std::vector<std::pair<CNPFramesetDefinition*, CNRect>> m_setAreas;
  CNRect m_area;
  ConnectionPoint* m_pListener = nullptr;
};
