// A full redraw of a busy form: 1,000 shapes and meters with text on a 1280x800 form through
// CNPForm::Draw, beside the same figures drawn with plain Cairo and Pango calls.
#include <benchmark/benchmark.h>
#include <pango/pangocairo.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "controls/form.h"
#include "draw/painter.h"
#include "draw/surface.h"
#include "screen/draw_context.h"
#include "shapes/meters.h"
#include "shapes/shapes.h"
#include "support/utf16_text.h"

namespace {

constexpr int kFormWidth = 1280;
constexpr int kFormHeight = 800;
constexpr int kShapes = 1000;

enum class Kind { kRect, kGradientRect, kTurnedRect, kEllipse, kLine, kPolygon, kRectMeter, kPieMeter };

// One figure of the form, as both drawings see it. Every figure lies in a 40x32 cell.
struct Figure {
  Kind kind;
  int x, y, w, h;
  uint32_t fill;  // 0xRRGGBB
  double value;   // meters: 0 to 100
  std::string text;
};

std::vector<Figure> MakeFigures() {
  static constexpr Kind kMix[] = {Kind::kRect,      Kind::kRect,      Kind::kGradientRect, Kind::kTurnedRect,
                                  Kind::kEllipse,   Kind::kEllipse,   Kind::kLine,         Kind::kPolygon,
                                  Kind::kRectMeter, Kind::kRectMeter, Kind::kPieMeter,     Kind::kRect};
  std::vector<Figure> figures;
  for (int i = 0; i < kShapes; ++i) {
    const int column = i % 32, row = i / 32;
    const uint32_t fill = 0x204060u + static_cast<uint32_t>((i * 2654435761u) & 0x7F7F7Fu);
    figures.push_back({kMix[i % std::size(kMix)], column * 40 + 2, row * 25 + 2, 36, 21, fill,
                       static_cast<double>(i * 37 % 101), "T" + std::to_string(i)});
  }
  return figures;
}

std::u16string Text(const std::string& s) {
  return AsciiToUtf16(s);
}

std::u16string ColorText(uint32_t rgb) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", rgb);
  return Text(text);
}

template <class T>
T* Place(CNPForm& form, const Figure& f) {
  auto* object = new T;
  object->SetPropertyText(u"Left", Text(std::to_string(f.x)));
  object->SetPropertyText(u"Top", Text(std::to_string(f.y)));
  object->SetPropertyText(u"Width", Text(std::to_string(f.w)));
  object->SetPropertyText(u"Height", Text(std::to_string(f.h)));
  object->SetPropertyText(u"FillColor", ColorText(f.fill));
  object->SetPropertyText(u"BorderColor", u"#000000");
  object->SetPropertyText(u"Text", Text(f.text));
  object->SetPropertyText(u"TextColor", u"#000000");
  object->SetPropertyText(u"TextFont", u"Sans,-10,0,400,0,0,0,0,0");
  form.AddChild(object);
  return object;
}

CRPtr<CNPForm> MakeForm(const std::vector<Figure>& figures) {
  auto form = CRPtr<CNPForm>::Make();
  form->SetPropertyText(u"Width", Text(std::to_string(kFormWidth)));
  form->SetPropertyText(u"Height", Text(std::to_string(kFormHeight)));
  form->SetPropertyText(u"FillColor", u"#FFFFFF");
  for (const Figure& f : figures) {
    switch (f.kind) {
      case Kind::kRect:
        Place<CNPRect>(*form, f);
        break;
      case Kind::kGradientRect:
        Place<CNPRect>(*form, f)->SetPropertyText(u"FillStyle", u"GD_VERTICAL1");
        break;
      case Kind::kTurnedRect:
        Place<CNPRect>(*form, f)->SetPropertyText(u"Angle", u"30");
        break;
      case Kind::kEllipse:
        Place<CNPEllipse>(*form, f);
        break;
      case Kind::kLine: {
        auto* line = Place<CNPLine>(*form, f);
        line->SetPropertyText(u"X1", Text(std::to_string(f.x)));
        line->SetPropertyText(u"Y1", Text(std::to_string(f.y)));
        line->SetPropertyText(u"X2", Text(std::to_string(f.x + f.w)));
        line->SetPropertyText(u"Y2", Text(std::to_string(f.y + f.h)));
        line->SetPropertyText(u"LineColor", ColorText(f.fill));
        line->SetPropertyText(u"LineWidth", u"2");
        break;
      }
      case Kind::kPolygon: {
        const std::string points = std::to_string(f.x) + "," + std::to_string(f.y + f.h) + "," +
                                   std::to_string(f.x + f.w / 2) + "," + std::to_string(f.y) + "," +
                                   std::to_string(f.x + f.w) + "," + std::to_string(f.y + f.h);
        Place<CNPPolygon>(*form, f)->SetPropertyText(u"Points", Text(points));
        break;
      }
      case Kind::kRectMeter:
        Place<CNPRectMeter>(*form, f)->SetPropertyText(u"Value", Text(std::to_string(f.value)));
        break;
      case Kind::kPieMeter:
        Place<CNPPieMeter>(*form, f)->SetPropertyText(u"Value", Text(std::to_string(f.value)));
        break;
    }
  }
  return form;
}

void BM_FormRedraw(benchmark::State& state) {
  const std::vector<Figure> figures = MakeFigures();
  CRPtr<CNPForm> form = MakeForm(figures);
  CRSurface surface(kFormWidth, kFormHeight);
  CRPainter painter(surface);
  for (auto _ : state) {
    CNDrawContext context(painter);
    form->Draw(context);
    cairo_surface_flush(surface.GetCairoSurface());
  }
  state.SetItemsProcessed(state.iterations() * kShapes);
}
BENCHMARK(BM_FormRedraw)->Unit(benchmark::kMillisecond);

// ---- the same figures with plain Cairo and Pango

void SetRgb(cairo_t* cr, uint32_t rgb) {
  cairo_set_source_rgb(cr, (rgb >> 16 & 0xFF) / 255.0, (rgb >> 8 & 0xFF) / 255.0, (rgb & 0xFF) / 255.0);
}

void FillAndFrame(cairo_t* cr, uint32_t fill) {
  SetRgb(cr, fill);
  cairo_fill_preserve(cr);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_stroke(cr);
}

// A one-pixel black frame on the figure's inner edge.
void StrokeFrame(cairo_t* cr, const Figure& f) {
  cairo_rectangle(cr, f.x + 0.5, f.y + 0.5, f.w - 1, f.h - 1);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_stroke(cr);
}

void RawText(cairo_t* cr, PangoLayout* layout, const Figure& f) {
  pango_layout_set_text(layout, f.text.data(), static_cast<int>(f.text.size()));
  int width = 0, height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  cairo_set_source_rgb(cr, 0, 0, 0);
  cairo_move_to(cr, f.x + (f.w - width) * 0.5, f.y + (f.h - height) * 0.5);
  pango_cairo_show_layout(cr, layout);
}

void RawFigure(cairo_t* cr, PangoLayout* layout, const Figure& f) {
  const double x = f.x, y = f.y, w = f.w, h = f.h;
  cairo_new_path(cr);  // the text leaves a current point behind
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr, 1);
  switch (f.kind) {
    case Kind::kRect:
      cairo_rectangle(cr, x, y, w, h);
      SetRgb(cr, f.fill);
      cairo_fill(cr);
      StrokeFrame(cr, f);
      break;
    case Kind::kGradientRect: {
      cairo_pattern_t* gradient = cairo_pattern_create_linear(x, y, x, y + h);
      cairo_pattern_add_color_stop_rgb(gradient, 0, (f.fill >> 16) / 255.0, (f.fill >> 8 & 0xFF) / 255.0,
                                       (f.fill & 0xFF) / 255.0);
      cairo_pattern_add_color_stop_rgb(gradient, 1, 1, 1, 1);
      cairo_rectangle(cr, x, y, w, h);
      cairo_set_source(cr, gradient);
      cairo_fill(cr);
      cairo_pattern_destroy(gradient);
      StrokeFrame(cr, f);
      break;
    }
    case Kind::kTurnedRect:
      cairo_save(cr);
      cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
      cairo_translate(cr, x + w / 2, y + h / 2);
      cairo_rotate(cr, 30 * std::numbers::pi / 180);
      cairo_translate(cr, -(x + w / 2), -(y + h / 2));
      cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
      FillAndFrame(cr, f.fill);
      RawText(cr, layout, f);
      cairo_restore(cr);
      return;
    case Kind::kEllipse:
      cairo_save(cr);
      cairo_translate(cr, x + w / 2, y + h / 2);
      cairo_scale(cr, w / 2, h / 2);
      cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
      cairo_restore(cr);
      FillAndFrame(cr, f.fill);
      break;
    case Kind::kLine:
      cairo_move_to(cr, x + 0.5, y + 0.5);
      cairo_line_to(cr, x + w + 0.5, y + h + 0.5);
      cairo_set_line_width(cr, 2);
      SetRgb(cr, f.fill);
      cairo_stroke(cr);
      return;
    case Kind::kPolygon:
      cairo_move_to(cr, x, y + h);
      cairo_line_to(cr, x + w / 2, y);
      cairo_line_to(cr, x + w, y + h);
      cairo_close_path(cr);
      FillAndFrame(cr, f.fill);
      return;  // polygons have no text
    case Kind::kRectMeter: {
      cairo_rectangle(cr, x, y, w, h);
      SetRgb(cr, f.fill);
      cairo_fill(cr);
      const double band = std::trunc(f.value / 100 * h);
      cairo_rectangle(cr, x, y + h - band, w, band);
      cairo_set_source_rgb(cr, 0, 0, 1);
      cairo_fill(cr);
      StrokeFrame(cr, f);
      break;
    }
    case Kind::kPieMeter: {
      const double a = f.value / 100 * 2 * std::numbers::pi - std::numbers::pi / 2;
      cairo_save(cr);
      cairo_translate(cr, x + w / 2, y + h / 2);
      cairo_scale(cr, w / 2, h / 2);
      cairo_move_to(cr, 0, 0);
      cairo_arc(cr, 0, 0, 1, -std::numbers::pi / 2, a);
      cairo_close_path(cr);
      cairo_restore(cr);
      cairo_set_source_rgb(cr, 0, 0, 1);
      cairo_fill(cr);
      cairo_save(cr);
      cairo_translate(cr, x + w / 2, y + h / 2);
      cairo_scale(cr, w / 2, h / 2);
      cairo_move_to(cr, 0, 0);
      cairo_arc(cr, 0, 0, 1, a, 1.5 * std::numbers::pi);
      cairo_close_path(cr);
      cairo_restore(cr);
      SetRgb(cr, f.fill);
      cairo_fill(cr);
      cairo_save(cr);
      cairo_translate(cr, x + w / 2, y + h / 2);
      cairo_scale(cr, w / 2, h / 2);
      cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
      cairo_restore(cr);
      cairo_set_source_rgb(cr, 0, 0, 0);
      cairo_stroke(cr);
      break;
    }
  }
  RawText(cr, layout, f);
}

void BM_RawCairoRedraw(benchmark::State& state) {
  const std::vector<Figure> figures = MakeFigures();
  CRSurface surface(kFormWidth, kFormHeight);
  cairo_t* cr = cairo_create(surface.GetCairoSurface());
  PangoLayout* layout = pango_cairo_create_layout(cr);
  PangoFontDescription* font = pango_font_description_from_string("Sans 10px");
  pango_layout_set_font_description(layout, font);
  for (auto _ : state) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    for (const Figure& f : figures) RawFigure(cr, layout, f);
    cairo_surface_flush(surface.GetCairoSurface());
  }
  pango_font_description_free(font);
  g_object_unref(layout);
  cairo_destroy(cr);
  state.SetItemsProcessed(state.iterations() * kShapes);
}
BENCHMARK(BM_RawCairoRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
