#include "check/check_framesets.h"

#include <memory>
#include <variant>

#include "project/frameset_definition.h"

namespace {

// The frame set's name, then those of the frame sets in its cells (the reader bounds the depth).
void Collect(const CNPFramesetDefinition& frameset, std::vector<std::u16string>& names) {
  names.push_back(frameset.name);
  for (const CNPFrameCell& cell : frameset.cells)
    if (const auto* nested = std::get_if<std::unique_ptr<CNPFramesetDefinition>>(&cell))
      Collect(**nested, names);
}

}  // namespace

std::vector<std::u16string> FramesetNames(std::u16string_view definition) {
  std::vector<std::u16string> names;
  CNPFramesetDefinition frameset;
  std::u16string error;
  if (ParseFramesetDefinition(definition, frameset, error)) Collect(frameset, names);
  return names;
}
