#pragma once

#include <memory>

#include "browser/project_browser.h"
#include "draw/surface.h"

// The control's window: the views on show in the control, painted into an image in memory of
// the control's size. A container shows the image where it likes (an X11 child window, a
// screenshot) after Paint says that it changed.
class CControlWindow {
 public:
  // Sizes are kept within 1 to this many pixels a side, so that no container's size can ask
  // for an image beyond memory.
  static constexpr int32_t kMaxSide = 8192;

  CControlWindow(CNPProjectBrowser& browser, CNSize size);

  // Lays the project out again: one pixel narrower first and then at the full width, so that
  // every view recomputes its layout even when the size did not change.
  void Resize(CNSize size);
  CNSize GetSize() const { return m_size; }

  // Paints what changed since the last paint (all of it after a resize); true when any pixel
  // may have changed.
  bool Paint();
  const CRSurface& GetSurface() const { return *m_surface; }

 private:
  CNPProjectBrowser& m_browser;
  CNSize m_size;
  std::unique_ptr<CRSurface> m_surface;
  bool m_bWhole = true;
};
