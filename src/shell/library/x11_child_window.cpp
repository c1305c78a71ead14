#include "x11_child_window.h"

#include "shell/control_window.h"

#include <X11/Xlib.h>
#include <cairo-xlib.h>

#include <algorithm>

namespace {

// X errors (a parent that went away) are not fatal for the container.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

std::unique_ptr<CX11ChildWindow> CX11ChildWindow::Create(unsigned long parent, int width, int height,
                                                         std::string& error) {
  std::unique_ptr<CX11ChildWindow> window(new CX11ChildWindow);
  window->m_pDisplay = XOpenDisplay(nullptr);
  if (!window->m_pDisplay) {
    error = "cannot open the X display";
    return nullptr;
  }
  XSetErrorHandler(&IgnoreXError);
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(window->m_pDisplay, parent, &attributes)) {
    error = "the parent is not a window";
    return nullptr;
  }
  window->m_width = std::clamp(width, 1, CControlWindow::kMaxSide);
  window->m_height = std::clamp(height, 1, CControlWindow::kMaxSide);
  window->m_pVisual = attributes.visual;
  XSetWindowAttributes set{};
  set.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  set.background_pixel = 0;
  set.border_pixel = 0;
  set.colormap = attributes.colormap;
  window->m_window = XCreateWindow(window->m_pDisplay, parent, 0, 0, static_cast<unsigned>(window->m_width),
                                   static_cast<unsigned>(window->m_height), 0, attributes.depth, InputOutput,
                                   attributes.visual, CWEventMask | CWBackPixel | CWBorderPixel | CWColormap, &set);
  XMapWindow(window->m_pDisplay, window->m_window);
  XSync(window->m_pDisplay, False);
  return window;
}

CX11ChildWindow::~CX11ChildWindow() {
  if (!m_pDisplay) return;
  if (m_window) XDestroyWindow(m_pDisplay, m_window);
  XCloseDisplay(m_pDisplay);
}

void CX11ChildWindow::Resize(int width, int height) {
  m_width = std::clamp(width, 1, CControlWindow::kMaxSide);
  m_height = std::clamp(height, 1, CControlWindow::kMaxSide);
  XResizeWindow(m_pDisplay, m_window, static_cast<unsigned>(m_width), static_cast<unsigned>(m_height));
  XFlush(m_pDisplay);
}

std::vector<CX11ChildWindow::MouseEvent> CX11ChildWindow::TakeEvents(bool& exposed) {
  std::vector<MouseEvent> events;
  exposed = false;
  while (XPending(m_pDisplay) > 0) {
    XEvent event;
    XNextEvent(m_pDisplay, &event);
    switch (event.type) {
      case Expose: exposed = true; break;
      case MotionNotify: events.push_back({MouseEvent::kMove, 0, event.xmotion.x, event.xmotion.y}); break;
      case ButtonPress:
      case ButtonRelease:
        if (event.xbutton.button >= 1 && event.xbutton.button <= 3)
          events.push_back({event.type == ButtonPress ? MouseEvent::kPress : MouseEvent::kRelease,
                            static_cast<int>(event.xbutton.button), event.xbutton.x, event.xbutton.y});
        break;
      default: break;
    }
  }
  return events;
}

void CX11ChildWindow::Show(const CRSurface& image) {
  cairo_surface_t* target = cairo_xlib_surface_create(m_pDisplay, m_window, static_cast<Visual*>(m_pVisual), m_width, m_height);
  cairo_t* cr = cairo_create(target);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr, image.GetCairoSurface(), 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_flush(target);
  cairo_surface_destroy(target);
  XFlush(m_pDisplay);
}
