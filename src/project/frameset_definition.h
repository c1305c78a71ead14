#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "project/frame_size_list.h"
#include "project/stretch_geometry.h"
#include "project/stretch_mode.h"

// One FRAME of a frame set: a view of that name and the form it opens at start.
struct CNPFrameDefinition {
  std::u16string name;
  std::u16string baseFormName;  // empty: the form name
  std::u16string formName;
  bool scrollBarX = true;
  bool scrollBarY = true;
  int32_t stretch = kStretchDefault;  // the project's mode unless "Stretch" names one
  CNAlign alignX = CNAlign::kCenter;  // "LEFT", "RIGHT", else centred
  CNAlign alignY = CNAlign::kCenter;  // "TOP", "BOTTOM", else centred
};

struct CNPFramesetDefinition;

// A cell of a frame set's grid: a frame or a nested frame set.
using CNPFrameCell = std::variant<CNPFrameDefinition, std::unique_ptr<CNPFramesetDefinition>>;

// A FRAMESET: a grid of rows and columns whose cells, in row order, are its FRAME and FRAMESET
// children; children beyond rows x columns are left out.
struct CNPFramesetDefinition {
  std::u16string name;
  std::vector<CNFrameSize> rows;
  std::vector<CNFrameSize> cols;
  CNFrameTrackList rowMovableSeparators;
  CNFrameTrackList rowMins;
  CNFrameTrackList colMovableSeparators;
  CNFrameTrackList colMins;
  std::u16string defaultFrame;  // the frame for forms opened without a view name
  std::u16string main;          // the frame that answers to the main view's name
  int32_t frameSpacing = 0;
  std::u16string frameSpacingColor;
  int32_t borderStyle = 0;  // index in "NONE,FLAT,3D_SUNK1,3D_SUNK2"
  std::vector<CNPFrameCell> cells;
};

inline constexpr uint32_t kMaxFramesetDepth = 16;

// Reads the frame-set text of the "DefaultFrame" setting: a FRAMESET element, read as the body
// of `<?xml version="1.0" encoding="shift_jis"?><ROOT>` + text + `</ROOT>`. False, with the
// reason in error, for text that is not well formed, has no FRAMESET, nests frame sets deeper
// than kMaxFramesetDepth, or has a frame without a name or two frames of one name.
bool ParseFramesetDefinition(std::u16string_view text, CNPFramesetDefinition& out, std::u16string& error);
