#include "project/frameset_definition.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <set>
#include <utility>

#include "project/form_file_reader.h"
#include "project/stretch_mode.h"
#include "project/xml_encoding.h"
#include "support/utf16_text.h"
#include "values/enum_value.h"
#include "values/value_text.h"

namespace {

constexpr std::u16string_view kDeclaration = u"<?xml version=\"1.0\" encoding=\"shift_jis\"?><ROOT>";
constexpr std::u16string_view kBorderStyles = u"NONE,FLAT,3D_SUNK1,3D_SUNK2";

std::u16string Attribute(const pugi::xml_node& node, const char* name) {
  return Utf8ToUtf16(node.attribute(name).as_string());
}

CNAlign Alignment(std::u16string_view text, std::u16string_view nearName, std::u16string_view farName) {
  if (EqualsIgnoreCaseAscii(text, nearName)) return CNAlign::kNear;
  if (EqualsIgnoreCaseAscii(text, farName)) return CNAlign::kFar;
  return CNAlign::kCenter;
}

bool IsNamed(const pugi::xml_node& node, const char* name) {
  return node.type() == pugi::node_element && std::strcmp(node.name(), name) == 0;
}

class FramesetReader {
 public:
  explicit FramesetReader(std::u16string& error) : m_error(error) {}

  // frameset := FRAMESET { FRAME | frameset }
  bool ReadFrameset(const pugi::xml_node& node, CNPFramesetDefinition& out, uint32_t depth) {
    if (depth >= kMaxFramesetDepth) return Fail(u"Frame sets nest too deep.");
    out.name = Attribute(node, "Name");
    out.rows = ParseFrameSizeList(Attribute(node, "Rows"));
    out.cols = ParseFrameSizeList(Attribute(node, "Cols"));
    out.rowMovableSeparators = CNFrameTrackList(Attribute(node, "RowMovableSeparators"));
    out.rowMins = CNFrameTrackList(Attribute(node, "RowMins"));
    out.colMovableSeparators = CNFrameTrackList(Attribute(node, "ColMovableSeparators"));
    out.colMins = CNFrameTrackList(Attribute(node, "ColMins"));
    out.defaultFrame = Attribute(node, "DefaultFrame");
    out.main = Attribute(node, "Main");
    out.frameSpacing = std::max(ParseLeadingInt32(Attribute(node, "FrameSpacing")), 0);
    out.frameSpacingColor = Attribute(node, "FrameSpacingColor");
    out.borderStyle = std::max(CNEnum::ItemIndex(kBorderStyles, Attribute(node, "BorderStyle")), 0);
    const size_t cellCount = out.rows.size() * out.cols.size();
    for (const pugi::xml_node& child : node.children()) {
      if (out.cells.size() == cellCount) break;
      if (IsNamed(child, "FRAME")) {
        CNPFrameDefinition frame;
        if (!ReadFrame(child, frame)) return false;
        out.cells.emplace_back(std::move(frame));
      } else if (IsNamed(child, "FRAMESET")) {
        auto nested = std::make_unique<CNPFramesetDefinition>();
        if (!ReadFrameset(child, *nested, depth + 1)) return false;
        out.cells.emplace_back(std::move(nested));
      }
    }
    return true;
  }

 private:
  bool ReadFrame(const pugi::xml_node& node, CNPFrameDefinition& out) {
    out.name = Attribute(node, "Name");
    if (out.name.empty()) return Fail(u"A frame has no name.");
    if (!m_names.insert(out.name).second) return Fail(u"Two frames are named " + out.name + u".");
    out.formName = Attribute(node, "FormName");
    out.baseFormName = Attribute(node, "BaseFormName");
    if (out.baseFormName.empty()) out.baseFormName = out.formName;
    if (node.attribute("ScrollBarX")) out.scrollBarX = StringToBool(Attribute(node, "ScrollBarX"));
    if (node.attribute("ScrollBarY")) out.scrollBarY = StringToBool(Attribute(node, "ScrollBarY"));
    if (node.attribute("Stretch")) out.stretch = StretchModeFromText(Attribute(node, "Stretch"));
    out.alignX = Alignment(Attribute(node, "AlignmentX"), u"LEFT", u"RIGHT");
    out.alignY = Alignment(Attribute(node, "AlignmentY"), u"TOP", u"BOTTOM");
    return true;
  }

  bool Fail(std::u16string text) {
    m_error = std::move(text);
    return false;
  }

  std::u16string& m_error;
  std::set<std::u16string> m_names;
};

}  // namespace

bool ParseFramesetDefinition(std::u16string_view text, CNPFramesetDefinition& out, std::u16string& error) {
  // The setting is text already; handed to the loader as UTF-16 with a byte-order mark, which
  // takes precedence over the declaration, its characters arrive unchanged.
  std::u16string wrapped(kDeclaration);
  wrapped.append(text).append(u"</ROOT>");
  std::vector<uint8_t> bytes{0xFF, 0xFE};
  bytes.reserve(2 + wrapped.size() * 2);
  for (const char16_t unit : wrapped) {
    bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  std::string utf8;
  std::string decodeError;
  if (!DecodeXmlBytes(bytes, utf8, decodeError)) {
    error = Utf8ToUtf16(decodeError);
    return false;
  }
  pugi::xml_document document;
  const pugi::xml_parse_result result =
      document.load_buffer_inplace(utf8.data(), utf8.size(), kFormXmlParseOptions, pugi::encoding_utf8);
  if (!result) {
    error = u"The frame set is not well formed: " + Utf8ToUtf16(result.description());
    return false;
  }
  const pugi::xml_node frameset = document.document_element().child("FRAMESET");
  if (!frameset) {
    error = u"The frame set has no FRAMESET element.";
    return false;
  }
  CNPFramesetDefinition read;
  if (!FramesetReader(error).ReadFrameset(frameset, read, 0)) return false;
  out = std::move(read);
  return true;
}
