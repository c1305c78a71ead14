#pragma once

#include <gtest/gtest.h>

#include <string>

#include "draw/surface.h"

// Compares a drawing with its golden image, tests/drawing/golden/NAME.png. A pixel matches when
// every channel is within the tolerance; a few pixels may differ (text rendering moves by a
// pixel between font versions). On a mismatch the drawing is written beside the test's output
// as NAME.actual.png. With VELTRIX_UPDATE_GOLDEN=1 in the environment the golden image is
// written instead, and the test passes.
::testing::AssertionResult MatchesGoldenImage(const CRSurface& drawing, const std::string& name,
                                              int tolerance = 8, int maxDifferentPixels = 0);
