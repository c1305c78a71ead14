#pragma once

#include <memory>

#include "browser/project_browser.h"
#include "draw/surface.h"

class CNPImageCache;
class CNPView;
class CRPainter;

// Where no view paints: the background of the host's window, around and between the views.
inline constexpr uint32_t kScreenBackground = 0x404040;

// The screen's background over the whole of an image of that size.
void PaintScreenBackground(CRPainter& painter, CNSize size);
// The area (in view pixels) of a view shown at rect (window pixels), clipped to the area.
void PaintShownView(CRPainter& painter, CNPView& view, const CRRectF& rect, const CRRectF& area,
                    CNPImageCache* images);

// The whole screen of a running project as an image of the host window's size: the
// background, the frame set's spacing, every shown view, and the visible dialogs on top at
// their places, oldest first, each in a frame with its title above it (where the window
// system would put a dialog window and its caption). The same pixels the window shows, for
// screenshots taken without one.
std::unique_ptr<CRSurface> PaintScreenImage(CNPProjectBrowser& browser, CNSize size);
