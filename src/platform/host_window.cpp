#include "platform/host_window.h"

#include <SDL2/SDL_surface.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "support/utf16_text.h"

namespace {

// An SDL view of the back buffer's pixels: Cairo's ARGB32 is SDL's ARGB8888 in native order.
SDL_Surface* WrapBuffer(CRSurface& buffer) {
  cairo_surface_t* cairo = buffer.GetCairoSurface();
  cairo_surface_flush(cairo);
  return SDL_CreateRGBSurfaceWithFormatFrom(cairo_image_surface_get_data(cairo), buffer.GetWidth(),
                                            buffer.GetHeight(), 32, cairo_image_surface_get_stride(cairo),
                                            SDL_PIXELFORMAT_ARGB8888);
}

}  // namespace

CRHostWindow::CRHostWindow(std::u16string_view title, int width, int height, bool resizable) {
  uint32_t flags = SDL_WINDOW_SHOWN;
  if (resizable) flags |= SDL_WINDOW_RESIZABLE;
  m_pWindow = SDL_CreateWindow(Utf16ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               std::max(width, 1), std::max(height, 1), flags);
}

CRHostWindow::~CRHostWindow() {
  m_buffer.reset();
  if (m_pWindow) SDL_DestroyWindow(m_pWindow);
}

uint32_t CRHostWindow::GetId() const { return m_pWindow ? SDL_GetWindowID(m_pWindow) : 0; }

int CRHostWindow::GetWidth() const {
  int width = 0, height = 0;
  if (m_pWindow) SDL_GetWindowSize(m_pWindow, &width, &height);
  return width;
}

int CRHostWindow::GetHeight() const {
  int width = 0, height = 0;
  if (m_pWindow) SDL_GetWindowSize(m_pWindow, &width, &height);
  return height;
}

CRSurface& CRHostWindow::GetBuffer() {
  const int width = std::max(GetWidth(), 1), height = std::max(GetHeight(), 1);
  if (!m_buffer || m_buffer->GetWidth() != width || m_buffer->GetHeight() != height) {
    m_buffer = std::make_unique<CRSurface>(width, height);
    m_bRemade = true;
  }
  return *m_buffer;
}

bool CRHostWindow::BufferWasRemade() { return std::exchange(m_bRemade, false); }

void CRHostWindow::Present(const CRRectF& area) {
  if (!m_pWindow || !m_buffer) return;
  SDL_Surface* screen = SDL_GetWindowSurface(m_pWindow);
  SDL_Surface* source = WrapBuffer(*m_buffer);
  if (!screen || !source) {
    if (source) SDL_FreeSurface(source);
    return;
  }
  // Whole pixels covering the area, inside the buffer.
  const int x0 = std::max(0, static_cast<int>(std::floor(area.x)));
  const int y0 = std::max(0, static_cast<int>(std::floor(area.y)));
  const int x1 = std::min(m_buffer->GetWidth(), static_cast<int>(std::ceil(area.Right())));
  const int y1 = std::min(m_buffer->GetHeight(), static_cast<int>(std::ceil(area.Bottom())));
  if (x1 > x0 && y1 > y0) {
    SDL_Rect rect{x0, y0, x1 - x0, y1 - y0};
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_Rect target = rect;
    SDL_BlitSurface(source, &rect, screen, &target);
    SDL_UpdateWindowSurfaceRects(m_pWindow, &rect, 1);
  }
  SDL_FreeSurface(source);
}

void CRHostWindow::SetTitle(std::u16string_view title) {
  if (m_pWindow) SDL_SetWindowTitle(m_pWindow, Utf16ToUtf8(title).c_str());
}

void CRHostWindow::ToggleFullScreen() {
  if (!m_pWindow) return;
  const bool full = (SDL_GetWindowFlags(m_pWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
  SDL_SetWindowFullscreen(m_pWindow, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

void CRHostWindow::Resize(int width, int height) {
  if (m_pWindow) SDL_SetWindowSize(m_pWindow, std::max(width, 1), std::max(height, 1));
}

void CRHostWindow::Raise() {
  if (m_pWindow) SDL_RaiseWindow(m_pWindow);
}

bool CRHostWindow::SaveBmp(const std::string& path) {
  SDL_Surface* source = m_buffer ? WrapBuffer(*m_buffer) : nullptr;
  if (!source) return false;
  const bool saved = SDL_SaveBMP(source, path.c_str()) == 0;
  SDL_FreeSurface(source);
  return saved;
}

bool CRHostWindow::SaveJpeg(const std::string& path) {
  if (!m_buffer) return false;
  // JPEG has no alpha: the premultiplied pixels become plain RGB rows.
  const int width = m_buffer->GetWidth(), height = m_buffer->GetHeight();
  std::vector<guchar> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const CRPixel pixel = m_buffer->GetPixel(x, y);
      guchar* out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      out[0] = pixel.red;
      out[1] = pixel.green;
      out[2] = pixel.blue;
    }
  GdkPixbuf* pixbuf = gdk_pixbuf_new_from_data(rgb.data(), GDK_COLORSPACE_RGB, FALSE, 8, width, height, width * 3,
                                               nullptr, nullptr);
  if (!pixbuf) return false;
  const bool saved = gdk_pixbuf_save(pixbuf, path.c_str(), "jpeg", nullptr, "quality", "90", nullptr);
  g_object_unref(pixbuf);
  return saved;
}
