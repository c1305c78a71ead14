#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "panel_server_sim/tag_generator.h"
#include "values/value.h"

namespace panel_sim {

struct TagDefinition {
  std::u16string name;
  TagType type = TagType::kNumber;
  CNValue value;
  TagGenerator generator;
};

// Reads a tag file: one tag per line, NAME TYPE VALUE [GENERATOR ARGS], "#" starting a comment
// (except in VALUE, where "#...#" is a time literal). False with error "line N: ..." for the
// first bad line: an unknown type, a value that is not a literal of the type, a bad generator,
// extra text or a name given twice.
bool ParseTagFile(std::string_view text, std::vector<TagDefinition>& tags, std::string& error);

// The tags served without a tag file, in the tag file format.
std::string_view DemoTagText();

}  // namespace panel_sim
