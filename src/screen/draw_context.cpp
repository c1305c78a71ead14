#include "screen/draw_context.h"

#include <cmath>

#include "draw/image.h"
#include "screen/visual_themes.h"

const CRSurface* CNImageSource::GetKeyedImage(const CRSurface& image, uint32_t key) {
  std::unique_ptr<CRSurface>& keyed = m_keyed[{&image, key}];
  if (!keyed) keyed = CRImage::WithTransparentColor(image, key);
  return keyed.get();
}

void CNDrawContext::SetScale(double scaleX, double scaleY) {
  // A scale that is not a positive number would fold the form onto a point or a mirror.
  m_scaleX = std::isfinite(scaleX) && scaleX > 0.0 ? scaleX : 1.0;
  m_scaleY = std::isfinite(scaleY) && scaleY > 0.0 ? scaleY : 1.0;
}

double CNDrawContext::ToDeviceX(double x) const { return m_origin.x + std::round(x * m_scaleX); }

double CNDrawContext::ToDeviceY(double y) const { return m_origin.y + std::round(y * m_scaleY); }

CRRectF CNDrawContext::ToDevice(const CNRect& rect) const {
  const double left = ToDeviceX(rect.left);
  const double top = ToDeviceY(rect.top);
  return {left, top, ToDeviceX(rect.right) - left, ToDeviceY(rect.bottom) - top};
}

void CNDrawContext::SetPaintArea(const CRRectF& area) {
  m_bAreaSet = true;
  m_area = area;
}

bool CNDrawContext::IsInPaintArea(const CRRectF& r) const {
  if (!m_bAreaSet) return true;
  // A rectangle given with its edges swapped (a line drawn right to left) still counts.
  const double x0 = std::fmin(r.x, r.Right()), x1 = std::fmax(r.x, r.Right());
  const double y0 = std::fmin(r.y, r.Bottom()), y1 = std::fmax(r.y, r.Bottom());
  return x0 < m_area.Right() && x1 > m_area.x && y0 < m_area.Bottom() && y1 > m_area.y;
}

bool CNDrawContext::ResolveColor(std::u16string_view colorText, uint32_t& colorRef) const {
  return CNVisualThemes::Global().ResolveColor(colorText, colorRef, m_formTheme);
}

bool CNDrawContext::ResolveBorderStyle(std::u16string_view styleText, std::u16string& item) const {
  return CNVisualThemes::Global().ResolveBorderStyle(styleText, item, m_formTheme);
}

const CRSurface* CNDrawContext::GetImage(std::u16string_view fileName) const {
  return m_pImages && !fileName.empty() ? m_pImages->GetImage(fileName) : nullptr;
}

const CRSurface& CNDrawContext::GetKeyedImage(const CRSurface& image, uint32_t key) const {
  const CRSurface* keyed = m_pImages ? m_pImages->GetKeyedImage(image, key) : nullptr;
  return keyed ? *keyed : image;
}
