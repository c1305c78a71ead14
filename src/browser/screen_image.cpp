#include "browser/screen_image.h"

#include <algorithm>

#include "draw/brush.h"
#include "draw/painter.h"
#include "draw/path.h"
#include "views/basis_dialog.h"
#include "views/view.h"

namespace {

// A dialog's caption, drawn above its view as a window system draws a dialog window's.
constexpr double kCaptionHeight = 20;
constexpr uint32_t kCaptionColor = 0x7F3F1F;  // colours are 0xBBGGRR
constexpr uint32_t kCaptionTextColor = 0xFFFFFF;
constexpr uint32_t kDialogFrameColor = 0x000000;

void FillRect(CRPainter& painter, const CRRectF& rect, uint32_t color) {
  CRBrush brush;
  brush.color = color;
  painter.FillPath(CRPath::Rectangle(rect), brush);
}

void PaintDialog(CRPainter& painter, CNPBasisDialog& dialog, CNPImageCache* images) {
  const CNRect& place = dialog.GetRect();
  const CRRectF rect{double(place.left), double(place.top), double(place.Width()), double(place.Height())};
  const CRRectF caption{rect.x - 1, rect.y - kCaptionHeight - 1, rect.width + 2, kCaptionHeight};
  FillRect(painter, {rect.x - 1, rect.y - 1, rect.width + 2, rect.height + 2}, kDialogFrameColor);
  FillRect(painter, caption, kCaptionColor);
  CRTextFormat format;
  format.vertical = CRTextAlign::kCenter;
  format.clip = true;
  painter.DrawText(dialog.GetTitle(), CRFont{}, kCaptionTextColor, 1.0,
                   {caption.x + 6, caption.y, std::max(caption.width - 12, 0.0), caption.height}, format);
  PaintShownView(painter, dialog.GetView(), rect, {0, 0, rect.width, rect.height}, images);
}

}  // namespace

void PaintScreenBackground(CRPainter& painter, CNSize size) {
  FillRect(painter, {0, 0, double(size.width), double(size.height)}, kScreenBackground);
}

void PaintShownView(CRPainter& painter, CNPView& view, const CRRectF& rect, const CRRectF& area,
                    CNPImageCache* images) {
  CRPainterStateSaver saver(painter);
  painter.Translate(rect.x, rect.y);
  painter.ClipRect(area);
  view.Paint(painter, area, images);
}

std::unique_ptr<CRSurface> PaintScreenImage(CNPProjectBrowser& browser, CNSize size) {
  auto image = std::make_unique<CRSurface>(std::max(size.width, 1), std::max(size.height, 1));
  CRPainter painter(*image);
  PaintScreenBackground(painter, {image->GetWidth(), image->GetHeight()});
  browser.PaintFrameSpacing(painter);
  for (const CNShownView& shown : browser.GetShownViews())
    PaintShownView(painter, *shown.view, shown.rect, {0, 0, shown.rect.width, shown.rect.height},
                   browser.GetImageSource());
  for (CNPBasisDialog* dialog : browser.GetOpenDialogs())
    if (dialog->IsVisible()) PaintDialog(painter, *dialog, browser.GetImageSource());
  return image;
}
