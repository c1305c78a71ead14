#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "draw/painter.h"
#include "draw/surface.h"
#include "screen/draw_context.h"
#include "screen/pobject.h"
#include "support/utf16_text.h"
#include "values/value.h"

// Sets properties from their file texts, written "Name=text; Name=text" (a text runs to the
// next ";"); a text the class refuses fails the test.
inline void SetTexts(CNObject& object, std::u16string_view texts) {
  while (!texts.empty()) {
    const size_t end = std::min(texts.find(u';'), texts.size());
    std::u16string_view item = texts.substr(0, end);
    texts.remove_prefix(std::min(end + 1, texts.size()));
    item.remove_prefix(std::min(item.find_first_not_of(u' '), item.size()));
    const size_t equals = std::min(item.find(u'='), item.size());
    CNValue value;
    value.SetString(item.substr(std::min(equals + 1, item.size())));
    EXPECT_EQ(object.SetProperty(item.substr(0, equals), value), 1) << "property " << Utf16ToUtf8(item);
  }
}

// Draws the object on a new transparent surface of the given size at scale 1, or at the scale
// given, with the current theme.
inline std::unique_ptr<CRSurface> Render(CNPObject& object, int width, int height, double scaleX = 1.0,
                                         double scaleY = 1.0, CNImageSource* images = nullptr) {
  auto surface = std::make_unique<CRSurface>(width, height);
  CRPainter painter(*surface);
  CNDrawContext context(painter);
  context.SetScale(scaleX, scaleY);
  context.SetImageSource(images);
  object.Draw(context);
  return surface;
}
