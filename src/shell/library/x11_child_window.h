#pragma once

#include <memory>
#include <string>
#include <vector>

#include "draw/surface.h"

// The control's window as a child of a container's X11 window: it shows the control's image
// and reports the operator's mouse. It has a display connection of its own, so that the
// container's toolkit and the control never share one.
class CX11ChildWindow {
 public:
  struct MouseEvent {
    enum Kind { kMove, kPress, kRelease } kind = kMove;
    int button = 0;  // 1 left, 2 middle, 3 right
    int x = 0, y = 0;
  };

  // Null, with the reason in error, when there is no display or the parent is not a window.
  static std::unique_ptr<CX11ChildWindow> Create(unsigned long parent, int width, int height, std::string& error);
  ~CX11ChildWindow();
  CX11ChildWindow(const CX11ChildWindow&) = delete;
  CX11ChildWindow& operator=(const CX11ChildWindow&) = delete;

  void Resize(int width, int height);
  // Takes the window's pending events: the mouse's, in order; true in exposed when the window
  // must be shown again.
  std::vector<MouseEvent> TakeEvents(bool& exposed);
  void Show(const CRSurface& image);
  unsigned long GetId() const { return m_window; }

 private:
  CX11ChildWindow() = default;

  struct _XDisplay* m_pDisplay = nullptr;
  unsigned long m_window = 0;
  void* m_pVisual = nullptr;  // the parent's Visual
  int m_width = 0;
  int m_height = 0;
};
