#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string_view>
#include <utility>

#include "controls/draw_context.h"
#include "controls/pobject.h"
#include "draw/painter.h"
#include "draw/surface.h"
#include "values/value.h"

// Sets properties from their file texts; a text the class refuses fails the test.
inline void SetTexts(CNObject& object, std::initializer_list<std::pair<std::u16string_view, std::u16string_view>> texts) {
  for (const auto& [name, text] : texts) {
    CNValue value;
    value.SetString(text);
    EXPECT_EQ(object.SetProperty(name, value), 1) << "property " << std::string(name.begin(), name.end());
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
