#include "draw/surface.h"

#include <cstring>

CRSurface::CRSurface(int width, int height)
    : m_pSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)) {}

CRSurface::~CRSurface() {
  cairo_surface_destroy(m_pSurface);
}

bool CRSurface::IsValid() const {
  return cairo_surface_status(m_pSurface) == CAIRO_STATUS_SUCCESS;
}

int CRSurface::GetWidth() const {
  return IsValid() ? cairo_image_surface_get_width(m_pSurface) : 0;
}

int CRSurface::GetHeight() const {
  return IsValid() ? cairo_image_surface_get_height(m_pSurface) : 0;
}

CRPixel CRSurface::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight()) return {};
  cairo_surface_flush(m_pSurface);
  const unsigned char* row =
      cairo_image_surface_get_data(m_pSurface) + y * cairo_image_surface_get_stride(m_pSurface);
  uint32_t argb = 0;
  std::memcpy(&argb, row + x * 4, sizeof argb);
  const uint32_t alpha = argb >> 24;
  if (alpha == 0) return {};
  // The image stores premultiplied channels; undo that with rounding.
  auto straight = [alpha](uint32_t premultiplied) {
    return static_cast<uint8_t>((premultiplied * 255 + alpha / 2) / alpha);
  };
  return {straight((argb >> 16) & 0xFF), straight((argb >> 8) & 0xFF), straight(argb & 0xFF),
          static_cast<uint8_t>(alpha)};
}

bool CRSurface::WritePng(const std::string& path) const {
  return IsValid() && cairo_surface_write_to_png(m_pSurface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool CRSurface::ReadPng(const std::string& path) {
  cairo_surface_t* loaded = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(loaded) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(loaded);
    return false;
  }
  // Whatever the file's format, the image keeps its own ARGB layout.
  cairo_surface_t* converted = cairo_image_surface_create(
      CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(loaded), cairo_image_surface_get_height(loaded));
  cairo_t* cr = cairo_create(converted);
  cairo_set_source_surface(cr, loaded, 0, 0);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_destroy(loaded);
  if (cairo_surface_status(converted) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(converted);
    return false;
  }
  cairo_surface_destroy(m_pSurface);
  m_pSurface = converted;
  return true;
}
