#pragma once

#include <optional>
#include <string>

#include "project/stretch_geometry.h"

// What `veltrix-check PROJECT --render FORM --out FILE.png [--size WxH]` asks for.
struct CNRenderRequest {
  std::string project;
  std::string form;
  std::string out;
  std::optional<CNSize> size;  // none: the form's own size
};

// The largest width or height a rendering may have.
inline constexpr int32_t kMaxRenderSide = 16384;

// Reads "WxH" (both 1 to kMaxRenderSide); false for anything else.
bool ParseRenderSize(const std::string& text, CNSize& size);

// Opens the project as the runtime does, without a window and without the panel server (its
// tags stay without values), shows the form in a view of the requested size with the project's
// stretch rules after one refresh, and writes the painting as a PNG file. False with error set
// when the project, the form or the file fails.
bool RenderForm(const CNRenderRequest& request, std::string& error);
