#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

// One pixel with straight (not premultiplied) channels.
struct CRPixel {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t alpha = 0;
};

// A 32-bit ARGB image in memory, fully transparent when created. A size the image library
// refuses gives an invalid surface: drawing on it does nothing and every pixel reads as
// transparent.
class CRSurface {
 public:
  CRSurface(int width, int height);
  CRSurface(const CRSurface&) = delete;
  CRSurface& operator=(const CRSurface&) = delete;
  ~CRSurface();

  bool IsValid() const;
  int GetWidth() const;
  int GetHeight() const;
  // Transparent black outside the image.
  CRPixel GetPixel(int x, int y) const;

  bool WritePng(const std::string& path) const;
  // Replaces the image with the one in the file; on failure the image stays as it was.
  bool ReadPng(const std::string& path);

  cairo_surface_t* GetCairoSurface() const { return m_pSurface; }

 private:
  cairo_surface_t* m_pSurface;
};
