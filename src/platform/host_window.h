#pragma once

#include <SDL2/SDL_video.h>

#include <memory>
#include <string>
#include <string_view>

#include "draw/geometry.h"
#include "draw/surface.h"

// A top-level window of the host program with a back buffer the size of its client area. The
// runtime paints into the buffer; Present puts the painted part on the screen.
class CRHostWindow {
 public:
  CRHostWindow(std::u16string_view title, int width, int height, bool resizable);
  CRHostWindow(const CRHostWindow&) = delete;
  CRHostWindow& operator=(const CRHostWindow&) = delete;
  ~CRHostWindow();

  bool IsValid() const { return m_pWindow != nullptr; }
  SDL_Window* GetSdlWindow() const { return m_pWindow; }
  uint32_t GetId() const;
  int GetWidth() const;
  int GetHeight() const;

  // The back buffer. After the window changed size it is made anew (and everything must be
  // painted again: BufferWasRemade tells once).
  CRSurface& GetBuffer();
  bool BufferWasRemade();
  // Copies the area (window pixels) of the back buffer to the screen.
  void Present(const CRRectF& area);

  void SetTitle(std::u16string_view title);
  void ToggleFullScreen();
  void Resize(int width, int height);
  void Raise();

  // The back buffer as an image file; false when it cannot be written.
  bool SaveBmp(const std::string& path);
  bool SaveJpeg(const std::string& path);

 private:
  SDL_Window* m_pWindow = nullptr;
  std::unique_ptr<CRSurface> m_buffer;
  bool m_bRemade = true;
};
