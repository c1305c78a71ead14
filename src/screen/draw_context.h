#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "draw/painter.h"
#include "screen/pobject.h"

// Where drawn objects find the images their properties name. The runtime resolves the names
// ("sys:" names, names relative to the project) and keeps the decoded images.
class CNImageSource {
 public:
  virtual ~CNImageSource() = default;
  // The decoded image; null when the file cannot be found, read or decoded.
  virtual const CRSurface* GetImage(std::u16string_view fileName) = 0;
  // The image with the pixels of the colour key (red in the low byte) left out, made once per
  // image and key and kept as long as the image.
  const CRSurface* GetKeyedImage(const CRSurface& image, uint32_t key);

 protected:
  // A source calls this whenever an image it handed out goes.
  void ForgetKeyedImages() { m_keyed.clear(); }

 private:
  std::map<std::pair<const CRSurface*, uint32_t>, std::unique_ptr<CRSurface>> m_keyed;
};

// What objects draw with: the painter on the view's surface, the drawing scale (zoom and
// stretch), where the form's origin lands on the surface, the form's visual theme and the
// images. Objects keep their places in form coordinates and turn them into surface pixels here.
class CNDrawContext {
 public:
  explicit CNDrawContext(CRPainter& painter) : m_painter(painter) {}

  CRPainter& GetPainter() const { return m_painter; }

  // ---- the mapping from form coordinates to surface pixels
  void SetScale(double scaleX, double scaleY);
  double GetScaleX() const { return m_scaleX; }
  double GetScaleY() const { return m_scaleY; }
  // The smaller of the two scales: what widths of pens and radii are multiplied by.
  double GetMinScale() const { return m_scaleX < m_scaleY ? m_scaleX : m_scaleY; }
  void SetOrigin(CRPointF origin) { m_origin = origin; }
  CRPointF GetOrigin() const { return m_origin; }
  // Edges land on whole pixels: each is scaled and rounded on its own, so neighbouring objects
  // stay neighbours at every scale.
  CRRectF ToDevice(const CNRect& rect) const;
  double ToDeviceX(double x) const;
  double ToDeviceY(double y) const;
  CRPointF ToDevice(double x, double y) const { return {ToDeviceX(x), ToDeviceY(y)}; }

  // ---- the part of the surface being repainted (surface pixels); everything when not set
  void SetPaintArea(const CRRectF& area);
  // Whether a rectangle in surface pixels reaches into the area being repainted.
  bool IsInPaintArea(const CRRectF& deviceRect) const;

  // ---- theme and images
  // The "VisualTheme" of the form being drawn ("DEFAULT" or empty: the current theme).
  void SetFormTheme(std::u16string_view theme) { m_formTheme = theme; }
  const std::u16string& GetFormTheme() const { return m_formTheme; }
  // A colour property's text ("#RRGGBB" or an "@" name of the form's theme) as a colour number
  // (red in the low byte); false for an empty text, which paints nothing.
  bool ResolveColor(std::u16string_view colorText, uint32_t& colorRef) const;
  // A border-style text or "@" name as the style's item text; false when there is none.
  bool ResolveBorderStyle(std::u16string_view styleText, std::u16string& item) const;
  void SetImageSource(CNImageSource* images) { m_pImages = images; }
  CNImageSource* GetImageSource() const { return m_pImages; }
  // The named image; null without an image source or when it cannot be had.
  const CRSurface* GetImage(std::u16string_view fileName) const;
  // An image the source gave, with the pixels of the colour key left out; the image itself
  // without a source.
  const CRSurface& GetKeyedImage(const CRSurface& image, uint32_t key) const;

 private:
  CRPainter& m_painter;
  double m_scaleX = 1.0;
  double m_scaleY = 1.0;
  CRPointF m_origin;
  bool m_bAreaSet = false;
  CRRectF m_area;
  std::u16string m_formTheme;
  CNImageSource* m_pImages = nullptr;
};
