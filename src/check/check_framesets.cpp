#include "check/check_framesets.h"

#include <cstring>
#include <pugixml.hpp>

#include "support/utf16_text.h"

namespace {

bool IsFrameset(const pugi::xml_node& node) {
  return node.type() == pugi::node_element && std::strcmp(node.name(), "FRAMESET") == 0;
}

// The frame set and those nested in it, however deep, without recursion.
void Collect(const pugi::xml_node& frameset, std::vector<std::u16string>& names) {
  std::vector<pugi::xml_node> open{frameset};
  while (!open.empty()) {
    const pugi::xml_node set = open.back();
    open.pop_back();
    names.push_back(Utf8ToUtf16(set.attribute("Name").as_string()));
    for (const pugi::xml_node& child : set.children())
      if (IsFrameset(child)) open.push_back(child);
  }
}

}  // namespace

std::vector<std::u16string> FramesetNames(std::u16string_view definition) {
  std::vector<std::u16string> names;
  // The definition is an element without a document around it.
  const std::string text = "<ROOT>" + Utf16ToUtf8(definition) + "</ROOT>";
  pugi::xml_document document;
  if (!document.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8)) return names;
  for (const pugi::xml_node& node : document.child("ROOT").children()) {
    if (!IsFrameset(node)) continue;
    Collect(node, names);  // the first one is the definition
    break;
  }
  return names;
}
